#include "form_body.h"
#include "service_post.h"

#include <QTest>
#include <QUrlQuery>

using namespace bidwarden;

namespace {

// What a standard form decoder (the service's) makes of one encoded value.
QString formDecoded(const QByteArray &encoded)
{
    QByteArray bytes = encoded;
    bytes.replace('+', ' ');
    return QString::fromLatin1(QByteArray::fromPercentEncoding(bytes));
}

} // namespace

class TestServicePost : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encodesValues_data();
    void encodesValues();
    void refusesCharactersOutsideTheCodePage();
    void limitsTheEncodedBody_data();
    void limitsTheEncodedBody();
    void loginAndSnipePosts();
    void refusedPostsCarryNoData();
};

void TestServicePost::encodesValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("space becomes plus") << QStringLiteral("a b") << QByteArray("a+b");
    QTest::newRow("kept characters") << QStringLiteral("Az09*-._") << QByteArray("Az09*-._");
    QTest::newRow("form separators") << QStringLiteral("p&q=r") << QByteArray("p%26q%3Dr");
    QTest::newRow("plus and percent") << QStringLiteral("+%") << QByteArray("%2B%25");
    QTest::newRow("query string")
            << QStringLiteral("http://h/itm/1?hash=abc&var=2")
            << QByteArray("http%3A%2F%2Fh%2Fitm%2F1%3Fhash%3Dabc%26var%3D2");
    QTest::newRow("code-page letters") << QStringLiteral("\u00e9\u20ac") << QByteArray("%E9%80");
    QTest::newRow("line end") << QStringLiteral("\r\n") << QByteArray("%0D%0A");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestServicePost::encodesValues()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, expected);
    const std::optional<QByteArray> encoded = formUrlEncode(value);
    QVERIFY(encoded);
    QCOMPARE(*encoded, expected);
    // ASCII values come back whole through a standard decoder.
    if (value.toLatin1() == value.toUtf8())
        QCOMPARE(formDecoded(*encoded), value);
}

void TestServicePost::refusesCharactersOutsideTheCodePage()
{
    QVERIFY(!formUrlEncode(QStringLiteral("snow \u2603")));
    FormBody body;
    body.add(QStringLiteral("AuctionURL"), QStringLiteral("http://h/\u2603"), QStringLiteral("auction address"));
    QVERIFY(!body.ok());
    QVERIFY(body.error().contains(QStringLiteral("auction address")));
    QVERIFY(body.error().contains(QStringLiteral("\u2603")));
    QVERIFY(body.postData().isEmpty());
}

void TestServicePost::limitsTheEncodedBody_data()
{
    QTest::addColumn<int>("valueLength");
    QTest::addColumn<bool>("accepted");
    // "AuctionURL=" is 11 bytes.
    QTest::newRow("exactly the limit") << maxPostDataBytes - 11 << true;
    QTest::newRow("one byte over") << maxPostDataBytes - 10 << false;
    QTest::newRow("far over") << 100000 << false;
}

void TestServicePost::limitsTheEncodedBody()
{
    QFETCH(int, valueLength);
    QFETCH(bool, accepted);
    const ServicePostResult plain = snipePost(QStringLiteral("http://s"), QString(valueLength, QLatin1Char('a')));
    QCOMPARE(plain.ok(), accepted);
    if (accepted)
        QCOMPARE(plain.post->postData.size(), maxPostDataBytes);
    else
        QVERIFY(!plain.refusal.isEmpty());

    // The limit counts encoded bytes: "&" takes three.
    const int ampersands = (valueLength + 2) / 3;
    const ServicePostResult encoded = snipePost(QStringLiteral("http://s"), QString(ampersands, QLatin1Char('&')));
    QCOMPARE(encoded.ok(), 11 + 3 * ampersands <= maxPostDataBytes);
}

void TestServicePost::loginAndSnipePosts()
{
    const ServicePostResult login = loginPost(QStringLiteral("http://127.0.0.1:9"),
                                              QStringLiteral("jo smith"), QStringLiteral("p&q+r%"));
    QVERIFY(login.ok());
    QCOMPARE(login.post->url, QUrl(QStringLiteral("http://127.0.0.1:9/cl/logincheck.cfm")));
    QCOMPARE(login.post->postData, QByteArray("UserLogin=jo+smith&UserPassword=p%26q%2Br%25"));
    QCOMPARE(login.post->headers, QByteArray("Content-Type: application/x-www-form-urlencoded\r\n"));
    const QUrlQuery fields(QString::fromLatin1(login.post->postData).replace(QLatin1Char('+'), QLatin1Char(' ')));
    QCOMPARE(fields.queryItemValue(QStringLiteral("UserPassword"), QUrl::FullyDecoded), QStringLiteral("p&q+r%"));

    const ServicePostResult empty = loginPost(QStringLiteral("http://s"), QString(), QString());
    QCOMPARE(empty.post->postData, QByteArray("UserLogin=&UserPassword="));

    const ServicePostResult snipe = snipePost(QStringLiteral("http://s"), QString());
    QCOMPARE(snipe.post->url, QUrl(QStringLiteral("http://s/cl/SUpdate.cfm")));
    QCOMPARE(snipe.post->postData, QByteArray("AuctionURL="));

    QCOMPARE(serviceAddress(QStringLiteral("http://s"), servicePaths::startPage).toString(),
             QStringLiteral("http://s/?source=program"));
}

void TestServicePost::refusedPostsCarryNoData()
{
    const ServicePostResult login = loginPost(QStringLiteral("http://s"), QStringLiteral("\u4e00"), QString());
    QVERIFY(!login.ok());
    QVERIFY(login.refusal.contains(QStringLiteral("user name")));
}

QTEST_GUILESS_MAIN(TestServicePost)
#include "tst_service_post.moc"
