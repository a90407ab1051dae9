#include "address_box.h"
#include "address_completion.h"
#include "user_input.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

// The box in a window of its own, focused by a click as a user focuses it.
struct BoxWindow
{
    BoxWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        box = new AddressBox(&window);
        layout->addWidget(box);
        window.resize(400, 60);
        window.show();
        window.activateWindow();
    }
    bool focus()
    {
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        clickOn(box->lineEdit());
        return box->lineEdit()->hasFocus();
    }
    void type(const QString &text) { typeText(&window, text); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { pressKey(&window, key, modifiers); }

    QWidget window;
    AddressBox *box = nullptr;
};

} // namespace

class TestAddressBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void completion_data();
    void completion();
    void largeListTerminates();
    void deletion_data();
    void deletion();
    void typingCompletesAndSelectsTheAddedPart();
    void deletingStartsNoPass_data();
    void deletingStartsNoPass();
    void pasteAfterANoOpBackspaceCompletes();
    void enterAppendsEvenDuplicates();
    void programWritesAreShownAsTheyAre();
    void appendingKeepsTheText();
    void longPasteIsKeptWhole();
    void listOpensAtTheEntryShown_data();
    void listOpensAtTheEntryShown();
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

void TestAddressBox::deletion_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("deletion");

    QTest::newRow("Backspace at the end") << "http://site" << 0 << "http://sit" << true;
    QTest::newRow("Delete in the middle") << "http://site" << 0 << "http://ste" << true;
    QTest::newRow("Backspace over the completed part") << "http://site/itm/1" << 9 << "http://s" << true;
    QTest::newRow("the next letter over the completed part") << "http://site/itm/1" << 9 << "http://si" << false;
    QTest::newRow("a letter that is the selection's first") << "abcdefgh" << 2 << "abcdefg" << false;
    QTest::newRow("paste over a selection") << "http://site/itm/1" << 9 << "http://sx/y" << false;
    QTest::newRow("typing at the end") << "http://site" << 0 << "http://sitex" << false;
    QTest::newRow("unchanged length") << "abcdefgh" << 1 << "abcdefgX" << false;
}

void TestAddressBox::deletion()
{
    QFETCH(QString, before);
    QFETCH(int, selected);
    QFETCH(QString, after);
    QFETCH(bool, deletion);
    QCOMPARE(isDeletion(before, selected, after), deletion);
}

void TestAddressBox::typingCompletesAndSelectsTheAddedPart()
{
    BoxWindow w;
    w.box->appendAddress(QStringLiteral("http://site/itm/1"));
    w.box->setAddressText(QString());
    QVERIFY(w.focus());
    w.type(QStringLiteral("http://"));
    QCOMPARE(w.box->text(), QStringLiteral("http://site/itm/1"));
    QCOMPARE(w.box->lineEdit()->selectedText(), QStringLiteral("site/itm/1"));
    // The next key replaces only the completed part, and completes again.
    w.type(QStringLiteral("s"));
    QCOMPARE(w.box->text(), QStringLiteral("http://site/itm/1"));
    QCOMPARE(w.box->lineEdit()->selectedText(), QStringLiteral("ite/itm/1"));
    w.type(QStringLiteral("x"));
    QCOMPARE(w.box->text(), QStringLiteral("http://sx"));
}

void TestAddressBox::deletingStartsNoPass_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << int(Qt::NoModifier);
    QTest::newRow("Delete") << int(Qt::Key_Delete) << int(Qt::NoModifier);
    QTest::newRow("Cut") << int(Qt::Key_X) << int(Qt::ControlModifier);
}

void TestAddressBox::deletingStartsNoPass()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    BoxWindow w;
    w.box->appendAddress(QStringLiteral("http://site/itm/1"));
    w.box->setAddressText(QString());
    QVERIFY(w.focus());
    w.type(QStringLiteral("http://s"));
    QCOMPARE(w.box->text(), QStringLiteral("http://site/itm/1"));
    // Takes out the completed part, and nothing puts it back.
    w.press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(w.box->text(), QStringLiteral("http://s"));
    w.press(Qt::Key_Backspace);
    QCOMPARE(w.box->text(), QStringLiteral("http://"));
}

void TestAddressBox::pasteAfterANoOpBackspaceCompletes()
{
    BoxWindow w;
    w.box->appendAddress(QStringLiteral("http://site/itm/1"));
    w.box->setAddressText(QString());
    QVERIFY(w.focus());
    w.press(Qt::Key_Backspace); // nothing to take out
    QApplication::clipboard()->setText(QStringLiteral("http://si"));
    w.press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.box->text(), QStringLiteral("http://site/itm/1"));
}

void TestAddressBox::enterAppendsEvenDuplicates()
{
    BoxWindow w;
    QSignalSpy entered(w.box, &AddressBox::addressEntered);
    QVERIFY(w.focus());
    w.type(QStringLiteral("host"));
    w.press(Qt::Key_Return);
    w.press(Qt::Key_Enter);
    QCOMPARE(entered.count(), 2);
    QCOMPARE(entered.at(0).at(0).toString(), QStringLiteral("host"));
    QCOMPARE(w.box->addresses(), QStringList({ QStringLiteral("host"), QStringLiteral("host") }));
    QCOMPARE(w.box->count(), 2);
    QCOMPARE(w.box->text(), QStringLiteral("host"));
}

void TestAddressBox::programWritesAreShownAsTheyAre()
{
    // The page's own address stays, even where a longer entry begins with it.
    AddressBox box;
    box.appendAddress(QStringLiteral("http://site/itm/1?x=1"));
    box.setAddressText(QStringLiteral("http://site/itm/1"));
    QCOMPARE(box.text(), QStringLiteral("http://site/itm/1"));
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

void TestAddressBox::longPasteIsKeptWhole()
{
    BoxWindow w;
    QVERIFY(w.focus());
    const QString address = QStringLiteral("http://site/") + QString(40000, QLatin1Char('a'));
    QApplication::clipboard()->setText(address);
    w.press(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.box->text(), address);
}

void TestAddressBox::listOpensAtTheEntryShown_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("current");

    const QStringList list{ QStringLiteral("http://h/"), QStringLiteral("http://h/1"), QStringLiteral("http://h/2") };
    QTest::newRow("latest entry shown") << list << list.at(2) << 2;
    QTest::newRow("earlier entry shown") << list << list.at(1) << 1;
    QTest::newRow("the latest of duplicates")
            << QStringList{ QStringLiteral("http://h/1"), QStringLiteral("http://h/2"), QStringLiteral("http://h/1") }
            << QStringLiteral("http://h/1") << 2;
    // Qt 6.4 leaves the entry that was current; later versions agree.
    QTest::newRow("text in no entry") << list << QStringLiteral("http://h/typed") << 0;
}

void TestAddressBox::listOpensAtTheEntryShown()
{
    // F4 opens the list; Up and Down start from the address the box shows,
    // on every Qt version, and opening it leaves the text alone.
    QFETCH(QStringList, list);
    QFETCH(QString, shown);
    QFETCH(int, current);
    BoxWindow w;
    for (const QString &address : list)
        w.box->appendAddress(address);
    w.box->setAddressText(shown);
    QVERIFY(w.focus());
    w.press(Qt::Key_F4);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QCOMPARE(w.box->currentIndex(), current);
    QCOMPARE(w.box->text(), shown);
    pressKey(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(w.box->text(), shown);
}

QTEST_MAIN(TestAddressBox)
#include "tst_address_box.moc"
