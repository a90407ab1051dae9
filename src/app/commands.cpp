#include "commands.h"

#include "browser_keys.h"

#include <QCoreApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

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
    const char *picture = nullptr; // the bundled picture, also the theme's name for it
    const char *themeIcon = nullptr;
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
        action->setIcon(toolbarIcon(fields.themeIcon, fields.picture));
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

QPixmap bundledPicture(const QString &fileName)
{
    // Told the format and not to guess, the reader takes Qt's own PNG reader
    // at once; QIcon::addFile() would load every image-format plugin (the SVG
    // one among them) to find out what the file is.
    QImageReader reader(QStringLiteral(":/icons/") + fileName, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QIcon toolbarIcon(const char *themeName, const char *bundled)
{
    QIcon fallback;
    for (const char *suffix : { ".png", "@2x.png" })
        fallback.addPixmap(bundledPicture(QLatin1String(bundled) + QLatin1String(suffix)));
    return themeName ? QIcon::fromTheme(QLatin1String(themeName), fallback) : fallback;
}

Commands::Commands(QObject *owner)
{
    print = makeAction(owner, { .objectName = "mnuPrint", .menuText = tr("&Print"),
                                .toolbarKey = QStringLiteral("print"), .toolTip = tr("&Print"),
                                .shortcut = QKeySequence(Qt::CTRL | Qt::Key_P),
                                .picture = "print", .themeIcon = "document-print" });
    exit = makeAction(owner, { .objectName = "mnuExit", .menuText = tr("&Exit") });
    back = makeAction(owner, { .objectName = "mnuBack", .menuText = tr("&Back"),
                               .toolbarKey = QStringLiteral("back"), .toolTip = tr("Back"),
                               .picture = "back", .themeIcon = "go-previous" });
    forward = makeAction(owner, { .objectName = "mnuForward", .menuText = tr("&Forward"),
                                  .toolbarKey = QStringLiteral("forward"), .toolTip = tr("&Forward"),
                                  .picture = "forward", .themeIcon = "go-next" });
    stop = makeAction(owner, { .objectName = "mnuStop", .menuText = tr("&Stop"),
                               .toolbarKey = QStringLiteral("stop"), .toolTip = tr("&Stop"),
                               .picture = "stop", .themeIcon = "process-stop" });
    refresh = makeAction(owner, { .objectName = "mnuRefresh", .menuText = tr("&Refresh"),
                                  .toolbarKey = QStringLiteral("refresh"), .toolTip = tr("&Refresh"),
                                  .picture = "refresh", .themeIcon = "view-refresh" });
    auctionHome = makeAction(owner, { .objectName = "mnuEbay", .menuText = tr("&Ebay"),
                                      .toolbarKey = QStringLiteral("home"), .toolTip = tr("&Ebay"),
                                      .picture = "home", .themeIcon = "go-home" });
    serviceHome = makeAction(owner, { .objectName = "mnuBidwarden", .menuText = tr("&Bidwarden") });
    snipe = makeSnipeAction(owner, "mnuSnipe");
    setHomepage = makeAction(owner, { .objectName = "mnuSetEbayHomepage", .menuText = tr("&Set eBay Homepage") });
    storePassword = makeAction(owner, { .objectName = "mnuBidwardenPassword",
                                        .menuText = tr("&Store Bidwarden password") });
    help = makeAction(owner, { .objectName = "mnuContents", .menuText = tr("&Contents"),
                               .toolbarCaption = tr("Help"), .toolbarKey = QStringLiteral("help"),
                               .toolTip = tr("&Help"), .shortcut = QKeySequence(Qt::CTRL | Qt::Key_H),
                               .picture = "help", .themeIcon = "help-browser" });
    serviceFaq = makeAction(owner, { .objectName = "mnuBidwardenHomepage", .menuText = tr("&Bidwarden FAQ") });
    about = makeAction(owner, { .objectName = "mnuAbout", .menuText = tr("&About Bidwarden") });

    back->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    forward->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    refresh->setShortcuts({ QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R) });
    const auto key = [owner](const char *objectName, const QString &text, const QList<QKeySequence> &keys) {
        auto *action = new QAction(text, owner);
        action->setObjectName(QString::fromLatin1(objectName));
        action->setShortcuts(keys);
        return action;
    };
    stopLoading = key("keyStop", tr("Stop loading"), { QKeySequence(Qt::Key_Escape) });
    stopLoading->setEnabled(false);
    focusAddress = key("keyAddress", tr("Go to the address box"),
                       { QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_F6), QKeySequence(Qt::ALT | Qt::Key_D) });
    zoomIn = key("keyZoomIn", tr("Zoom in"), keysFor(BrowserKey::ZoomIn));
    zoomOut = key("keyZoomOut", tr("Zoom out"), keysFor(BrowserKey::ZoomOut));
    zoomReset = key("keyZoomReset", tr("Actual size"), keysFor(BrowserKey::ZoomReset));
    find = key("keyFind", tr("Find in page"), keysFor(BrowserKey::Find));
    findNext = key("keyFindNext", tr("Find next"), keysFor(BrowserKey::FindNext));
    findPrevious = key("keyFindPrevious", tr("Find previous"), keysFor(BrowserKey::FindPrevious));
    fullScreen = key("keyFullScreen", tr("Full screen"), { QKeySequence(Qt::Key_F11) });
}

QList<QAction *> Commands::browserKeys() const
{
    return { stopLoading, focusAddress, zoomIn, zoomOut, zoomReset, find, findNext, findPrevious, fullScreen };
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
