#include "form_decoding.h"

namespace bidwarden::demo {

namespace {

// 0x80-0x9F of windows-1252. The five bytes the code page leaves undefined
// keep their C1 code points, as Windows itself decodes them, so no byte is
// ever lost.
constexpr char16_t high1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<QString> decodeComponent(const QByteArray &encoded)
{
    QByteArray bytes;
    bytes.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char c = encoded.at(i);
        if (c == '+') {
            bytes += ' ';
        } else if (c == '%') {
            if (i + 2 >= encoded.size())
                return std::nullopt;
            const int high = hexValue(encoded.at(i + 1));
            const int low = hexValue(encoded.at(i + 2));
            if (high < 0 || low < 0)
                return std::nullopt;
            bytes += char(high * 16 + low);
            i += 2;
        } else {
            bytes += c;
        }
    }
    return fromWindows1252(bytes);
}

} // namespace

QString fromWindows1252(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += QChar(byte >= 0x80 && byte < 0xA0 ? high1252[byte - 0x80] : char16_t(byte));
    }
    return text;
}

std::optional<FormFields> decodeForm(const QByteArray &body)
{
    FormFields fields;
    if (body.isEmpty())
        return fields;
    for (const QByteArray &pair : body.split('&')) {
        // "a=1&&b=2" and a trailing "&" are what browsers tolerate; an empty
        // pair carries no field.
        if (pair.isEmpty())
            continue;
        const qsizetype eq = pair.indexOf('=');
        const std::optional<QString> name = decodeComponent(eq < 0 ? pair : pair.left(eq));
        const std::optional<QString> value = decodeComponent(eq < 0 ? QByteArray() : pair.mid(eq + 1));
        if (!name || !value)
            return std::nullopt;
        fields.append({ *name, *value });
    }
    return fields;
}

std::optional<QString> formValue(const FormFields &fields, const QString &name)
{
    for (const auto &[key, value] : fields) {
        if (key == name)
            return value;
    }
    return std::nullopt;
}

} // namespace bidwarden::demo
