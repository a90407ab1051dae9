#include "code_page.h"
#include "credentials.h"
#include "scrambling.h"
#include "settings_folder.h"
#include "text_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <limits>

using namespace bidwarden;

namespace {

// 128 ^ '3' ^ '1' ^ '7' ^ '5' ^ '2', worked out by hand: 0x33 ^ 0x31 = 0x02,
// ^ 0x37 = 0x35, ^ 0x35 = 0x00, ^ 0x32 = 0x32, ^ 0x80 = 0xB2.
constexpr unsigned char credentialsScrambler = 0xB2;

} // namespace

class TestScrambling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void twiceIsIdentity_data();
    void twiceIsIdentity();
    void everyCharacterMeetsTheSameByte_data();
    void everyCharacterMeetsTheSameByte();
    void eventsAreProcessedEveryTenCharacters_data();
    void eventsAreProcessedEveryTenCharacters();
    void defaultHookProcessesPendingEvents();
    void keysWithTheSameDigitsAgree_data();
    void keysWithTheSameDigitsAgree();
    void charactersWithoutAByteAreKept();
    void composesTheRecord_data();
    void composesTheRecord();
    void splitsLikeTheReaders_data();
    void splitsLikeTheReaders();
    void credentialFileLayout_data();
    void credentialFileLayout();
    void readsTheFileAsStored_data();
    void readsTheFileAsStored();
};

void TestScrambling::twiceIsIdentity_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::newRow("empty") << QString() << int(credentialsKey);
    QTest::newRow("record") << QStringLiteral("user,pass word,") << int(credentialsKey);
    QTest::newRow("line end and comma") << QStringLiteral(",\r\n,") << int(credentialsKey);
    QTest::newRow("every code-page character") << fromCodePage(everyByte()) << int(credentialsKey);
    QTest::newRow("long record") << QString(1000, QLatin1Char('q')) << int(credentialsKey);
    QTest::newRow("key 0") << QStringLiteral("user,pw,") << 0;
    QTest::newRow("negative key") << QStringLiteral("user,pw,") << -31752;
    QTest::newRow("smallest key") << fromCodePage(everyByte()) << int(std::numeric_limits<qint16>::min());
    QTest::newRow("largest key") << fromCodePage(everyByte()) << int(std::numeric_limits<qint16>::max());
}

void TestScrambling::twiceIsIdentity()
{
    QFETCH(QString, text);
    QFETCH(int, key);
    const QString once = encryptDecrypt(text, qint16(key), {});
    QCOMPARE(once.size(), text.size());
    QVERIFY(isRepresentable(once));
    QCOMPARE(encryptDecrypt(once, qint16(key), {}), text);
    // Equal characters scramble alike wherever they stand.
    QCOMPARE(encryptDecrypt(text + text, qint16(key), {}), once + once);
}

void TestScrambling::everyCharacterMeetsTheSameByte_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("scrambler");
    QTest::newRow("credentials key") << int(credentialsKey) << int(credentialsScrambler);
    QTest::newRow("0") << 0 << (0x80 ^ '0');
    QTest::newRow("7") << 7 << (0x80 ^ '7');
    // The minus sign is one more character of the decimal text.
    QTest::newRow("-31752") << -31752 << (credentialsScrambler ^ '-');
    // "11": the two digits cancel, leaving 128.
    QTest::newRow("11") << 11 << 0x80;
}

void TestScrambling::everyCharacterMeetsTheSameByte()
{
    QFETCH(int, key);
    QFETCH(int, scrambler);
    const QByteArray all = everyByte();
    QByteArray expected = all;
    for (char &b : expected)
        b = char(static_cast<unsigned char>(b) ^ scrambler);
    QCOMPARE(toCodePage(encryptDecrypt(fromCodePage(all), qint16(key), {})).value_or(QByteArray()), expected);
}

void TestScrambling::eventsAreProcessedEveryTenCharacters_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("calls");
    QTest::newRow("empty") << 0 << 0;
    QTest::newRow("1") << 1 << 0;
    QTest::newRow("9") << 9 << 0;
    QTest::newRow("10") << 10 << 1;
    QTest::newRow("11") << 11 << 1;
    QTest::newRow("19") << 19 << 1;
    QTest::newRow("20") << 20 << 2;
    QTest::newRow("25") << 25 << 2;
    QTest::newRow("100") << 100 << 10;
}

