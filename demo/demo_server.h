#pragma once

#include "demo_sites.h"
#include "request_log.h"

#include <QHash>
#include <QObject>

QT_BEGIN_NAMESPACE
class QHttpServerRequest;
QT_END_NAMESPACE

namespace bidwarden::demo {

class PendingAnswer;
class SiteServer;

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

    // Holds back the answer to every request for this path of one site
    // ("service" or "auction") by that many milliseconds, so a client can be
    // watched while it waits. The request is logged when it arrives.
    void delayAnswers(const QString &site, const QString &path, int milliseconds);
    // "site:path=ms", as the command line gives it. False for anything else.
    bool delayAnswers(const QString &rule);

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
    void serve(const QString &site, const QHttpServerRequest &httpRequest, PendingAnswer answer);

    // Children, so they move with the server to another thread.
    SiteServer *m_service = nullptr;
    SiteServer *m_auction = nullptr;
    ServiceSite m_serviceSite;
    RequestLog m_log;
    QHash<QString, int> m_delays; // "site:path" → milliseconds
    quint16 m_servicePort = 0;
    quint16 m_auctionPort = 0;
};

// The bytes of one HTTP/1.1 answer: status line, headers, body (none for HEAD).
QByteArray httpAnswer(const DemoResponse &response, bool head);

} // namespace bidwarden::demo
