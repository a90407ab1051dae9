#pragma once

#include <QObject>

namespace bidwarden {

// What the main window asks of a window of its own that holds a page (a page
// window) when the program closes: the page may ask the user first, as the
// panes' pages do, and once every page has agreed the window goes without
// asking again. The window holds its closer as a child, where the main
// window finds it among its own children. Without the engine, so that the
// main window and its tests build on it.
class PageCloser : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The program is closing: the page may ask the user first (text typed
    // and not sent). closeAllowed() follows once it may go, never inside
    // this call; nothing, when the user chose to stay. The window stays open
    // either way.
    virtual void requestClose() = 0;
    // Closes the window and its page, asking nothing.
    virtual void closeWithoutAsking() = 0;

Q_SIGNALS:
    void closeAllowed();
};

} // namespace bidwarden
