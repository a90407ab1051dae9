// What every page of the profile shares, on the real engine against the demo
// auction site: how the pages name their browser to sites, the spelling of
// what the user types, and the pages' notifications on the desktop (a stand-in
// service on a bus of the test's own). Clicks and keys go to the windows as a
// user's do.
#include "browser_profile.h"
#include "desktop_notifications.h"
#include "engine_suite.h"
#include "engine_version.h"
#include "fake_notification_server.h"
#include "main_window.h"
#include "notification_service.h"
#include "page_script.h"
#include "permission_bar.h"
#include "spelling.h"
#include "user_input.h"
#include "web_engine_pane.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QMenu>
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

BIDWARDEN_ENGINE_TEST_MAIN(TestProfileDutiesEndToEnd)
#include "tst_e2e_profile_duties.moc"
