#include "address_box.h"
#include "credentials.h"
#include "engine_suite.h"
#include "main_window.h"
#include "service_session.h"
#include "settings_folder.h"
#include "user_input.h"
#include "web_engine_pane.h"

#include <QAbstractButton>
#include <QAction>
#include <QMessageBox>
#include <QPointer>
#include <QTabBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QToolBar>

#include <sys/socket.h>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

const QString loginPath = QStringLiteral("/cl/logincheck.cfm");
const QString snipePath = QStringLiteral("/cl/SUpdate.cfm");


} // namespace

class TestServiceEndToEnd : public EngineSuite
{
    Q_OBJECT

private Q_SLOTS:
    void loginThenSnipeWithTheSessionCookie();
    void slowStartPageDoesNotHoldTheLogin();
    void loginRefusedAtStartUpGoesBeforeTheNextSnipe();
    void refreshAsksBeforeSnipingAgain_data();
    void refreshAsksBeforeSnipingAgain();
    void snipeFromTheServiceTabPostsTheHiddenBox();
    void refusedSnipesArriveOnceTheServiceIsBack_data();
    void refusedSnipesArriveOnceTheServiceIsBack();
    void snipeThatMayHaveArrivedIsNotSentAgain();

private:
    // Each test starts the peers and the program as it needs them.
    void start() override {}
    void storeCredentials(const QString &user, const QString &password);
    // Started with both pages in, then nothing answers on the peers' ports.
    void openWithTheServiceDown();
    ServiceSession *session() const { return m_program->window()->findChild<ServiceSession *>(); }

};

void TestServiceEndToEnd::storeCredentials(const QString &user, const QString &password)
{
    const FileResult stored =
            bidwarden::storeCredentials(SettingsFolder(m_program->settingsPath()).credentialsFile(), { user, password });
    QVERIFY2(stored.ok(), qPrintable(stored.errorText));
}

void TestServiceEndToEnd::openWithTheServiceDown()
{
    QVERIFY(openOnTheStartPage());
    QVERIFY(m_program->waitForLoadFinished(m_program->servicePane()));
    QVERIFY(m_program->activate());
    m_program->peers().stop();
}

void TestServiceEndToEnd::loginThenSnipeWithTheSessionCookie()
{
    QVERIFY(m_program->startPeers());
    storeCredentials(QStringLiteral("jo smith"), QStringLiteral("p&q+r%"));
    MainWindow *window = m_program->open();
    DemoPeers &peers = m_program->peers();

    QTRY_COMPARE_WITH_TIMEOUT(peers.posts(loginPath).size(), 1, engineTimeoutMs);
    const LoggedRequest login = peers.posts(loginPath).first();
    QCOMPARE(login.body, QByteArray("UserLogin=jo+smith&UserPassword=p%26q%2Br%25"));
    QCOMPARE(login.header("content-type"), QStringLiteral("application/x-www-form-urlencoded"));
    QCOMPARE(window->currentTab(), MainWindow::AuctionTab);
    QVERIFY(m_program->servicePane()->isHidden());
    QVERIFY(m_program->waitForLoadFinished(m_program->servicePane(), peers.serviceUrl() + loginPath));

    // Browse to an item whose address has a query string, then Ctrl+S.
    QVERIFY(m_program->waitForStartPage());
    const QString item = peers.auctionUrl() + QStringLiteral("itm/123?hash=abc&var=2");
    QVERIFY(m_program->load(m_program->auctionPane(), item));
    QCOMPARE(m_program->urlbox()->text(), item);

    QVERIFY(m_program->activate());
    m_program->press(Qt::Key_S, Qt::ControlModifier);
    // The service tab comes to the front at once.
    QCOMPARE(window->currentTab(), MainWindow::ServiceTab);
    QVERIFY(!m_program->servicePane()->isHidden());
    QTRY_COMPARE_WITH_TIMEOUT(peers.posts(snipePath).size(), 1, engineTimeoutMs);
    const LoggedRequest snipe = peers.posts(snipePath).first();
    QCOMPARE(snipe.body, snipePostBody(item));
    QCOMPARE(snipe.header("content-type"), QStringLiteral("application/x-www-form-urlencoded"));
    QVERIFY2(snipe.header("cookie").contains(QStringLiteral("BWSESSION=")), qPrintable(snipe.header("cookie")));

    QVERIFY(m_program->waitForLoadFinished(m_program->servicePane(), peers.serviceUrl() + snipePath));
    QVERIFY(ProgramUnderTest::pageText(m_program->servicePane()).contains(item));
}

