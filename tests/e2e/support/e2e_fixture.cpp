#include "e2e_fixture.h"

#include "address_box.h"
#include "browser_pane.h"
#include "main_window.h"
#include "settings_folder.h"
#include "stall_watchdog.h"
#include "web_engine_browser.h"
#include "web_engine_pane.h"

#include <QLabel>
#include <QStandardPaths>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace bidwarden::test {

ProgramUnderTest::ProgramUnderTest()
    : m_browser(std::make_unique<WebEngineBrowser>(QStringLiteral("bidwarden-test"), m_profile.path()))
{
    // Never a modal save dialog in a test.
    m_browser->setSaveLocationChooser([this](const QString &) { return m_downloadTarget; });
}

ProgramUnderTest::~ProgramUnderTest()
{
    // Panes go before the profile they were made on.
    m_window.reset();
    m_browser.reset();
}

MainWindow *ProgramUnderTest::open()
{
    const Endpoints endpoints{ m_peers.serviceUrl(), m_peers.auctionUrl() };
    WebEngineBrowser *browser = m_browser.get();
    m_window = std::make_unique<MainWindow>(endpoints, SettingsFolder(m_settings.path()),
                                            [browser](QWidget *parent) { return browser->createPane(parent); });
    m_auctionDocuments = 0;
    QObject::connect(m_window->auctionPane(), &BrowserPane::documentCompleted, m_window.get(),
                     [this] { ++m_auctionDocuments; });
    m_window->show();
    m_window->activateWindow();
    return m_window.get();
}

bool ProgramUnderTest::waitForStartPage()
{
    return QTest::qWaitFor([this] { return m_auctionDocuments > 0; }, 30000);
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

QString ProgramUnderTest::pageText(WebEnginePane *pane)
{
    QString text;
    bool done = false;
    pane->view()->page()->toPlainText([&](const QString &t) {
        text = t;
        done = true;
    });
    if (!QTest::qWaitFor([&done] { return done; }, 10000))
        qWarning("the page text did not arrive");
    return text;
}

int runEngineTest(QObject *test, int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    failOnOwnWarnings();
    StallWatchdog watchdog(std::chrono::seconds(120));
    return QTest::qExec(test, argc, argv);
}

} // namespace bidwarden::test
