// What every page of the profile shares, on the real engine against the demo
// auction site: how the pages name their browser to sites, the spelling of
// what the user types, the pages' notifications on the desktop (a stand-in
// service on a bus of the test's own), and the downloads the user follows
// (from a peer of the test's own that sends as slowly as the test says). Clicks and keys go to the windows as a
// user's do.
#include "browser_profile.h"
#include "browsing_data.h"
#include "clear_data_dialog.h"
#include "dialog_host.h"
#include "desktop_notifications.h"
#include "download_words.h"
#include "engine_suite.h"
#include "engine_version.h"
#include "fake_notification_server.h"
#include "held_download_peer.h"
#include "main_window.h"
#include "notification_service.h"
#include "page_accessibility.h"
#include "page_script.h"
#include "permission_bar.h"
#include "spelling.h"
#include "user_input.h"
#include "web_engine_pane.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QToolButton>
#include <QTemporaryDir>
#include <QThread>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QWebEngineContextMenuRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

// Where an element of the page is, in the view's coordinates: its top left
// corner.
QPoint elementCorner(QWebEngineView *view, const QString &selector)
{
    const QVariantList xy = evaluate(view->page(), QStringLiteral("(function () { var r = document.querySelector('%1')"
                                                                  ".getBoundingClientRect(); return [r.x, r.y]; })()")
                                                           .arg(selector))
                                    .toList();
    return xy.size() == 2 ? QPoint(xy.at(0).toInt(), xy.at(1).toInt()) : QPoint();
}

QWidget *pageWidget(QWebEngineView *view)
{
    return view->focusProxy() ? view->focusProxy() : view;
}

// The page's menu on a word the engine has marked misspelt. The marks come
// once the engine has checked the text, in its own time: until the menu
// names a misspelt word, it is closed and asked for again.
QMenu *menuOnMisspeltWord(QWebEngineView *view, QPoint at)
{
    for (QDeadlineTimer deadline(engineTimeoutMs); !deadline.hasExpired();) {
        clickOn(pageWidget(view), at, Qt::RightButton);
        QMenu *menu = nullptr;
        if (!QTest::qWaitFor([&] { return (menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())); },
                             engineTimeoutMs))
            return nullptr;
        const QWebEngineContextMenuRequest *request = view->lastContextMenuRequest();
        if (request && !request->misspelledWord().isEmpty())
            return menu;
        pressKey(menu, Qt::Key_Escape);
        if (!QTest::qWaitFor([] { return !QApplication::activePopupWidget(); }, engineTimeoutMs))
            return nullptr;
        QTest::qWait(200);
    }
    return nullptr;
}

// Stands in for the desktop's accessibility service: its status properties.
class FakeAccessibilityStatus : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.a11y.Status")
    Q_PROPERTY(bool IsEnabled MEMBER isEnabled)
    Q_PROPERTY(bool ScreenReaderEnabled MEMBER screenReaderEnabled)

public:
    bool isEnabled = false;
    bool screenReaderEnabled = false;
};

} // namespace

class TestProfileDutiesEndToEnd : public EngineSuite
{
    Q_OBJECT

private Q_SLOTS:
    void pagesNameOnlyChromium();
    void misspeltWordsAreMarkedAndReplacedFromTheMenu();
    void noDictionaryNoChecking();
    void allowedNotificationsGoToTheDesktop();
    void storageIsTheUsersAlone();
    void accessibilityBusAnswers_data();
    void accessibilityBusAnswers();
    void clearingBrowsingDataSignsOutAndKeepsTheSettings();
    void slowDownloadIsFollowedAndCancelRemovesIt();
    void exitDuringADownloadAsks_data();
    void exitDuringADownloadAsks();
    void savePageAsWritesOneFile();

private:
    // Starts the download of half a file from the peer into the folder and
    // waits until the status bar shows it half done.
    bool startHeldDownload(HeldDownloadPeer &peer, const QTemporaryDir &folder);
    QToolButton *progressItem() const
    {
        return m_program->window()->findChild<QToolButton *>(QStringLiteral("downloadProgress"));
    }

    const QByteArray m_photos = QByteArray(256 * 1024, 'p');
};

