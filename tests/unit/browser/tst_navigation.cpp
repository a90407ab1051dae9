#include "navigation.h"
#include "page_accessibility.h"
#include "user_agent.h"

#include <QDBusConnection>
#include <QRegularExpression>
#include <QTest>

using namespace bidwarden;
using HeaderList = QList<QPair<QByteArray, QByteArray>>;

class TestNavigation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addressToUrl_data();
    void addressToUrl();
    void headerLines_data();
    void headerLines();
    void undeliveredRequests_data();
    void undeliveredRequests();
    void presentsItselfAsChromium_data();
    void presentsItselfAsChromium();
    void pagesReachAssistiveTechnology_data();
    void pagesReachAssistiveTechnology();
    void noSessionBusMeansNoAssistiveTechnology();
};

void TestNavigation::addressToUrl_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QUrl>("url");

    QTest::newRow("plain") << QStringLiteral("http://a.test/x?y=1&z=2") << QUrl(QStringLiteral("http://a.test/x?y=1&z=2"));
    QTest::newRow("file line end dropped") << QStringLiteral("http://a.test/\r\n") << QUrl(QStringLiteral("http://a.test/"));
    QTest::newRow("several line ends") << QStringLiteral("http://a.test/\n\r\n") << QUrl(QStringLiteral("http://a.test/"));
    QTest::newRow("bare host") << QStringLiteral("a.test") << QUrl(QStringLiteral("http://a.test"));
    QTest::newRow("empty") << QString() << QUrl(QStringLiteral("about:blank"));
    QTest::newRow("only a line end") << QStringLiteral("\r\n") << QUrl(QStringLiteral("about:blank"));
}

void TestNavigation::addressToUrl()
{
    QFETCH(QString, address);
    QFETCH(QUrl, url);
    QCOMPARE(urlForAddress(address), url);
}

void TestNavigation::headerLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<HeaderList>("headers");

    const HeaderList form{ { "Content-Type", "application/x-www-form-urlencoded" } };
    QTest::newRow("one line") << QByteArray("Content-Type: application/x-www-form-urlencoded\r\n") << form;
    QTest::newRow("no final line end") << QByteArray("Content-Type: application/x-www-form-urlencoded") << form;
    QTest::newRow("two lines, bare LF")
            << QByteArray("A: 1\nB: x: y\n") << HeaderList{ { "A", "1" }, { "B", "x: y" } };
    QTest::newRow("junk skipped") << QByteArray("\r\nno colon\r\n: empty name\r\n") << HeaderList{};
}

void TestNavigation::headerLines()
{
    QFETCH(QByteArray, text);
    QFETCH(HeaderList, headers);
    QCOMPARE(parseHeaderLines(text), headers);
}

void TestNavigation::undeliveredRequests_data()
{
    QTest::addColumn<int>("netError");
    QTest::addColumn<bool>("cannotHaveArrived");
    QTest::newRow("connection refused") << -102 << true;
    QTest::newRow("host unreachable") << -109 << true;
    QTest::newRow("name not resolved") << -105 << true;
    QTest::newRow("connect timed out") << -118 << true;
    QTest::newRow("dns server failed") << -802 << true;
    QTest::newRow("connection reset: may have arrived") << -101 << false;
    QTest::newRow("connection closed: may have arrived") << -100 << false;
    QTest::newRow("empty answer: it arrived") << -324 << false;
    QTest::newRow("timed out waiting for the answer") << -7 << false;
    QTest::newRow("stopped or replaced") << -3 << false;
}

void TestNavigation::undeliveredRequests()
{
    QFETCH(int, netError);
    QFETCH(bool, cannotHaveArrived);
    QCOMPARE(requestCannotHaveArrived(netError), cannotHaveArrived);
}

void TestNavigation::presentsItselfAsChromium_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("sent");
    const QString chromium = QStringLiteral("Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) "
                                            "Chrome/%1 Safari/537.36");
    QTest::newRow("Debian 12's engine")
            << QStringLiteral("Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) "
                              "QtWebEngine/6.4.2 Chrome/102.0.5005.177 Safari/537.36")
            << chromium.arg(QLatin1String("102.0.5005.177"));
    QTest::newRow("a backported engine") << QStringLiteral("Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 "
                                                           "(KHTML, like Gecko) QtWebEngine/6.10.2 Chrome/134.0.6998.208 "
                                                           "Safari/537.36")
                                         << chromium.arg(QLatin1String("134.0.6998.208"));
    QTest::newRow("already plain") << chromium.arg(QLatin1String("122.0.0.0")) << chromium.arg(QLatin1String("122.0.0.0"));
    QTest::newRow("a name that only contains the word")
            << QStringLiteral("NotQtWebEngine/1 Chrome/1") << QStringLiteral("NotQtWebEngine/1 Chrome/1");
}

void TestNavigation::presentsItselfAsChromium()
{
    QFETCH(QString, engine);
    QFETCH(QString, sent);
    QCOMPARE(chromiumUserAgent(engine), sent);
    const QVariantMap brands{ { QStringLiteral("Chromium"), QStringLiteral("122.0.6261.171") },
                              { QStringLiteral("QtWebEngine"), QStringLiteral("6.8.2") },
                              { QStringLiteral("Not(A:Brand"), QStringLiteral("24.0.0.0") } };
    QCOMPARE(chromiumBrands(brands).keys(), QStringList({ QStringLiteral("Chromium"), QStringLiteral("Not(A:Brand") }));
}

void TestNavigation::pagesReachAssistiveTechnology_data()
{
    QTest::addColumn<bool>("engineGivesPagesByDefault");
    QTest::addColumn<bool>("busSaysOn");
    QTest::addColumn<bool>("userSetTheVariable");
    QTest::addColumn<bool>("switchesOn");

    // Qt WebEngine 6.4: only the variable gives pages to a screen reader.
    QTest::newRow("6.4, in use") << false << true << false << true;
    QTest::newRow("6.4, not in use: the engine's speed") << false << false << false << false;
    QTest::newRow("6.4, in use, the user's own setting") << false << true << true << false;
    QTest::newRow("6.4, not in use, the user's own setting") << false << false << true << false;
    // 6.8 and later do by default; a user's "0" keeps it off.
    QTest::newRow("6.8, in use") << true << true << false << false;
    QTest::newRow("6.8, not in use") << true << false << false << false;
    QTest::newRow("6.8, in use, the user's own setting") << true << true << true << false;
}

void TestNavigation::pagesReachAssistiveTechnology()
{
    QFETCH(bool, engineGivesPagesByDefault);
    QFETCH(bool, busSaysOn);
    QFETCH(bool, userSetTheVariable);
    QFETCH(bool, switchesOn);
    QCOMPARE(switchesOnPageAccessibility(engineGivesPagesByDefault, busSaysOn, userSetTheVariable), switchesOn);
}

void TestNavigation::noSessionBusMeansNoAssistiveTechnology()
{
    // As the tests and scripts run the program: the answer comes at once,
    // without a warning, and is no.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    QVERIFY(!desktopUsesAssistiveTechnology(QDBusConnection::sessionBus()));
}

QTEST_GUILESS_MAIN(TestNavigation)
#include "tst_navigation.moc"
