#include "demo_sites.h"
#include "request_log.h"
#include "snipe_book.h"

#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace bidwarden::demo;

namespace {

DemoRequest request(const QString &method, const QString &path, const QByteArray &body = QByteArray(),
                    const HeaderPairs &headers = {})
{
    DemoRequest r;
    r.method = method;
    r.path = path;
    r.headers = headers;
    r.body = body;
    r.target = path;
    return r;
}

DemoRequest post(const QString &path, const QByteArray &body, const QByteArray &cookie = QByteArray())
{
    HeaderPairs headers;
    if (!cookie.isEmpty())
        headers.append(qMakePair(QByteArray("Cookie"), cookie));
    return request(QStringLiteral("POST"), path, body, headers);
}

QByteArray sessionCookieOf(const DemoResponse &response)
{
    for (const auto &[name, value] : response.headers) {
        if (name == "Set-Cookie")
            return value.left(value.indexOf(';'));
    }
    return QByteArray();
}

QString titleOf(const QByteArray &html)
{
    const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("<title>(.*)</title>")).match(QString::fromUtf8(html));
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

class TestDemoSites : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void snipeBookKeepsListsPerSession();
    void snipeNeedsAKnownSession_data();
    void snipeNeedsAKnownSession();
    void logInSetsASessionCookie();
    void snipeListIsPerSessionAndEscaped();
    void findsCookies_data();
    void findsCookies();
    void pagesHaveDistinctTitles();
    void downloadIsAnAttachment();
    void badRequestsGetErrorPages_data();
    void badRequestsGetErrorPages();
    void logEntryKeepsTheBytes();
};

void TestDemoSites::snipeBookKeepsListsPerSession()
{
    SnipeBook book;
    const QString jo = book.logIn(QStringLiteral("jo"));
    const QString again = book.logIn(QStringLiteral("jo"));
    QVERIFY(jo != again); // every login its own session, even for the same user
    QCOMPARE(book.userOf(jo), std::optional<QString>(QStringLiteral("jo")));
    QCOMPARE(book.userOf(QStringLiteral("forged")), std::nullopt);
    QCOMPARE(book.snipe(QStringLiteral("forged"), QStringLiteral("a")), std::nullopt);
    QCOMPARE(book.snipe(QString(), QStringLiteral("a")), std::nullopt);

    book.snipe(jo, QStringLiteral("a"));
    book.snipe(jo, QStringLiteral("b"));
    QCOMPARE(book.snipe(jo, QStringLiteral("a")), std::optional<QStringList>(QStringList{ "a", "b", "a" }));
    QCOMPARE(book.snipe(again, QStringLiteral("c")), std::optional<QStringList>(QStringList{ "c" }));
}

void TestDemoSites::snipeNeedsAKnownSession_data()
{
    QTest::addColumn<QByteArray>("cookie");
    QTest::newRow("no cookie") << QByteArray();
    QTest::newRow("unknown session") << QByteArray("BWSESSION=forged");
    QTest::newRow("empty session") << QByteArray("BWSESSION=");
    QTest::newRow("other cookie only") << QByteArray("theme=dark");
}

void TestDemoSites::snipeNeedsAKnownSession()
{
    QFETCH(QByteArray, cookie);
    ServiceSite site;
    site.handle(post(QStringLiteral("/cl/logincheck.cfm"), "UserLogin=jo"));
    const DemoResponse response = site.handle(post(QStringLiteral("/cl/SUpdate.cfm"), "AuctionURL=x", cookie));
    QCOMPARE(response.status, 200);
    QVERIFY(response.body.contains("Please log in"));
    QCOMPARE(titleOf(response.body), QStringLiteral("Bidwarden \u2014 Please log in"));
}

void TestDemoSites::logInSetsASessionCookie()
{
    ServiceSite site;
    const DemoResponse failed = site.handle(post(QStringLiteral("/cl/logincheck.cfm"), "UserLogin=&UserPassword=x"));
    QVERIFY(failed.body.contains("Login failed"));
    QVERIFY(sessionCookieOf(failed).isEmpty());

    const DemoResponse jo = site.handle(post(QStringLiteral("/cl/logincheck.cfm"), "UserLogin=%3Cjo%3E+%93q%94&UserPassword=p"));
    QVERIFY(jo.body.contains("Logged in as &lt;jo&gt; \u201cq\u201d"));
    QVERIFY(!jo.body.contains("<jo>"));
    bool found = false;
    for (const auto &[name, value] : jo.headers) {
        if (name == "Set-Cookie") {
            found = true;
            QVERIFY2(QRegularExpression(QStringLiteral("^BWSESSION=[0-9a-f-]{36}; Path=/; HttpOnly$"))
                             .match(QString::fromLatin1(value)).hasMatch(),
                     value.constData());
        }
    }
    QVERIFY(found);
}