void TestProfileDutiesEndToEnd::pagesNameOnlyChromium()
{
    QVERIFY(m_program->load(auction(), page("links.html")));
    const QList<LoggedRequest> asked = m_program->peers().requests();
    QVERIFY(!asked.isEmpty());
    // Every request of both panes, the service's login included.
    for (const LoggedRequest &request : asked) {
        const QString sent = request.header("user-agent");
        QVERIFY2(sent.contains(QLatin1String("Chrome/")), qPrintable(request.path + QLatin1String(": ") + sent));
        QVERIFY2(!sent.contains(QLatin1String("QtWebEngine")), qPrintable(request.path + QLatin1String(": ") + sent));
    }
    const QString header = asked.last().header("user-agent");
    QCOMPARE(evaluate(auction()->view()->page(), QStringLiteral("navigator.userAgent")).toString(), header);
#if BIDWARDEN_ENGINE_HAS_CLIENT_HINTS()
    // The client hints' brands, as scripts read them, name Chromium and no
    // toolkit.
    const QString brands = evaluate(auction()->view()->page(),
                                    QStringLiteral("JSON.stringify(navigator.userAgentData.brands.map(b => b.brand))"))
                                   .toString();
    QVERIFY2(brands.contains(QLatin1String("\"Chromium\"")), qPrintable(brands));
    QVERIFY2(!brands.contains(QLatin1String("QtWebEngine")), qPrintable(brands));
    QString fullList;
    auction()->view()->page()->runJavaScript(
            QStringLiteral("navigator.userAgentData.getHighEntropyValues(['fullVersionList'])"
                           ".then(v => { document.title = JSON.stringify(v.fullVersionList.map(b => b.brand)); })"));
    QTRY_VERIFY_WITH_TIMEOUT((fullList = auction()->view()->page()->title()).startsWith(QLatin1Char('[')),
                             engineTimeoutMs);
    QVERIFY2(fullList.contains(QLatin1String("\"Chromium\"")), qPrintable(fullList));
    QVERIFY2(!fullList.contains(QLatin1String("QtWebEngine")), qPrintable(fullList));
#endif
}

void TestProfileDutiesEndToEnd::misspeltWordsAreMarkedAndReplacedFromTheMenu()
{
    if (!dictionaryLanguages(dictionaryFolder()).contains(QStringLiteral("en-US")))
        QSKIP("built without the en-US spelling dictionary (qt6-webengine-dev-tools, hunspell-en-us)");
    m_program->profile()->checkSpellingIn(QLocale(QStringLiteral("en_US")));
    QWebEngineProfile *engineProfile = m_program->profile()->profile();
    QCOMPARE(engineProfile->spellCheckLanguages(), QStringList{ QStringLiteral("en-US") });
    QVERIFY(engineProfile->isSpellCheckEnabled());

    QVERIFY(m_program->load(auction(), page("notes.html")) && m_program->activate());
    QWebEngineView *view = auction()->view();
    // The box's text starts 5 pixels in (border and padding), in 16 pixel
    // monospace on 20 pixel lines: its first word is under this point.
    const QPoint box = elementCorner(view, QStringLiteral("#notes"));
    QVERIFY(!box.isNull());
    const QPoint firstWord = box + QPoint(14, 14);
    clickOn(pageWidget(view), firstWord);
    m_program->type(QStringLiteral("teh item came on time "));

    QMenu *menu = menuOnMisspeltWord(view, firstWord);
    QVERIFY(menu);
    const QWebEngineContextMenuRequest *request = view->lastContextMenuRequest();
    QCOMPARE(request->misspelledWord(), QStringLiteral("teh"));
    QVERIFY2(request->spellCheckerSuggestions().contains(QStringLiteral("the")),
             qPrintable(request->spellCheckerSuggestions().join(QLatin1Char(','))));
    // The menu offers the suggestions; choosing one replaces the word.
    QAction *the = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->text() == QLatin1String("the"))
            the = action;
    }
    QVERIFY(the);
    menu->setActiveAction(the);
    pressKey(menu, Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(view->page(), QStringLiteral("document.getElementById('notes').value")).toString(),
                              QStringLiteral("the item came on time "), engineTimeoutMs);
}

