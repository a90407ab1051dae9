// The words the page view says of a certificate nobody vouches for.
#include "certificate_words.h"

#include <QKeySequence>
#include <QSslCertificate>
#include <QTest>
#include <QTimeZone>

using namespace bidwarden;

namespace {

// Self-signed, valid from 2026-12-09 to 2126-11-15, issued to and by
// "CN=router.local <b>, O=Home & Co, OU=Net".
const char namedPem[] = R"(-----BEGIN CERTIFICATE-----
MIIB0TCCAXegAwIBAgIUbZGMEB9vmolhOerbeN7FJc/OxREwCgYIKoZIzj0EAwIw
PTEZMBcGA1UEAwwQcm91dGVyLmxvY2FsIDxiPjESMBAGA1UECgwJSG9tZSAmIENv
MQwwCgYDVQQLDANOZXQwIBcNMjYxMjA5MDY1NjE3WhgPMjEyNjExMTUwNjU2MTda
MD0xGTAXBgNVBAMMEHJvdXRlci5sb2NhbCA8Yj4xEjAQBgNVBAoMCUhvbWUgJiBD
bzEMMAoGA1UECwwDTmV0MFkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDQgAEVTHnisJ0
RWlS7lp5EGiFjgKVxtyKAogWNznTGqrFNaBoq1LcrU5x1r82DeqTc6y/LeR+Zi6o
3+cdr3xrjRzcjqNTMFEwHQYDVR0OBBYEFEjZxg1QHvKxPjp8pXIAGMA9NO14MB8G
A1UdIwQYMBaAFEjZxg1QHvKxPjp8pXIAGMA9NO14MA8GA1UdEwEB/wQFMAMBAf8w
CgYIKoZIzj0EAwIDSAAwRQIgZncl7Sx50wDPPrA0xek/gHR0Wz6Nwo0TvcqtfT3E
ZPMCIQC+aRIbc+0GVc+pl57QjzcM5jLjrLmbsfPuifzaExeFpA==
-----END CERTIFICATE-----
)";

// Self-signed, naming only a country.
const char countryOnlyPem[] = R"(-----BEGIN CERTIFICATE-----
MIIBcTCCARegAwIBAgIUfccspA2DRHvkoeK5mboCnEQ5FIQwCgYIKoZIzj0EAwIw
DTELMAkGA1UEBhMCREUwIBcNMjYxMjA5MDY1NjE3WhgPMjEyNjExMTUwNjU2MTda
MA0xCzAJBgNVBAYTAkRFMFkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDQgAEctim61+O
GEawXwe+nRLtwgXoL7521+AShJ82stkshgIPYpU8D1X8ObgPm0n3HtXz80A+v1Nw
IUI8aHTDiYOlfqNTMFEwHQYDVR0OBBYEFCp0dXLGrwa7Cpe067Cfe/EFWU3/MB8G
A1UdIwQYMBaAFCp0dXLGrwa7Cpe067Cfe/EFWU3/MA8GA1UdEwEB/wQFMAMBAf8w
CgYIKoZIzj0EAwIDSAAwRQIgayw31ByJHZc8PWGNdFjZAGoKZiQgDcybH+C/NSS/
sO0CIQDe/wdyeKFkTGIvEpc8/Dhb5FdeqOSgkJtZ9NCUGlRGpA==
-----END CERTIFICATE-----
-----END CERTIFICATE-----
)";

QSslCertificate certificate(const char *pem)
{
    return QSslCertificate(QByteArray(pem), QSsl::Pem);
}

QDateTime utc(int year, int month, int day)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    // Qt 6.7 deprecates the time-spec constructor (an error under -Werror);
    // the time-zone one it asks for exists from 6.5.
    return QDateTime(QDate(year, month, day), QTime(12, 0), QTimeZone::UTC);
#else
    return QDateTime(QDate(year, month, day), QTime(12, 0), Qt::UTC);
#endif
}

} // namespace

class TestCertificateWords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesTheFieldsItHas_data();
    void namesTheFieldsItHas();
    void validitySaysWhenItIsOutOfDate_data();
    void validitySaysWhenItIsOutOfDate();
    void proceedButtonNamesTheHostWithAltP_data();
    void proceedButtonNamesTheHostWithAltP();
    void noticeEscapesWhatTheNetworkSent();
    void noticeOffersGoingOnOnlyWhereAllowed();
};

