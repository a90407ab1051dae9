#include "page_peer.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace bidwarden::bench {

namespace {

constexpr int lotsPerPage = 60;
constexpr int objectsPerPage = 20000;

QByteArray httpAnswer(int status, const QByteArray &body)
{
    return QByteArray("HTTP/1.1 ") + QByteArray::number(status) + (status == 200 ? " OK" : " Not Found")
            + "\r\nContent-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\nConnection: close"
              "\r\nContent-Length: "
            + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

// The page number of "GET /page/N ...", or -1.
int requestedPage(const QByteArray &request)
{
    const QByteArray line = request.left(request.indexOf("\r\n"));
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() < 2 || parts.at(0) != "GET" || !parts.at(1).startsWith("/page/"))
        return -1;
    bool ok = false;
    const int number = parts.at(1).mid(6).toInt(&ok);
    return ok && number >= 0 ? number : -1;
}

} // namespace

QByteArray listingPage(int number)
{
    QByteArray rows;
    for (int lot = 0; lot < lotsPerPage; ++lot) {
        const QByteArray id = QByteArray::number(number * 1000 + lot);
        rows += "<tr><td><a href=\"/itm/" + id + "\">Lot " + id + ": a lamp, a chair or a clock</a></td><td>"
                + QByteArray::number(lot * 3 + 1) + ".50 EUR</td><td>" + QByteArray::number(lot % 7 + 1)
                + " bids</td><td>" + QByteArray::number(lot % 24) + "h left</td></tr>\n";
    }
    const QByteArray n = QByteArray::number(number);
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Listing " + n + "</title></head><body>\n"
           "<h1>Listing " + n + "</h1><table>\n" + rows + "</table>\n<script>\n"
           "var lots = [];\n"
           "for (var i = 0; i < " + QByteArray::number(objectsPerPage) + "; ++i)\n"
           "  lots.push({ id: i, title: 'Lot ' + i + ' of listing " + n + "', bid: i * 1.5, ends: Date.now() + i });\n"
           "addEventListener('load', function () {\n"
           "  setTimeout(function () {\n"
           "    if (typeof gc === 'function') gc();\n"
           "    location.href = '/page/" + QByteArray::number(number + 1) + "';\n"
           "  }, 20);\n"
           "});\n"
           "</script></body></html>\n";
}

PagePeer::PagePeer()
{
    m_thread.start();
}

PagePeer::~PagePeer()
{
    // Deleted on its own thread, once the call that hands it over returns.
    if (m_server)
        QMetaObject::invokeMethod(m_server.get(), [this] { m_server.release()->deleteLater(); },
                                  Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

bool PagePeer::listen(QString *error)
{
    QObject context;
    context.moveToThread(&m_thread);
    bool ok = false;
    QMetaObject::invokeMethod(
            &context,
            [&] {
                m_server = std::make_unique<QTcpServer>();
                ok = m_server->listen(QHostAddress::LocalHost, 0);
                if (!ok) {
                    *error = m_server->errorString();
                    return;
                }
                m_port = m_server->serverPort();
                QObject::connect(m_server.get(), &QTcpServer::newConnection, m_server.get(), [this] { accept(); });
            },
            Qt::BlockingQueuedConnection);
    return ok;
}

QString PagePeer::pageUrl(int number) const
{
    return QStringLiteral("http://127.0.0.1:%1/page/%2").arg(m_port).arg(number);
}

void PagePeer::allowUpTo(int number)
{
    m_allowed = number;
    QMetaObject::invokeMethod(m_server.get(), [this] {
        if (m_held && m_heldNumber <= m_allowed)
            answer(m_held, m_heldNumber);
        m_held = nullptr;
    });
}

void PagePeer::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            const QByteArray request = socket->peek(socket->bytesAvailable());
            if (!request.contains("\r\n\r\n"))
                return;
            socket->readAll();
            const int number = requestedPage(request);
            if (number < 0) {
                socket->write(httpAnswer(404, QByteArray()));
                socket->disconnectFromHost();
                return;
            }
            m_lastRequested = std::max(m_lastRequested.load(), number);
            if (number > m_allowed) {
                m_held = socket;
                m_heldNumber = number;
                return;
            }
            answer(socket, number);
        });
    }
}

void PagePeer::answer(QTcpSocket *socket, int number)
{
    socket->write(httpAnswer(200, listingPage(number)));
    socket->disconnectFromHost();
}

} // namespace bidwarden::bench