void TestScrambling::eventsAreProcessedEveryTenCharacters()
{
    QFETCH(int, length);
    QFETCH(int, calls);
    for (const QString &text : { QString(length, QLatin1Char('x')),
                                 // The character-by-character way, taken when
                                 // some character has no byte, counts alike.
                                 QString(length, QChar(char16_t(0x4E00))) }) {
        int seen = 0;
        const QString once = encryptDecrypt(text, credentialsKey, [&seen] { ++seen; });
        QCOMPARE(seen, calls);
        QCOMPARE(once.size(), text.size());
    }
}

void TestScrambling::defaultHookProcessesPendingEvents()
{
    bool delivered = false;
    QTimer::singleShot(0, this, [&delivered] { delivered = true; });
    // Nine characters: the hook is never called, the event waits.
    encryptDecrypt(QString(9, QLatin1Char('x')), credentialsKey);
    QVERIFY(!delivered);
    encryptDecrypt(QString(10, QLatin1Char('x')), credentialsKey);
    QVERIFY(delivered);

    delivered = false;
    QTimer::singleShot(0, this, [&delivered] { delivered = true; });
    processPendingNonInputEvents();
    QVERIFY(delivered);
}

void TestScrambling::keysWithTheSameDigitsAgree_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("sameAsCredentialsKey");
    QTest::newRow("31752") << 31752 << true;
    // 57123 has the digits too but does not fit the qint16 key (it would be
    // -8413); these do.
    QTest::newRow("21375") << 21375 << true;
    QTest::newRow("32157") << 32157 << true;
    QTest::newRow("12357") << 12357 << true;
    QTest::newRow("27531") << 27531 << true;
    QTest::newRow("31753") << 31753 << false;
    QTest::newRow("3175") << 3175 << false;
    QTest::newRow("-31752") << -31752 << false;
}

void TestScrambling::keysWithTheSameDigitsAgree()
{
    QFETCH(int, key);
    QFETCH(bool, sameAsCredentialsKey);
    const QString text = QStringLiteral("jo,secret,\r\n");
    const QString expected = encryptDecrypt(text, credentialsKey, {});
    const QString scrambled = encryptDecrypt(text, qint16(key), {});
    QCOMPARE(scrambled == expected, sameAsCredentialsKey);
    QCOMPARE(encryptDecrypt(scrambled, qint16(key), {}), text);
}

void TestScrambling::charactersWithoutAByteAreKept()
{
    const QString text = QStringLiteral("a\u4e00b\U0001F600c") + QChar(char16_t(0xD800));
    const QString once = encryptDecrypt(text, credentialsKey, {});
    QCOMPARE(once.size(), text.size());
    QCOMPARE(once.at(1), QChar(char16_t(0x4e00)));
    QCOMPARE(once.mid(3, 2), QStringLiteral("\U0001F600"));
    QCOMPARE(once.at(6), QChar(char16_t(0xD800)));
    // The others are scrambled as ever.
    QCOMPARE(once.at(0), encryptDecrypt(QStringLiteral("a"), credentialsKey, {}).at(0));
    QCOMPARE(once.at(5), encryptDecrypt(QStringLiteral("c"), credentialsKey, {}).at(0));
    QCOMPARE(encryptDecrypt(once, credentialsKey, {}), text);
}

void TestScrambling::composesTheRecord_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("record");
    QTest::newRow("both") << QStringLiteral("jones") << QStringLiteral("s3cr3t!!") << QStringLiteral("jones,s3cr3t!!,");
    QTest::newRow("both empty") << QString() << QString() << QStringLiteral(",,");
    QTest::newRow("password only") << QString() << QStringLiteral("pw") << QStringLiteral(",pw,");
    QTest::newRow("spaces kept") << QStringLiteral(" a ") << QStringLiteral(" b ") << QStringLiteral(" a , b ,");
}

void TestScrambling::composesTheRecord()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, record);
    QCOMPARE(composeCredentialRecord(user, password), record);
    const Credentials back = splitCredentialRecord(record);
    QCOMPARE(back.userName, user);
    QCOMPARE(back.password, password);
}

