#pragma once

#include "demo_sites.h"
#include "request_log.h"

#include <QHttpServer>
#include <QObject>

namespace bidwarden::demo {

// Serves the demo service and the demo auction site on two loopback ports,
// and appends one JSON line per request to the log when one is open.
class DemoServer : public QObject
{
    Q_OBJECT

public:
    explicit DemoServer(QObject *parent = nullptr);

    // False, with the reason, when the log cannot be opened: a run whose log
    // silently stays empty would make every test that reads it fail obscurely.
    bool openLog(const QString &path, QString *error);

    // Port 0 picks a free port. False, with the reason, when one cannot be bound.
    bool listen(quint16 servicePort, quint16 auctionPort, QString *error);
    quint16 servicePort() const { return m_servicePort; }
    quint16 auctionPort() const { return m_auctionPort; }

    // Turns a request as the server parsed it into what the sites and the
    // log work on.
    static DemoRequest fromHttp(const QHttpServerRequest &request);

Q_SIGNALS:
    // A request has arrived whole and been logged; raised before it is answered.
    void requestArrived(const QString &site, const QString &method, const QString &path);

private:
    void serve(QHttpServer *server, const QString &site);

    QHttpServer *m_service = nullptr;
    QHttpServer *m_auction = nullptr;
    ServiceSite m_serviceSite;
    RequestLog m_log;
    quint16 m_servicePort = 0;
    quint16 m_auctionPort = 0;
};

} // namespace bidwarden::demo
