// A site whose certificate nobody vouches for, on the real engine against
// an HTTPS peer of the test's own: the page's place tells what is wrong,
// nothing is requested until the user proceeds, and Go back returns.
#include "certificate_notice.h"
#include "credentials.h"
#include "engine_suite.h"
#include "https_peer.h"
#include "main_window.h"
#include "page_script.h"
#include "page_window.h"
#include "service_session.h"
#include "settings_folder.h"
#include "user_input.h"
#include "web_engine_pane.h"
#include "web_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWebEngineCertificateError>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

QPushButton *proceedButton(PageView *view)
{
    return view->certificateNotice()->findChild<QPushButton *>(QStringLiteral("certificateProceed"));
}

QPushButton *goBackButton(PageView *view)
{
    return view->certificateNotice()->findChild<QPushButton *>(QStringLiteral("certificateGoBack"));
}

} // namespace

class TestCertificatesEndToEnd : public EngineSuite
{
    Q_OBJECT

private Q_SLOTS:
    void proceedLoadsThePageOnlyThen_data();
    void proceedLoadsThePageOnlyThen();
    void goBackReturnsToThePageBefore();
    void aPageWindowAsksTheSameWay();
    void goBackFromAFirstPageTellsNothingWasLoaded();
    void servicePostWaitsForProceed();
    void goBackEndsTheServicePost();

private:
    void start() override;
    void afterTheProgram() override { m_peer.reset(); }
    // Waits for the notice in the view's place, the engine's connection to
    // the peer made, and checks what the notice tells.
    void expectNotice(PageView *view);
    // Keeps the engine's own words for each certificate error of the page.
    void hearReasons(QWebEnginePage *page)
    {
        connect(page, &QWebEnginePage::certificateError, this,
                [this](const QWebEngineCertificateError &error) { m_reasons << error.description(); });
    }

    std::unique_ptr<HttpsPeer> m_peer;
    QStringList m_reasons;
};

void TestCertificatesEndToEnd::start()
{
    // A certificate of its own for each test: the engine remembers one
    // accepted for the host while the program runs.
    m_peer = std::make_unique<HttpsPeer>();
    QVERIFY2(m_peer->start(), qPrintable(m_peer->error()));
    QVERIFY(openOnTheStartPage());
    QVERIFY(m_program->waitForLoadFinished(m_program->servicePane()));
    QVERIFY(m_program->activate());
    m_reasons.clear();
}

void TestCertificatesEndToEnd::expectNotice(PageView *view)
{
    QTRY_VERIFY_WITH_TIMEOUT(view->certificateNotice()->isVisible(), engineTimeoutMs);
    QVERIFY(!view->view()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(m_peer->handshakes() > 0, engineTimeoutMs);
    const QString text = view->certificateNotice()->text()->text();
    QVERIFY2(text.contains(QLatin1String("127.0.0.1")), qPrintable(text));
    QVERIFY2(text.contains(QLatin1String("Issued to: bidwarden-test, Bidwarden Tests")), qPrintable(text));
    QVERIFY2(text.contains(QLatin1String("Issued by: bidwarden-test, Bidwarden Tests")), qPrintable(text));
    QCOMPARE(m_reasons.size(), 1);
    QVERIFY2(text.contains(m_reasons.constFirst().toHtmlEscaped()), qPrintable(text));
    QVERIFY(goBackButton(view)->isVisible());
    QVERIFY(proceedButton(view)->isVisible());
    QCOMPARE(proceedButton(view)->text(), QStringLiteral("&Proceed to 127.0.0.1 (unsafe)"));
    // Held by the engine: the handshake happened, no request came.
    QVERIFY(m_peer->requests().isEmpty());
}

void TestCertificatesEndToEnd::proceedLoadsThePageOnlyThen_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Alt+P") << true;
    QTest::newRow("a click on Proceed") << false;
}