void TestCertificateWords::namesTheFieldsItHas_data()
{
    QTest::addColumn<QByteArray>("pem");
    QTest::addColumn<QString>("expected");
    QTest::newRow("common name, organization, unit")
            << QByteArray(namedPem) << QStringLiteral("router.local <b>, Home & Co, Net");
    QTest::newRow("none of them") << QByteArray(countryOnlyPem) << QStringLiteral("(none)");
}

void TestCertificateWords::namesTheFieldsItHas()
{
    QFETCH(QByteArray, pem);
    QFETCH(QString, expected);
    const QSslCertificate site = certificate(pem.constData());
    QVERIFY(!site.isNull());
    QCOMPARE(certificateSubject(site), expected);
    // Self-signed: the issuer is itself.
    QCOMPARE(certificateIssuer(site), expected);
}

void TestCertificateWords::validitySaysWhenItIsOutOfDate_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("expected");
    const QString dates = QStringLiteral("from 2026-12-09 to 2126-11-15");
    QTest::newRow("within") << utc(2030, 1, 1) << dates;
    QTest::newRow("before") << utc(2026, 12, 8) << dates + QStringLiteral(" (not valid yet)");
    QTest::newRow("after") << utc(2126, 11, 16) << dates + QStringLiteral(" (expired)");
}

void TestCertificateWords::validitySaysWhenItIsOutOfDate()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, expected);
    QCOMPARE(certificateValidity(certificate(namedPem), now), expected);
}

void TestCertificateWords::proceedButtonNamesTheHostWithAltP_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("expected");
    QTest::newRow("address") << QStringLiteral("192.168.1.1") << QStringLiteral("&Proceed to 192.168.1.1 (unsafe)");
    QTest::newRow("ampersand shown, not a mnemonic")
            << QStringLiteral("a&b.example") << QStringLiteral("&Proceed to a&&b.example (unsafe)");
}

void TestCertificateWords::proceedButtonNamesTheHostWithAltP()
{
    QFETCH(QString, host);
    QFETCH(QString, expected);
    const QString text = proceedButtonText(host);
    QCOMPARE(text, expected);
    QCOMPARE(QKeySequence::mnemonic(text), QKeySequence(Qt::ALT | Qt::Key_P));
}

void TestCertificateWords::noticeEscapesWhatTheNetworkSent()
{
    CertificateFacts facts;
    facts.host = QStringLiteral("<img src=x onerror=alert(1)>");
    facts.reason = QStringLiteral("<b>bad</b> & %2");
    facts.subject = QStringLiteral("<a href='http://x'>me</a>");
    facts.issuer = QStringLiteral("Home & Co");
    facts.validity = QStringLiteral("from <i>then</i>");
    facts.overridable = true;
    const QString html = certificateNoticeHtml(facts);
    for (const QString &field : { facts.host, facts.reason, facts.subject, facts.issuer, facts.validity }) {
        QVERIFY2(!html.contains(field), qPrintable(field));
        QVERIFY2(html.contains(field.toHtmlEscaped()), qPrintable(field));
    }
    const QString refused = certificateRefusedHtml(facts.host);
    QVERIFY(!refused.contains(facts.host));
    QVERIFY(refused.contains(facts.host.toHtmlEscaped()));
}

void TestCertificateWords::noticeOffersGoingOnOnlyWhereAllowed()
{
    CertificateFacts facts{ QStringLiteral("router.local"), QStringLiteral("The certificate is not trusted."),
                            {}, {}, {}, false };
    const QString closed = certificateNoticeHtml(facts);
    QVERIFY(closed.contains(QLatin1String("does not allow going on")));
    // Without a certificate there are no lines about one.
    QVERIFY(!closed.contains(QLatin1String("Issued to")));
    facts.overridable = true;
    facts.subject = QStringLiteral("router.local");
    const QString open = certificateNoticeHtml(facts);
    QVERIFY(!open.contains(QLatin1String("does not allow going on")));
    QVERIFY(open.contains(QLatin1String("Issued to: router.local")));
}

QTEST_GUILESS_MAIN(TestCertificateWords)
#include "tst_certificate_words.moc"
