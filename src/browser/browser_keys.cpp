#include "browser_keys.h"

namespace bidwarden {

QList<QKeySequence> keysFor(BrowserKey command)
{
    switch (command) {
    case BrowserKey::ZoomIn:
        // Ctrl+= is Ctrl+Plus without Shift on most keyboards.
        return { QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal) };
    case BrowserKey::ZoomOut:
        return { QKeySequence(Qt::CTRL | Qt::Key_Minus) };
    case BrowserKey::ZoomReset:
        return { QKeySequence(Qt::CTRL | Qt::Key_0) };
    case BrowserKey::Find:
        return { QKeySequence(Qt::CTRL | Qt::Key_F) };
    case BrowserKey::FindNext:
        return { QKeySequence(Qt::Key_F3) };
    case BrowserKey::FindPrevious:
        return { QKeySequence(Qt::SHIFT | Qt::Key_F3) };
    }
    return {};
}

} // namespace bidwarden
