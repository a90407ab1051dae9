#include "code_page.h"

namespace bidwarden {

namespace {

// windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves
// undefined map to the control character of the same value, so every byte
// has exactly one character and back.
constexpr char16_t highControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> byteFor(QChar c)
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

} // namespace

std::optional<QByteArray> toCodePage(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const std::optional<char> b = byteFor(c);
        if (!b)
            return std::nullopt;
        bytes += *b;
    }
    return bytes;
}

QString fromCodePage(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += (b >= 0x80 && b < 0xA0) ? QChar(highControls[b - 0x80]) : QChar(b);
    }
    return text;
}

bool isRepresentable(const QString &text)
{
    for (const QChar c : text) {
        if (!byteFor(c))
            return false;
    }
    return true;
}

QString firstUnrepresentable(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length =
                (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ? 2 : 1;
        if (!byteFor(text.at(i)))
            return text.mid(i, length);
    }
    return QString();
}

} // namespace bidwarden
