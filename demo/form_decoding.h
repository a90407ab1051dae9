#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace bidwarden::demo {

using FormFields = QList<QPair<QString, QString>>;

// Decodes an application/x-www-form-urlencoded body: "+" is a space, %XX a
// byte, and the bytes are windows-1252 text. Nothing for a malformed escape.
std::optional<FormFields> decodeForm(const QByteArray &body);

// The first value of the named field, or nothing.
std::optional<QString> formValue(const FormFields &fields, const QString &name);

} // namespace bidwarden::demo
