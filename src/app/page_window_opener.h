#pragma once

#include "page_view.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace bidwarden {

class BrowserProfile;
class PageCloser;
class PageWindow;

// Opens the windows pages ask for (PageWindow), for the panes' pages and for
// the pages of the windows it opened, each with the program's Snipe (as the
// menu offers it, Ctrl+S) on its toolbar. Snipe and "Snipe Link" in a page
// window go to the program's one snipe path. Must outlive the page views it
// serves.
class PageWindowOpener : public QObject
{
    Q_OBJECT

public:
    explicit PageWindowOpener(BrowserProfile *profile, QObject *parent = nullptr);

    // What a page view is given to open its page's new windows.
    PageWindowFactory factory();
    // A page window, shown, as a window of the opener's window; its page
    // view, where the requested page loads.
    PageView *open(QWidget *opener);
    // The closers of the windows it opened that are still open, oldest
    // first.
    QList<PageCloser *> pageClosers() const;

Q_SIGNALS:
    // Snipe in a page window: the window's page address, or the link's.
    void snipeRequested(const QString &address);

private:
    BrowserProfile *m_profile = nullptr;
    QList<QPointer<PageWindow>> m_windows;
};

} // namespace bidwarden
