#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

QT_BEGIN_NAMESPACE
class QAction;
class QObject;
QT_END_NAMESPACE

namespace bidwarden {

// Every key a window holding a page answers as a browser does, in one
// table: the main window binds them to its commands on the pane in front,
// a page window to its own page.
enum class BrowserKey {
    Back,         // Alt+Left
    Forward,      // Alt+Right
    Reload,       // F5, Ctrl+R
    StopLoading,  // Esc
    FocusAddress, // Ctrl+L, F6, Alt+D
    ZoomIn,       // Ctrl+Plus, Ctrl+=
    ZoomOut,      // Ctrl+Minus
    ZoomReset,    // Ctrl+0
    Find,         // Ctrl+F
    FindNext,     // F3
    FindPrevious, // Shift+F3
    FullScreen,   // F11
    CloseWindow,  // Ctrl+W
    NextTab,      // Ctrl+Tab, Ctrl+PageDown
    PreviousTab,  // Ctrl+Shift+Tab, Ctrl+PageUp
    SavePage,     // Ctrl+Shift+S
};

// The keys of a command, the first one the key menus show.
QList<QKeySequence> keysFor(BrowserKey command);

// What the command does, as a key list or an accessibility tool names it.
QString keyDescription(BrowserKey command);

// An action owned by `owner` with the command's keys and description, named
// `objectName` so tests find it. The caller connects it and adds it where
// its keys should work.
QAction *makeKeyAction(QObject *owner, BrowserKey command, const char *objectName);

} // namespace bidwarden
