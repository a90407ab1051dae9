#include "form_decoding.h"

#include "code_page.h"

namespace bidwarden::demo {

namespace {

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
    return fromCodePage(bytes);
}

} // namespace

std::optional<FormFields> decodeForm(const QByteArray &body)
{
    FormFields fields;
    if (body.isEmpty())
        return fields;
    for (const QByteArray &pair : body.split('&')) {
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
