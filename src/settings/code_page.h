#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace bidwarden {

// The settings files and the service's forms use windows-1252: one byte per
// character. Every byte value decodes to exactly one character, and encoding
// that character gives the byte back.

// The bytes of the text, or nothing when a character has no byte.
std::optional<QByteArray> toCodePage(const QString &text);
QString fromCodePage(const QByteArray &bytes);
// True when every character of the text has a byte in the code page.
bool isRepresentable(const QString &text);
// The first character (a whole surrogate pair counts as one) that has no
// byte in the code page, or the empty text when there is none.
QString firstUnrepresentable(const QString &text);

} // namespace bidwarden
