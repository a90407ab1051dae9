#pragma once

#include <QString>

namespace bidwarden {

// The key every caller passes to encryptDecrypt for pd1.txt.
inline constexpr qint16 credentialsKey = 31752;

struct Credentials
{
    QString userName;
    QString password;
};

// "user,password," — the plain form of pd1.txt's content.
QString composeCredentialRecord(const QString &userName, const QString &password);

// Splits a decoded record at every comma and takes fields 1 and 2; a missing
// field stays empty (an empty text gives both empty, a text without a comma
// gives the whole text as the user name).
Credentials splitCredentialRecord(const QString &decoded);

} // namespace bidwarden
