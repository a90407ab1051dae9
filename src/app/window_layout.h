#pragma once

#include <QRect>
#include <QSize>

QT_BEGIN_NAMESPACE
class QLabel;
class QToolBar;
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

// The controls of the main window's client area that the layout places.
struct WindowControls
{
    QToolBar *auctionToolbar = nullptr;
    QToolBar *serviceToolbar = nullptr;
    QWidget *tabStrip = nullptr;
    QWidget *addressLabelBox = nullptr;
    QLabel *addressLabel = nullptr;
    QWidget *addressBox = nullptr;
    QWidget *auctionPane = nullptr;
    QWidget *servicePane = nullptr;
};

// Where the main window's controls stand, in twips converted at the
// window's logical resolution: their designed places, the places start-up
// moves them to, and the sizes that follow the window (layout_rules.h).
class WindowLayout
{
public:
    WindowLayout(QWidget *window, const WindowControls &controls);

    // The designed places, with the address label grown to its text.
    void placeControls();
    // Start-up puts both toolbars and both panes in one place, the address
    // box beside its label.
    void moveToStartPositions();
    // The first window: the designed client area below the menu bar, as
    // much of it as the screen has room for, and on the screen.
    void placeFirstWindow(int menuBarHeight);
    // After a resize of the window.
    void followWindowSize();

    int px(int twips) const;

private:
    QRect px(const QRect &twips) const;
    void placeToolbar(QToolBar *toolbar, const QRect &twips) const;
    void fitAddressLabel();

    QWidget *m_window = nullptr;
    WindowControls m_controls;
    // How far the address box starts right of its place, to clear a label
    // that the desktop's font made wider than the layout allows.
    int m_addressBoxShift = 0;
};

} // namespace bidwarden
