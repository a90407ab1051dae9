#include "held_download_peer.h"

#include <QUrl>

namespace bidwarden::test {

HeldDownloadPeer::HeldDownloadPeer(QByteArray file, qint64 sentAtOnce, bool sizeKnown)
    : m_file(std::move(file))
    , m_sentAtOnce(sentAtOnce)
    , m_sizeKnown(sizeKnown)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            // The engine may connect ahead of a request: answer only one.
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                if (!m_answered.contains(socket) && socket->peek(65536).contains("\r\n\r\n"))
                    answer(socket);
            });
        }
    });
}

QString HeldDownloadPeer::url(const QString &fileName) const
{
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_server.serverPort()).arg(fileName);
}

void HeldDownloadPeer::answer(QTcpSocket *socket)
{
    const QByteArray request = socket->readAll();
    const QByteArray path = request.mid(4, request.indexOf(' ', 4) - 4);
    QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
                      "Content-Disposition: attachment; filename=\"" + QUrl::fromPercentEncoding(path.mid(1)).toUtf8()
            + "\"\r\nConnection: close\r\n";
    if (m_sizeKnown)
        head += "Content-Length: " + QByteArray::number(m_file.size()) + "\r\n";
    socket->write(head + "\r\n" + m_file.left(m_sentAtOnce));
    m_answered.append(socket);
}

void HeldDownloadPeer::sendTheRest()
{
    for (const QPointer<QTcpSocket> &socket : std::as_const(m_answered)) {
        if (!socket)
            continue;
        socket->write(m_file.mid(m_sentAtOnce));
        socket->disconnectFromHost();
    }
    m_answered.clear();
}

} // namespace bidwarden::test
