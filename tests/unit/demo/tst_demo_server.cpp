#include "demo_server.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTcpSocket>
#include <QTest>

#include <memory>

using namespace bidwarden::demo;

namespace {

struct Answer
{
    int status = 0;
    QByteArray body;
    QByteArray setCookie;
};

} // namespace

class TestDemoServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void servesAndLogsOverHttp();
    void headAnswersWithoutABody();
    void refusesATakenPort();
    void refusesAnUnwritableLog();
    void delayRules_data();
    void delayRules();
    void heldAnswerLetsOthersThrough();

private:
    Answer send(const QByteArray &verb, const QString &url, const QByteArray &body = QByteArray());
    QList<QJsonObject> logLines() const;

    std::unique_ptr<QTemporaryDir> m_dir; // one per test, so each reads only its own log
    std::unique_ptr<DemoServer> m_server;
    QNetworkAccessManager m_network;
    QString m_service;
    QString m_auction;
};

void TestDemoServer::init()
{
    m_server.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // Loopback only: a proxy from the environment must not see these requests.
    m_network.setProxy(QNetworkProxy::NoProxy);
    m_server = std::make_unique<DemoServer>();
    QString error;
    QVERIFY2(m_server->openLog(m_dir->filePath(QStringLiteral("log.jsonl")), &error), qPrintable(error));
    QVERIFY2(m_server->listen(0, 0, &error), qPrintable(error));
    QVERIFY(m_server->servicePort() != 0 && m_server->auctionPort() != 0);
    QVERIFY(m_server->servicePort() != m_server->auctionPort());
    m_service = QStringLiteral("http://127.0.0.1:%1").arg(m_server->servicePort());
    m_auction = QStringLiteral("http://127.0.0.1:%1").arg(m_server->auctionPort());
}

Answer TestDemoServer::send(const QByteArray &verb, const QString &url, const QByteArray &body)
{
    QNetworkRequest request{ QUrl(url) };
    if (!body.isNull())
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
    // A HEAD sent as a custom verb would be read as expecting a body.
    QNetworkReply *reply = verb == "HEAD" ? m_network.head(request) : m_network.sendCustomRequest(request, verb, body);
    reply->setParent(this);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    // A guard against a hang only; the answer comes at once on loopback.
    if (!reply->isFinished() && !finished.wait(60000)) {
        qWarning("no answer from %s", qPrintable(url));
        reply->deleteLater();
        return {};
    }
    Answer answer{ reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll(),
                   reply->rawHeader("Set-Cookie") };
    reply->deleteLater();
    return answer;
}

QList<QJsonObject> TestDemoServer::logLines() const
{
    QFile log(m_dir->filePath(QStringLiteral("log.jsonl")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QList<QJsonObject> lines;
    const QByteArray all = log.readAll();
    for (const QByteArray &line : all.split('\n')) {
        if (!line.isEmpty())
            lines << QJsonDocument::fromJson(line).object();
    }
    return lines;
}

void TestDemoServer::servesAndLogsOverHttp()
{
    const Answer start = send("GET", m_service + QStringLiteral("/?source=program"));
    QCOMPARE(start.status, 200);
    QVERIFY(start.body.contains("<title>Bidwarden \xe2\x80\x94 Welcome</title>"));

    const QByteArray loginBody = "UserLogin=jo&UserPassword=p%26q%E9";
    const Answer login = send("POST", m_service + QStringLiteral("/cl/logincheck.cfm"), loginBody);
    QCOMPARE(login.status, 200);
    QVERIFY(login.body.contains("Logged in as jo"));
    QVERIFY(login.setCookie.startsWith("BWSESSION="));

    // The manager's cookie jar carries the session into the snipe.
    const Answer snipe = send("POST", m_service + QStringLiteral("/cl/SUpdate.cfm"),
                              "AuctionURL=http%3A%2F%2Fa%2Fitm%2F1%3Fhash%3Dabc%26var%3D2");
    QCOMPARE(snipe.status, 200);
    QVERIFY(snipe.body.contains("<li>http://a/itm/1?hash=abc&amp;var=2</li>"));

    const QByteArray huge(maxRequestBody + 1, 'a');
    QCOMPARE(send("POST", m_service + QStringLiteral("/cl/SUpdate.cfm"), huge).status, 413);
    QCOMPARE(send("POST", m_service + QStringLiteral("/cl/SUpdate.cfm"), "AuctionURL=%zz").status, 400);
    const Answer missing = send("GET", m_service + QStringLiteral("/missing"));
    QCOMPARE(missing.status, 404);
    QVERIFY(missing.body.contains("<title>Error 404</title>"));

    const Answer item = send("GET", m_auction + QStringLiteral("/itm/123?hash=abc&var=2"));
    QCOMPARE(item.status, 200);
    QVERIFY(item.body.contains("<title>Item 123 \xe2\x80\x94 Demo Auctions</title>"));
    const Answer download = send("GET", m_auction + QStringLiteral("/download/catalog.txt"));
    QCOMPARE(download.status, 200);

    const QList<QJsonObject> lines = logLines();
    const QList<QStringList> expected = {
        { "service", "GET", "/?source=program" },
        { "service", "POST", "/cl/logincheck.cfm" },
        { "service", "POST", "/cl/SUpdate.cfm" },
        { "service", "POST", "/cl/SUpdate.cfm" },
        { "service", "POST", "/cl/SUpdate.cfm" },
        { "service", "GET", "/missing" },
        { "auction", "GET", "/itm/123?hash=abc&var=2" },
        { "auction", "GET", "/download/catalog.txt" },
    };
    QCOMPARE(lines.size(), expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList got{ lines.at(i).value(QLatin1String("site")).toString(),
                               lines.at(i).value(QLatin1String("method")).toString(),
                               lines.at(i).value(QLatin1String("path")).toString() };
        QCOMPARE(got, expected.at(i));
    }
    QCOMPARE(lines.at(0).value(QLatin1String("body")).toString(), QString(""));
    QCOMPARE(lines.at(1).value(QLatin1String("body")).toString(), QString::fromLatin1(loginBody.toHex()));
    QCOMPARE(lines.at(3).value(QLatin1String("body")).toString(), QString::fromLatin1(huge.toHex()));
    const QJsonObject loginHeaders = lines.at(1).value(QLatin1String("headers")).toObject();
    QCOMPARE(loginHeaders.value(QLatin1String("content-type")).toString(),
             QStringLiteral("application/x-www-form-urlencoded"));
    QCOMPARE(loginHeaders.value(QLatin1String("content-length")).toString(), QString::number(loginBody.size()));
    const QString cookie = lines.at(2).value(QLatin1String("headers")).toObject().value(QLatin1String("cookie")).toString();
    QCOMPARE(cookie.toLatin1(), login.setCookie.left(login.setCookie.indexOf(';')));
}

void TestDemoServer::headAnswersWithoutABody()
{
    // Raw and pipelined on one connection: a body after the HEAD answer would
    // be taken for the start of the next answer. The network manager hides
    // this by dropping the connection, a browser might not.
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_server->auctionPort());
    QVERIFY(socket.waitForConnected(60000));
    socket.write("HEAD / HTTP/1.1\r\nHost: x\r\n\r\nGET /notitle.html HTTP/1.1\r\nHost: x\r\n\r\n");
    QByteArray received;
    connect(&socket, &QTcpSocket::readyRead, this, [&] { received += socket.readAll(); });
    QTRY_VERIFY_WITH_TIMEOUT(received.count("HTTP/1.1 ") == 2 && received.endsWith("</html>\n"), 60000);

    const qsizetype headEnd = received.indexOf("\r\n\r\n") + 4;
    QVERIFY(received.startsWith("HTTP/1.1 200"));
    // Header names in any case: Qt HTTP Server 6.8 sends them in lower case.
    QVERIFY(received.left(headEnd).toLower().contains("content-type: text/html"));
    QCOMPARE(received.mid(headEnd, 12), QByteArray("HTTP/1.1 200"));
    QVERIFY(received.contains("This page has no title."));

    const QList<QJsonObject> lines = logLines();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0).value(QLatin1String("method")).toString(), QStringLiteral("HEAD"));
    QCOMPARE(lines.at(1).value(QLatin1String("path")).toString(), QStringLiteral("/notitle.html"));
}

