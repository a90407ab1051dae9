#include "demo_server.h"
#include "demo_sites.h"
#include "form_decoding.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace bidwarden::demo;
using OptionalFields = std::optional<FormFields>;
Q_DECLARE_METATYPE(OptionalFields)

namespace {

DemoRequest post(const QString &path, const QByteArray &body, const QByteArray &cookie = QByteArray())
{
    DemoRequest r{ QStringLiteral("POST"), path, QString(), {}, body };
    if (!cookie.isEmpty())
        r.headers.append(qMakePair(QByteArray("Cookie"), cookie));
    return r;
}

QByteArray sessionCookieOf(const DemoResponse &response)
{
    for (const auto &[name, value] : response.headers) {
        if (name == "Set-Cookie")
            return value.left(value.indexOf(';'));
    }
    return QByteArray();
}

} // namespace

class TestDemo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesForms_data();
    void decodesForms();
    void snipeListsArePerSession();
    void badRequestsGetErrorPages_data();
    void badRequestsGetErrorPages();
    void servesAndLogsOverHttp();
};

void TestDemo::decodesForms_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<OptionalFields>("fields");
    using F = FormFields;
    QTest::newRow("plain") << QByteArray("a=1&b=2") << OptionalFields(F{ { "a", "1" }, { "b", "2" } });
    QTest::newRow("plus is space") << QByteArray("u=jo+smith") << OptionalFields(F{ { "u", "jo smith" } });
    QTest::newRow("escaped separators") << QByteArray("p=p%26q%2Br%25%3D")
                                        << OptionalFields(F{ { "p", "p&q+r%=" } });
    QTest::newRow("empty value") << QByteArray("a=") << OptionalFields(F{ { "a", "" } });
    QTest::newRow("empty body") << QByteArray() << OptionalFields(F{});
    QTest::newRow("field without =") << QByteArray("flag") << OptionalFields(F{ { "flag", "" } });
    QTest::newRow("code-page bytes") << QByteArray("x=%E9%80") << OptionalFields(F{ { "x", QStringLiteral("\u00e9\u20ac") } });
    QTest::newRow("bad hex") << QByteArray("a=%zz") << OptionalFields();
    QTest::newRow("cut escape") << QByteArray("a=%4") << OptionalFields();
}

void TestDemo::decodesForms()
{
    QFETCH(QByteArray, body);
    QFETCH(OptionalFields, fields);
    QCOMPARE(decodeForm(body), fields);
}

void TestDemo::snipeListsArePerSession()
{
    ServiceSite site;
    QVERIFY(site.handle(post(QStringLiteral("/cl/SUpdate.cfm"), "AuctionURL=x")).body.contains("Please log in"));
    QVERIFY(site.handle(post(QStringLiteral("/cl/SUpdate.cfm"), "AuctionURL=x", "BWSESSION=forged"))
                    .body.contains("Please log in"));
    QVERIFY(site.handle(post(QStringLiteral("/cl/logincheck.cfm"), "UserLogin=&UserPassword=x"))
                    .body.contains("Login failed"));

    const DemoResponse jo = site.handle(post(QStringLiteral("/cl/logincheck.cfm"), "UserLogin=%3Cjo%3E&UserPassword=p"));
    QVERIFY(jo.body.contains("Logged in as &lt;jo&gt;"));
    const QByteArray joCookie = sessionCookieOf(jo);
    const QByteArray annCookie = sessionCookieOf(site.handle(post(QStringLiteral("/cl/logincheck.cfm"), "UserLogin=ann")));
    QVERIFY(!joCookie.isEmpty() && joCookie != annCookie);

    site.handle(post(QStringLiteral("/cl/SUpdate.cfm"), "AuctionURL=http%3A%2F%2Fa%2F1%3Fx%3D1%26y%3D2", joCookie));
    const DemoResponse again = site.handle(post(QStringLiteral("/cl/SUpdate.cfm"),
                                                "AuctionURL=http%3A%2F%2Fa%2F1%3Fx%3D1%26y%3D2", joCookie));
    QVERIFY(again.body.contains("(2)"));
    QCOMPARE(again.body.count("http://a/1?x=1&amp;y=2"), 2);
    const DemoResponse ann = site.handle(post(QStringLiteral("/cl/SUpdate.cfm"), "AuctionURL=other", annCookie));
    QVERIFY(ann.body.contains("(1)"));
    QVERIFY(!ann.body.contains("http://a/1"));
}

