#include "form_decoding.h"

#include <QTest>

using namespace bidwarden::demo;
using OptionalFields = std::optional<FormFields>;
Q_DECLARE_METATYPE(OptionalFields)

class TestDemoForms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesBodies_data();
    void decodesBodies();
    void readsWindows1252_data();
    void readsWindows1252();
    void firstFieldOfANameWins();
};

void TestDemoForms::decodesBodies_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<OptionalFields>("fields");
    using F = FormFields;
    QTest::newRow("plain") << QByteArray("a=1&b=2") << OptionalFields(F{ { "a", "1" }, { "b", "2" } });
    QTest::newRow("plus is space") << QByteArray("u=jo+smith") << OptionalFields(F{ { "u", "jo smith" } });
    QTest::newRow("escaped ampersand") << QByteArray("p=a%26b=c") << OptionalFields(F{ { "p", "a&b=c" } });
    QTest::newRow("escaped plus stays plus") << QByteArray("p=a%2Bb") << OptionalFields(F{ { "p", "a+b" } });
    QTest::newRow("lower-case hex") << QByteArray("p=%2b%3d") << OptionalFields(F{ { "p", "+=" } });
    QTest::newRow("escaped name") << QByteArray("a%20b=1") << OptionalFields(F{ { "a b", "1" } });
    QTest::newRow("address as value")
            << QByteArray("AuctionURL=http%3A%2F%2Fa%2Fitm%2F1%3Fhash%3Dabc%26var%3D2")
            << OptionalFields(F{ { "AuctionURL", "http://a/itm/1?hash=abc&var=2" } });
    QTest::newRow("empty value") << QByteArray("a=&b=2") << OptionalFields(F{ { "a", "" }, { "b", "2" } });
    QTest::newRow("empty body") << QByteArray() << OptionalFields(F{});
    QTest::newRow("field without =") << QByteArray("flag&a=1") << OptionalFields(F{ { "flag", "" }, { "a", "1" } });
    QTest::newRow("second = is value") << QByteArray("a=b=c") << OptionalFields(F{ { "a", "b=c" } });
    QTest::newRow("empty pairs skipped") << QByteArray("&a=1&&") << OptionalFields(F{ { "a", "1" } });
    QTest::newRow("latin-1 byte") << QByteArray("x=%E9%FF") << OptionalFields(F{ { "x", QStringLiteral("\u00e9\u00ff") } });
    QTest::newRow("cp1252 bytes") << QByteArray("x=%80%9C%9F") << OptionalFields(F{ { "x", QStringLiteral("\u20ac\u0153\u0178") } });
    QTest::newRow("raw high byte") << QByteArray("x=\x80") << OptionalFields(F{ { "x", QStringLiteral("\u20ac") } });
    QTest::newRow("escaped nul") << QByteArray("x=a%00b") << OptionalFields(F{ { "x", QString::fromUtf16(u"a\0b", 3) } });
    QTest::newRow("bad hex") << QByteArray("a=%zz") << OptionalFields();
    QTest::newRow("cut escape") << QByteArray("a=%4") << OptionalFields();
    QTest::newRow("lone percent") << QByteArray("a=%") << OptionalFields();
    QTest::newRow("cut escape before &") << QByteArray("a=%4&b=1") << OptionalFields();
    QTest::newRow("bad escape in name") << QByteArray("%zz=1") << OptionalFields();
    QTest::newRow("bad escape in a later field") << QByteArray("a=1&b=%") << OptionalFields();
}

void TestDemoForms::decodesBodies()
{
    QFETCH(QByteArray, body);
    QFETCH(OptionalFields, fields);
    QCOMPARE(decodeForm(body), fields);
}

void TestDemoForms::readsWindows1252_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("character");
    QTest::newRow("euro") << 0x80 << 0x20ac;
    QTest::newRow("undefined 0x81 kept") << 0x81 << 0x81;
    QTest::newRow("S caron") << 0x8a << 0x0160;
    QTest::newRow("undefined 0x90 kept") << 0x90 << 0x90;
    QTest::newRow("em dash") << 0x97 << 0x2014;
    QTest::newRow("Y diaeresis") << 0x9f << 0x0178;
    QTest::newRow("no-break space") << 0xa0 << 0xa0;
    QTest::newRow("y diaeresis") << 0xff << 0xff;
}

void TestDemoForms::readsWindows1252()
{
    QFETCH(int, byte);
    QFETCH(int, character);
    QCOMPARE(fromWindows1252(QByteArray(1, char(byte))), QString(QChar(char16_t(character))));
}

void TestDemoForms::firstFieldOfANameWins()
{
    const FormFields fields = decodeForm("UserLogin=jo&UserLogin=ann").value_or(FormFields());
    QCOMPARE(formValue(fields, QStringLiteral("UserLogin")), std::optional<QString>(QStringLiteral("jo")));
    QCOMPARE(formValue(fields, QStringLiteral("userlogin")), std::nullopt);
}

QTEST_GUILESS_MAIN(TestDemoForms)
#include "tst_demo_forms.moc"
