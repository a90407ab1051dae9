#include "window_forward.h"

#include <QWidget>

namespace bidwarden {

void bringForward(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace bidwarden