void TestScrambling::splitsLikeTheReaders_data()
{
    QTest::addColumn<QString>("decoded");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::newRow("as written") << QStringLiteral("jo,pw,") << QStringLiteral("jo") << QStringLiteral("pw");
    QTest::newRow("with its line end") << QStringLiteral("jo,pw,\r\n") << QStringLiteral("jo") << QStringLiteral("pw");
    QTest::newRow("trailing fields") << QStringLiteral("a,b,c,") << QStringLiteral("a") << QStringLiteral("b");
    QTest::newRow("comma in the user name") << QStringLiteral("j,o,pw,") << QStringLiteral("j") << QStringLiteral("o");
    QTest::newRow("no comma") << QStringLiteral("abc") << QStringLiteral("abc") << QString();
    QTest::newRow("one comma") << QStringLiteral("abc,") << QStringLiteral("abc") << QString();
    QTest::newRow("no trailing comma") << QStringLiteral("jo,pw") << QStringLiteral("jo") << QStringLiteral("pw");
    QTest::newRow("empty") << QString() << QString() << QString();
    QTest::newRow("empty fields") << QStringLiteral(",,") << QString() << QString();
    QTest::newRow("only a comma") << QStringLiteral(",") << QString() << QString();
    QTest::newRow("empty user") << QStringLiteral(",pw,") << QString() << QStringLiteral("pw");
    QTest::newRow("spaces kept") << QStringLiteral(" jo , pw ,") << QStringLiteral(" jo ") << QStringLiteral(" pw ");
}

void TestScrambling::splitsLikeTheReaders()
{
    QFETCH(QString, decoded);
    QFETCH(QString, user);
    QFETCH(QString, password);
    const Credentials c = splitCredentialRecord(decoded);
    QCOMPARE(c.userName, user);
    QCOMPARE(c.password, password);
}

void TestScrambling::credentialFileLayout_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("size");
    QTest::newRow("5 and 8 characters") << QStringLiteral("jones") << QStringLiteral("s3cr3t!!") << 17;
    QTest::newRow("both empty") << QString() << QString() << 4;
    // 0xBF scrambles to CR and 0x9E to a comma: kept, since nothing is trimmed.
    QTest::newRow("scrambles to CR and comma") << QStringLiteral("\u00bf\u017e") << QStringLiteral("x") << 7;
}

void TestScrambling::credentialFileLayout()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(int, size);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = SettingsFolder(dir.path()).credentialsFile();
    const QString record = composeCredentialRecord(user, password);
    QVERIFY(storeCredentials(file, { user, password }, {}).ok());

    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.size(), size);
    // Only the line end is plain; every byte of the record, the commas
    // included, meets the scrambling byte.
    QVERIFY(bytes.endsWith("\r\n"));
    const QByteArray plain = toCodePage(record).value();
    QCOMPARE(plain.size(), size - 2);
    for (int i = 0; i < plain.size(); ++i) {
        QCOMPARE(static_cast<unsigned char>(bytes.at(i)),
                 static_cast<unsigned char>(static_cast<unsigned char>(plain.at(i)) ^ credentialsScrambler));
    }

    const CredentialsResult back = readCredentials(file, {});
    QVERIFY(back.ok());
    QCOMPARE(back.credentials.userName, user);
    QCOMPARE(back.credentials.password, password);
}

void TestScrambling::readsTheFileAsStored_data()
{
    QTest::addColumn<QString>("record"); // scrambled into the file; null: a folder stands there
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("readable");
    QTest::newRow("as stored") << "jo,pw," << QByteArray("\r\n") << "jo" << "pw" << true;
    // A hand-edited file without the last comma: the line end is not part
    // of the password, as it would be if it were unscrambled with the rest.
    QTest::newRow("no final comma, CR LF") << "jo,pw" << QByteArray("\r\n") << "jo" << "pw" << true;
    QTest::newRow("no final comma, LF") << "jo,pw" << QByteArray("\n") << "jo" << "pw" << true;
    QTest::newRow("no line end") << "jo,pw" << QByteArray() << "jo" << "pw" << true;
    // "\u00bf" scrambles to CR: only the one plain line end goes.
    QTest::newRow("password ends in what scrambles to CR") << QString::fromUtf8("jo,p\u00bf") << QByteArray("\r\n")
                                                          << "jo" << QString::fromUtf8("p\u00bf") << true;
    QTest::newRow("unreadable") << QString() << QByteArray() << "" << "" << false;
}

void TestScrambling::readsTheFileAsStored()
{
    QFETCH(QString, record);
    QFETCH(QByteArray, lineEnd);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(bool, readable);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = SettingsFolder(dir.path()).credentialsFile();
    if (record.isNull()) {
        QVERIFY(QDir().mkpath(file));
    } else {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(toCodePage(encryptDecrypt(record, credentialsKey, {})).value() + lineEnd);
    }
    const CredentialsResult read = readCredentials(file, {});
    QCOMPARE(read.ok(), readable);
    QCOMPARE(read.credentials.userName, user);
    QCOMPARE(read.credentials.password, password);
}

QTEST_GUILESS_MAIN(TestScrambling)
#include "tst_scrambling.moc"
