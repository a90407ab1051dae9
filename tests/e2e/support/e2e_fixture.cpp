#include "e2e_fixture.h"

#include "address_box.h"
#include "browser_pane.h"
#include "browser_profile.h"
#include "main_window.h"
#include "program.h"
#include "program_setup.h"
#include "renderer_choice.h"
#include "settings_folder.h"
#include "stall_watchdog.h"
#include "user_input.h"
#include "web_engine_pane.h"

#include <QLabel>
#include <QLineEdit>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace bidwarden::test {

QByteArray snipePostBody(const QString &address)
{
    return QByteArray("AuctionURL=") + QUrl::toPercentEncoding(address, "*-._");
}

ProgramUnderTest::ProgramUnderTest()
{
    // Here, not before QTest::qExec(), which installs its own handler and
    // would put this one out of the chain.
    static const bool watching = (failOnOwnWarnings(), true);
    Q_UNUSED(watching);
}

ProgramUnderTest::~ProgramUnderTest()
{
    // Before the loads its panes report to.
    m_program.reset();
}

MainWindow *ProgramUnderTest::open()
{
    // One program at a time: the last one's profile and session's end go first.
    m_program.reset();
    m_finishedLoads.clear();
    Program::Options options;
    options.endpoints = { m_peers.serviceUrl(), m_peers.auctionUrl() };
    options.settings = SettingsFolder(m_settings.path());
    options.profileName = QStringLiteral("bidwarden-test");
    options.profilePath = m_profileFolder.path();
    options.openPageWindow = m_openPageWindow;
    // As each pane is made, so no load of start-up is missed.
    options.paneMade = [this](WebEnginePane *pane) {
        QObject::connect(pane, &BrowserPane::loadFinished, pane,
                         [this, pane] { m_finishedLoads[pane] << pane->locationUrl(); });
    };
    m_program = std::make_unique<Program>(std::move(options));
    // Never a modal save dialog in a test.
    m_program->profile()->setSaveLocationChooser([this](const QString &suggested) {
        m_offeredDownloadPath = suggested;
        return m_downloadTarget;
    });
    m_program->show();
    return m_program->window();
}

MainWindow *ProgramUnderTest::window() const
{
    return m_program ? m_program->window() : nullptr;
}

BrowserProfile *ProgramUnderTest::profile() const
{
    return m_program ? m_program->profile() : nullptr;
}

bool ProgramUnderTest::activate()
{
    MainWindow *shown = window();
    shown->show();
    shown->raise();
    shown->activateWindow();
    return QTest::qWaitForWindowActive(shown, engineTimeoutMs);
}

WebEnginePane *ProgramUnderTest::auctionPane() const
{
    return static_cast<WebEnginePane *>(window()->auctionPane());
}

WebEnginePane *ProgramUnderTest::servicePane() const
{
    return static_cast<WebEnginePane *>(window()->servicePane());
}

AddressBox *ProgramUnderTest::urlbox() const
{
    return window()->findChild<AddressBox *>(QStringLiteral("Urlbox"));
}

QString ProgramUnderTest::pageStatus() const
{
    return window()->findChild<QLabel *>(QStringLiteral("pageStatus"))->text();
}

bool ProgramUnderTest::waitForLoadFinished(WebEnginePane *pane, const QString &address)
{
    const auto found = [this, pane, &address] {
        const QStringList &loads = m_finishedLoads[pane];
        return address.isEmpty() ? qsizetype(loads.isEmpty() ? -1 : 0) : loads.indexOf(address);
    };
    if (!QTest::qWaitFor([&] { return found() >= 0; }, engineTimeoutMs))
        return false;
    m_finishedLoads[pane].remove(0, found() + 1);
    return true;
}

bool ProgramUnderTest::load(WebEnginePane *pane, const QString &address)
{
    m_finishedLoads[pane].clear();
    pane->navigate(address);
    return waitForLoadFinished(pane, address);
}

void ProgramUnderTest::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    pressKey(window(), key, modifiers);
}

void ProgramUnderTest::pressOnTheKeyboard(const QString &keys)
{
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), { QStringLiteral("key"), keys }), 0);
}

void ProgramUnderTest::type(const QString &text)
{
    typeText(window(), text);
}

void ProgramUnderTest::typeIntoTheAddressBox(const QString &text)
{
    clickOn(urlbox()->lineEdit());
    press(Qt::Key_A, Qt::ControlModifier);
    type(text);
}

QString ProgramUnderTest::pageText(WebEnginePane *pane)
{
    QString text;
    bool done = false;
    pane->view()->page()->toPlainText([&](const QString &t) {
        text = t;
        done = true;
    });
    if (!QTest::qWaitFor([&done] { return done; }, engineTimeoutMs))
        qInfo("the page text did not arrive");
    return text;
}

namespace {

QtMessageHandler previousHandler = nullptr;
QMutex expectedMutex;
QList<QRegularExpression> expectedWarnings;

bool consumeExpected(const QString &message)
{
    QMutexLocker lock(&expectedMutex);
    for (qsizetype i = 0; i < expectedWarnings.size(); ++i) {
        if (expectedWarnings.at(i).match(message).hasMatch()) {
            expectedWarnings.removeAt(i);
            return true;
        }
    }
    return false;
}

void failingHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    previousHandler(type, context, message);
    // Our code logs under the "bidwarden.*" categories only.
    const bool ours = context.category && QByteArray(context.category).startsWith("bidwarden.");
    if (ours && type >= QtWarningMsg && !consumeExpected(message))
        QFAIL(qPrintable(QStringLiteral("unexpected warning of ours: ") + message));
}

} // namespace

void failOnOwnWarnings()
{
    previousHandler = qInstallMessageHandler(failingHandler);
}

void expectOwnWarning(const QRegularExpression &pattern)
{
    QMutexLocker lock(&expectedMutex);
    expectedWarnings.append(pattern);
}

bool expectedWarningsSeen()
{
    QMutexLocker lock(&expectedMutex);
    const bool seen = expectedWarnings.isEmpty();
    expectedWarnings.clear();
    return seen;
}

bool pageHasFocus(const QWidget *view)
{
    return view->focusProxy() ? view->focusProxy()->hasFocus() : view->hasFocus();
}

int runEngineTest(QObject *test, int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    setUpApplication();
    // As the program chooses; the suite runs again with the default path
    // forced through QT_QUICK_BACKEND.
    chooseRenderer();
    StallWatchdog watchdog(std::chrono::seconds(120));
    return QTest::qExec(test, argc, argv);
}

} // namespace bidwarden::test
