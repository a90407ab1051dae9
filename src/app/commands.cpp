#include "commands.h"

#include <QApplication>
#include <QStyle>

namespace bidwarden {

namespace {

struct ActionSpec
{
    const char *objectName;
    QString text;
    QString iconText;  // the toolbar caption, where it differs from the menu's
    QString key;       // empty for commands without a toolbar button
    QString toolTip;
    QKeySequence shortcut;
    QStyle::StandardPixmap icon = QStyle::SP_CustomBase;
};

QAction *makeAction(QObject *owner, const ActionSpec &spec)
{
    auto *action = new QAction(spec.text, owner);
    action->setObjectName(QString::fromLatin1(spec.objectName));
    if (!spec.iconText.isEmpty())
        action->setIconText(spec.iconText);
    if (!spec.key.isEmpty())
        action->setData(spec.key);
    if (!spec.toolTip.isEmpty())
        action->setToolTip(spec.toolTip);
    if (!spec.shortcut.isEmpty())
        action->setShortcut(spec.shortcut);
    if (spec.icon != QStyle::SP_CustomBase)
        action->setIcon(QApplication::style()->standardIcon(spec.icon));
    return action;
}

} // namespace

Commands::Commands(QObject *owner)
{
    const auto text = [](const char *s) { return QString::fromUtf8(s); };
    print = makeAction(owner, { "mnuPrint", text("&Print"), {}, text("print"), text("&Print"),
                                QKeySequence(Qt::CTRL | Qt::Key_P), QStyle::SP_FileDialogDetailedView });
    exit = makeAction(owner, { "mnuExit", text("&Exit"), {}, {}, {}, {} });
    back = makeAction(owner, { "mnuBack", text("&Back"), {}, text("back"), text("Back"), {},
                               QStyle::SP_ArrowBack });
    forward = makeAction(owner, { "mnuForward", text("&Forward"), {}, text("forward"),
                                  text("&Forward"), {}, QStyle::SP_ArrowForward });
    stop = makeAction(owner, { "mnuStop", text("&Stop"), {}, text("stop"), text("&Stop"), {},
                               QStyle::SP_BrowserStop });
    refresh = makeAction(owner, { "mnuRefresh", text("&Refresh"), {}, text("refresh"),
                                  text("&Refresh"), {}, QStyle::SP_BrowserReload });
    auctionHome = makeAction(owner, { "mnuEbay", text("&Ebay"), {}, text("home"), text("&Ebay"), {},
                                      QStyle::SP_DirHomeIcon });
    serviceHome = makeAction(owner, { "mnuBidwarden", text("&Bidwarden"), {}, {}, {}, {} });
    snipe = makeAction(owner, { "mnuSnipe", text("&Snipe Auction"), text("&Snipe"), text("snipe"),
                                text("Add to Snipe list"), QKeySequence(Qt::CTRL | Qt::Key_S),
                                QStyle::SP_DialogApplyButton });
    setHomepage = makeAction(owner, { "mnuSetEbayHomepage", text("&Set eBay Homepage"), {}, {}, {}, {} });
    storePassword = makeAction(owner, { "mnuBidwardenPassword", text("&Store Bidwarden password"),
                                        {}, {}, {}, {} });
    help = makeAction(owner, { "mnuContents", text("&Contents"), text("&Help"), text("help"),
                               text("&Help"), QKeySequence(Qt::CTRL | Qt::Key_H),
                               QStyle::SP_DialogHelpButton });
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
