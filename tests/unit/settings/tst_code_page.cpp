#include "code_page.h"

#include <QStringDecoder>
#include <QTest>

using namespace bidwarden;

class TestCodePage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyByteRoundTrips();
    void bytesDecodeAsWindows1252_data();
    void bytesDecodeAsWindows1252();
    void exactlyTheCodePageCharactersHaveBytes();
    void charactersWithoutAByteAreRefused_data();
    void charactersWithoutAByteAreRefused();
    void firstUnrepresentable_data();
    void firstUnrepresentable();
    void emptyText();
    void aRefusedTextLeavesNothingForTheNext();
};

void TestCodePage::initTestCase()
{
    const bool icu = codePageConverter() == CodePageConverter::Icu;
    qInfo("code page converter in this build: %s", icu ? "ICU" : "built-in table");
    // ICU must be taken whenever this build has a converter that decodes
    // every byte as windows-1252 does.
    QStringDecoder decoder("windows-1252");
    if (decoder.isValid()) {
        const QString decoded = decoder.decode(everyByte());
        if (!decoder.hasError() && decoded == detail::fromCodePageByTable(everyByte()))
            QVERIFY(icu);
    } else {
        QVERIFY(!icu);
    }
}

void TestCodePage::everyByteRoundTrips()
{
    const QByteArray all = everyByte();
    const QString text = fromCodePage(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(toCodePage(text).value_or(QByteArray()), all);
    QVERIFY(isRepresentable(text));
    // And the table alone, whichever converter the build uses.
    QCOMPARE(detail::fromCodePageByTable(all), text);
    QCOMPARE(detail::toCodePageByTable(text).value_or(QByteArray()), all);
    // Byte by byte, too: one character each.
    for (int b = 0; b < 256; ++b) {
        const QString one = fromCodePage(QByteArray(1, char(b)));
        QCOMPARE(one.size(), 1);
        QCOMPARE(toCodePage(one).value_or(QByteArray()), QByteArray(1, char(b)));
    }
}

void TestCodePage::bytesDecodeAsWindows1252_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("character");
    QTest::newRow("NUL") << 0x00 << 0x0000;
    QTest::newRow("CR") << 0x0D << 0x000D;
    QTest::newRow("comma") << 0x2C << 0x002C;
    QTest::newRow("DEL") << 0x7F << 0x007F;
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("undefined 81") << 0x81 << 0x0081;
    QTest::newRow("low quote") << 0x82 << 0x201A;
    QTest::newRow("S caron") << 0x8A << 0x0160;
    QTest::newRow("undefined 8D") << 0x8D << 0x008D;
    QTest::newRow("undefined 8F") << 0x8F << 0x008F;
    QTest::newRow("undefined 90") << 0x90 << 0x0090;
    QTest::newRow("trade mark") << 0x99 << 0x2122;
    QTest::newRow("undefined 9D") << 0x9D << 0x009D;
    QTest::newRow("z caron") << 0x9E << 0x017E;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("no-break space") << 0xA0 << 0x00A0;
    QTest::newRow("e acute") << 0xE9 << 0x00E9;
    QTest::newRow("y diaeresis") << 0xFF << 0x00FF;
}

void TestCodePage::bytesDecodeAsWindows1252()
{
    QFETCH(int, byte);
    QFETCH(int, character);
    const QByteArray bytes(1, char(byte));
    QCOMPARE(fromCodePage(bytes), QString(QChar(char16_t(character))));
    QCOMPARE(detail::fromCodePageByTable(bytes), QString(QChar(char16_t(character))));
    QCOMPARE(toCodePage(QString(QChar(char16_t(character)))).value_or(QByteArray()), bytes);
}

