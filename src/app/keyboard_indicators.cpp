#include "keyboard_indicators.h"

#include "keyboard_state.h"
#include "status_panels.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace bidwarden {

KeyboardIndicators::KeyboardIndicators(StatusPanels *panels, QWidget *window)
    : QObject(window)
    , m_panels(panels)
    , m_window(window)
{
    // Key events reach the focused child first; watch them application-wide
    // so the panels follow whatever has the focus.
    qApp->installEventFilter(this);
    refresh();
}

bool KeyboardIndicators::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        // One key press passes several receivers on its way up; count it at
        // the first, the widget with the focus (or the window without one).
        const auto *key = static_cast<QKeyEvent *>(event);
        QWidget *focus = QApplication::focusWidget();
        const bool firstReceiver = watched == focus || (!focus && watched == m_window);
        if (key->key() == Qt::Key_Insert && !key->isAutoRepeat() && firstReceiver
            && m_window->isActiveWindow())
            m_insertOn = !m_insertOn;
        refresh();
        break;
    }
    case QEvent::KeyRelease:
        refresh();
        break;
    case QEvent::WindowActivate:
        if (watched == m_window)
            refresh();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void KeyboardIndicators::refresh()
{
    const LockStates locks = readLockStates();
    m_panels->setKeyStates(locks.numLock, locks.capsLock, m_insertOn);
}

} // namespace bidwarden
