#pragma once

#include "peer_addresses.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace bidwarden::test {

// One request as the demo peers logged it.
struct LoggedRequest
{
    QString site;    // "service" or "auction"
    QString method;
    QString path;    // with the query, as requested
    QJsonObject headers;
    QByteArray body; // the raw bytes

    QString header(const char *name) const { return headers.value(QLatin1String(name)).toString(); }
};

// Runs bidwarden-demo on free loopback ports for one test, with a request log.
class DemoPeers
{
public:
    DemoPeers();
    ~DemoPeers();

    // delays: "site:path=ms" rules that hold answers back (bidwarden-demo --delay).
    bool start(const QStringList &delays = {});
    // Ends the peers: their ports refuse connections until startAgain(),
    // which listens on the same ports and logs to the same request log.
    void stop();
    bool startAgain();
    QString serviceUrl() const { return m_addresses.serviceUrl(); } // no trailing slash
    QString auctionUrl() const { return m_addresses.auctionUrl(); } // with trailing slash
    // Every request but the engine's own for the sites' icons.
    QList<LoggedRequest> requests() const;
    QList<LoggedRequest> requests(const QString &site) const;
    QList<LoggedRequest> posts(const QString &path) const;
    bool hasRequest(const QString &site, const QString &method, const QString &path) const;

private:
    bool run(quint16 servicePort, quint16 auctionPort, const QStringList &delays);

    QTemporaryDir m_dir;
    QProcess m_process;
    demo::PeerAddresses m_addresses;
};

} // namespace bidwarden::test
