#include "page_window_opener.h"

#include "commands.h"
#include "icons.h"
#include "page_window.h"

#include <QAction>

namespace bidwarden {

PageWindowOpener::PageWindowOpener(BrowserProfile *profile, QObject *parent)
    : QObject(parent)
    , m_profile(profile)
{
}

PageWindowFactory PageWindowOpener::factory()
{
    return [this](QWidget *opener) { return open(opener); };
}

PageView *PageWindowOpener::open(QWidget *opener)
{
    auto *window = new PageWindow(m_profile, factory(), opener);
    QAction *snipe = makeSnipeAction(window, "pageSnipe");
    window->addToolbarAction(snipe);
    window->setSoundPictures(bundledIcon("sound"), bundledIcon("muted"));
    connect(snipe, &QAction::triggered, this, [this, window] { Q_EMIT snipeRequested(window->pageAddress()); });
    connect(window->pageView(), &PageView::snipeLinkRequested, this, &PageWindowOpener::snipeRequested);
    m_windows.removeAll(nullptr);
    m_windows.append(window);
    window->show();
    return window->pageView();
}

QList<PageCloser *> PageWindowOpener::pageClosers() const
{
    QList<PageCloser *> closers;
    for (const QPointer<PageWindow> &window : m_windows) {
        if (window)
            closers.append(window->closer());
    }
    return closers;
}

} // namespace bidwarden