void TestCodePage::exactlyTheCodePageCharactersHaveBytes()
{
    // Every UTF-16 code unit on its own: the converter in use, the table and
    // the one-character functions agree, and exactly the 256 characters of the
    // code page have a byte.
    int withByte = 0;
    for (int u = 0; u <= 0xFFFF; ++u) {
        const QString c{ QChar(char16_t(u)) };
        const std::optional<QByteArray> byConverter = toCodePage(c);
        const std::optional<QByteArray> byTable = detail::toCodePageByTable(c);
        if (byConverter != byTable)
            QFAIL(qPrintable(QStringLiteral("U+%1 converts differently").arg(u, 4, 16, QLatin1Char('0'))));
        QCOMPARE(isRepresentable(c), byTable.has_value());
        const std::optional<char> byte = toCodePageByte(c.at(0));
        QCOMPARE(byte.has_value(), byTable.has_value());
        if (byTable) {
            QCOMPARE(*byte, byTable->at(0));
            QCOMPARE(fromCodePageByte(*byte), c.at(0));
            ++withByte;
            QCOMPARE(byTable->size(), 1);
            QCOMPARE(fromCodePage(*byTable), c);
        }
    }
    QCOMPARE(withByte, 256);
}

void TestCodePage::charactersWithoutAByteAreRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("A macron") << QStringLiteral("a\u0100");
    QTest::newRow("CJK") << QStringLiteral("abc\u4e00def");
    QTest::newRow("emoji") << QStringLiteral("x\U0001F600");
    QTest::newRow("lone high surrogate") << (QStringLiteral("x") + QChar(char16_t(0xD800)));
    QTest::newRow("lone low surrogate") << (QChar(char16_t(0xDC00)) + QStringLiteral("x"));
    QTest::newRow("replacement character") << QStringLiteral("\uFFFD");
    QTest::newRow("at the end of a long text") << (QString(500, QLatin1Char('a')) + QStringLiteral("\u0394"));
}

void TestCodePage::charactersWithoutAByteAreRefused()
{
    QFETCH(QString, text);
    QVERIFY(!toCodePage(text).has_value());
    QVERIFY(!detail::toCodePageByTable(text).has_value());
    QVERIFY(!isRepresentable(text));
}

void TestCodePage::firstUnrepresentable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("first");
    QTest::newRow("all fit") << QStringLiteral("plain \u00e9\u20ac") << QString();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("pair before CJK") << QStringLiteral("ab\U0001F600\u4e00") << QStringLiteral("\U0001F600");
    QTest::newRow("CJK before pair") << QStringLiteral("\u4e00\U0001F600") << QStringLiteral("\u4e00");
    QTest::newRow("lone high surrogate at the end") << (QStringLiteral("ab") + QChar(char16_t(0xD83D)))
                                                    << QString(QChar(char16_t(0xD83D)));
    QTest::newRow("lone low surrogate") << (QStringLiteral("a") + QChar(char16_t(0xDE00)) + QStringLiteral("b"))
                                        << QString(QChar(char16_t(0xDE00)));
}

void TestCodePage::firstUnrepresentable()
{
    QFETCH(QString, text);
    QFETCH(QString, first);
    QCOMPARE(bidwarden::firstUnrepresentable(text), first);
}

void TestCodePage::emptyText()
{
    QVERIFY(toCodePage(QString()).has_value());
    QCOMPARE(toCodePage(QString())->size(), 0);
    QCOMPARE(fromCodePage(QByteArray()), QString());
    QVERIFY(isRepresentable(QString()));
}

void TestCodePage::aRefusedTextLeavesNothingForTheNext()
{
    // The converters are reused between texts: neither an error nor half a
    // surrogate pair may carry over into the next conversion.
    for (const QString &refused : { QStringLiteral("a\u2603"), QString(QChar(0xD83D)), QStringLiteral("\U0001F600") }) {
        QVERIFY(!toCodePage(refused));
        QCOMPARE(toCodePage(QStringLiteral("ok\u20AC")).value_or(QByteArray()), QByteArray("ok\x80"));
        QCOMPARE(fromCodePage(QByteArray("\x80z")), QStringLiteral("\u20ACz"));
    }
}

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_code_page.moc"
