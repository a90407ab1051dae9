#include "demo_server.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonDocument>
#include <QJsonObject>

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
    default: return QStringLiteral("OTHER");
    }
}

DemoRequest fromHttp(const QHttpServerRequest &request)
{
    DemoRequest r;
    r.method = methodName(request.method());
    r.path = request.url().path(QUrl::FullyDecoded);
    r.query = request.url().query(QUrl::FullyEncoded);
    r.headers = request.headers();
    r.body = request.body();
    return r;
}

} // namespace

DemoServer::DemoServer(const QString &logPath, QObject *parent)
    : QObject(parent)
    , m_service(new QHttpServer(this))
    , m_auction(new QHttpServer(this))
{
    if (!logPath.isEmpty()) {
        m_log = std::make_unique<QFile>(logPath);
        if (!m_log->open(QIODevice::WriteOnly | QIODevice::Append))
            qWarning("demo: cannot open the request log %s", qPrintable(logPath));
    }
    serve(m_service, QStringLiteral("service"));
    serve(m_auction, QStringLiteral("auction"));
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

void DemoServer::serve(QHttpServer *server, const QString &site)
{
    // Every request reaches one handler, so unknown paths and methods get the
    // sites' own error pages rather than an empty answer.
    server->setMissingHandler([this, site](const QHttpServerRequest &httpRequest,
                                           QHttpServerResponder &&responder) {
        const DemoRequest request = fromHttp(httpRequest);
        log(site, request);
        Q_EMIT requestArrived(site, request.method, request.path);
        const DemoResponse response = site == QLatin1String("service") ? m_serviceSite.handle(request)
                                                                       : handleAuctionSite(request);
        responder.writeStatusLine(QHttpServerResponder::StatusCode(response.status));
        responder.writeHeader("Content-Type", response.contentType);
        responder.writeHeader("Content-Length", QByteArray::number(response.body.size()));
        responder.writeHeader("Cache-Control", "no-store");
        for (const auto &[name, value] : response.headers)
            responder.writeHeader(name, value);
        responder.writeBody(response.body);
    });
}

void DemoServer::log(const QString &site, const DemoRequest &request)
{
    if (!m_log || !m_log->isOpen())
        return;
    QJsonObject headers;
    for (const auto &[name, value] : request.headers) {
        const QString key = QString::fromLatin1(name).toLower();
        const QString previous = headers.value(key).toString();
        const QString text = QString::fromLatin1(value);
        headers.insert(key, previous.isEmpty() ? text : previous + QStringLiteral(", ") + text);
    }
    QJsonObject line{
        { QStringLiteral("site"), site },
        { QStringLiteral("method"), request.method },
        { QStringLiteral("path"), request.query.isEmpty() ? request.path
                                                          : request.path + QLatin1Char('?') + request.query },
        { QStringLiteral("headers"), headers },
        { QStringLiteral("body"), QString::fromLatin1(request.body.toHex()) },
    };
    m_log->write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
    m_log->flush();
}

} // namespace bidwarden::demo
