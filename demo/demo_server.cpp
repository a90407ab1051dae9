#include "demo_server.h"

#include <QAbstractHttpServer>
#include <QHttpServerRequest>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

#include <functional>

namespace bidwarden::demo {

// One site on one port. It answers on the socket itself, so an answer can be
// held back without blocking the other site or the next client.
class SiteServer : public QAbstractHttpServer
{
public:
    using Handler = std::function<void(const QHttpServerRequest &, QTcpSocket *)>;

    SiteServer(Handler handler, QObject *parent)
        : QAbstractHttpServer(parent)
        , m_handler(std::move(handler))
    {
    }

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override
    {
        m_handler(request, socket);
        return true;
    }
    void missingHandler(const QHttpServerRequest &, QTcpSocket *) override {}

private:
    Handler m_handler;
};

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

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 413: return "Payload Too Large";
    default: return "Status";
    }
}

QString delayKey(const QString &site, const QString &path)
{
    return site + QLatin1Char(':') + path;
}

} // namespace

QByteArray httpAnswer(const DemoResponse &response, bool head)
{
    QByteArray answer = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status)
            + "\r\nContent-Type: " + response.contentType
            + "\r\nContent-Length: " + QByteArray::number(response.body.size())
            + "\r\nCache-Control: no-store\r\n";
    for (const auto &[name, value] : response.headers)
        answer += name + ": " + value + "\r\n";
    answer += "\r\n";
    // A body after HEAD would be read as the start of the next answer.
    if (!head)
        answer += response.body;
    return answer;
}

DemoServer::DemoServer(QObject *parent)
    : QObject(parent)
    , m_service(new SiteServer([this](const QHttpServerRequest &r, QTcpSocket *s) {
        serve(QStringLiteral("service"), r, s);
    }, this))
    , m_auction(new SiteServer([this](const QHttpServerRequest &r, QTcpSocket *s) {
        serve(QStringLiteral("auction"), r, s);
    }, this))
{
}

bool DemoServer::openLog(const QString &path, QString *error)
{
    return m_log.open(path, error);
}

void DemoServer::delayAnswers(const QString &site, const QString &path, int milliseconds)
{
    m_delays.insert(delayKey(site, path), milliseconds);
}

bool DemoServer::delayAnswers(const QString &rule)
{
    static const QRegularExpression pattern(QStringLiteral("^(service|auction):(/[^=]*)=([0-9]{1,6})$"));
    const QRegularExpressionMatch match = pattern.match(rule);
    if (!match.hasMatch())
        return false;
    delayAnswers(match.captured(1), match.captured(2), match.captured(3).toInt());
    return true;
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

void DemoServer::serve(const QString &site, const QHttpServerRequest &httpRequest, QTcpSocket *socket)
{
    // Every request reaches this one handler, so unknown paths and wrong
    // methods get the sites' own error pages and are logged like the rest.
    const DemoRequest request = fromHttp(httpRequest);
    if (m_log.isOpen() && !m_log.write(site, request))
        qWarning("demo: cannot write the request log");
    Q_EMIT requestArrived(site, request.method, request.path);
    const DemoResponse response = site == QLatin1String("service") ? m_serviceSite.handle(request)
                                                                   : handleAuctionSite(request);
    const QByteArray answer = httpAnswer(response, request.method == QLatin1String("HEAD"));
    const int delay = m_delays.value(delayKey(site, request.path));
    if (delay <= 0) {
        socket->write(answer);
        return;
    }
    // The client may give up meanwhile; its socket is then gone.
    QTimer::singleShot(delay, this, [socket = QPointer<QTcpSocket>(socket), answer] {
        if (socket && socket->state() == QAbstractSocket::ConnectedState)
            socket->write(answer);
    });
}

} // namespace bidwarden::demo
