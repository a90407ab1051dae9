#include "demo_peers.h"

#include <QFile>
#include <QJsonDocument>
#include <QUrl>

namespace bidwarden::test {

DemoPeers::DemoPeers() = default;

DemoPeers::~DemoPeers()
{
    stop();
}

void DemoPeers::stop()
{
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(5000);
}

bool DemoPeers::start(const QStringList &delays)
{
    return run(0, 0, delays);
}

bool DemoPeers::startAgain()
{
    const quint16 service = quint16(QUrl(serviceUrl()).port());
    const quint16 auction = quint16(QUrl(auctionUrl()).port());
    m_addresses = {};
    return run(service, auction, {});
}

bool DemoPeers::run(quint16 servicePort, quint16 auctionPort, const QStringList &delays)
{
    QStringList arguments{ QStringLiteral("--service-port"), QString::number(servicePort),
                           QStringLiteral("--auction-port"), QString::number(auctionPort),
                           QStringLiteral("--log"), m_dir.filePath(QStringLiteral("requests.jsonl")) };
    for (const QString &rule : delays)
        arguments << QStringLiteral("--delay") << rule;
    m_process.setProgram(QStringLiteral(BIDWARDEN_DEMO_BINARY));
    m_process.setArguments(arguments);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    if (!m_process.waitForStarted(10000))
        return false;
    while (!m_addresses.complete()) {
        if (!m_process.canReadLine() && !m_process.waitForReadyRead(20000))
            return false;
        while (m_process.canReadLine())
            m_addresses.read(QString::fromUtf8(m_process.readLine()));
    }
    return true;
}

QList<LoggedRequest> DemoPeers::requests() const
{
    QList<LoggedRequest> found;
    QFile log(m_dir.filePath(QStringLiteral("requests.jsonl")));
    if (!log.open(QIODevice::ReadOnly))
        return found;
    for (const QByteArray &line : log.readAll().split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        // The page icon the engine asks each site for by itself (Qt WebEngine
        // 6.8 does, 6.4 did not): no page or command of ours made it.
        if (o.value(QLatin1String("path")).toString() == QLatin1String("/favicon.ico"))
            continue;
        found.append({ o.value(QLatin1String("site")).toString(), o.value(QLatin1String("method")).toString(),
                       o.value(QLatin1String("path")).toString(), o.value(QLatin1String("headers")).toObject(),
                       QByteArray::fromHex(o.value(QLatin1String("body")).toString().toLatin1()) });
    }
    return found;
}

QList<LoggedRequest> DemoPeers::requests(const QString &site) const
{
    QList<LoggedRequest> found;
    for (const LoggedRequest &r : requests()) {
        if (r.site == site)
            found.append(r);
    }
    return found;
}

QList<LoggedRequest> DemoPeers::posts(const QString &path) const
{
    QList<LoggedRequest> found;
    for (const LoggedRequest &r : requests(QStringLiteral("service"))) {
        if (r.method == QLatin1String("POST") && r.path == path)
            found.append(r);
    }
    return found;
}

bool DemoPeers::hasRequest(const QString &site, const QString &method, const QString &path) const
{
    for (const LoggedRequest &r : requests(site)) {
        if (r.method == method && r.path == path)
            return true;
    }
    return false;
}

} // namespace bidwarden::test