void TestDemoServer::refusesATakenPort()
{
    DemoServer second;
    QString error;
    QVERIFY(!second.listen(m_server->servicePort(), 0, &error));
    QVERIFY(error.contains(QString::number(m_server->servicePort())));
    error.clear();
    QVERIFY(!second.listen(0, m_server->auctionPort(), &error));
    QVERIFY(error.contains(QString::number(m_server->auctionPort())));
}

void TestDemoServer::refusesAnUnwritableLog()
{
    DemoServer server;
    QString error;
    QVERIFY(!server.openLog(m_dir->filePath(QStringLiteral("no/such/folder/log.jsonl")), &error));
    QVERIFY(!error.isEmpty());
}

void TestDemoServer::delayRules_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<bool>("taken");
    QTest::newRow("auction path") << "auction:/itm/5=1500" << true;
    QTest::newRow("service path") << "service:/cl/logincheck.cfm=20" << true;
    QTest::newRow("no such site") << "shop:/itm/5=1" << false;
    QTest::newRow("path without slash") << "auction:itm=1" << false;
    QTest::newRow("not a number") << "auction:/a=soon" << false;
    QTest::newRow("no delay") << "auction:/a" << false;
}

void TestDemoServer::delayRules()
{
    QFETCH(QString, rule);
    QFETCH(bool, taken);
    QCOMPARE(m_server->delayAnswers(rule), taken);
}

void TestDemoServer::heldAnswerLetsOthersThrough()
{
    // Held far longer than the test runs: it cannot have come when the
    // other answers have.
    m_server->delayAnswers(QStringLiteral("auction"), QStringLiteral("/itm/1"), 600000);
    QTcpSocket held;
    held.connectToHost(QHostAddress::LocalHost, m_server->auctionPort());
    QVERIFY(held.waitForConnected(60000));
    held.write("GET /itm/1?hash=a HTTP/1.1\r\nHost: x\r\n\r\n");
    // Logged as it arrives, before its answer.
    QTRY_COMPARE_WITH_TIMEOUT(logLines().size(), 1, 60000);
    QCOMPARE(logLines().at(0).value(QLatin1String("path")).toString(), QStringLiteral("/itm/1?hash=a"));

    QCOMPARE(send("GET", m_auction + QStringLiteral("/itm/2")).status, 200);
    QCOMPARE(send("GET", m_service + QStringLiteral("/faq.cfm")).status, 200);
    QCOMPARE(held.bytesAvailable(), 0);
    // A client that gives up leaves nothing behind that could fail later.
    held.abort();
}

QTEST_GUILESS_MAIN(TestDemoServer)
#include "tst_demo_server.moc"