void TestProfileDutiesEndToEnd::noDictionaryNoChecking()
{
    // No dictionary is made for Finnish: nothing is checked, and typing
    // works as ever.
    m_program->profile()->checkSpellingIn(QLocale(QStringLiteral("fi_FI")));
    QWebEngineProfile *engineProfile = m_program->profile()->profile();
    QCOMPARE(engineProfile->spellCheckLanguages(), QStringList());
    QVERIFY(!engineProfile->isSpellCheckEnabled());
    QVERIFY(m_program->load(auction(), page("notes.html")) && m_program->activate());
    QWebEngineView *view = auction()->view();
    const QPoint firstWord = elementCorner(view, QStringLiteral("#notes")) + QPoint(14, 14);
    clickOn(pageWidget(view), firstWord);
    m_program->type(QStringLiteral("teh item "));
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(view->page(), QStringLiteral("document.getElementById('notes').value")).toString(),
                              QStringLiteral("teh item "), engineTimeoutMs);
    clickOn(pageWidget(view), firstWord, Qt::RightButton);
    QMenu *menu = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())), engineTimeoutMs);
    QCOMPARE(view->lastContextMenuRequest()->misspelledWord(), QString());
    pressKey(menu, Qt::Key_Escape);
}

void TestProfileDutiesEndToEnd::allowedNotificationsGoToTheDesktop()
{
    PrivateBus bus;
    if (!bus.start())
        QSKIP("no dbus-daemon to run a bus of the test's own");
    FakeNotificationServer server;
    QVERIFY(server.serve(bus.address()));
    const QString client = QStringLiteral("bidwarden-under-test");
    QDBusConnection connection = QDBusConnection::connectToBus(bus.address(), client);
    QVERIFY(DBusNotificationService::isOffered(connection));
    m_program->profile()->notifications()->setService(std::make_unique<DBusNotificationService>(connection));

    QVERIFY(m_program->load(auction(), page("notify.html")) && m_program->activate());
    QWebEnginePage *shown = auction()->view()->page();
    // The user allows it in the bar.
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#show")));
    QTRY_VERIFY_WITH_TIMEOUT(auction()->permissionBar()->isVisible(), engineTimeoutMs);
    m_program->press(Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE_WITH_TIMEOUT(server.notified().size(), 1, engineTimeoutMs);
    const FakeNotificationServer::Notified first = server.notified().first();
    QCOMPARE(first.appName, QStringLiteral("Bidwarden"));
    QCOMPARE(first.icon, QStringLiteral("bidwarden"));
    QCOMPARE(first.summary, QStringLiteral("Outbid on item 900"));
    QCOMPARE(first.body, QStringLiteral("Someone bid 12.50 USD."));
    QCOMPARE(first.replacesId, 0u);
    QVERIFY(first.actions.contains(QStringLiteral("default")));
    QTRY_COMPARE_WITH_TIMEOUT(shown->title(), QStringLiteral("notice shown 1"), engineTimeoutMs);

    // A click on it reaches the page.
    server.click(first.id);
    QTRY_COMPARE_WITH_TIMEOUT(shown->title(), QStringLiteral("notice clicked"), engineTimeoutMs);
    // With no window showing its page, a click brings the program's window
    // forward.
    m_program->window()->hide();
    server.click(first.id);
    QTRY_VERIFY_WITH_TIMEOUT(m_program->window()->isVisible(), engineTimeoutMs);
    QVERIFY(m_program->activate());

    // The same tag again: it takes the first one's place, which does not
    // stay beside it.
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#show")));
    QTRY_COMPARE_WITH_TIMEOUT(server.notified().size(), 2, engineTimeoutMs);
    const FakeNotificationServer::Notified second = server.notified().at(1);
    QVERIFY2(second.replacesId == first.id || server.closeRequests().contains(first.id),
             qPrintable(QStringLiteral("replaces %1, closed %2").arg(second.replacesId).arg(server.closeRequests().size())));
    QTRY_COMPARE_WITH_TIMEOUT(shown->title(), QStringLiteral("notice shown 2"), engineTimeoutMs);

    // The page takes it back: the desktop is asked to close it.
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#hide")));
    QTRY_VERIFY_WITH_TIMEOUT(server.closeRequests().contains(second.id), engineTimeoutMs);

    m_program->profile()->notifications()->setService(std::make_unique<TrayNotificationService>());
    QDBusConnection::disconnectFromBus(client);
}

void TestProfileDutiesEndToEnd::storageIsTheUsersAlone()
{
    // Cookies and sites' storage are plain files: their folders are made
    // the user's alone, also where they were open to others before.
    QTemporaryDir home;
    const QString storage = home.filePath(QStringLiteral("open"));
    QVERIFY(QDir().mkpath(storage));
    QVERIFY(QFile::setPermissions(storage, QFile::permissions(storage) | QFile::ReadOther | QFile::ExeOther
                                                   | QFile::ReadGroup | QFile::ExeGroup));
    BrowserProfile profile(QStringLiteral("bidwarden-storage"), storage);
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
            | QFile::WriteOther | QFile::ExeOther;
    for (const QString &folder : { profile.profile()->persistentStoragePath(), profile.profile()->cachePath() }) {
        QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
        QCOMPARE(QFile::permissions(folder) & others, QFile::Permissions());
    }
}

void TestProfileDutiesEndToEnd::accessibilityBusAnswers_data()
{
    QTest::addColumn<bool>("served");
    QTest::addColumn<bool>("isEnabled");
    QTest::addColumn<bool>("screenReaderEnabled");
    QTest::addColumn<bool>("inUse");

    QTest::newRow("no accessibility service") << false << false << false << false;
    QTest::newRow("service, nothing on") << true << false << false << false;
    QTest::newRow("assistive technology on") << true << true << false << true;
    QTest::newRow("a screen reader on") << true << false << true << true;
}

void TestProfileDutiesEndToEnd::accessibilityBusAnswers()
{
    QFETCH(bool, served);
    QFETCH(bool, isEnabled);
    QFETCH(bool, screenReaderEnabled);
    QFETCH(bool, inUse);
    PrivateBus bus;
    if (!bus.start())
        QSKIP("no dbus-daemon to run a bus of the test's own");
    // The service answers from a thread of its own while the program's
    // question waits for it.
    QThread serving;
    FakeAccessibilityStatus status;
    status.isEnabled = isEnabled;
    status.screenReaderEnabled = screenReaderEnabled;
    status.moveToThread(&serving);
    serving.start();
    QDBusConnection service = QDBusConnection::connectToBus(bus.address(), QStringLiteral("a11y-service"));
    if (served) {
        QVERIFY(service.registerObject(QStringLiteral("/org/a11y/bus"), &status, QDBusConnection::ExportAllProperties));
        QVERIFY(service.registerService(QStringLiteral("org.a11y.Bus")));
    }
    const QDBusConnection program = QDBusConnection::connectToBus(bus.address(), QStringLiteral("a11y-asker"));
    const bool answer = desktopUsesAssistiveTechnology(program);
    QDBusConnection::disconnectFromBus(QStringLiteral("a11y-asker"));
    QDBusConnection::disconnectFromBus(QStringLiteral("a11y-service"));
    serving.quit();
    serving.wait();
    QCOMPARE(answer, inUse);
}

void TestProfileDutiesEndToEnd::clearingBrowsingDataSignsOutAndKeepsTheSettings()
{
    // The settings files, as the user's dialogs wrote them.
    const QList<QPair<QString, QByteArray>> settingsFiles{
        { QDir(m_program->settingsPath()).filePath(QStringLiteral("homepage.txt")), "http://auction.test/\r\n" },
        { QDir(m_program->settingsPath()).filePath(QStringLiteral("pd1.txt")), QByteArray("\x8a\x01user\r\n\xe9\r\n") },
    };
    for (const auto &[path, bytes] : settingsFiles) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    // A site's lasting cookie, and what it stores for itself.
    QVERIFY(m_program->load(auction(), page("stay-signed-in.html")));
    QWebEngineView *view = auction()->view();
    evaluate(view->page(), QStringLiteral("localStorage.setItem('seen', 'item 900'); 1"));
    const QString storage = m_program->profile()->profile()->persistentStoragePath();
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(storage + QStringLiteral("/Local Storage")), engineTimeoutMs);
    QVERIFY(m_program->load(auction(), page("links.html")));
    QVERIFY(m_program->peers().requests().last().header("cookie").contains(QLatin1String("BWSTAY=signed-in")));

    // The key, with the page's focus.
    QVERIFY(m_program->activate());
    clickOn(pageWidget(view), QPoint(5, 5));
    QTRY_VERIFY_WITH_TIMEOUT(pageHasFocus(view), engineTimeoutMs);
    m_program->pressOnTheKeyboard(QStringLiteral("ctrl+shift+Delete"));
    ClearDataDialog *dialog = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((dialog = m_program->window()->dialogs()->clearDataDialog()) && dialog->isVisible(),
                             engineTimeoutMs);
    // Clear is the default button.
    pressKey(dialog, Qt::Key_Return);
    const auto outcome = dialog->findChild<QLabel *>(QStringLiteral("clearDataOutcome"));
    QTRY_VERIFY_WITH_TIMEOUT(dialog->clearButton()->isEnabled(), engineTimeoutMs);
    QVERIFY2(outcome->text().contains(QLatin1String("Cookies deleted")), qPrintable(outcome->text()));
    QVERIFY2(!outcome->text().contains(QLatin1String("could not")), qPrintable(outcome->text()));

    QVERIFY(m_program->load(auction(), page("links.html")));
    const LoggedRequest after = m_program->peers().requests().last();
    QCOMPARE(after.path, QStringLiteral("/links.html"));
    QVERIFY2(!after.header("cookie").contains(QLatin1String("BWSTAY")), qPrintable(after.header("cookie")));
    for (const auto &[path, bytes] : settingsFiles) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }
    // The sites' storage the engine made goes as a profile is next made
    // there, before the engine opens it.
    QVERIFY2(outcome->text().contains(QLatin1String("next starts")), qPrintable(outcome->text()));
    QTemporaryDir nextRun;
    QVERIFY(QDir().mkpath(nextRun.filePath(QStringLiteral("Local Storage/leveldb"))));
    QCOMPARE(markSiteStorageForRemoval(nextRun.path()), QString());
    BrowserProfile next(QStringLiteral("bidwarden-next-run"), nextRun.path());
    QVERIFY(!QFileInfo::exists(nextRun.filePath(QStringLiteral("Local Storage"))));
}

