#include "code_page.h"
#include "credentials.h"
#include "scrambling.h"
#include "settings_folder.h"
#include "text_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace bidwarden;

class TestScrambling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void twiceIsIdentity_data();
    void twiceIsIdentity();
    void eventsAreProcessedEveryTenCharacters_data();
    void eventsAreProcessedEveryTenCharacters();
    void keysWithTheSameDigitsAgree();
    void splitsLikeTheReaders_data();
    void splitsLikeTheReaders();
    void credentialFileLayout_data();
    void credentialFileLayout();
};

void TestScrambling::twiceIsIdentity_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("record") << QStringLiteral("user,pass word,");
    QTest::newRow("line end and comma") << QStringLiteral(",\r\n,");
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    QTest::newRow("every code-page character") << fromCodePage(all);
}

void TestScrambling::twiceIsIdentity()
{
    QFETCH(QString, text);
    const QString once = encryptDecrypt(text, credentialsKey, {});
    QCOMPARE(once.size(), text.size());
    if (!text.isEmpty())
        QVERIFY(once != text);
    QCOMPARE(encryptDecrypt(once, credentialsKey, {}), text);
    // Equal characters scramble alike wherever they stand.
    const QString doubled = encryptDecrypt(text + text, credentialsKey, {});
    QCOMPARE(doubled, once + once);
}

void TestScrambling::eventsAreProcessedEveryTenCharacters_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("calls");
    QTest::newRow("empty") << 0 << 0;
    QTest::newRow("9") << 9 << 0;
    QTest::newRow("10") << 10 << 1;
    QTest::newRow("25") << 25 << 2;
}

void TestScrambling::eventsAreProcessedEveryTenCharacters()
{
    QFETCH(int, length);
    QFETCH(int, calls);
    int seen = 0;
    encryptDecrypt(QString(length, QLatin1Char('x')), credentialsKey, [&seen] { ++seen; });
    QCOMPARE(seen, calls);
}

void TestScrambling::keysWithTheSameDigitsAgree()
{
    const QString text = QStringLiteral("jo,secret,");
    const QString expected = encryptDecrypt(text, 31752, {});
    QCOMPARE(encryptDecrypt(text, 12357, {}), expected);
    QCOMPARE(encryptDecrypt(text, 27531, {}), expected);
    QVERIFY(encryptDecrypt(text, 31753, {}) != expected);
    // 128 ^ '3' ^ '1' ^ '7' ^ '5' ^ '2' is the byte every character meets.
    const int scrambler = 128 ^ '3' ^ '1' ^ '7' ^ '5' ^ '2';
    QCOMPARE(expected.at(0).unicode(), char16_t('j' ^ scrambler));
}

void TestScrambling::splitsLikeTheReaders_data()
{
    QTest::addColumn<QString>("decoded");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::newRow("as written") << QStringLiteral("jo,pw,\r\n") << QStringLiteral("jo") << QStringLiteral("pw");
    QTest::newRow("comma in the user name") << QStringLiteral("j,o,pw,") << QStringLiteral("j") << QStringLiteral("o");
    QTest::newRow("no comma") << QStringLiteral("jo") << QStringLiteral("jo") << QString();
    QTest::newRow("empty") << QString() << QString() << QString();
    QTest::newRow("empty fields") << QStringLiteral(",,") << QString() << QString();
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
}

void TestScrambling::credentialFileLayout()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(int, size);
    QTemporaryDir dir;
    const QString file = SettingsFolder(dir.path()).credentialsFile();
    const QString record = composeCredentialRecord(user, password);
    QVERIFY(writeTextFileContents(encryptDecrypt(record, credentialsKey), file, FileVisibility::Private).ok());

    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.size(), size);
    QVERIFY(bytes.endsWith("\r\n"));
    // Only the line end is plain: no byte of the record appears as itself.
    const QByteArray plain = toCodePage(record).value();
    for (int i = 0; i < plain.size(); ++i)
        QVERIFY(bytes.at(i) != plain.at(i));

    const Credentials back = splitCredentialRecord(encryptDecrypt(readTextFileContentsQuietly(file), credentialsKey));
    QCOMPARE(back.userName, user);
    QCOMPARE(back.password, password);
}

QTEST_GUILESS_MAIN(TestScrambling)
#include "tst_scrambling.moc"
