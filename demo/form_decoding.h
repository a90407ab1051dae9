#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace bidwarden::demo {

using FormFields = QList<QPair<QString, QString>>;

// Decodes an application/x-www-form-urlencoded body: "+" is a space, %XX a
// byte, and the bytes are windows-1252 text. Nothing for a malformed escape,
// so a bad body is refused rather than half read.
std::optional<FormFields> decodeForm(const QByteArray &body);

// The first value of the named field, or nothing.
std::optional<QString> formValue(const FormFields &fields, const QString &name);

// Windows-1252 bytes as text. Kept apart from the program's own code-page
// code on purpose: the peer must not share a mistake with what it checks.
QString fromWindows1252(const QByteArray &bytes);

} // namespace bidwarden::demo
