#pragma once

#include <QString>

#include <functional>

namespace bidwarden {

// Called before every tenth character so a long text keeps the interface alive.
using PendingEventsHook = std::function<void()>;

// Processes pending events except user input, so no second command can start
// while a text is being scrambled.
void processPendingNonInputEvents();

// XOR of each character's code-page byte with one byte derived from the key's
// decimal digits. Applying it twice with the same key gives the text back.
QString encryptDecrypt(const QString &text, qint16 key,
                       const PendingEventsHook &processEvents = processPendingNonInputEvents);

} // namespace bidwarden
