#pragma once

#include <QMainWindow>

QT_BEGIN_NAMESPACE
class QLineEdit;
class QWebEngineView;
QT_END_NAMESPACE

namespace bidwarden {

class FindBar;
class PanePage;
class PermissionBar;
class WebEngineBrowser;

// A window a page asked for (a link to a new window, a sign-in popup): the
// page with Back, Forward, Stop, Refresh and Snipe, its full address shown
// read-only (the user sees where a sign-in page really is) and its title as
// the caption. Its page shares the panes' profile, so a site's login holds,
// and its events change nothing in the main window. Ctrl+W and the page's
// window.close() close it; the zoom and find keys work as in the panes.
class PageWindow : public QMainWindow
{
    Q_OBJECT

public:
    // A window of the owner's window: it never outlives it.
    PageWindow(WebEngineBrowser *browser, QWidget *owner);

    PanePage *page() const { return m_page; }
    QWebEngineView *view() const { return m_view; }
    FindBar *findBar() const { return m_findBar; }

Q_SIGNALS:
    // Snipe (Ctrl+S) with this window's page: the page's address as loaded.
    void snipeRequested(const QString &address);

private:
    void addBrowserKeys();

    QWebEngineView *m_view = nullptr;
    PanePage *m_page = nullptr;
    PermissionBar *m_permissions = nullptr;
    FindBar *m_findBar = nullptr;
    QLineEdit *m_address = nullptr;
};

} // namespace bidwarden
