#include "e2e_fixture.h"

#include "address_box.h"
#include "browser_pane.h"
#include "browser_profile.h"
#include "main_window.h"
#include "page_window_opener.h"
#include "program_setup.h"
#include "renderer_choice.h"
#include "settings_folder.h"
#include "stall_watchdog.h"
#include "user_input.h"
#include "web_engine_pane.h"

#include <QLabel>
#include <QLineEdit>
#include <QMutex>
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
    : m_profile(std::make_unique<BrowserProfile>(QStringLiteral("bidwarden-test"), m_profileFolder.path()))
    , m_windowOpener(std::make_unique<PageWindowOpener>(m_profile.get()))
    , m_openPageWindow(m_windowOpener->factory())
{
    // Here, not before QTest::qExec(), which installs its own handler and
    // would put this one out of the chain.
    static const bool watching = (failOnOwnWarnings(), true);
    Q_UNUSED(watching);
    // Never a modal save dialog in a test.
    m_profile->setSaveLocationChooser([this](const QString &suggested) {
        m_offeredDownloadPath = suggested;
        return m_downloadTarget;
    });
}

ProgramUnderTest::~ProgramUnderTest()
{
    // Panes go before the profile they were made on.
    m_window.reset();
    m_windowOpener.reset();
    m_profile.reset();
}

MainWindow *ProgramUnderTest::open()
{
    const Endpoints endpoints{ m_peers.serviceUrl(), m_peers.auctionUrl() };
    m_finishedLoads.clear();
    // Before the window exists, so no load of start-up is missed.
    const PaneFactory makePane = [this](QWidget *parent) {
        auto *pane = new WebEnginePane(m_profile.get(), m_openPageWindow, parent);
        QObject::connect(pane, &BrowserPane::loadFinished, pane,
                         [this, pane] { m_finishedLoads[pane] << pane->locationUrl(); });
        return pane;
    };
    m_window = std::make_unique<MainWindow>(endpoints, SettingsFolder(m_settings.path()), makePane);
    // As main() wires them: Snipe in a page window.
    QObject::connect(m_windowOpener.get(), &PageWindowOpener::snipeRequested, m_window.get(), &MainWindow::snipeAddress);
    m_window->show();
    return m_window.get();
}

bool ProgramUnderTest::activate()
{
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return QTest::qWaitForWindowActive(m_window.get(), engineTimeoutMs);
}

WebEnginePane *ProgramUnderTest::auctionPane() const
{
    return static_cast<WebEnginePane *>(m_window->auctionPane());
}

WebEnginePane *ProgramUnderTest::servicePane() const
{
    return static_cast<WebEnginePane *>(m_window->servicePane());
}

AddressBox *ProgramUnderTest::urlbox() const
{
    return m_window->findChild<AddressBox *>(QStringLiteral("Urlbox"));
}

QString ProgramUnderTest::pageStatus() const
{
    return m_window->findChild<QLabel *>(QStringLiteral("pageStatus"))->text();
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
    pressKey(m_window.get(), key, modifiers);
}

void ProgramUnderTest::pressOnTheKeyboard(const QString &keys)
{
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), { QStringLiteral("key"), keys }), 0);
}

void ProgramUnderTest::type(const QString &text)
{
    typeText(m_window.get(), text);
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
