#include "address_box.h"
#include "address_completion.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace bidwarden;

class TestAddressBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void completion_data();
    void completion();
    void largeListTerminates();
    void typingCompletesAndSelectsTheAddedPart();
    void deletingStartsNoPass();
    void enterAppendsEvenDuplicates();
    void programWritesAreCompleted();
    void appendingKeepsTheText();
};

void TestAddressBox::completion_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("result"); // empty: no completion

    const QStringList list{ QStringLiteral("http://a"), QStringLiteral("abcdefgh"),
                            QStringLiteral("abcdefghij") };
    QTest::newRow("six characters never complete") << QStringLiteral("abcdef") << list << QString();
    QTest::newRow("seventh character completes, last entry wins")
            << QStringLiteral("abcdefg") << list << QStringLiteral("abcdefghij");
    QTest::newRow("earlier entry wins when later one stops matching")
            << QStringLiteral("abcdefgh") << QStringList{ QStringLiteral("abcdefghij"), QStringLiteral("abcdefgh") }
            << QStringLiteral("abcdefgh");
    QTest::newRow("case matters") << QStringLiteral("ABCDEFG") << list << QString();
    QTest::newRow("identical entry matches") << QStringLiteral("http://a") << list << QStringLiteral("http://a");
    QTest::newRow("shorter entries never match") << QStringLiteral("abcdefghijk") << list << QString();
    QTest::newRow("empty list") << QStringLiteral("abcdefg") << QStringList() << QString();
}

void TestAddressBox::completion()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, list);
    QFETCH(QString, result);
    const std::optional<AddressCompletion> c = completeAddress(typed, list);
    QCOMPARE(c.has_value(), !result.isEmpty());
    if (!c)
        return;
    QCOMPARE(c->text, result);
    QCOMPARE(c->selectionStart, typed.size());
    QCOMPARE(c->selectionStart + c->selectionLength, result.size());
}

void TestAddressBox::largeListTerminates()
{
    QStringList list;
    for (int i = 0; i < 100000; ++i)
        list << QStringLiteral("http://auctions.example/itm/%1").arg(i);
    const std::optional<AddressCompletion> c = completeAddress(QStringLiteral("http://auctions.example/itm/1"), list);
    QVERIFY(c);
    QCOMPARE(c->text, QStringLiteral("http://auctions.example/itm/19999"));
}

void TestAddressBox::typingCompletesAndSelectsTheAddedPart()
{
    AddressBox box;
    box.appendAddress(QStringLiteral("http://site/itm/1"));
    box.setAddressText(QString());
    box.show();
    QTest::keyClicks(box.lineEdit(), QStringLiteral("http://"));
    QCOMPARE(box.text(), QStringLiteral("http://site/itm/1"));
    QCOMPARE(box.lineEdit()->selectedText(), QStringLiteral("site/itm/1"));
    // Typing on replaces the completed part, and completes again.
    QTest::keyClicks(box.lineEdit(), QStringLiteral("s"));
    QCOMPARE(box.text(), QStringLiteral("http://site/itm/1"));
    QCOMPARE(box.lineEdit()->selectedText(), QStringLiteral("ite/itm/1"));
    QTest::keyClicks(box.lineEdit(), QStringLiteral("x"));
    QCOMPARE(box.text(), QStringLiteral("http://sx"));
}

void TestAddressBox::deletingStartsNoPass()
{
    AddressBox box;
    box.appendAddress(QStringLiteral("http://site/itm/1"));
    box.setAddressText(QString());
    box.show();
    QTest::keyClicks(box.lineEdit(), QStringLiteral("http://s"));
    QCOMPARE(box.text(), QStringLiteral("http://site/itm/1"));
    QTest::keyClick(box.lineEdit(), Qt::Key_Backspace); // removes the selection
    QCOMPARE(box.text(), QStringLiteral("http://s"));
    QTest::keyClick(box.lineEdit(), Qt::Key_Backspace);
    QCOMPARE(box.text(), QStringLiteral("http://"));
}

void TestAddressBox::enterAppendsEvenDuplicates()
{
    AddressBox box;
    QSignalSpy entered(&box, &AddressBox::addressEntered);
    box.show();
    QTest::keyClicks(box.lineEdit(), QStringLiteral("host"));
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    QCOMPARE(entered.count(), 2);
    QCOMPARE(entered.at(0).at(0).toString(), QStringLiteral("host"));
    QCOMPARE(box.addresses(), QStringList({ QStringLiteral("host"), QStringLiteral("host") }));
    QCOMPARE(box.count(), 2);
}

void TestAddressBox::programWritesAreCompleted()
{
    AddressBox box;
    box.appendAddress(QStringLiteral("http://site/itm/1?x=1"));
    box.setAddressText(QStringLiteral("http://site/itm/1"));
    QCOMPARE(box.text(), QStringLiteral("http://site/itm/1?x=1"));
}

void TestAddressBox::appendingKeepsTheText()
{
    AddressBox box;
    box.setAddressText(QStringLiteral("typed"));
    box.appendAddress(QStringLiteral("first"));
    QCOMPARE(box.text(), QStringLiteral("typed"));
    // Choosing an entry only puts it in the box.
    box.setCurrentIndex(0);
    QCOMPARE(box.text(), QStringLiteral("first"));
    QCOMPARE(box.addresses().size(), 1);
}

QTEST_MAIN(TestAddressBox)
#include "tst_address_box.moc"
