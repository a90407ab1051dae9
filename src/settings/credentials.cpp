#include "credentials.h"

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

} // namespace bidwarden
