#pragma once

#include "endpoints.h"
#include "page_view.h"
#include "settings_folder.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

namespace bidwarden {

class BrowserProfile;
class MainWindow;
class PageWindowOpener;
class SessionEnd;
class WebEnginePane;

// The whole program on the engine, put together in one place: the profile,
// the page windows, the main window on them, what connects them, and the
// session's end. The program's main(), the end-to-end tests and the
// benchmarks all build it here, so what they run is wired alike.
class Program
{
public:
    struct Options
    {
        Endpoints endpoints = {};
        SettingsFolder settings = {};
        // The engine's profile: its storage name, and its folder (empty: the
        // engine's default place for the name).
        QString profileName = QStringLiteral("bidwarden");
        QString profilePath = {};
        // Where the panes' pages open their new windows; empty: the
        // program's page windows.
        PageWindowFactory openPageWindow = {};
        // Told of each pane as it is made, before its first page loads.
        std::function<void(WebEnginePane *)> paneMade = {};
        // The window deletes itself when it closes: Exit unloads it and its
        // panes while a dialog still open keeps the program running.
        bool windowDeletesItselfOnClose = false;
    };

    explicit Program(Options options);
    // The window and its panes go before the page windows and the profile
    // they were made with.
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // Shows the window, then catches the session's end (Exit without
    // questions). Not before: what the engine sets up for itself as it
    // starts would replace it.
    void show();

    // Null once a window that deletes itself has closed.
    MainWindow *window() const;
    BrowserProfile *profile() const { return m_profile.get(); }
    PageWindowOpener *windowOpener() const { return m_windowOpener.get(); }

private:
    void connectWindow();

    // Declared first so that they outlive every pane and page window made
    // with them.
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<PageWindowOpener> m_windowOpener;
    // Owned here, unless it deletes itself on close; either way deleted
    // first (see ~Program()).
    QPointer<MainWindow> m_window;
    std::unique_ptr<SessionEnd> m_sessionEnd;
};

} // namespace bidwarden
