#include "user_agent.h"

#include <QRegularExpression>

namespace bidwarden {

QString chromiumUserAgent(const QString &engineUserAgent)
{
    static const QRegularExpression engineToken(QStringLiteral("\\s*\\bQtWebEngine/\\S+"));
    return QString(engineUserAgent).remove(engineToken).simplified();
}

QVariantMap chromiumBrands(const QVariantMap &engineBrands)
{
    QVariantMap brands = engineBrands;
    brands.remove(QStringLiteral("QtWebEngine"));
    return brands;
}

} // namespace bidwarden