bool TestProfileDutiesEndToEnd::startHeldDownload(HeldDownloadPeer &peer, const QTemporaryDir &folder)
{
    m_program->setDownloadTarget(folder.filePath(QStringLiteral("photos.bin")));
    if (!peer.start() || !m_program->activate())
        return false;
    auction()->navigate(peer.url(QStringLiteral("photos.bin")));
    return QTest::qWaitFor([this] {
        return progressItem()->isVisible() && progressItem()->text().startsWith(QStringLiteral("photos.bin \u2014 50%"));
    }, engineTimeoutMs);
}

void TestProfileDutiesEndToEnd::slowDownloadIsFollowedAndCancelRemovesIt()
{
    QTemporaryDir folder;
    HeldDownloadPeer peer(m_photos, m_photos.size() / 2);
    QVERIFY(startHeldDownload(peer, folder));
    m_program->press(Qt::Key_J, Qt::ControlModifier);
    QWidget *downloads = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((downloads = m_program->window()->findChild<QWidget *>(QStringLiteral("downloadsWindow")))
                                     && downloads->isVisible(), engineTimeoutMs);
    QVERIFY(QTest::qWaitForWindowExposed(downloads));
    const auto label = [downloads](const char *name) {
        return downloads->findChild<QLabel *>(QString::fromLatin1(name))->text();
    };
    QCOMPARE(label("downloadName"), QStringLiteral("photos.bin"));
    QCOMPARE(label("downloadSize"), QStringLiteral("%1 of %2").arg(downloadSize(m_photos.size() / 2),
                                                                    downloadSize(m_photos.size())));
    QCOMPARE(label("downloadState"), QStringLiteral("Downloading"));

    clickOn(downloads->findChild<QAbstractButton *>(QStringLiteral("downloadCancel")));
    QTRY_COMPARE_WITH_TIMEOUT(label("downloadState"), QStringLiteral("Cancelled"), engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!progressItem()->isVisible(), engineTimeoutMs);
    QTRY_VERIFY2_WITH_TIMEOUT(QDir(folder.path()).isEmpty(), qPrintable(QDir(folder.path()).entryList().join(u' ')),
                              engineTimeoutMs);
    QCOMPARE(m_program->pageStatus(),
             QStringLiteral("The download of %1 did not complete.").arg(folder.filePath(QStringLiteral("photos.bin"))));
}

