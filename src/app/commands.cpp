#include "commands.h"

#include "browser_keys.h"
#include "icons.h"

#include <QCoreApplication>

namespace bidwarden {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("bidwarden::Commands", text);
}

// One command as the menu and the toolbars show it.
struct ActionFields
{
    const char *objectName;
    QString menuText;
    // Under the toolbar picture. Without "&": a toolbar button takes no
    // Alt key of its own, which belongs to the menu bar. Empty: the menu
    // text without its "&".
    QString toolbarCaption = {};
    QString toolbarKey = {}; // empty for commands without a toolbar button
    QString toolTip = {};
    QKeySequence shortcut = {};
    const char *picture = nullptr; // the bundled picture
};

QAction *makeAction(QObject *owner, const ActionFields &fields)
{
    auto *action = new QAction(fields.menuText, owner);
    action->setObjectName(QString::fromLatin1(fields.objectName));
    if (!fields.toolbarCaption.isEmpty())
        action->setIconText(fields.toolbarCaption);
    if (!fields.toolbarKey.isEmpty())
        action->setData(fields.toolbarKey);
    if (!fields.toolTip.isEmpty())
        action->setToolTip(fields.toolTip);
    if (!fields.shortcut.isEmpty())
        action->setShortcut(fields.shortcut);
    if (fields.picture)
        action->setIcon(bundledIcon(fields.picture));
    return action;
}

} // namespace

QAction *makeSnipeAction(QObject *owner, const char *objectName)
{
    return makeAction(owner, { .objectName = objectName, .menuText = tr("&Snipe Auction"),
                               .toolbarCaption = tr("Snipe"), .toolbarKey = QStringLiteral("snipe"),
                               .toolTip = tr("Add to Snipe list"),
                               .shortcut = QKeySequence(Qt::CTRL | Qt::Key_S), .picture = "snipe" });
}

Commands::Commands(QObject *owner)
{
    print = makeAction(owner, { .objectName = "mnuPrint", .menuText = tr("&Print"),
                                .toolbarKey = QStringLiteral("print"), .toolTip = tr("&Print"),
                                .shortcut = QKeySequence(Qt::CTRL | Qt::Key_P),
                                .picture = "print" });
    exit = makeAction(owner, { .objectName = "mnuExit", .menuText = tr("&Exit") });
    savePageAs = makeAction(owner, { .objectName = "mnuSavePageAs", .menuText = tr("Save Page &As\u2026") });
    savePageAs->setShortcuts(keysFor(BrowserKey::SavePage));
    downloads = makeAction(owner, { .objectName = "mnuDownloads", .menuText = tr("&Downloads"),
                                    .shortcut = QKeySequence(Qt::CTRL | Qt::Key_J) });
    back = makeAction(owner, { .objectName = "mnuBack", .menuText = tr("&Back"),
                               .toolbarKey = QStringLiteral("back"), .toolTip = tr("Back"),
                               .picture = "back" });
    forward = makeAction(owner, { .objectName = "mnuForward", .menuText = tr("&Forward"),
                                  .toolbarKey = QStringLiteral("forward"), .toolTip = tr("&Forward"),
                                  .picture = "forward" });
    stop = makeAction(owner, { .objectName = "mnuStop", .menuText = tr("&Stop"),
                               .toolbarKey = QStringLiteral("stop"), .toolTip = tr("&Stop"),
                               .picture = "stop" });
    refresh = makeAction(owner, { .objectName = "mnuRefresh", .menuText = tr("&Refresh"),
                                  .toolbarKey = QStringLiteral("refresh"), .toolTip = tr("&Refresh"),
                                  .picture = "refresh" });
    auctionHome = makeAction(owner, { .objectName = "mnuEbay", .menuText = tr("&Ebay"),
                                      .toolbarKey = QStringLiteral("home"), .toolTip = tr("&Ebay"),
                                      .picture = "home" });
    serviceHome = makeAction(owner, { .objectName = "mnuBidwarden", .menuText = tr("&Bidwarden") });
    snipe = makeSnipeAction(owner, "mnuSnipe");
    setHomepage = makeAction(owner, { .objectName = "mnuSetEbayHomepage", .menuText = tr("&Set eBay Homepage") });
    storePassword = makeAction(owner, { .objectName = "mnuBidwardenPassword",
                                        .menuText = tr("&Store Bidwarden password") });
    clearBrowsingData = makeAction(owner, { .objectName = "mnuClearBrowsingData",
                                            .menuText = tr("Clear Browsing &Data\u2026"),
                                            .shortcut = QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete) });
    help = makeAction(owner, { .objectName = "mnuContents", .menuText = tr("&Contents"),
                               .toolbarCaption = tr("Help"), .toolbarKey = QStringLiteral("help"),
                               .toolTip = tr("&Help"), .shortcut = QKeySequence(Qt::CTRL | Qt::Key_H),
                               .picture = "help" });
    serviceFaq = makeAction(owner, { .objectName = "mnuBidwardenHomepage", .menuText = tr("&Bidwarden FAQ") });
    about = makeAction(owner, { .objectName = "mnuAbout", .menuText = tr("&About Bidwarden") });

    // The desktop's habits beside the menus' own keys: Ctrl+Q quits, F1 is help.
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    help->setShortcuts({ QKeySequence(Qt::CTRL | Qt::Key_H), QKeySequence(Qt::Key_F1) });
    back->setShortcuts(keysFor(BrowserKey::Back));
    forward->setShortcuts(keysFor(BrowserKey::Forward));
    refresh->setShortcuts(keysFor(BrowserKey::Reload));
    stopLoading = makeKeyAction(owner, BrowserKey::StopLoading, "keyStop");
    stopLoading->setEnabled(false);
    focusAddress = makeKeyAction(owner, BrowserKey::FocusAddress, "keyAddress");
    zoomIn = makeKeyAction(owner, BrowserKey::ZoomIn, "keyZoomIn");
    zoomOut = makeKeyAction(owner, BrowserKey::ZoomOut, "keyZoomOut");
    zoomReset = makeKeyAction(owner, BrowserKey::ZoomReset, "keyZoomReset");
    find = makeKeyAction(owner, BrowserKey::Find, "keyFind");
    findNext = makeKeyAction(owner, BrowserKey::FindNext, "keyFindNext");
    findPrevious = makeKeyAction(owner, BrowserKey::FindPrevious, "keyFindPrevious");
    fullScreen = makeKeyAction(owner, BrowserKey::FullScreen, "keyFullScreen");
    nextTab = makeKeyAction(owner, BrowserKey::NextTab, "keyNextTab");
    previousTab = makeKeyAction(owner, BrowserKey::PreviousTab, "keyPreviousTab");
}

QList<QAction *> Commands::browserKeys() const
{
    return { stopLoading, focusAddress, zoomIn, zoomOut, zoomReset, find, findNext, findPrevious, fullScreen,
             nextTab, previousTab };
}

QList<QAction *> Commands::auctionToolbar() const
{
    return { back, forward, stop, refresh, auctionHome, snipe, nullptr, print, help };
}

QList<QAction *> Commands::serviceToolbar() const
{
    return { back, forward, stop, refresh, auctionHome, nullptr, print, help };
}

} // namespace bidwarden
