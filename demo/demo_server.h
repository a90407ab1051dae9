#pragma once

#include "demo_sites.h"

#include <QFile>
#include <QHttpServer>
#include <QObject>

#include <memory>

namespace bidwarden::demo {

// Serves the demo service and the demo auction site on two loopback ports,
// and appends one JSON line per request to the log when one is given.
class DemoServer : public QObject
{
    Q_OBJECT

public:
    explicit DemoServer(const QString &logPath = QString(), QObject *parent = nullptr);

    // Port 0 picks a free port. False, with the reason, when one cannot be bound.
    bool listen(quint16 servicePort, quint16 auctionPort, QString *error);
    quint16 servicePort() const { return m_servicePort; }
    quint16 auctionPort() const { return m_auctionPort; }

Q_SIGNALS:
    // A request has arrived whole; raised before it is answered.
    void requestArrived(const QString &site, const QString &method, const QString &path);

private:
    void serve(QHttpServer *server, const QString &site);
    void log(const QString &site, const DemoRequest &request);

    QHttpServer *m_service = nullptr;
    QHttpServer *m_auction = nullptr;
    ServiceSite m_serviceSite;
    std::unique_ptr<QFile> m_log;
    quint16 m_servicePort = 0;
    quint16 m_auctionPort = 0;
};

} // namespace bidwarden::demo
