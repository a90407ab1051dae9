#pragma once

#include "file_result.h"
#include "scrambling.h"

#include <QString>

#include <functional>

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

struct CredentialsResult
{
    Credentials credentials; // both empty when the file cannot be read
    FileResult status;

    bool ok() const { return status.ok(); }
};

// Reads pd1.txt as every reader must: the whole file, its plain line end
// (CR LF or LF, one) dropped, the rest unscrambled and split. So a record
// without its final comma, as a hand-edited file may be, still gives the
// password without two characters of unscrambled line end.
CredentialsResult readCredentials(const QString &path,
                                  const PendingEventsHook &processEvents = processPendingNonInputEvents);

// Stores the credentials as pd1.txt: the record scrambled, then CR LF, mode
// 0600, replacing the file atomically. The scrambling lets pending events run;
// when `stillWanted` is given and says no afterwards (the window that asked has
// gone), nothing is written and the result is WriteAbandoned.
FileResult storeCredentials(const QString &path, const Credentials &credentials,
                            const PendingEventsHook &processEvents = processPendingNonInputEvents,
                            const std::function<bool()> &stillWanted = {});

} // namespace bidwarden
