#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace bidwarden {

// The service accepts at most this many bytes of post data.
inline constexpr int maxPostDataBytes = 32767;

// One value form-urlencoded in the code page: space becomes "+", letters,
// digits and "*-._" stay, every other byte becomes %XX. Nothing when a
// character has no byte in the code page.
std::optional<QByteArray> formUrlEncode(const QString &value);

// An application/x-www-form-urlencoded body composed field by field. Field
// names and the joining "=" and "&" are taken as they are; each value is
// encoded, so a value holding "&" or "+" reaches the service whole.
class FormBody
{
public:
    // label names the value to the user when it cannot be sent.
    FormBody &add(const QString &name, const QString &value, const QString &label);

    bool ok() const { return m_error.isEmpty(); }
    // Why the body cannot be posted; empty when it can.
    QString error() const { return m_error; }
    // The post data: exactly the encoded bytes, no terminator, no line end.
    // Empty when the body cannot be posted.
    QByteArray postData() const;

private:
    QByteArray m_bytes;
    QString m_error;
};

} // namespace bidwarden
