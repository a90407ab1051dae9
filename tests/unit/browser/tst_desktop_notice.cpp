#include "desktop_notice.h"

#include <QTest>

using namespace bidwarden;

class TestDesktopNotice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aPagesNotificationUnderTheProgramsName_data();
    void aPagesNotificationUnderTheProgramsName();
    void theServiceGetsItsArgumentsInItsTypes();
    void closingNamesTheId();
    void origins_data();
    void origins();
};

void TestDesktopNotice::aPagesNotificationUnderTheProgramsName_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("replaces");
    QTest::addColumn<bool>("markup");
    QTest::addColumn<QString>("body");

    QTest::newRow("plain text") << "Someone bid 12.50 USD." << 0u << true << "Someone bid 12.50 USD.";
    QTest::newRow("replacing one shown") << "Outbid again" << 7u << false << "Outbid again";
    QTest::newRow("a page's markup is escaped where the service reads markup")
            << "<b>Win</b> & <a href=\"x\">go</a>" << 0u << true
            << "&lt;b&gt;Win&lt;/b&gt; &amp; &lt;a href=&quot;x&quot;&gt;go&lt;/a&gt;";
    QTest::newRow("and kept as it is where it does not") << "<b>Win</b> & more" << 0u << false << "<b>Win</b> & more";
}

void TestDesktopNotice::aPagesNotificationUnderTheProgramsName()
{
    QFETCH(QString, text);
    QFETCH(uint, replaces);
    QFETCH(bool, markup);
    QFETCH(QString, body);
    const NotifyCall call = notifyCallFor(QStringLiteral("Outbid <on> item 900"), text, replaces, markup);
    QCOMPARE(call.appName, QStringLiteral("Bidwarden"));
    QCOMPARE(call.icon, QStringLiteral("bidwarden"));
    QCOMPARE(call.replacesId, replaces);
    // The summary is plain text to every service.
    QCOMPARE(call.summary, QStringLiteral("Outbid <on> item 900"));
    QCOMPARE(call.body, body);
    // A click on it is its default action.
    QCOMPARE(call.actions.size(), 2);
    QCOMPARE(call.actions.first(), QStringLiteral("default"));
    QCOMPARE(call.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral("bidwarden"));
    QCOMPARE(call.timeoutMs, -1);
}

void TestDesktopNotice::theServiceGetsItsArgumentsInItsTypes()
{
    const QDBusMessage message = notifyMessage(notifyCallFor(QStringLiteral("Title"), QStringLiteral("Body"), 3, false));
    QCOMPARE(message.service(), QStringLiteral("org.freedesktop.Notifications"));
    QCOMPARE(message.path(), QStringLiteral("/org/freedesktop/Notifications"));
    QCOMPARE(message.interface(), QStringLiteral("org.freedesktop.Notifications"));
    QCOMPARE(message.member(), QStringLiteral("Notify"));
    // Notify(s app_name, u replaces_id, s app_icon, s summary, s body,
    // as actions, a{sv} hints, i expire_timeout)
    const QVariantList arguments = message.arguments();
    QList<QMetaType> types;
    for (const QVariant &argument : arguments)
        types << argument.metaType();
    const QMetaType s = QMetaType::fromType<QString>();
    QCOMPARE(types, (QList<QMetaType>{ s, QMetaType::fromType<uint>(), s, s, s, QMetaType::fromType<QStringList>(),
                                       QMetaType::fromType<QVariantMap>(), QMetaType::fromType<int>() }));
    QCOMPARE(arguments.at(0).toString(), QStringLiteral("Bidwarden"));
    QCOMPARE(arguments.at(1).toUInt(), 3u);
    QCOMPARE(arguments.at(3).toString(), QStringLiteral("Title"));
    QCOMPARE(arguments.at(4).toString(), QStringLiteral("Body"));
}

void TestDesktopNotice::closingNamesTheId()
{
    const QDBusMessage message = closeNotificationMessage(42);
    QCOMPARE(message.member(), QStringLiteral("CloseNotification"));
    QCOMPARE(message.arguments().size(), 1);
    QCOMPARE(message.arguments().first().metaType(), QMetaType::fromType<uint>());
    QCOMPARE(message.arguments().first().toUInt(), 42u);
}

void TestDesktopNotice::origins_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("origin");
    QTest::addColumn<bool>("same");

    QTest::newRow("a page of the origin") << "http://127.0.0.1:8081/notify.html?x=1" << "http://127.0.0.1:8081" << true;
    QTest::newRow("another port") << "http://127.0.0.1:8082/notify.html" << "http://127.0.0.1:8081" << false;
    QTest::newRow("another scheme") << "https://shop.example/a" << "http://shop.example" << false;
    QTest::newRow("another host") << "https://a.example/" << "https://b.example" << false;
    QTest::newRow("no page") << "" << "https://b.example" << false;
}

void TestDesktopNotice::origins()
{
    QFETCH(QString, page);
    QFETCH(QString, origin);
    QFETCH(bool, same);
    QCOMPARE(sameOrigin(QUrl(page), QUrl(origin)), same);
}

QTEST_APPLESS_MAIN(TestDesktopNotice)
#include "tst_desktop_notice.moc"
