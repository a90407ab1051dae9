#include "navigation.h"

namespace bidwarden {

QUrl urlForAddress(const QString &address)
{
    QString trimmed = address;
    while (trimmed.endsWith(QLatin1Char('\n')) || trimmed.endsWith(QLatin1Char('\r')))
        trimmed.chop(1);
    if (trimmed.isEmpty())
        return QUrl(QStringLiteral("about:blank"));
    return QUrl::fromUserInput(trimmed);
}

QList<QPair<QByteArray, QByteArray>> parseHeaderLines(const QByteArray &headerLines)
{
    QList<QPair<QByteArray, QByteArray>> headers;
    for (QByteArray line : headerLines.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed();
        if (name.isEmpty())
            continue;
        headers.append({ name, line.mid(colon + 1).trimmed() });
    }
    return headers;
}

} // namespace bidwarden
