#pragma once

#include "page_view.h"

#include <QMainWindow>

QT_BEGIN_NAMESPACE
class QAction;
class QIcon;
class QLineEdit;
class QToolBar;
QT_END_NAMESPACE

namespace bidwarden {

class PageCloser;
class PageWindowCloser;

// A window a page asked for (a link to a new window, a sign-in popup): its
// page view under a toolbar with Back, Forward, Stop and Refresh and the
// page's full address, read-only (the user sees where a sign-in page really
// is), and the page's title as the caption. A popup gets the size its page
// asked for; Ctrl+W and the page's window.close() close it; the browser keys
// act on its page. Its page events change nothing in the main window. Its
// page may ask before the window closes, also when the program closes
// (PageWindowCloser); the page's speaker on the toolbar mutes a page that
// plays sound. A window whose link turned out to be a download closes once the
// download is offered.
class PageWindow : public QMainWindow
{
    Q_OBJECT

public:
    // A window of the owner's window (of the program's window where the
    // owner is a page window): it never outlives it.
    PageWindow(BrowserProfile *profile, PageWindowFactory openWindow, QWidget *owner);

    PageView *pageView() const { return m_pageView; }
    // What the program's close asks of the window.
    PageCloser *closer() const;
    // The page's address as loaded, percent-encoding kept.
    QString pageAddress() const;
    // A command of the program's own (Snipe), on the toolbar before the
    // address.
    void addToolbarAction(QAction *action);
    // The pictures of the speaker, as it plays and muted.
    void setSoundPictures(const QIcon &playing, const QIcon &muted);

protected:
    // Closes once the page agrees.
    void closeEvent(QCloseEvent *event) override;

private:
    void addPageActions();
    void addBrowserKeys();
    void followPage();
    void closeWhenOnlyADownload();

    PageView *m_pageView = nullptr;
    QToolBar *m_toolbar = nullptr;
    QLineEdit *m_address = nullptr;
    QAction *m_addressItem = nullptr;
    PageWindowCloser *m_closer = nullptr;
    bool m_showedAPage = false;
};

} // namespace bidwarden