void TestProfileDutiesEndToEnd::exitDuringADownloadAsks_data()
{
    QTest::addColumn<bool>("stay");
    QTest::newRow("stay: the whole file comes") << true;
    QTest::newRow("leave: nothing is left of it") << false;
}

void TestProfileDutiesEndToEnd::exitDuringADownloadAsks()
{
    QFETCH(bool, stay);
    QTemporaryDir folder;
    HeldDownloadPeer peer(m_photos, m_photos.size() / 2);
    QVERIFY(startHeldDownload(peer, folder));
    QPointer<MainWindow> window = m_program->window();
    m_program->press(Qt::Key_Q, Qt::ControlModifier);
    QMessageBox *question = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((question = window->findChild<QMessageBox *>(QStringLiteral("leaveDownloadsQuestion")))
                                     && question->isVisible(), engineTimeoutMs);
    QVERIFY2(question->text().startsWith(QStringLiteral("1 download is still running.")), qPrintable(question->text()));
    QVERIFY(QTest::qWaitForWindowActive(question));
    if (!stay) {
        clickOn(question->findChild<QAbstractButton *>(QStringLiteral("leaveCancellingDownloads")));
        QTRY_VERIFY_WITH_TIMEOUT(!window || !window->isVisible(), engineTimeoutMs);
        QTRY_VERIFY2_WITH_TIMEOUT(QDir(folder.path()).isEmpty(),
                                  qPrintable(QDir(folder.path()).entryList().join(u' ')), engineTimeoutMs);
        return;
    }
    pressKey(question, Qt::Key_Return); // Stay, the default
    QTRY_VERIFY_WITH_TIMEOUT(!window->findChild<QMessageBox *>(QStringLiteral("leaveDownloadsQuestion")),
                             engineTimeoutMs);
    QVERIFY(window->isVisible());
    peer.sendTheRest();
    const QString target = folder.filePath(QStringLiteral("photos.bin"));
    QTRY_COMPARE_WITH_TIMEOUT(m_program->pageStatus(), QStringLiteral("Downloaded ") + target, engineTimeoutMs);
    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll() == m_photos);
}

