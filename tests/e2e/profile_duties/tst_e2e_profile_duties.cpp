// What every page of the profile shares, on the real engine against the demo
// auction site: how the pages name their browser to sites.
#include "e2e_fixture.h"
#include "web_engine_pane.h"

#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

// What a script in the page evaluates to.
QVariant evaluate(QWebEngineView *view, const QString &script)
{
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, engineTimeoutMs))
        qInfo("the script's result did not arrive: %s", qPrintable(script));
    return result;
}

} // namespace

class TestProfileDutiesEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m_program.reset(); }

    void pagesNameOnlyChromium();

private:
    WebEnginePane *auction() const { return m_program->auctionPane(); }
    QString page(const char *path) const { return m_program->peers().auctionUrl() + QLatin1String(path); }

    std::unique_ptr<ProgramUnderTest> m_program;
};

void TestProfileDutiesEndToEnd::init()
{
    m_program = std::make_unique<ProgramUnderTest>();
    QVERIFY(m_program->startPeers());
    m_program->open();
    QVERIFY(m_program->waitForStartPage());
}

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
    QCOMPARE(evaluate(auction()->view(), QStringLiteral("navigator.userAgent")).toString(), header);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // The client hints' brands, as scripts read them, name Chromium and no
    // toolkit.
    const QString brands = evaluate(auction()->view(),
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

BIDWARDEN_ENGINE_TEST_MAIN(TestProfileDutiesEndToEnd)
#include "tst_e2e_profile_duties.moc"
