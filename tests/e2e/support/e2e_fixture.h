#pragma once

#include "demo_peers.h"

#include <QApplication>
#include <QTemporaryDir>

#include <memory>

namespace bidwarden {
class AddressBox;
class MainWindow;
class WebEngineBrowser;
class WebEnginePane;
} // namespace bidwarden

namespace bidwarden::test {

// The real program's window on the real engine, against the demo peers on
// loopback, with its settings in a folder of its own.
class ProgramUnderTest
{
public:
    ProgramUnderTest();
    ~ProgramUnderTest();

    QString settingsPath() const { return m_settings.path(); }
    bool startPeers() { return m_peers.start(); }
    DemoPeers &peers() { return m_peers; }

    // Creates and shows the main window; start-up runs as in the program.
    MainWindow *open();
    // Waits until the auction pane has completed its first document.
    bool waitForStartPage();
    MainWindow *window() const { return m_window.get(); }
    WebEnginePane *auctionPane() const;
    WebEngineBrowser *browser() const { return m_browser.get(); }
    // Where downloads are saved; the empty text (the default) cancels them.
    void setDownloadTarget(const QString &path) { m_downloadTarget = path; }
    WebEnginePane *servicePane() const;
    AddressBox *urlbox() const;
    QString pageStatus() const;
    // The plain text of the page a pane shows, read from the engine.
    static QString pageText(WebEnginePane *pane);

private:
    QTemporaryDir m_settings;
    QTemporaryDir m_profile;
    DemoPeers m_peers;
    std::unique_ptr<WebEngineBrowser> m_browser;
    std::unique_ptr<MainWindow> m_window;
    int m_auctionDocuments = 0;
    QString m_downloadTarget;
};

// The engine needs its context shared before the application exists.
int runEngineTest(QObject *test, int argc, char **argv);

} // namespace bidwarden::test

#define BIDWARDEN_ENGINE_TEST_MAIN(TestClass)                                  \
    int main(int argc, char *argv[])                                           \
    {                                                                          \
        TestClass test;                                                        \
        return bidwarden::test::runEngineTest(&test, argc, argv);              \
    }
