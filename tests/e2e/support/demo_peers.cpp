#include "demo_peers.h"

#include <QFile>
#include <QJsonDocument>
#include <QTest>

namespace bidwarden::test {

DemoPeers::DemoPeers() = default;

DemoPeers::~DemoPeers()
{
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(5000);
}

bool DemoPeers::start()
{
    m_process.setProgram(QStringLiteral(BIDWARDEN_DEMO_BINARY));
    m_process.setArguments({ QStringLiteral("--service-port"), QStringLiteral("0"),
                             QStringLiteral("--auction-port"), QStringLiteral("0"),
                             QStringLiteral("--log"), m_dir.filePath(QStringLiteral("requests.jsonl")) });
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    if (!m_process.waitForStarted(10000))
        return false;
    while (m_serviceUrl.isEmpty() || m_auctionUrl.isEmpty()) {
        if (!m_process.canReadLine() && !m_process.waitForReadyRead(20000))
            return false;
        while (m_process.canReadLine()) {
            const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
            if (line.startsWith(QLatin1String("service-url ")))
                m_serviceUrl = line.mid(12);
            else if (line.startsWith(QLatin1String("auction-url ")))
                m_auctionUrl = line.mid(12);
        }
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

bool DemoPeers::hasRequest(const QString &site, const QString &method, const QString &path) const
{
    for (const LoggedRequest &r : requests(site)) {
        if (r.method == method && r.path == path)
            return true;
    }
    return false;
}

namespace {

QtMessageHandler previousHandler = nullptr;

void failingHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    previousHandler(type, context, message);
    // Our own code logs under the "bidwarden" categories or from our files.
    const bool ours = (context.category && QByteArray(context.category).startsWith("bidwarden"))
            || (context.file && QByteArray(context.file).contains("/src/"));
    if (ours && type >= QtWarningMsg)
        QFAIL(qPrintable(QStringLiteral("unexpected warning: ") + message));
}

} // namespace

void failOnOwnWarnings()
{
    previousHandler = qInstallMessageHandler(failingHandler);
}

} // namespace bidwarden::test
