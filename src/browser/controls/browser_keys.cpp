#include "browser_keys.h"

#include <QAction>
#include <QCoreApplication>

namespace bidwarden {

namespace {

struct KeyDefinition
{
    BrowserKey command;
    const char *description;
    QList<QKeySequence> keys;
};

// The keys desktop browsers share; Ctrl+= is Ctrl+Plus without Shift on
// most keyboards. Ctrl+Shift+Tab from a keyboard under X is matched as Qt's
// key mapping offers it, Ctrl+Shift+Tab (the key's base symbol with the
// modifiers held) or Ctrl+Backtab, never as the event's own
// Ctrl+Shift+Backtab; an event with no key code (the engine's page hands an
// unused key back so) is matched as it is, Ctrl+Shift+Backtab.
const QList<KeyDefinition> &keyTable()
{
    static const QList<KeyDefinition> table{
        { BrowserKey::Back, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Back"),
          { QKeySequence(Qt::ALT | Qt::Key_Left) } },
        { BrowserKey::Forward, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Forward"),
          { QKeySequence(Qt::ALT | Qt::Key_Right) } },
        { BrowserKey::Reload, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Refresh"),
          { QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R) } },
        { BrowserKey::StopLoading, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Stop loading"),
          { QKeySequence(Qt::Key_Escape) } },
        { BrowserKey::FocusAddress, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Go to the address box"),
          { QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_F6), QKeySequence(Qt::ALT | Qt::Key_D) } },
        { BrowserKey::ZoomIn, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Zoom in"),
          { QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal) } },
        { BrowserKey::ZoomOut, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Zoom out"),
          { QKeySequence(Qt::CTRL | Qt::Key_Minus) } },
        { BrowserKey::ZoomReset, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Actual size"),
          { QKeySequence(Qt::CTRL | Qt::Key_0) } },
        { BrowserKey::Find, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Find in page"),
          { QKeySequence(Qt::CTRL | Qt::Key_F) } },
        { BrowserKey::FindNext, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Find next"),
          { QKeySequence(Qt::Key_F3) } },
        { BrowserKey::FindPrevious, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Find previous"),
          { QKeySequence(Qt::SHIFT | Qt::Key_F3) } },
        { BrowserKey::FullScreen, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Full screen"),
          { QKeySequence(Qt::Key_F11) } },
        { BrowserKey::CloseWindow, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Close the window"),
          { QKeySequence(Qt::CTRL | Qt::Key_W) } },
        { BrowserKey::NextTab, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Next tab"),
          { QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown) } },
        { BrowserKey::PreviousTab, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Previous tab"),
          { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
            QKeySequence(Qt::CTRL | Qt::Key_PageUp) } },
        { BrowserKey::SavePage, QT_TRANSLATE_NOOP("bidwarden::BrowserKeys", "Save the page"),
          { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) } },
    };
    return table;
}

const KeyDefinition *definition(BrowserKey command)
{
    for (const KeyDefinition &entry : keyTable()) {
        if (entry.command == command)
            return &entry;
    }
    return nullptr;
}

} // namespace

QList<QKeySequence> keysFor(BrowserKey command)
{
    const KeyDefinition *entry = definition(command);
    return entry ? entry->keys : QList<QKeySequence>();
}

QString keyDescription(BrowserKey command)
{
    const KeyDefinition *entry = definition(command);
    return entry ? QCoreApplication::translate("bidwarden::BrowserKeys", entry->description) : QString();
}

QAction *makeKeyAction(QObject *owner, BrowserKey command, const char *objectName)
{
    auto *action = new QAction(keyDescription(command), owner);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setShortcuts(keysFor(command));
    return action;
}

} // namespace bidwarden
