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

bool requestCannotHaveArrived(int netError)
{
    // The engine's network error numbers; the 800s are name resolution's.
    enum : int {
        connectionRefused = -102,
        connectionFailed = -104,
        nameNotResolved = -105,
        internetDisconnected = -106,
        addressInvalid = -108,
        addressUnreachable = -109,
        connectionTimedOut = -118, // the connection was never made
        proxyConnectionFailed = -130,
        nameResolutionFailed = -137,
    };
    switch (netError) {
    case connectionRefused:
    case connectionFailed:
    case nameNotResolved:
    case internetDisconnected:
    case addressInvalid:
    case addressUnreachable:
    case connectionTimedOut:
    case proxyConnectionFailed:
    case nameResolutionFailed:
        return true;
    default:
        return netError <= -800 && netError > -900;
    }
}

} // namespace bidwarden
