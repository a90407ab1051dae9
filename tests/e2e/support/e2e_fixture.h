#pragma once

#include "demo_peers.h"
#include "page_view.h"

#include <QApplication>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>

namespace bidwarden {
class AddressBox;
class BrowserProfile;
class MainWindow;
class Program;
class WebEnginePane;
} // namespace bidwarden

namespace bidwarden::test {

// How long a test waits for the engine or the peers before it gives up: long
// enough for a slow machine running other tests, short of the suite's timeout.
inline constexpr int engineTimeoutMs = 30000;

// The body a snipe of this address posts: the value form-encoded as the
// service's forms expect, worked out here rather than by the program's code.
QByteArray snipePostBody(const QString &address);

// The real program (Program, as main() builds it) on the real engine, against
// the demo peers on loopback, with its settings and its profile in folders of
// their own.
class ProgramUnderTest
{
public:
    ProgramUnderTest();
    ~ProgramUnderTest();

    QString settingsPath() const { return m_settings.path(); }
    // delays: "site:path=ms" rules that hold the peers' answers back.
    bool startPeers(const QStringList &delays = {}) { return m_peers.start(delays); }
    DemoPeers &peers() { return m_peers; }

    // Builds the program and shows its window; start-up runs as in the
    // program.
    MainWindow *open();
    // Shown, active and with the focus, as when the user works in it: what
    // shortcuts (Ctrl+S) and the keyboard need.
    bool activate();
    MainWindow *window() const;
    WebEnginePane *auctionPane() const;
    WebEnginePane *servicePane() const;
    AddressBox *urlbox() const;
    QString pageStatus() const;
    // The program's profile, from open() on.
    BrowserProfile *profile() const;
    // Where the panes' pages open their new windows, from the next open()
    // on: the program's page windows unless a test stands its own in.
    void setPageWindowFactory(PageWindowFactory factory) { m_openPageWindow = std::move(factory); }

    // Waits until a load of the pane has finished whose page, when it did,
    // had this address (any address when empty), and forgets the loads
    // until then; so a second wait for the same address waits for another.
    bool waitForLoadFinished(WebEnginePane *pane, const QString &address = QString());
    // Waits until the auction pane has finished its first page.
    bool waitForStartPage() { return waitForLoadFinished(auctionPane()); }
    // Loads the address in the pane from code and waits for it.
    bool load(WebEnginePane *pane, const QString &address);

    // What the user does, through the window.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    void type(const QString &text);
    // Keys pressed on the test display's keyboard, through its X server
    // (XTest, as xdotool names them: "ctrl+shift+Tab"): they arrive as a
    // real keyboard's do, through Qt's own key mapping. The window must be
    // active.
    void pressOnTheKeyboard(const QString &keys);
    // Clicks into the address box, selects its text and types over it.
    void typeIntoTheAddressBox(const QString &text);

    // Where downloads are saved; the empty text (the default) cancels them.
    void setDownloadTarget(const QString &path) { m_downloadTarget = path; }
    // Where the program offered to save the latest download.
    QString offeredDownloadPath() const { return m_offeredDownloadPath; }

    // The plain text of the page a pane shows, read from the engine.
    static QString pageText(WebEnginePane *pane);

private:
    QTemporaryDir m_settings;
    QTemporaryDir m_profileFolder;
    DemoPeers m_peers;
    // Empty: the program's page windows.
    PageWindowFactory m_openPageWindow;
    std::unique_ptr<Program> m_program;
    QHash<WebEnginePane *, QStringList> m_finishedLoads;
    QString m_downloadTarget;
    QString m_offeredDownloadPath;
};

// Whether the page a view shows has the keyboard focus (the engine's widget
// inside the view takes it, where there is one).
bool pageHasFocus(const QWidget *view);

// A warning of ours (a "bidwarden.*" category) fails the test unless the
// test said it would come; the engine's own chatter is let through.
void failOnOwnWarnings();
void expectOwnWarning(const QRegularExpression &pattern);
// True when every expected warning has come; forgets the expectations.
bool expectedWarningsSeen();

// The engine needs its context shared before the application exists.
int runEngineTest(QObject *test, int argc, char **argv);

} // namespace bidwarden::test

#define BIDWARDEN_ENGINE_TEST_MAIN(TestClass)                                  \
    int main(int argc, char *argv[])                                           \
    {                                                                          \
        TestClass test;                                                        \
        return bidwarden::test::runEngineTest(&test, argc, argv);              \
    }
