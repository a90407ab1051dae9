#include "demo_server.h"

#include <QAbstractHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#include <QHttpHeaders>
#endif

#include <functional>
#include <memory>

namespace bidwarden::demo {

namespace {

// What every answer carries besides its length, in order.
HeaderPairs answerHeaders(const DemoResponse &response)
{
    HeaderPairs headers{ { QByteArray("Content-Type"), response.contentType },
                         { QByteArray("Cache-Control"), QByteArray("no-store") } };
    headers.append(response.headers);
    return headers;
}

} // namespace

// Where the answer to one request goes once it is ready; copies share it. A
// client that has gone meanwhile gets nothing.
class PendingAnswer
{
public:
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    explicit PendingAnswer(QHttpServerResponder &&responder)
        : m_responder(std::make_shared<QHttpServerResponder>(std::move(responder)))
    {
    }

    void send(const DemoResponse &response, bool head) const
    {
        QHttpHeaders headers;
        for (const auto &[name, value] : answerHeaders(response))
            headers.append(name, value);
        // The responder adds the length itself; a body after HEAD would be
        // read as the start of the next answer.
        m_responder->write(head ? QByteArray() : response.body, headers,
                           QHttpServerResponder::StatusCode(response.status));
    }

private:
    std::shared_ptr<QHttpServerResponder> m_responder;
#else
    explicit PendingAnswer(QTcpSocket *socket)
        : m_socket(socket)
    {
    }

    void send(const DemoResponse &response, bool head) const
    {
        if (m_socket && m_socket->state() == QAbstractSocket::ConnectedState)
            m_socket->write(httpAnswer(response, head));
    }

private:
    QPointer<QTcpSocket> m_socket;
#endif
};

// One site on one port. The answer can be held back without blocking the
// other site or the next client.
class SiteServer : public QAbstractHttpServer
{
public:
    using Handler = std::function<void(const QHttpServerRequest &, PendingAnswer)>;

    SiteServer(Handler handler, QObject *parent)
        : QAbstractHttpServer(parent)
        , m_handler(std::move(handler))
    {
    }

    // Port 0 picks a free port; 0 when none can be bound.
    quint16 listenOnLoopback(quint16 port)
    {
        auto *server = new QTcpServer(this);
        if (!server->listen(QHostAddress::LocalHost, port)) {
            delete server;
            return 0;
        }
        bind(server);
        return server->serverPort();
    }

protected:
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Qt HTTP Server 6.8 answers through a responder and no longer hands out
    // the socket.
    bool handleRequest(const QHttpServerRequest &request, QHttpServerResponder &responder) override
    {
        m_handler(request, PendingAnswer(std::move(responder)));
        return true;
    }
    void missingHandler(const QHttpServerRequest &, QHttpServerResponder &) override {}
#else
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override
    {
        m_handler(request, PendingAnswer(socket));
        return true;
    }
    void missingHandler(const QHttpServerRequest &, QTcpSocket *) override {}
#endif

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
    case 401: return "Unauthorized";
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
            + "\r\nContent-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    for (const auto &[name, value] : answerHeaders(response))
        answer += name + ": " + value + "\r\n";
    answer += "\r\n";
    // A body after HEAD would be read as the start of the next answer.
    if (!head)
        answer += response.body;
    return answer;
}

DemoServer::DemoServer(QObject *parent)
    : QObject(parent)
    , m_service(new SiteServer([this](const QHttpServerRequest &r, PendingAnswer a) {
        serve(QStringLiteral("service"), r, std::move(a));
    }, this))
    , m_auction(new SiteServer([this](const QHttpServerRequest &r, PendingAnswer a) {
        serve(QStringLiteral("auction"), r, std::move(a));
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
    m_servicePort = m_service->listenOnLoopback(servicePort);
    if (!m_servicePort) {
        *error = QStringLiteral("cannot listen on 127.0.0.1:%1").arg(servicePort);
        return false;
    }
    m_auctionPort = m_auction->listenOnLoopback(auctionPort);
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
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    request.headers = httpRequest.headers().toListOfPairs();
#else
    request.headers = httpRequest.headers();
#endif
    request.body = httpRequest.body();
    // The server keeps only the parsed address, so the log gets it encoded
    // again; escapes of letters and digits come back as the plain characters.
    request.target = url.path(QUrl::FullyEncoded);
    if (url.hasQuery())
        request.target += QLatin1Char('?') + request.query;
    return request;
}

void DemoServer::serve(const QString &site, const QHttpServerRequest &httpRequest, PendingAnswer answer)
{
    // Every request reaches this one handler, so unknown paths and wrong
    // methods get the sites' own error pages and are logged like the rest.
    const DemoRequest request = fromHttp(httpRequest);
    if (m_log.isOpen() && !m_log.write(site, request))
        qWarning("demo: cannot write the request log");
    Q_EMIT requestArrived(site, request.method, request.path);
    const DemoResponse response = site == QLatin1String("service") ? m_serviceSite.handle(request)
                                                                   : handleAuctionSite(request);
    const bool head = request.method == QLatin1String("HEAD");
    const int delay = m_delays.value(delayKey(site, request.path));
    if (delay <= 0) {
        answer.send(response, head);
        return;
    }
    QTimer::singleShot(delay, this, [answer, response, head] { answer.send(response, head); });
}

} // namespace bidwarden::demo
