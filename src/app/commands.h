#pragma once

#include <QAction>
#include <QList>

namespace bidwarden {

// Snipe, as the menu, the toolbar and each page window offer it: the
// caption, picture, tooltip and Ctrl+S.
QAction *makeSnipeAction(QObject *owner, const char *objectName);

// One action per command, shared by the menu bar and both toolbars. A
// toolbar command's key ("back", "snipe", …) is the action's data().
struct Commands
{
    explicit Commands(QObject *owner);

    QAction *savePageAs = nullptr; // Ctrl+Shift+S, the page in front
    QAction *print = nullptr;
    QAction *exit = nullptr;
    QAction *back = nullptr;
    QAction *forward = nullptr;
    QAction *stop = nullptr;
    QAction *refresh = nullptr;
    QAction *auctionHome = nullptr;
    QAction *serviceHome = nullptr;
    QAction *snipe = nullptr;
    QAction *setHomepage = nullptr;
    QAction *storePassword = nullptr;
    QAction *clearBrowsingData = nullptr; // Ctrl+Shift+Delete
    QAction *downloads = nullptr; // Ctrl+J, the Downloads window
    QAction *help = nullptr;
    QAction *serviceFaq = nullptr;
    QAction *about = nullptr;

    // A browser's keys without a menu item of their own, acting on the pane
    // in front (Back, Forward and Refresh carry theirs), from the one key
    // table (browser_keys.h).
    QAction *stopLoading = nullptr;  // Esc, enabled while the pane in front loads
    QAction *focusAddress = nullptr; // Ctrl+L, F6, Alt+D
    QAction *zoomIn = nullptr;       // Ctrl+Plus (and Ctrl+=)
    QAction *zoomOut = nullptr;      // Ctrl+Minus
    QAction *zoomReset = nullptr;    // Ctrl+0
    QAction *find = nullptr;         // Ctrl+F, the find bar over the pane in front
    QAction *findNext = nullptr;     // F3
    QAction *findPrevious = nullptr; // Shift+F3
    QAction *fullScreen = nullptr;   // F11
    QAction *nextTab = nullptr;      // Ctrl+Tab, Ctrl+PageDown
    QAction *previousTab = nullptr;  // Ctrl+Shift+Tab, Ctrl+PageUp
    QList<QAction *> browserKeys() const;

    // The buttons of the auction pane's and the service pane's toolbars, in
    // order; nullptr stands for the separator.
    QList<QAction *> auctionToolbar() const;
    QList<QAction *> serviceToolbar() const;
};

} // namespace bidwarden
