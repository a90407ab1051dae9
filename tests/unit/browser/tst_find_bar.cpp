#include "find_bar.h"
#include "user_input.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

// A window with a find bar over a "page" that takes the focus, and a
// window-wide Esc as the main window has while a page loads.
struct Window
{
    Window()
    {
        auto *layout = new QVBoxLayout(&window);
        bar = new FindBar(&window);
        page = new QLineEdit(&window);
        page->setObjectName(QStringLiteral("page"));
        layout->addWidget(bar);
        layout->addWidget(page);
        stop = new QAction(&window);
        stop->setShortcut(QKeySequence(Qt::Key_Escape));
        window.addAction(stop);
        QObject::connect(bar, &FindBar::closed, page, [this](bool hadFocus) {
            if (hadFocus)
                page->setFocus();
        });
    }
    bool showActive()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    QLineEdit *text() const { return bar->findChild<QLineEdit *>(QStringLiteral("findText")); }
    QString matches() const { return bar->findChild<QLabel *>(QStringLiteral("findMatches"))->text(); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { pressKey(&window, key, modifiers); }

    QWidget window;
    FindBar *bar = nullptr;
    QLineEdit *page = nullptr;
    QAction *stop = nullptr;
};

using Request = QPair<QString, bool>;

QList<Request> requests(const QSignalSpy &spy)
{
    QList<Request> found;
    for (const QList<QVariant> &args : spy)
        found.append({ args.at(0).toString(), args.at(1).toBool() });
    return found;
}

} // namespace

class TestFindBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchCount_data();
    void matchCount();
    void typingFindsAsTheTextChanges();
    void keysInTheBar_data();
    void keysInTheBar();
    void escClosesAndGivesThePageTheFocus();
    void findAgainOpensAnEmptyOrClosedBar();
};

void TestFindBar::matchCount_data()
{
    QTest::addColumn<QString>("searched");
    QTest::addColumn<int>("active");
    QTest::addColumn<int>("matches");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nothing looked for") << QString() << 0 << 0 << QString();
    QTest::newRow("none found") << QStringLiteral("lot") << 0 << 0 << QStringLiteral("No matches");
    QTest::newRow("first of several") << QStringLiteral("lot") << 1 << 7 << QStringLiteral("1 of 7");
    QTest::newRow("last") << QStringLiteral("lot") << 7 << 7 << QStringLiteral("7 of 7");
}

void TestFindBar::matchCount()
{
    QFETCH(QString, searched);
    QFETCH(int, active);
    QFETCH(int, matches);
    QFETCH(QString, expected);
    QCOMPARE(matchCountText(searched, active, matches), expected);
}

void TestFindBar::typingFindsAsTheTextChanges()
{
    Window w;
    QVERIFY(w.showActive());
    QVERIFY(w.bar->isHidden());
    QSignalSpy asked(w.bar, &FindBar::findRequested);
    w.bar->open();
    QVERIFY(w.text()->hasFocus());
    QVERIFY(asked.isEmpty()); // nothing to find yet
    typeText(&w.window, QStringLiteral("lo"));
    QCOMPARE(requests(asked), (QList<Request>{ { QStringLiteral("l"), false }, { QStringLiteral("lo"), false } }));
    w.bar->showMatches(2, 5);
    QCOMPARE(w.matches(), QStringLiteral("2 of 5"));
    // Emptied: the highlighting goes, and so does the count.
    asked.clear();
    w.press(Qt::Key_Backspace);
    w.press(Qt::Key_Backspace);
    QCOMPARE(requests(asked).constLast(), Request(QString(), false));
    QCOMPARE(w.matches(), QString());
}

void TestFindBar::keysInTheBar_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("backward");
    QTest::newRow("Enter: next") << int(Qt::Key_Return) << int(Qt::NoModifier) << false;
    QTest::newRow("keypad Enter: next") << int(Qt::Key_Enter) << int(Qt::NoModifier) << false;
    QTest::newRow("Shift+Enter: previous") << int(Qt::Key_Return) << int(Qt::ShiftModifier) << true;
}

void TestFindBar::keysInTheBar()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, backward);
    Window w;
    QVERIFY(w.showActive());
    w.bar->open();
    typeText(&w.window, QStringLiteral("bid"));
    QSignalSpy asked(w.bar, &FindBar::findRequested);
    w.press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(requests(asked), QList<Request>{ Request(QStringLiteral("bid"), backward) });
    QVERIFY(w.bar->isVisible());
}

void TestFindBar::escClosesAndGivesThePageTheFocus()
{
    // Esc is the bar's while it has the focus, even where the window gives
    // Esc a command of its own.
    Window w;
    QVERIFY(w.showActive());
    QSignalSpy stops(w.stop, &QAction::triggered);
    w.bar->open();
    typeText(&w.window, QStringLiteral("bid"));
    QSignalSpy asked(w.bar, &FindBar::findRequested);
    QSignalSpy closed(w.bar, &FindBar::closed);
    w.press(Qt::Key_Escape);
    QVERIFY(w.bar->isHidden());
    QCOMPARE(requests(asked), QList<Request>{ Request(QString(), false) });
    QCOMPARE(closed.size(), 1);
    QVERIFY(w.page->hasFocus());
    QVERIFY(stops.isEmpty());
    // With the bar closed, Esc is the window's again.
    w.press(Qt::Key_Escape);
    QCOMPARE(stops.size(), 1);
}

void TestFindBar::findAgainOpensAnEmptyOrClosedBar()
{
    Window w;
    QVERIFY(w.showActive());
    QSignalSpy asked(w.bar, &FindBar::findRequested);
    w.bar->findAgain(false);
    QVERIFY(w.bar->isVisible());
    QVERIFY(w.text()->hasFocus());
    QVERIFY(asked.isEmpty());
    typeText(&w.window, QStringLiteral("lot"));
    w.bar->close();
    // Opened again, the bar keeps its text, selected, and finds it at once.
    asked.clear();
    w.bar->findAgain(true);
    QVERIFY(w.bar->isVisible());
    QCOMPARE(w.text()->selectedText(), QStringLiteral("lot"));
    QCOMPARE(requests(asked), QList<Request>{ Request(QStringLiteral("lot"), false) });
    // Open, F3 and Shift+F3 step through the matches.
    asked.clear();
    w.bar->findAgain(true);
    w.bar->findAgain(false);
    QCOMPARE(requests(asked),
             (QList<Request>{ { QStringLiteral("lot"), true }, { QStringLiteral("lot"), false } }));
}

QTEST_MAIN(TestFindBar)
#include "tst_find_bar.moc"
