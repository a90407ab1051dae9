#include "dialog_host.h"
#include "fake_pane.h"
#include "main_window.h"
#include "session_end.h"

#include <QApplication>
#include <QDir>
#include <QHash>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <memory>

using namespace bidwarden;
using namespace bidwarden::test;

namespace {

extern "C" void someonesHandler(int) {}

using Handler = void (*)(int);

Handler dispositionOf(int number)
{
    struct sigaction current = {};
    sigaction(number, nullptr, &current);
    return current.sa_handler;
}

void setDisposition(int number, Handler handler)
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(number, &action, nullptr);
}

} // namespace

class TestSessionEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void signalReachesTheLoopOnce_data();
    void signalReachesTheLoopOnce();
    void dispositionsFoundAreKept_data();
    void dispositionsFoundAreKept();
    void windowEndsWithoutAskingOrSaving();

private:
    // What the test framework has set (it catches SIGTERM and SIGINT itself).
    QHash<int, Handler> m_found;
};

void TestSessionEnd::initTestCase()
{
    for (const int number : { SIGTERM, SIGHUP, SIGINT })
        m_found.insert(number, dispositionOf(number));
}

void TestSessionEnd::signalReachesTheLoopOnce_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("the session ends (SIGTERM)") << int(SIGTERM);
    QTest::newRow("the terminal closes (SIGHUP)") << int(SIGHUP);
    QTest::newRow("Ctrl+C (SIGINT)") << int(SIGINT);
}

void TestSessionEnd::signalReachesTheLoopOnce()
{
    QFETCH(int, number);
    SessionEnd end;
    QVERIFY(end.isWatching());
    QSignalSpy ending(&end, &SessionEnd::ending);
    QVERIFY(::raise(number) == 0);
    QTRY_COMPARE(ending.count(), 1);
    QCOMPARE(ending.at(0).at(0).toInt(), number);
    // After the first, each goes where it went before (in the program: it
    // ends it at once).
    for (const int other : { SIGTERM, SIGHUP, SIGINT })
        QVERIFY(dispositionOf(other) == m_found.value(other));
}

void TestSessionEnd::dispositionsFoundAreKept_data()
{
    QTest::addColumn<quintptr>("found");
    QTest::newRow("ignored, as under nohup") << quintptr(SIG_IGN);
    QTest::newRow("someone's handler") << quintptr(&someonesHandler);
}

void TestSessionEnd::dispositionsFoundAreKept()
{
    QFETCH(quintptr, found);
    const auto handler = reinterpret_cast<Handler>(found);
    setDisposition(SIGHUP, handler);
    {
        SessionEnd end;
        // An ignored signal is not caught; a handler is, for the while.
        QCOMPARE(dispositionOf(SIGHUP) == handler, handler == SIG_IGN);
        QVERIFY(dispositionOf(SIGTERM) != m_found.value(SIGTERM));
    }
    QVERIFY(dispositionOf(SIGHUP) == handler);
    QVERIFY(dispositionOf(SIGTERM) == m_found.value(SIGTERM));
    setDisposition(SIGHUP, m_found.value(SIGHUP));
}

void TestSessionEnd::windowEndsWithoutAskingOrSaving()
{
    QTemporaryDir dir;
    const Endpoints endpoints{ QStringLiteral("http://service.test"), QStringLiteral("http://auction.test/") };
    MainWindow window(endpoints, SettingsFolder(dir.path()), [](QWidget *parent) { return new FakePane(parent); });
    auto *auction = static_cast<FakePane *>(window.auctionPane());
    auto *service = static_cast<FakePane *>(window.servicePane());
    // Asked, these pages would never agree: the window would stay.
    auction->holdsCloseAnswer = true;
    service->holdsCloseAnswer = true;
    window.show();
    // Both dialogs open, something typed and not saved.
    window.dialogs()->showStorePassword();
    window.dialogs()->showSetHomepage();
    const QPointer<QWidget> storePassword = window.dialogs()->storePasswordDialog();
    const QPointer<QWidget> setHomepage = window.dialogs()->setHomepageDialog();
    storePassword->findChild<QLineEdit *>(QStringLiteral("userTxt"))->setText(QStringLiteral("jo"));
    setHomepage->findChild<QLineEdit *>(QStringLiteral("homepageTxt"))->setText(QStringLiteral("http://mine.test/"));

    // As main() connects them.
    SessionEnd end;
    connect(&end, &SessionEnd::ending, &window, &MainWindow::closeWithoutAsking);
    QVERIFY(::raise(SIGTERM) == 0);

    QTRY_VERIFY(!window.isVisible());
    QVERIFY(!auction->calls.contains(QStringLiteral("requestClose")));
    QVERIFY(!service->calls.contains(QStringLiteral("requestClose")));
    QTRY_VERIFY(storePassword.isNull() && setHomepage.isNull());
    // Nothing is left open to keep the program running, and nothing was saved.
    const QWidgetList windows = QApplication::topLevelWidgets();
    QVERIFY(std::none_of(windows.begin(), windows.end(), [](const QWidget *w) { return w->isVisible(); }));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

QTEST_MAIN(TestSessionEnd)
#include "tst_session_end.moc"
