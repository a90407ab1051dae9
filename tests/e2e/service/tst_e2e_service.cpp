#include "address_box.h"
#include "credentials.h"
#include "e2e_fixture.h"
#include "main_window.h"
#include "scrambling.h"
#include "settings_folder.h"
#include "text_file.h"
#include "web_engine_pane.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

QList<LoggedRequest> posts(DemoPeers &peers, const QString &path)
{
    QList<LoggedRequest> found;
    for (const LoggedRequest &r : peers.requests(QStringLiteral("service"))) {
        if (r.method == QLatin1String("POST") && r.path == path)
            found.append(r);
    }
    return found;
}

} // namespace

class TestServiceEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_program.reset(); }

    void loginThenSnipeWithTheSessionCookie();
    void snipeFromTheServiceTabPostsTheHiddenBox();

private:
    void storeCredentials(const QString &user, const QString &password);
    void waitForAuctionDocument();

    std::unique_ptr<ProgramUnderTest> m_program;
};

void TestServiceEndToEnd::init()
{
    m_program = std::make_unique<ProgramUnderTest>();
    QVERIFY(m_program->startPeers());
}

void TestServiceEndToEnd::storeCredentials(const QString &user, const QString &password)
{
    const FileResult written =
            writeTextFileContents(encryptDecrypt(composeCredentialRecord(user, password), credentialsKey),
                                  SettingsFolder(m_program->settingsPath()).credentialsFile(),
                                  FileVisibility::Private);
    QVERIFY2(written.ok(), qPrintable(written.errorText));
}

void TestServiceEndToEnd::waitForAuctionDocument()
{
    QVERIFY(m_program->waitForStartPage());
}

void TestServiceEndToEnd::loginThenSnipeWithTheSessionCookie()
{
    storeCredentials(QStringLiteral("jo smith"), QStringLiteral("p&q+r%"));
    MainWindow *window = m_program->open();
    DemoPeers &peers = m_program->peers();

    QTRY_COMPARE_WITH_TIMEOUT(posts(peers, QStringLiteral("/cl/logincheck.cfm")).size(), 1, 30000);
    const QList<LoggedRequest> service = peers.requests(QStringLiteral("service"));
    QCOMPARE(service.first().method, QStringLiteral("GET"));
    QCOMPARE(service.first().path, QStringLiteral("/?source=program"));
    const LoggedRequest login = posts(peers, QStringLiteral("/cl/logincheck.cfm")).first();
    QCOMPARE(login.body, QByteArray("UserLogin=jo+smith&UserPassword=p%26q%2Br%25"));
    QCOMPARE(login.header("content-type"), QStringLiteral("application/x-www-form-urlencoded"));
    QCOMPARE(window->currentTab(), MainWindow::AuctionTab);
    QVERIFY(m_program->servicePane()->isHidden());

    // Browse to an item whose address has a query string, then Ctrl+S.
    waitForAuctionDocument();
    QSignalSpy documents(m_program->auctionPane(), &BrowserPane::documentCompleted);
    const QString item = peers.auctionUrl() + QStringLiteral("itm/123?hash=abc&var=2");
    m_program->auctionPane()->navigate(item);
    QTRY_VERIFY_WITH_TIMEOUT(documents.count() >= 1, 30000);
    QCOMPARE(m_program->urlbox()->text(), item);

    QSignalSpy answers(m_program->servicePane(), &BrowserPane::documentCompleted);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(posts(peers, QStringLiteral("/cl/SUpdate.cfm")).size(), 1, 30000);
    const LoggedRequest snipe = posts(peers, QStringLiteral("/cl/SUpdate.cfm")).first();
    QCOMPARE(snipe.body, QByteArray("AuctionURL=") + QUrl::toPercentEncoding(item, "*-._"));
    QCOMPARE(snipe.header("content-type"), QStringLiteral("application/x-www-form-urlencoded"));
    QVERIFY2(snipe.header("cookie").contains(QStringLiteral("BWSESSION=")), qPrintable(snipe.header("cookie")));
    // The service tab comes to the front once the service has answered.
    QTRY_COMPARE_WITH_TIMEOUT(window->currentTab(), MainWindow::ServiceTab, 30000);
    QVERIFY(!m_program->servicePane()->isHidden());

    QTRY_VERIFY_WITH_TIMEOUT(answers.count() >= 1, 30000);
    QVERIFY(ProgramUnderTest::pageText(m_program->servicePane()).contains(item));
}

void TestServiceEndToEnd::snipeFromTheServiceTabPostsTheHiddenBox()
{
    MainWindow *window = m_program->open();
    waitForAuctionDocument();
    m_program->urlbox()->lineEdit()->setText(QStringLiteral("typed, not entered"));
    window->selectTab(MainWindow::ServiceTab);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(posts(m_program->peers(), QStringLiteral("/cl/SUpdate.cfm")).size(), 1, 30000);
    QCOMPARE(posts(m_program->peers(), QStringLiteral("/cl/SUpdate.cfm")).first().body,
             QByteArray("AuctionURL=typed%2C+not+entered"));
    QCOMPARE(window->currentTab(), MainWindow::ServiceTab);
}

BIDWARDEN_ENGINE_TEST_MAIN(TestServiceEndToEnd)
#include "tst_e2e_service.moc"
