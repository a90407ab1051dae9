#include "page_windows.h"

#include "commands.h"
#include "page_window.h"
#include "pictures.h"

#include <QAction>

namespace bidwarden {

PageWindows::PageWindows(BrowserProfile *profile, QObject *parent)
    : QObject(parent)
    , m_profile(profile)
{
}

PageWindowFactory PageWindows::factory()
{
    return [this](QWidget *opener) { return open(opener); };
}

PageView *PageWindows::open(QWidget *opener)
{
    auto *window = new PageWindow(m_profile, factory(), opener);
    QAction *snipe = makeSnipeAction(window, "pageSnipe");
    window->addToolbarAction(snipe);
    window->setSoundPictures(bundledIcon("sound"), bundledIcon("muted"));
    connect(snipe, &QAction::triggered, this, [this, window] { Q_EMIT snipeRequested(window->pageAddress()); });
    connect(window->pageView(), &PageView::snipeLinkRequested, this, &PageWindows::snipeRequested);
    window->show();
    return window->pageView();
}

} // namespace bidwarden