void TestCertificatesEndToEnd::proceedLoadsThePageOnlyThen()
{
    QFETCH(bool, byKey);
    QVERIFY(m_program->load(auction(), page("itm/1")));
    hearReasons(auction()->view()->page());
    const QString site = m_peer->base() + QLatin1Char('/');
    auction()->navigate(site);
    expectNotice(auction()->pageView());
    if (QTest::currentTestFailed())
        return;

    if (byKey)
        m_program->press(Qt::Key_P, Qt::AltModifier);
    else
        clickOn(proceedButton(auction()->pageView()));
    QVERIFY(m_program->waitForLoadFinished(auction(), site));
    QVERIFY(m_peer->hasRequest("GET", "/"));
    QCOMPARE(auction()->locationName(), HttpsPeer::pageTitle());
    QVERIFY(auction()->view()->isVisible());
    QVERIFY(!auction()->pageView()->certificateNotice()->isVisible());

    // The engine remembers the answer for the host: no second question.
    const QString again = m_peer->base() + QStringLiteral("/again");
    QVERIFY(m_program->load(auction(), again));
    QVERIFY(m_peer->hasRequest("GET", "/again"));
    QCOMPARE(m_reasons.size(), 1);
    QVERIFY(!auction()->pageView()->certificateNotice()->isVisible());
}