void TestProfileDutiesEndToEnd::savePageAsWritesOneFile()
{
    QVERIFY(m_program->load(auction(), page("itm/902")));
    QVERIFY(m_program->activate());
    m_program->press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QFileDialog *dialog = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((dialog = m_program->window()->findChild<QFileDialog *>(QStringLiteral("savePageDialog")))
                                     && dialog->isVisible(), engineTimeoutMs);
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    // Offered under the page's title, as one file.
    QCOMPARE(QFileInfo(dialog->selectedFiles().value(0)).fileName(),
             QStringLiteral("Item 902 \u2014 Demo Auctions.mhtml"));
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("item.mhtml"));
    pressKey(dialog, Qt::Key_A, Qt::ControlModifier);
    typeText(dialog, target);
    pressKey(dialog, Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(m_program->pageStatus(), QStringLiteral("Downloaded ") + target, engineTimeoutMs);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{ "item.mhtml" });
    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    // The archive's lines are folded ("=" at a line's end).
    const QByteArray archive = saved.readAll().replace("=\r\n", "");
    QVERIFY2(archive.contains("Auction for item 902. Ends soon."), archive.left(2000).constData());
    const QList<Download *> listed = m_program->profile()->downloads()->downloads();
    QCOMPARE(listed.size(), 1);
    QCOMPARE(listed.first()->path(), target);
}

BIDWARDEN_ENGINE_TEST_MAIN(TestProfileDutiesEndToEnd)
#include "tst_e2e_profile_duties.moc"
