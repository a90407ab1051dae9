#pragma once

#include <QString>

#include <functional>

namespace bidwarden {

// Called before every tenth character so a long text keeps the interface alive.
using PendingEventsHook = std::function<void()>;

// Processes pending events except user input, so no second command can start
// while a text is being scrambled. Does nothing when there is no
// QCoreApplication.
void processPendingNonInputEvents();

// XOR of each character's code-page byte with one byte derived from the key's
// decimal digits. Applying it twice with the same key gives the text back.
//
// The scrambling byte starts at 128 and is XORed with the code of every
// character of QString::number(key) ("31752"; a negative key adds its "-"),
// so keys with the same digits in another order scramble alike. Every
// character is transformed the same way wherever it stands, commas and line
// ends included. Before the 10th, 20th, ... character the hook is called
// (an empty hook is skipped).
//
// A character outside the code page (see code_page.h) has no byte to
// scramble and is kept as it is; the dialogs refuse such characters before
// anything is stored, so this only keeps odd input from doing harm.
QString encryptDecrypt(const QString &text, qint16 key,
                       const PendingEventsHook &processEvents = processPendingNonInputEvents);

} // namespace bidwarden
