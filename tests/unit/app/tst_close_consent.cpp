#include "close_consent.h"
#include "fake_pane.h"
#include "page_closer.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

// A page window's closer without the engine: agrees later, as the engine
// does, unless the test holds the answer and gives it with allowClose().
class FakePageCloser : public PageCloser
{
public:
    using PageCloser::PageCloser;

    void requestClose() override
    {
        ++asked;
        if (!holdsCloseAnswer)
            QTimer::singleShot(0, this, &PageCloser::closeAllowed);
    }
    void closeWithoutAsking() override { ++closedWithoutAsking; }
    void allowClose() { Q_EMIT closeAllowed(); }

    bool holdsCloseAnswer = false;
    int asked = 0;
    int closedWithoutAsking = 0;
};

// The page windows open now: the closers under owner, as the program's list
// of its page windows gives them.
PageWindowClosers closersUnder(QObject *owner)
{
    return [owner] { return owner->findChildren<PageCloser *>(); };
}

} // namespace

class TestCloseConsent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void waitsForEveryPageInOneAttempt_data();
    void waitsForEveryPageInOneAttempt();
    void agreeingWithoutAskingAsksNoPage();
    void pageWindowsAreAskedWithThePanes_data();
    void pageWindowsAreAskedWithThePanes();
    void aPageWindowGoneMeanwhileCompletesNothing();
    void pageWindowsCloseWithoutAskingOnceAgreed();
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

void TestCloseConsent::pageWindowsAreAskedWithThePanes_data()
{
    QTest::addColumn<bool>("paneHolds");
    QTest::addColumn<bool>("windowHolds");
    QTest::newRow("no page asks") << false << false;
    QTest::newRow("a page window asks") << false << true;
    QTest::newRow("a pane and a page window ask") << true << true;
}

void TestCloseConsent::pageWindowsAreAskedWithThePanes()
{
    // The page windows open under the window at each attempt, one of them a
    // window of another (opened from its page), are asked with the panes;
    // one whose user stays keeps the program open.
    QFETCH(bool, paneHolds);
    QFETCH(bool, windowHolds);
    QObject mainWindow;
    FakePane pane;
    pane.holdsCloseAnswer = paneHolds;
    CloseConsent consent({ &pane });
    consent.askAlsoPageWindows(closersUnder(&mainWindow));
    QSignalSpy agreed(&consent, &CloseConsent::allAgreed);
    auto *first = new FakePageCloser(&mainWindow);
    QObject pageWindow(&mainWindow);
    auto *opened = new FakePageCloser(&pageWindow);
    opened->holdsCloseAnswer = windowHolds;

    consent.ask();
    QCOMPARE(first->asked, 1);
    QCOMPARE(opened->asked, 1);
    if (!paneHolds && !windowHolds) {
        QTRY_COMPARE(agreed.size(), 1);
        return;
    }
    QTest::qWait(20);
    QVERIFY(agreed.isEmpty());
    // A window opened since is asked in the next attempt.
    auto *later = new FakePageCloser(&mainWindow);
    consent.ask();
    QCOMPARE(later->asked, 1);
    QCOMPARE(opened->asked, 2);
    QTest::qWait(20);
    if (paneHolds) {
        pane.allowClose();
        QTest::qWait(20);
        QVERIFY(agreed.isEmpty());
    }
    opened->allowClose();
    QTRY_COMPARE(agreed.size(), 1);
    QVERIFY(consent.agreed());
}

void TestCloseConsent::aPageWindowGoneMeanwhileCompletesNothing()
{
    // The user stayed in a page window, then closed it: the program does
    // not close long after by itself, and the next attempt goes through.
    QObject mainWindow;
    FakePane pane;
    CloseConsent consent({ &pane });
    consent.askAlsoPageWindows(closersUnder(&mainWindow));
    QSignalSpy agreed(&consent, &CloseConsent::allAgreed);
    QPointer<FakePageCloser> window = new FakePageCloser(&mainWindow);
    window->holdsCloseAnswer = true;
    consent.ask();
    QTRY_COMPARE(pane.calls.count(QStringLiteral("requestClose")), 1);
    QTest::qWait(20);
    delete window;
    QTest::qWait(20);
    QVERIFY(agreed.isEmpty());
    QVERIFY(!consent.agreed());
    consent.ask();
    QTRY_COMPARE(agreed.size(), 1);
}

void TestCloseConsent::pageWindowsCloseWithoutAskingOnceAgreed()
{
    QObject mainWindow;
    FakePane pane;
    CloseConsent consent({ &pane });
    consent.askAlsoPageWindows(closersUnder(&mainWindow));
    auto *first = new FakePageCloser(&mainWindow);
    QObject pageWindow(&mainWindow);
    auto *opened = new FakePageCloser(&pageWindow);
    consent.agreeWithoutAsking();
    consent.closePageWindows();
    QCOMPARE(first->closedWithoutAsking, 1);
    QCOMPARE(opened->closedWithoutAsking, 1);
    QCOMPARE(first->asked + opened->asked, 0);
    QVERIFY(pane.calls.isEmpty());
}

QTEST_MAIN(TestCloseConsent)
#include "tst_close_consent.moc"
