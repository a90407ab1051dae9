#include "credentials.h"

#include "text_file.h"

#include <QStringList>

namespace bidwarden {

QString composeCredentialRecord(const QString &userName, const QString &password)
{
    return userName + QLatin1Char(',') + password + QLatin1Char(',');
}

Credentials splitCredentialRecord(const QString &decoded)
{
    if (decoded.isEmpty())
        return {};
    const QStringList fields = decoded.split(QLatin1Char(','), Qt::KeepEmptyParts);
    Credentials credentials;
    credentials.userName = fields.value(0);
    credentials.password = fields.value(1);
    return credentials;
}

CredentialsResult readCredentials(const QString &path, const PendingEventsHook &processEvents)
{
    const ReadResult read = readTextFileContents(path);
    if (!read.ok())
        return { {}, read.status };
    // Only the one line end the writer adds: a scrambled character may itself
    // be a CR or an LF (0xBF and 0xB8 scramble to them).
    QString scrambled = read.text;
    if (scrambled.endsWith(QLatin1String("\r\n")))
        scrambled.chop(2);
    else if (scrambled.endsWith(QLatin1Char('\n')))
        scrambled.chop(1);
    return { splitCredentialRecord(encryptDecrypt(scrambled, credentialsKey, processEvents)), FileResult::success() };
}

FileResult storeCredentials(const QString &path, const Credentials &credentials,
                            const PendingEventsHook &processEvents, const std::function<bool()> &stillWanted)
{
    const QString scrambled =
            encryptDecrypt(composeCredentialRecord(credentials.userName, credentials.password), credentialsKey,
                           processEvents);
    if (stillWanted && !stillWanted())
        return FileResult::failure(WriteAbandoned, QStringLiteral("The save was abandoned; nothing was written."));
    return writeTextFileContents(scrambled, path, FileVisibility::Private);
}

} // namespace bidwarden
