#include "close_consent.h"
#include "fake_pane.h"

#include <QSignalSpy>
#include <QTest>

using namespace bidwarden;
using namespace bidwarden::test;

class TestCloseConsent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void waitsForEveryPageInOneAttempt_data();
    void waitsForEveryPageInOneAttempt();
    void agreeingWithoutAskingAsksNoPage();
};

void TestCloseConsent::waitsForEveryPageInOneAttempt_data()
{
    QTest::addColumn<bool>("firstHolds");
    QTest::addColumn<bool>("secondHolds");
    QTest::newRow("neither page asks") << false << false;
    QTest::newRow("one page asks") << true << false;
    QTest::newRow("both pages ask") << true << true;
}

void TestCloseConsent::waitsForEveryPageInOneAttempt()
{
    // Each page may ask before the window closes (text typed and not sent):
    // consent comes once every page has agreed; a page whose user stays says
    // nothing, and the next attempt asks every page again.
    QFETCH(bool, firstHolds);
    QFETCH(bool, secondHolds);
    FakePane first;
    FakePane second;
    first.holdsCloseAnswer = firstHolds;
    second.holdsCloseAnswer = secondHolds;
    CloseConsent consent({ &first, &second });
    QSignalSpy agreed(&consent, &CloseConsent::allAgreed);

    consent.ask();
    QCOMPARE(first.calls.count(QStringLiteral("requestClose")), 1);
    QCOMPARE(second.calls.count(QStringLiteral("requestClose")), 1);
    if (!firstHolds && !secondHolds) {
        QTRY_COMPARE(agreed.size(), 1);
        QVERIFY(consent.agreed());
        return;
    }
    QTest::qWait(20);
    QVERIFY(agreed.isEmpty());
    QVERIFY(!consent.agreed());

    // The user stayed; a second attempt asks both again.
    consent.ask();
    QCOMPARE(first.calls.count(QStringLiteral("requestClose")), 2);
    QCOMPARE(second.calls.count(QStringLiteral("requestClose")), 2);
    first.allowClose();
    if (secondHolds) {
        QTest::qWait(20);
        QVERIFY(agreed.isEmpty());
        second.allowClose();
    }
    QTRY_COMPARE(agreed.size(), 1);
    QVERIFY(consent.agreed());
    // A page agreeing twice changes nothing more.
    first.allowClose();
    QCOMPARE(agreed.size(), 1);
}

void TestCloseConsent::agreeingWithoutAskingAsksNoPage()
{
    FakePane pane;
    CloseConsent consent({ &pane });
    consent.agreeWithoutAsking();
    QVERIFY(consent.agreed());
    QVERIFY(pane.calls.isEmpty());
}

QTEST_MAIN(TestCloseConsent)
#include "tst_close_consent.moc"