void TestServiceEndToEnd::slowStartPageDoesNotHoldTheLogin()
{
    // The start page is asked for and, at once, replaced by the login: the
    // login does not wait however long the start page would take.
    QVERIFY(m_program->startPeers({ QStringLiteral("service:/=600000") }));
    storeCredentials(QStringLiteral("jo"), QStringLiteral("pw"));
    m_program->open();
    DemoPeers &peers = m_program->peers();
    QTRY_COMPARE_WITH_TIMEOUT(peers.posts(loginPath).size(), 1, engineTimeoutMs);
    QVERIFY(m_program->waitForLoadFinished(m_program->servicePane(), peers.serviceUrl() + loginPath));
    QVERIFY(ProgramUnderTest::pageText(m_program->servicePane()).contains(QStringLiteral("Logged in as jo")));
    // Where the start page's request got out before it was replaced, it came first.
    const QList<LoggedRequest> service = peers.requests(QStringLiteral("service"));
    QCOMPARE(service.last().path, loginPath);
    QVERIFY(service.size() <= 2);
    QCOMPARE(service.first().path, service.size() == 2 ? QStringLiteral("/?source=program") : loginPath);
    QCOMPARE(m_program->window()->currentTab(), MainWindow::AuctionTab);
}

void TestServiceEndToEnd::loginRefusedAtStartUpGoesBeforeTheNextSnipe()
{
    // The service is down at start-up (the network not up yet): the login
    // is refused. Once the service is back, the next snipe sends the login
    // first and goes out with its session.
    QVERIFY(m_program->startPeers());
    DemoPeers &peers = m_program->peers();
    peers.stop();
    storeCredentials(QStringLiteral("jo"), QStringLiteral("pw"));
    m_program->open();
    QVERIFY(m_program->waitForLoadFinished(m_program->servicePane()));
    QTRY_VERIFY_WITH_TIMEOUT(!m_program->servicePane()->isLoading(), engineTimeoutMs);
    QVERIFY(peers.startAgain());
    QVERIFY(peers.posts(loginPath).isEmpty());

    QVERIFY(m_program->activate());
    const QString item = peers.auctionUrl() + QStringLiteral("itm/31");
    m_program->typeIntoTheAddressBox(item);
    m_program->press(Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(peers.posts(snipePath).size(), 1, engineTimeoutMs);
    QCOMPARE(peers.posts(loginPath).size(), 1);
    QCOMPARE(peers.posts(loginPath).first().body, QByteArray("UserLogin=jo&UserPassword=pw"));
    const LoggedRequest snipe = peers.posts(snipePath).first();
    QCOMPARE(snipe.body, snipePostBody(item));
    QVERIFY2(snipe.header("cookie").contains(QStringLiteral("BWSESSION=")), qPrintable(snipe.header("cookie")));
    QVERIFY(m_program->waitForLoadFinished(m_program->servicePane(), peers.serviceUrl() + snipePath));
    QVERIFY(ProgramUnderTest::pageText(m_program->servicePane()).contains(QStringLiteral("Your snipe list (1)")));

    // Sent once: bringing up the service page again sends nothing more (it
    // would have gone at once).
    m_program->window()->selectTab(MainWindow::AuctionTab);
    m_program->window()->selectTab(MainWindow::ServiceTab);
    QVERIFY(!session()->loginPending());
    QCOMPARE(peers.posts(loginPath).size(), 1);
}

void TestServiceEndToEnd::refreshAsksBeforeSnipingAgain_data()
{
    QTest::addColumn<bool>("sendAgain");
    QTest::newRow("No, the default") << false;
    QTest::newRow("Yes") << true;
}

void TestServiceEndToEnd::refreshAsksBeforeSnipingAgain()
{
    QFETCH(bool, sendAgain);
    QVERIFY(m_program->startPeers());
    storeCredentials(QStringLiteral("jo"), QStringLiteral("pw"));
    m_program->open();
    DemoPeers &peers = m_program->peers();
    QVERIFY(m_program->waitForLoadFinished(m_program->servicePane(), peers.serviceUrl() + loginPath));
    QVERIFY(m_program->waitForStartPage());
    QVERIFY(m_program->activate());
    m_program->press(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(m_program->waitForLoadFinished(m_program->servicePane(), peers.serviceUrl() + snipePath));
    QCOMPARE(peers.posts(snipePath).size(), 1);

    auto *toolbar = m_program->window()->findChild<QToolBar *>(QStringLiteral("Toolbar2"));
    clickOn(toolbar->widgetForAction(m_program->window()->findChild<QAction *>(QStringLiteral("mnuRefresh"))));
    const QPointer<QMessageBox> question =
            m_program->window()->findChild<QMessageBox *>(QStringLiteral("resendQuestion"));
    QVERIFY(question && question->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(question, engineTimeoutMs));
    if (sendAgain)
        clickOn(question->button(QMessageBox::Yes));
    else
        pressKey(question, Qt::Key_Return);
    QTRY_VERIFY(!question);
    if (sendAgain) {
        QTRY_COMPARE_WITH_TIMEOUT(peers.posts(snipePath).size(), 2, engineTimeoutMs);
    } else {
        // A second snipe would have reached the peers by the time a plain
        // page loaded after it has.
        QVERIFY(m_program->load(m_program->auctionPane(), peers.auctionUrl() + QStringLiteral("itm/8")));
        QCOMPARE(peers.posts(snipePath).size(), 1);
    }
}

void TestServiceEndToEnd::snipeFromTheServiceTabPostsTheHiddenBox()
{
    QVERIFY(m_program->startPeers());
    MainWindow *window = m_program->open();
    QVERIFY(m_program->waitForStartPage());
    QVERIFY(m_program->activate());
    m_program->typeIntoTheAddressBox(QStringLiteral("typed, not entered"));
    auto *strip = window->findChild<QTabBar *>(QStringLiteral("TabStrip1"));
    clickOn(strip, strip->tabRect(MainWindow::ServiceTab).center());
    QVERIFY(m_program->urlbox()->isHidden());
    m_program->press(Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(m_program->peers().posts(snipePath).size(), 1, engineTimeoutMs);
    QCOMPARE(m_program->peers().posts(snipePath).first().body, QByteArray("AuctionURL=typed%2C+not+entered"));
    QCOMPARE(window->currentTab(), MainWindow::ServiceTab);
}

void TestServiceEndToEnd::refusedSnipesArriveOnceTheServiceIsBack_data()
{
    QTest::addColumn<bool>("userBringsTheServiceUp"); // else nobody does anything
    QTest::addColumn<int>("snipes");
    QTest::newRow("nobody does anything") << false << 1;
    QTest::newRow("the user brings the service up") << true << 1;
    QTest::newRow("two snipes, in order") << false << 2;
}

void TestServiceEndToEnd::refusedSnipesArriveOnceTheServiceIsBack()
{
    // Nothing answers on the service's address (the network not up yet, the
    // service restarting): the engine's refusal keeps the snipe. Once the
    // service listens again, each snipe arrives once, byte for byte, in the
    // order it was made.
    QFETCH(bool, userBringsTheServiceUp);
    QFETCH(int, snipes);
    openWithTheServiceDown();
    if (QTest::currentTestFailed())
        return;
    DemoPeers &peers = m_program->peers();
    // The timer tries again soon where nobody acts; where the user does, only
    // the user's action can send it.
    const auto delay = userBringsTheServiceUp ? std::chrono::milliseconds(3600000) : std::chrono::milliseconds(300);
    session()->setRetryDelay([delay](int) { return delay; });
    QStringList items;
    for (int i = 0; i < snipes; ++i) {
        items << peers.auctionUrl() + QStringLiteral("itm/%1").arg(40 + i);
        m_program->window()->selectTab(MainWindow::AuctionTab);
        m_program->typeIntoTheAddressBox(items.constLast());
        m_program->press(Qt::Key_S, Qt::ControlModifier);
        QTRY_VERIFY_WITH_TIMEOUT(m_program->pageStatus().contains(QStringLiteral("will be sent")), engineTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(!m_program->servicePane()->isLoading(), engineTimeoutMs);
    }
    auto *strip = m_program->window()->findChild<QTabBar *>(QStringLiteral("TabStrip1"));
    QVERIFY(!strip->tabIcon(MainWindow::ServiceTab).isNull());

    m_program->window()->selectTab(MainWindow::AuctionTab);
    QVERIFY(peers.startAgain());
    if (userBringsTheServiceUp)
        clickOn(strip, strip->tabRect(MainWindow::ServiceTab).center());
    QTRY_COMPARE_WITH_TIMEOUT(peers.posts(snipePath).size(), snipes, engineTimeoutMs);
    for (int i = 0; i < snipes; ++i)
        QCOMPARE(peers.posts(snipePath).at(i).body, snipePostBody(items.at(i)));
    QTRY_VERIFY_WITH_TIMEOUT(m_program->pageStatus().contains(QStringLiteral("Sent to the service")), engineTimeoutMs);
    QCOMPARE(m_program->window()->currentTab(), userBringsTheServiceUp ? MainWindow::ServiceTab : MainWindow::AuctionTab);
    QTRY_VERIFY_WITH_TIMEOUT(!m_program->servicePane()->isLoading(), engineTimeoutMs);
    // Nothing is left to go again.
    QTRY_COMPARE_WITH_TIMEOUT(session()->keptSnipeCount(), 0, engineTimeoutMs);
    QCOMPARE(peers.posts(snipePath).size(), snipes);
}

void TestServiceEndToEnd::snipeThatMayHaveArrivedIsNotSentAgain()
{
    // A service that takes the request and resets the connection without an
    // answer may have taken the snipe: it is not sent again.
    openWithTheServiceDown();
    if (QTest::currentTestFailed())
        return;
    DemoPeers &peers = m_program->peers();
    QTcpServer dropper;
    QVERIFY(dropper.listen(QHostAddress(QUrl(peers.serviceUrl()).host()), quint16(QUrl(peers.serviceUrl()).port())));
    QByteArray received;
    connect(&dropper, &QTcpServer::newConnection, this, [&dropper, &received] {
        QTcpSocket *socket = dropper.nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, socket, [socket, &received] {
            received += socket->readAll();
            if (!received.contains("AuctionURL="))
                return;
            // Reset, not closed: the engine sees the connection reset once
            // its request was out.
            const linger reset{ 1, 0 };
            ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            socket->abort();
        });
    });
    const QString item = peers.auctionUrl() + QStringLiteral("itm/50");
    m_program->typeIntoTheAddressBox(item);
    m_program->press(Qt::Key_S, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(received.contains("AuctionURL="), engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!m_program->servicePane()->isLoading(), engineTimeoutMs);
    dropper.close();
    QVERIFY(peers.startAgain());
    m_program->window()->selectTab(MainWindow::AuctionTab);
    m_program->window()->selectTab(MainWindow::ServiceTab);
    QVERIFY(!m_program->pageStatus().contains(QStringLiteral("will be sent")));
    QCOMPARE(session()->keptSnipeCount(), 0);
    // Kept, it would go again before the next snipe: the next one arrives alone.
    m_program->window()->selectTab(MainWindow::AuctionTab);
    const QString next = peers.auctionUrl() + QStringLiteral("itm/51");
    m_program->typeIntoTheAddressBox(next);
    m_program->press(Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(peers.posts(snipePath).size(), 1, engineTimeoutMs);
    QCOMPARE(peers.posts(snipePath).first().body, snipePostBody(next));
}

BIDWARDEN_ENGINE_TEST_MAIN(TestServiceEndToEnd)
#include "tst_e2e_service.moc"
