#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace bidwarden {

// The settings files and the service's forms use windows-1252: one byte per
// character. Every byte value decodes to exactly one character, and encoding
// that character gives the byte back. The five bytes windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the C1 control character
// of the same value (U+0081 ...); every other byte below 0x80 or from 0xA0 on
// is the Latin-1 character of that value.

// The bytes of the text, or nothing when a character has no byte (never a
// substitute such as "?"). A character is one UTF-16 code unit here, so a
// character outside the Basic Multilingual Plane and a lone surrogate have no
// byte either.
std::optional<QByteArray> toCodePage(const QString &text);
QString fromCodePage(const QByteArray &bytes);
// One character's byte, or nothing: the answer toCodePage() gives for the
// one-character text, without a converter. Whichever converter is in use gives
// a byte to exactly the 256 characters of the built-in table (see below), so
// the table answers for it; character by character that is far cheaper.
std::optional<char> toCodePageByte(QChar c);
QChar fromCodePageByte(char byte);
// True when every character of the text has a byte in the code page.
bool isRepresentable(const QString &text);
// The first character (a whole surrogate pair counts as one) that has no
// byte in the code page, or the empty text when there is none.
QString firstUnrepresentable(const QString &text);

// Which converter does the work. The system's ICU converter for
// "windows-1252" is used when this Qt build has one and it decodes all 256
// byte values exactly as described above (which makes it round-trip every
// byte); otherwise the built-in table is. Both give the same results; the
// check runs once, on first use.
enum class CodePageConverter { Icu, BuiltInTable };

// The 256 byte values in order: what the converters are checked against.
QByteArray everyByte();
CodePageConverter codePageConverter();

namespace detail {
// The built-in table on its own, whichever converter is in use (for tests).
std::optional<QByteArray> toCodePageByTable(const QString &text);
QString fromCodePageByTable(const QByteArray &bytes);
} // namespace detail

} // namespace bidwarden
