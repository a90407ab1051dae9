#include "commands.h"

#include <QIcon>

namespace bidwarden {

namespace {

struct ActionInfo
{
    const char *objectName;
    QString text;
    QString iconText;  // the toolbar caption, where it differs from the menu's
    QString key;       // empty for commands without a toolbar button
    QString toolTip;
    QKeySequence shortcut;
    const char *icon = nullptr; // the bundled picture, also the theme's name for it
    const char *themeIcon = nullptr;
};

QAction *makeAction(QObject *owner, const ActionInfo &info)
{
    auto *action = new QAction(info.text, owner);
    action->setObjectName(QString::fromLatin1(info.objectName));
    if (!info.iconText.isEmpty())
        action->setIconText(info.iconText);
    if (!info.key.isEmpty())
        action->setData(info.key);
    if (!info.toolTip.isEmpty())
        action->setToolTip(info.toolTip);
    if (!info.shortcut.isEmpty())
        action->setShortcut(info.shortcut);
    if (info.icon)
        action->setIcon(toolbarIcon(info.themeIcon, info.icon));
    return action;
}

} // namespace

QIcon toolbarIcon(const char *themeName, const char *bundled)
{
    const QIcon fallback(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(bundled)));
    return themeName ? QIcon::fromTheme(QLatin1String(themeName), fallback) : fallback;
}

Commands::Commands(QObject *owner)
{
    const auto text = [](const char *s) { return QString::fromUtf8(s); };
    print = makeAction(owner, { "mnuPrint", text("&Print"), {}, text("print"), text("&Print"),
                                QKeySequence(Qt::CTRL | Qt::Key_P), "print", "document-print" });
    exit = makeAction(owner, { "mnuExit", text("&Exit"), {}, {}, {}, {} });
    back = makeAction(owner, { "mnuBack", text("&Back"), {}, text("back"), text("Back"), {},
                               "back", "go-previous" });
    forward = makeAction(owner, { "mnuForward", text("&Forward"), {}, text("forward"),
                                  text("&Forward"), {}, "forward", "go-next" });
    stop = makeAction(owner, { "mnuStop", text("&Stop"), {}, text("stop"), text("&Stop"), {},
                               "stop", "process-stop" });
    refresh = makeAction(owner, { "mnuRefresh", text("&Refresh"), {}, text("refresh"),
                                  text("&Refresh"), {}, "refresh", "view-refresh" });
    auctionHome = makeAction(owner, { "mnuEbay", text("&Ebay"), {}, text("home"), text("&Ebay"), {},
                                      "home", "go-home" });
    serviceHome = makeAction(owner, { "mnuBidwarden", text("&Bidwarden"), {}, {}, {}, {} });
    snipe = makeAction(owner, { "mnuSnipe", text("&Snipe Auction"), text("&Snipe"), text("snipe"),
                                text("Add to Snipe list"), QKeySequence(Qt::CTRL | Qt::Key_S),
                                "snipe", nullptr });
    setHomepage = makeAction(owner, { "mnuSetEbayHomepage", text("&Set eBay Homepage"), {}, {}, {}, {} });
    storePassword = makeAction(owner, { "mnuBidwardenPassword", text("&Store Bidwarden password"),
                                        {}, {}, {}, {} });
    help = makeAction(owner, { "mnuContents", text("&Contents"), text("&Help"), text("help"),
                               text("&Help"), QKeySequence(Qt::CTRL | Qt::Key_H),
                               "help", "help-browser" });
    serviceFaq = makeAction(owner, { "mnuBidwardenHomepage", text("&Bidwarden FAQ"), {}, {}, {}, {} });
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
