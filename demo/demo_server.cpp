#include "demo_server.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>

namespace bidwarden::demo {

namespace {

QString methodName(QHttpServerRequest::Method method)
{
    switch (method) {
    case QHttpServerRequest::Method::Get: return QStringLiteral("GET");
    case QHttpServerRequest::Method::Post: return QStringLiteral("POST");
    case QHttpServerRequest::Method::Head: return QStringLiteral("HEAD");
    case QHttpServerRequest::Method::Put: return QStringLiteral("PUT");
    case QHttpServerRequest::Method::Delete: return QStringLiteral("DELETE");
    case QHttpServerRequest::Method::Options: return QStringLiteral("OPTIONS");
    case QHttpServerRequest::Method::Patch: return QStringLiteral("PATCH");
    case QHttpServerRequest::Method::Connect: return QStringLiteral("CONNECT");
    case QHttpServerRequest::Method::Trace: return QStringLiteral("TRACE");
    default: return QStringLiteral("OTHER");
    }
}

} // namespace

DemoServer::DemoServer(QObject *parent)
    : QObject(parent)
    , m_service(new QHttpServer(this))
    , m_auction(new QHttpServer(this))
{
    serve(m_service, QStringLiteral("service"));
    serve(m_auction, QStringLiteral("auction"));
}

bool DemoServer::openLog(const QString &path, QString *error)
{
    return m_log.open(path, error);
}

bool DemoServer::listen(quint16 servicePort, quint16 auctionPort, QString *error)
{
    m_servicePort = m_service->listen(QHostAddress::LocalHost, servicePort);
    if (!m_servicePort) {
        *error = QStringLiteral("cannot listen on 127.0.0.1:%1").arg(servicePort);
        return false;
    }
    m_auctionPort = m_auction->listen(QHostAddress::LocalHost, auctionPort);
    if (!m_auctionPort) {
        *error = QStringLiteral("cannot listen on 127.0.0.1:%1").arg(auctionPort);
        return false;
    }
    return true;
}

DemoRequest DemoServer::fromHttp(const QHttpServerRequest &httpRequest)
{
    const QUrl url = httpRequest.url();
    DemoRequest request;
    request.method = methodName(httpRequest.method());
    request.path = url.path(QUrl::FullyDecoded);
    request.query = url.query(QUrl::FullyEncoded);
    request.headers = httpRequest.headers();
    request.body = httpRequest.body();
    // The server keeps only the parsed address, so the log gets it encoded
    // again; escapes of letters and digits come back as the plain characters.
    request.target = url.path(QUrl::FullyEncoded);
    if (url.hasQuery())
        request.target += QLatin1Char('?') + request.query;
    return request;
}

void DemoServer::serve(QHttpServer *server, const QString &site)
{
    // No routes: every request reaches this one handler, so unknown paths and
    // wrong methods get the sites' own error pages and are logged like the rest.
    server->setMissingHandler([this, site](const QHttpServerRequest &httpRequest,
                                           QHttpServerResponder &&responder) {
        const DemoRequest request = fromHttp(httpRequest);
        if (m_log.isOpen() && !m_log.write(site, request))
            qWarning("demo: cannot write the request log");
        Q_EMIT requestArrived(site, request.method, request.path);
        const DemoResponse response = site == QLatin1String("service") ? m_serviceSite.handle(request)
                                                                       : handleAuctionSite(request);
        responder.writeStatusLine(QHttpServerResponder::StatusCode(response.status));
        responder.writeHeader("Content-Type", response.contentType);
        responder.writeHeader("Content-Length", QByteArray::number(response.body.size()));
        responder.writeHeader("Cache-Control", "no-store");
        for (const auto &[name, value] : response.headers)
            responder.writeHeader(name, value);
        // A body after HEAD would be read as the start of the next answer.
        responder.writeBody(request.method == QLatin1String("HEAD") ? QByteArray() : response.body);
    });
}

} // namespace bidwarden::demo