void TestDemo::badRequestsGetErrorPages_data()
{
    QTest::addColumn<bool>("service");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::newRow("malformed form") << true << "POST" << "/cl/logincheck.cfm" << QByteArray("UserLogin=%g1") << 400;
    QTest::newRow("huge body") << true << "POST" << "/cl/SUpdate.cfm" << QByteArray(maxRequestBody + 1, 'a') << 413;
    QTest::newRow("form path by GET") << true << "GET" << "/cl/SUpdate.cfm" << QByteArray() << 405;
    QTest::newRow("unknown service path") << true << "GET" << "/nowhere" << QByteArray() << 404;
    QTest::newRow("unknown auction path") << false << "GET" << "/nowhere" << QByteArray() << 404;
    QTest::newRow("post to the auction site") << false << "POST" << "/" << QByteArray("a=b") << 405;
}

void TestDemo::badRequestsGetErrorPages()
{
    QFETCH(bool, service);
    QFETCH(QString, method);
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    ServiceSite site;
    const DemoRequest request{ method, path, QString(), {}, body };
    const DemoResponse response = service ? site.handle(request) : handleAuctionSite(request);
    QCOMPARE(response.status, status);
    QVERIFY(response.body.contains("<title>Error"));
}

void TestDemo::servesAndLogsOverHttp()
{
    QTemporaryDir dir;
    const QString logPath = dir.filePath(QStringLiteral("log.jsonl"));
    DemoServer server(logPath);
    QString error;
    QVERIFY2(server.listen(0, 0, &error), qPrintable(error));
    const QString service = QStringLiteral("http://127.0.0.1:%1").arg(server.servicePort());

    QNetworkAccessManager network;
    const auto send = [&network](const QString &url, const QByteArray &body) {
        QNetworkRequest request{ QUrl(url) };
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
        QNetworkReply *reply = body.isNull() ? network.get(request) : network.post(request, body);
        QSignalSpy done(reply, &QNetworkReply::finished);
        if (!done.wait(10000))
            qWarning("no answer from %s", qPrintable(url));
        reply->deleteLater();
        return std::make_pair(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll());
    };

    QCOMPARE(send(service + QStringLiteral("/cl/logincheck.cfm"), "UserLogin=jo&UserPassword=p%26q").first, 200);
    const auto snipe = send(service + QStringLiteral("/cl/SUpdate.cfm"), "AuctionURL=http%3A%2F%2Fa%2Fitm%2F1");
    QCOMPARE(snipe.first, 200);
    QVERIFY(snipe.second.contains("http://a/itm/1")); // the cookie jar carried the session
    QCOMPARE(send(service + QStringLiteral("/missing"), QByteArray()).first, 404);
    const auto item = send(QStringLiteral("http://127.0.0.1:%1/itm/5?hash=abc&var=2").arg(server.auctionPort()), QByteArray());
    QCOMPARE(item.first, 200);
    QVERIFY(item.second.contains("<title>Item 5"));

    QFile log(logPath);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().trimmed().split('\n');
    QCOMPARE(lines.size(), 4);
    const QJsonObject login = QJsonDocument::fromJson(lines.at(0)).object();
    QCOMPARE(login.value(QLatin1String("site")).toString(), QStringLiteral("service"));
    QCOMPARE(login.value(QLatin1String("method")).toString(), QStringLiteral("POST"));
    QCOMPARE(login.value(QLatin1String("path")).toString(), QStringLiteral("/cl/logincheck.cfm"));
    QCOMPARE(QByteArray::fromHex(login.value(QLatin1String("body")).toString().toLatin1()),
             QByteArray("UserLogin=jo&UserPassword=p%26q"));
    QCOMPARE(login.value(QLatin1String("headers")).toObject().value(QLatin1String("content-type")).toString(),
             QStringLiteral("application/x-www-form-urlencoded"));
    const QJsonObject itemLine = QJsonDocument::fromJson(lines.at(3)).object();
    QCOMPARE(itemLine.value(QLatin1String("site")).toString(), QStringLiteral("auction"));
    QCOMPARE(itemLine.value(QLatin1String("path")).toString(), QStringLiteral("/itm/5?hash=abc&var=2"));
}

QTEST_GUILESS_MAIN(TestDemo)
#include "tst_demo.moc"
