// Tools › Clear Browsing Data…: what the user ticks is what is asked to be
// cleared, and Enter asks for it.
#include "clear_data_dialog.h"
#include "user_input.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace bidwarden;
using namespace bidwarden::test;

class TestClearDataDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choices_data();
    void choices();
};

using Choice = ClearDataDialog::Choice;

void TestClearDataDialog::choices_data()
{
    QTest::addColumn<QStringList>("untick");
    QTest::addColumn<bool>("clearOffered");
    QTest::addColumn<Choice>("asked");

    QTest::newRow("everything, as offered") << QStringList() << true << Choice{ true, true, true };
    QTest::newRow("cache only") << QStringList{ QStringLiteral("clearCookies"), QStringLiteral("clearVisitedLinks") }
                                << true << Choice{ false, true, false };
    QTest::newRow("all but cookies: stays signed in")
            << QStringList{ QStringLiteral("clearCookies") } << true << Choice{ false, true, true };
    QTest::newRow("nothing ticked")
            << QStringList{ QStringLiteral("clearCookies"), QStringLiteral("clearCache"),
                            QStringLiteral("clearVisitedLinks") }
            << false << Choice{};
}

void TestClearDataDialog::choices()
{
    QFETCH(QStringList, untick);
    QFETCH(bool, clearOffered);
    QFETCH(Choice, asked);
    ClearDataDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.clearButton()->isDefault());
    // On the tick box, at the row's start: the row is wider than its text.
    for (const QString &name : untick) {
        QCheckBox *box = dialog.findChild<QCheckBox *>(name);
        clickOn(box, QPoint(6, box->height() / 2));
    }
    QCOMPARE(dialog.clearButton()->isEnabled(), clearOffered);
    QSignalSpy requested(&dialog, &ClearDataDialog::clearRequested);
    // Enter presses the default button.
    pressKey(&dialog, Qt::Key_Return);
    QCOMPARE(requested.size(), clearOffered ? 1 : 0);
    if (clearOffered) {
        QCOMPARE(requested.first().first().value<Choice>(), asked);
        // One clearing at a time, until it has said how it went.
        QVERIFY(!dialog.clearButton()->isEnabled());
        dialog.showFinished();
        QVERIFY(dialog.clearButton()->isEnabled());
    }
}

QTEST_MAIN(TestClearDataDialog)
#include "tst_clear_data_dialog.moc"
