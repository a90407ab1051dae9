#include "code_page.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace bidwarden {

namespace {

constexpr char codePageName[] = "windows-1252";

// windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves
// undefined map to the control character of the same value, so every byte
// has exactly one character and back.
constexpr char16_t highControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t tableCharacter(unsigned char b)
{
    return (b >= 0x80 && b < 0xA0) ? highControls[b - 0x80] : char16_t(b);
}

std::optional<char> tableByte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (int i = 0; i < 32; ++i) {
        if (highControls[i] == u)
            return char(0x80 + i);
    }
    return std::nullopt;
}

// ICU qualifies only when it agrees with the table on every byte, in both
// directions; a build whose converter differs (or is missing) uses the table,
// so a file decodes the same way whatever Qt the program runs on.
bool icuAgreesWithTheTable()
{
    QStringDecoder decoder(codePageName);
    QStringEncoder encoder(codePageName);
    if (!decoder.isValid() || !encoder.isValid())
        return false;
    const QByteArray all = everyByte();
    const QString decoded = decoder.decode(all);
    if (decoder.hasError() || decoded != detail::fromCodePageByTable(all))
        return false;
    const QByteArray encoded = encoder.encode(decoded);
    return !encoder.hasError() && encoded == all;
}

bool useIcu()
{
    static const bool icu = icuAgreesWithTheTable();
    return icu;
}

// Fresh converters on every call: they are cheap, keep no state between
// texts and are never shared between threads.
std::optional<QByteArray> toCodePageByIcu(const QString &text)
{
    QStringEncoder encoder(codePageName);
    QByteArray bytes = encoder.encode(text);
    // ICU substitutes a byte for a character it cannot encode and flags the
    // error; a best-fit mapping would not decode back. Either is "no byte".
    if (encoder.hasError() || bytes.size() != text.size())
        return std::nullopt;
    QStringDecoder decoder(codePageName);
    if (decoder.decode(bytes) != text || decoder.hasError())
        return std::nullopt;
    return bytes;
}

QString fromCodePageByIcu(const QByteArray &bytes)
{
    QStringDecoder decoder(codePageName);
    return decoder.decode(bytes);
}

} // namespace

namespace detail {

std::optional<QByteArray> toCodePageByTable(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const std::optional<char> b = tableByte(c);
        if (!b)
            return std::nullopt;
        bytes += *b;
    }
    return bytes;
}

QString fromCodePageByTable(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes)
        text += QChar(tableCharacter(static_cast<unsigned char>(c)));
    return text;
}

} // namespace detail

QByteArray everyByte()
{
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b)
        all[b] = char(b);
    return all;
}

CodePageConverter codePageConverter()
{
    return useIcu() ? CodePageConverter::Icu : CodePageConverter::BuiltInTable;
}

std::optional<QByteArray> toCodePage(const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    return useIcu() ? toCodePageByIcu(text) : detail::toCodePageByTable(text);
}

QString fromCodePage(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    return useIcu() ? fromCodePageByIcu(bytes) : detail::fromCodePageByTable(bytes);
}

std::optional<char> toCodePageByte(QChar c)
{
    return tableByte(c);
}

QChar fromCodePageByte(char byte)
{
    return QChar(tableCharacter(static_cast<unsigned char>(byte)));
}

bool isRepresentable(const QString &text)
{
    return toCodePage(text).has_value();
}

QString firstUnrepresentable(const QString &text)
{
    if (isRepresentable(text))
        return QString();
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A surrogate pair is one character, and never has a byte.
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            return text.mid(i, 2);
        if (!toCodePageByte(text.at(i)))
            return text.mid(i, 1);
    }
    return QString();
}

} // namespace bidwarden