void TestDemoSites::snipeListIsPerSessionAndEscaped()
{
    ServiceSite site;
    const QByteArray jo = sessionCookieOf(site.handle(post(QStringLiteral("/cl/logincheck.cfm"), "UserLogin=jo")));
    const QByteArray ann = sessionCookieOf(site.handle(post(QStringLiteral("/cl/logincheck.cfm"), "UserLogin=ann")));
    QVERIFY(!jo.isEmpty() && jo != ann);

    const QByteArray snipe = "AuctionURL=http%3A%2F%2Fa%2F1%3Fx%3D1%26y%3D%3Cb%3E";
    site.handle(post(QStringLiteral("/cl/SUpdate.cfm"), snipe, jo));
    const DemoResponse again = site.handle(post(QStringLiteral("/cl/SUpdate.cfm"), snipe, "theme=dark; " + jo));
    QCOMPARE(titleOf(again.body), QStringLiteral("Bidwarden \u2014 Snipe list"));
    QCOMPARE(again.body.count("<li>http://a/1?x=1&amp;y=&lt;b&gt;</li>"), 2);

    const DemoResponse other = site.handle(post(QStringLiteral("/cl/SUpdate.cfm"), "AuctionURL=other", ann));
    QCOMPARE(other.body.count("<li>"), 1);
    QVERIFY(other.body.contains("<li>other</li>"));
}

void TestDemoSites::findsCookies_data()
{
    QTest::addColumn<HeaderPairs>("headers");
    QTest::addColumn<QString>("value");
    const auto cookie = [](const char *value) { return HeaderPairs{ qMakePair(QByteArray("Cookie"), QByteArray(value)) }; };
    QTest::newRow("alone") << cookie("BWSESSION=s1") << "s1";
    QTest::newRow("among others") << cookie("a=1; BWSESSION=s1; b=2") << "s1";
    QTest::newRow("no spaces") << cookie("a=1;BWSESSION=s1") << "s1";
    QTest::newRow("name is a suffix only") << cookie("XBWSESSION=s1") << "";
    QTest::newRow("name is a prefix only") << cookie("BWSESSIONX=s1") << "";
    QTest::newRow("lower-case header name") << HeaderPairs{ qMakePair(QByteArray("cookie"), QByteArray("BWSESSION=s1")) } << "s1";
    QTest::newRow("second Cookie header")
            << HeaderPairs{ qMakePair(QByteArray("Cookie"), QByteArray("a=1")),
                            qMakePair(QByteArray("Cookie"), QByteArray("BWSESSION=s1")) }
            << "s1";
    QTest::newRow("none") << HeaderPairs{} << "";
}

void TestDemoSites::findsCookies()
{
    QFETCH(HeaderPairs, headers);
    QFETCH(QString, value);
    DemoRequest r;
    r.headers = headers;
    QCOMPARE(r.cookie(QStringLiteral("BWSESSION")), value);
}

void TestDemoSites::pagesHaveDistinctTitles()
{
    ServiceSite service;
    QSet<QString> titles;
    const auto add = [&titles](const DemoResponse &response) {
        QCOMPARE(response.status, 200);
        const QString title = titleOf(response.body);
        QVERIFY2(!title.isEmpty() && !titles.contains(title), qPrintable(title));
        titles.insert(title);
    };
    add(service.handle(request(QStringLiteral("GET"), QStringLiteral("/"))));
    DemoRequest start = request(QStringLiteral("GET"), QStringLiteral("/"));
    start.query = QStringLiteral("source=program");
    add(service.handle(start));
    add(service.handle(request(QStringLiteral("GET"), QStringLiteral("/faq.cfm"))));
    const DemoResponse home = handleAuctionSite(request(QStringLiteral("GET"), QStringLiteral("/")));
    add(home);
    for (const char *link : { "/itm/123?hash=abc&amp;var=2", "/frames.html", "/notitle.html", "/with-image.html",
                             "/download/catalog.txt" })
        QVERIFY2(home.body.contains(QByteArray("href=\"") + link + '"'), link);
    for (const char *path : { "/itm/123", "/itm/456", "/frames.html", "/frame/a.html", "/frame/b.html" })
        add(handleAuctionSite(request(QStringLiteral("GET"), QString::fromLatin1(path))));
    QCOMPARE(handleAuctionSite(request(QStringLiteral("GET"), QStringLiteral("/frames.html"))).body.count("<iframe"), 2);

    const DemoResponse signedIn = handleAuctionSite(request(QStringLiteral("GET"), QStringLiteral("/stay-signed-in.html")));
    add(signedIn);
    QVERIFY(signedIn.headers.contains(qMakePair(QByteArray("Set-Cookie"),
                                                QByteArray("BWSTAY=signed-in; Max-Age=31536000; Path=/"))));

    const DemoResponse untitled = handleAuctionSite(request(QStringLiteral("GET"), QStringLiteral("/notitle.html")));
    QCOMPARE(untitled.status, 200);
    QVERIFY(!untitled.body.contains("<title"));

    const DemoResponse odd = handleAuctionSite(request(QStringLiteral("GET"), QStringLiteral("/itm/<b>")));
    QCOMPARE(titleOf(odd.body), QStringLiteral("Item &lt;b&gt; \u2014 Demo Auctions"));
}

