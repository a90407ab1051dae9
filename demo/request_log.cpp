#include "request_log.h"

#include "demo_sites.h"

#include <QJsonDocument>

namespace bidwarden::demo {

bool RequestLog::open(const QString &path, QString *error)
{
    m_file.setFileName(path);
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        return true;
    *error = QStringLiteral("cannot open the request log %1: %2").arg(path, m_file.errorString());
    return false;
}

bool RequestLog::write(const QString &site, const DemoRequest &request)
{
    if (!m_file.isOpen())
        return false;
    const QByteArray line = QJsonDocument(entry(site, request)).toJson(QJsonDocument::Compact) + '\n';
    return m_file.write(line) == line.size() && m_file.flush();
}

QJsonObject RequestLog::entry(const QString &site, const DemoRequest &request)
{
    // Header bytes are read as Latin-1 so that every byte maps to one
    // character and a reader can recover the exact bytes.
    QJsonObject headers;
    for (const auto &[name, value] : request.headers) {
        const QString key = QString::fromLatin1(name).toLower();
        const QString text = QString::fromLatin1(value);
        const auto previous = headers.constFind(key);
        headers.insert(key, previous == headers.constEnd() ? text
                                                           : previous->toString() + QStringLiteral(", ") + text);
    }
    return QJsonObject{
        { QStringLiteral("site"), site },
        { QStringLiteral("method"), request.method },
        { QStringLiteral("path"), request.target },
        { QStringLiteral("headers"), headers },
        { QStringLiteral("body"), QString::fromLatin1(request.body.toHex()) },
    };
}

} // namespace bidwarden::demo
