#include "https_peer.h"

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QStandardPaths>

#include <algorithm>

namespace bidwarden::test {

namespace {

// Where the request's head ends and how long its body is, once the head has
// arrived whole.
struct Head
{
    qsizetype end = -1; // past the blank line
    qsizetype bodyLength = 0;
};

Head parseHead(const QByteArray &data)
{
    Head head;
    const qsizetype blank = data.indexOf("\r\n\r\n");
    if (blank < 0)
        return head;
    head.end = blank + 4;
    for (const QByteArray &line : data.left(blank).split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == "content-length")
            head.bodyLength = line.mid(colon + 1).trimmed().toLongLong();
    }
    return head;
}

} // namespace

HttpsPeer::HttpsPeer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QSslServer::startedEncryptionHandshake, this, [this] { ++m_handshakes; });
    connect(&m_server, &QTcpServer::pendingConnectionAvailable, this, &HttpsPeer::take);
}

HttpsPeer::~HttpsPeer()
{
    // The sockets are deleted after this object's own members have gone:
    // they must not tell their end to the half-gone peer.
    for (QSslSocket *socket : findChildren<QSslSocket *>() + m_server.findChildren<QSslSocket *>())
        socket->disconnect(this);
}

bool HttpsPeer::makeCertificate(const QString &certificatePath, const QString &keyPath)
{
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (openssl.isEmpty()) {
        m_error = QStringLiteral("the openssl command is not installed");
        return false;
    }
    QProcess run;
    run.start(openssl, { QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                         QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
                         QStringLiteral("2"), QStringLiteral("-subj"),
                         QStringLiteral("/CN=bidwarden-test/O=Bidwarden Tests"), QStringLiteral("-keyout"), keyPath,
                         QStringLiteral("-out"), certificatePath });
    if (!run.waitForFinished(60000) || run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0) {
        m_error = QStringLiteral("openssl could not make a certificate: ") + QString::fromLocal8Bit(run.readAllStandardError());
        return false;
    }
    return true;
}

bool HttpsPeer::start()
{
    const QString certificatePath = m_dir.filePath(QStringLiteral("site.crt"));
    const QString keyPath = m_dir.filePath(QStringLiteral("site.key"));
    if (!m_dir.isValid() || !makeCertificate(certificatePath, keyPath))
        return false;
    const QList<QSslCertificate> certificates = QSslCertificate::fromPath(certificatePath);
    QFile keyFile(keyPath);
    if (certificates.isEmpty() || !keyFile.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("the certificate made cannot be read");
        return false;
    }
    const QSslKey key(&keyFile, QSsl::Rsa);
    if (key.isNull()) {
        m_error = QStringLiteral("the key made cannot be read");
        return false;
    }
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(certificates.constFirst());
    configuration.setPrivateKey(key);
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    m_server.setSslConfiguration(configuration);
    if (!m_server.listen(QHostAddress::LocalHost)) {
        m_error = m_server.errorString();
        return false;
    }
    return true;
}

QString HttpsPeer::base() const
{
    return QStringLiteral("https://127.0.0.1:%1").arg(m_server.serverPort());
}

bool HttpsPeer::hasRequest(const QByteArray &method, const QByteArray &path) const
{
    return std::any_of(m_requests.cbegin(), m_requests.cend(),
                       [&](const Request &r) { return r.method == method && r.path == path; });
}

void HttpsPeer::take()
{
    while (QTcpSocket *next = m_server.nextPendingConnection()) {
        auto *socket = qobject_cast<QSslSocket *>(next);
        if (!socket)
            continue;
        connect(socket, &QSslSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QSslSocket::disconnected, this, [this, socket] {
            m_received.remove(socket);
            socket->deleteLater();
        });
    }
}

void HttpsPeer::read(QSslSocket *socket)
{
    QByteArray &data = m_received[socket];
    data += socket->readAll();
    const Head head = parseHead(data);
    if (head.end < 0 || data.size() < head.end + head.bodyLength)
        return;
    const QList<QByteArray> requestLine = data.left(data.indexOf("\r\n")).split(' ');
    const Request request{ requestLine.value(0), requestLine.value(1), data.mid(head.end, head.bodyLength) };
    data.remove(0, head.end + head.bodyLength);
    if (request.path != "/favicon.ico")
        m_requests << request;
    const QByteArray page = "<!DOCTYPE html><html><head><title>" + pageTitle().toUtf8()
            + "</title></head><body><p>Signed in to the network.</p></body></html>";
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n"
                  "Content-Length: " + QByteArray::number(page.size()) + "\r\n\r\n" + page);
    socket->disconnectFromHost();
}

} // namespace bidwarden::test
