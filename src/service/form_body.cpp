#include "form_body.h"

#include "code_page.h"

namespace bidwarden {

namespace {

bool keptAsIs(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
            || c == '*' || c == '-' || c == '.' || c == '_';
}


} // namespace

std::optional<QByteArray> formUrlEncode(const QString &value)
{
    const std::optional<QByteArray> bytes = toCodePage(value);
    if (!bytes)
        return std::nullopt;
    static const char hex[] = "0123456789ABCDEF";
    QByteArray encoded;
    encoded.reserve(bytes->size());
    for (const char c : *bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (c == ' ') {
            encoded += '+';
        } else if (keptAsIs(c)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += hex[b >> 4];
            encoded += hex[b & 0x0F];
        }
    }
    return encoded;
}

FormBody &FormBody::add(const QString &name, const QString &value, const QString &label)
{
    if (!ok())
        return *this;
    const std::optional<QByteArray> encoded = formUrlEncode(value);
    if (!encoded) {
        m_error = QStringLiteral("The %1 holds the character \u201c%2\u201d, which cannot be sent to the service.")
                          .arg(label, firstUnrepresentable(value));
        return *this;
    }
    if (!m_bytes.isEmpty())
        m_bytes += '&';
    m_bytes += name.toLatin1();
    m_bytes += '=';
    m_bytes += *encoded;
    if (m_bytes.size() > maxPostDataBytes) {
        m_error = QStringLiteral("The %1 is too long: the request would be %2 bytes, and the service accepts at most %3.")
                          .arg(label)
                          .arg(m_bytes.size())
                          .arg(maxPostDataBytes);
    }
    return *this;
}

QByteArray FormBody::postData() const
{
    return ok() ? m_bytes : QByteArray();
}

} // namespace bidwarden