void TestDemoSites::downloadIsAnAttachment()
{
    const DemoResponse response = handleAuctionSite(request(QStringLiteral("GET"), QStringLiteral("/download/catalog.txt")));
    QCOMPARE(response.status, 200);
    QVERIFY(response.contentType.startsWith("text/plain"));
    QVERIFY(response.headers.contains(
            qMakePair(QByteArray("Content-Disposition"), QByteArray("attachment; filename=\"catalog.txt\""))));
    QVERIFY(!response.body.isEmpty());
}

void TestDemoSites::badRequestsGetErrorPages_data()
{
    QTest::addColumn<bool>("service");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::newRow("bad escape in login") << true << "POST" << "/cl/logincheck.cfm" << QByteArray("UserLogin=%zz") << 400;
    QTest::newRow("cut escape in snipe") << true << "POST" << "/cl/SUpdate.cfm" << QByteArray("AuctionURL=%4") << 400;
    QTest::newRow("body just too large") << true << "POST" << "/cl/SUpdate.cfm"
                                         << QByteArray(maxRequestBody + 1, 'a') << 413;
    QTest::newRow("large body to an unknown path") << true << "POST" << "/nowhere"
                                                   << QByteArray(maxRequestBody + 1, 'a') << 413;
    QTest::newRow("large body to the auction site") << false << "GET" << "/"
                                                    << QByteArray(maxRequestBody + 1, 'a') << 413;
    QTest::newRow("login by GET") << true << "GET" << "/cl/logincheck.cfm" << QByteArray() << 405;
    QTest::newRow("snipe by PUT") << true << "PUT" << "/cl/SUpdate.cfm" << QByteArray("AuctionURL=x") << 405;
    QTest::newRow("post to the home page") << true << "POST" << "/" << QByteArray("a=b") << 405;
    QTest::newRow("unknown service path") << true << "GET" << "/nowhere" << QByteArray() << 404;
    QTest::newRow("path case matters") << true << "POST" << "/cl/supdate.cfm" << QByteArray() << 404;
    QTest::newRow("unknown auction path") << false << "GET" << "/nowhere" << QByteArray() << 404;
    QTest::newRow("item without number") << false << "GET" << "/itm/" << QByteArray() << 404;
    QTest::newRow("post to the auction site") << false << "POST" << "/" << QByteArray("a=b") << 405;
}

void TestDemoSites::badRequestsGetErrorPages()
{
    QFETCH(bool, service);
    QFETCH(QString, method);
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    ServiceSite site;
    const DemoRequest r = request(method, path, body);
    const DemoResponse response = service ? site.handle(r) : handleAuctionSite(r);
    QCOMPARE(response.status, status);
    QCOMPARE(titleOf(response.body), QStringLiteral("Error %1").arg(status));
}

void TestDemoSites::logEntryKeepsTheBytes()
{
    DemoRequest r = request(QStringLiteral("POST"), QStringLiteral("/cl/SUpdate.cfm"), QByteArray("a=%E9\x00\xff", 7),
                            { qMakePair(QByteArray("Content-Type"), QByteArray("application/x-www-form-urlencoded")),
                              qMakePair(QByteArray("X-Empty"), QByteArray()),
                              qMakePair(QByteArray("Accept"), QByteArray("text/html")),
                              qMakePair(QByteArray("accept"), QByteArray("*/*")),
                              qMakePair(QByteArray("X-Bytes"), QByteArray("caf\xc3\xa9")) });
    r.target = QStringLiteral("/cl/SUpdate.cfm?x=1");
    const QJsonObject entry = RequestLog::entry(QStringLiteral("service"), r);
    QCOMPARE(entry.value(QLatin1String("site")).toString(), QStringLiteral("service"));
    QCOMPARE(entry.value(QLatin1String("method")).toString(), QStringLiteral("POST"));
    QCOMPARE(entry.value(QLatin1String("path")).toString(), QStringLiteral("/cl/SUpdate.cfm?x=1"));
    QCOMPARE(entry.value(QLatin1String("body")).toString(), QStringLiteral("613d25453900ff"));
    const QJsonObject headers = entry.value(QLatin1String("headers")).toObject();
    QCOMPARE(headers.value(QLatin1String("content-type")).toString(), QStringLiteral("application/x-www-form-urlencoded"));
    QCOMPARE(headers.value(QLatin1String("accept")).toString(), QStringLiteral("text/html, */*"));
    QVERIFY(headers.contains(QLatin1String("x-empty")));
    QCOMPARE(headers.value(QLatin1String("x-bytes")).toString().toLatin1(), QByteArray("caf\xc3\xa9"));
    QCOMPARE(headers.size(), 4);

    r.body.clear();
    QCOMPARE(RequestLog::entry(QStringLiteral("auction"), r).value(QLatin1String("body")).toString(), QString(""));
}

QTEST_GUILESS_MAIN(TestDemoSites)
#include "tst_demo_sites.moc"