void TestCertificatesEndToEnd::goBackReturnsToThePageBefore()
{
    const QString before = page("itm/1");
    QVERIFY(m_program->load(auction(), before));
    hearReasons(auction()->view()->page());
    auction()->navigate(m_peer->base() + QLatin1Char('/'));
    expectNotice(auction()->pageView());
    if (QTest::currentTestFailed())
        return;

    m_program->press(Qt::Key_B, Qt::AltModifier);
    QTRY_VERIFY_WITH_TIMEOUT(auction()->view()->isVisible(), engineTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(auction()->locationUrl(), before, engineTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(auction()->locationName(), QStringLiteral("Item 1 \u2014 Demo Auctions"), engineTimeoutMs);
    QVERIFY(!auction()->pageView()->certificateNotice()->isVisible());
    QVERIFY(m_peer->requests().isEmpty());

    // Refused is not remembered: the next visit asks again.
    auction()->navigate(m_peer->base() + QLatin1Char('/'));
    QTRY_COMPARE_WITH_TIMEOUT(m_reasons.size(), 2, engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(auction()->pageView()->certificateNotice()->isVisible(), engineTimeoutMs);
    QVERIFY(m_peer->requests().isEmpty());
}

void TestCertificatesEndToEnd::aPageWindowAsksTheSameWay()
{
    // A page window from a link of the demo site, then the peer in it.
    QVERIFY(m_program->load(auction(), page("links.html")));
    QVERIFY(clickElement(auction()->view(), QStringLiteral("#blank")));
    PageWindow *window = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((window = m_program->window()->findChild<PageWindow *>()) && window->isVisible(),
                             engineTimeoutMs);
    PageView *view = window->pageView();
    QTRY_COMPARE_WITH_TIMEOUT(view->address(), page("itm/900"), engineTimeoutMs);
    hearReasons(view->page());
    view->page()->load(QUrl(m_peer->base() + QStringLiteral("/window")));
    expectNotice(view);
    if (QTest::currentTestFailed())
        return;

    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window, engineTimeoutMs));
    pressKey(window, Qt::Key_P, Qt::AltModifier);
    QTRY_VERIFY_WITH_TIMEOUT(m_peer->hasRequest("GET", "/window"), engineTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(view->page()->title(), HttpsPeer::pageTitle(), engineTimeoutMs);
    QVERIFY(view->view()->isVisible());
}

void TestCertificatesEndToEnd::goBackFromAFirstPageTellsNothingWasLoaded()
{
    // A page view whose first page is the peer's: there is no page before.
    PageView view(m_program->profile(), {});
    view.resize(800, 600);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    hearReasons(view.page());
    view.page()->load(QUrl(m_peer->base() + QStringLiteral("/first")));
    expectNotice(&view);
    if (QTest::currentTestFailed())
        return;

    clickOn(goBackButton(&view));
    QTRY_VERIFY_WITH_TIMEOUT(!goBackButton(&view)->isVisible(), engineTimeoutMs);
    QVERIFY(view.certificateNotice()->isVisible());
    QVERIFY(!proceedButton(&view)->isVisible());
    const QString text = view.certificateNotice()->text()->text();
    QVERIFY2(text.contains(QLatin1String("Nothing was loaded from <b>127.0.0.1</b>")), qPrintable(text));
    QVERIFY(m_peer->requests().isEmpty());
}

void TestCertificatesEndToEnd::servicePostWaitsForProceed()
{
    // A session of its own on the service pane, with the peer as the service.
    const QString credentials = SettingsFolder(m_program->settingsPath()).credentialsFile();
    QVERIFY(storeCredentials(credentials, { QStringLiteral("jo"), QStringLiteral("secret") }).ok());
    WebEnginePane *service = m_program->servicePane();
    ServiceSession session(service, m_peer->base());
    hearReasons(service->view()->page());
    m_program->window()->selectTab(MainWindow::ServiceTab);
    session.logInWithStoredCredentials(credentials);
    expectNotice(service->pageView());
    if (QTest::currentTestFailed())
        return;
    // The notice is no answer: the login still waits, and a snipe behind it.
    QVERIFY(session.loginPending());
    const QString item = page("itm/7");
    QVERIFY(!session.snipe(item));
    QCOMPARE(session.keptSnipeCount(), 1);
    QVERIFY(m_peer->requests().isEmpty());

    clickOn(proceedButton(service->pageView()));
    QTRY_COMPARE_WITH_TIMEOUT(m_peer->requests().size(), 2, engineTimeoutMs);
    QCOMPARE(m_peer->requests().at(0).method, QByteArray("POST"));
    QCOMPARE(m_peer->requests().at(0).path, QByteArray("/cl/logincheck.cfm"));
    QCOMPARE(m_peer->requests().at(1).path, QByteArray("/cl/SUpdate.cfm"));
    QCOMPARE(m_peer->requests().at(1).body, snipePostBody(item));
    QTRY_COMPARE_WITH_TIMEOUT(session.keptSnipeCount(), 0, engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), engineTimeoutMs);
}

void TestCertificatesEndToEnd::goBackEndsTheServicePost()
{
    const QString credentials = SettingsFolder(m_program->settingsPath()).credentialsFile();
    QVERIFY(storeCredentials(credentials, { QStringLiteral("jo"), QStringLiteral("secret") }).ok());
    WebEnginePane *service = m_program->servicePane();
    const QString before = service->locationUrl();
    ServiceSession session(service, m_peer->base());
    hearReasons(service->view()->page());
    m_program->window()->selectTab(MainWindow::ServiceTab);
    session.logInWithStoredCredentials(credentials);
    expectNotice(service->pageView());
    if (QTest::currentTestFailed())
        return;

    // Refused: the login ends as one the service never answered, and the
    // pane goes back to the service's page before; nothing reached the peer.
    clickOn(goBackButton(service->pageView()));
    QTRY_VERIFY_WITH_TIMEOUT(!session.loginPending(), engineTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(service->locationUrl(), before, engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(service->view()->isVisible(), engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!service->isLoading(), engineTimeoutMs);
    QVERIFY(m_peer->requests().isEmpty());

    // The next snipe sends the login again first, which asks again.
    const QString item = page("itm/8");
    QVERIFY(!session.snipe(item));
    QTRY_COMPARE_WITH_TIMEOUT(m_reasons.size(), 2, engineTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(service->pageView()->certificateNotice()->isVisible(), engineTimeoutMs);
    QVERIFY(session.loginPending());
    QCOMPARE(session.keptSnipeCount(), 1);
    QVERIFY(m_peer->requests().isEmpty());
    clickOn(proceedButton(service->pageView()));
    QTRY_COMPARE_WITH_TIMEOUT(m_peer->requests().size(), 2, engineTimeoutMs);
    QCOMPARE(m_peer->requests().at(0).path, QByteArray("/cl/logincheck.cfm"));
    QCOMPARE(m_peer->requests().at(1).body, snipePostBody(item));
}

BIDWARDEN_ENGINE_TEST_MAIN(TestCertificatesEndToEnd)
#include "tst_e2e_certificates.moc"
