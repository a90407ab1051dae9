#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSslServer>
#include <QString>
#include <QTemporaryDir>

QT_BEGIN_NAMESPACE
class QSslSocket;
QT_END_NAMESPACE

namespace bidwarden::test {

// An HTTPS site on loopback with a self-signed certificate nobody vouches
// for, made for it by the openssl command when it starts. It logs the TLS
// handshakes it takes and every HTTP request that arrives (the engine's
// requests for the site's icon aside), and answers each with a small page.
class HttpsPeer : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QByteArray body;
    };

    explicit HttpsPeer(QObject *parent = nullptr);
    ~HttpsPeer() override;

    // Makes the certificate and listens; false with error() when either fails.
    bool start();
    QString error() const { return m_error; }
    // "https://127.0.0.1:PORT", no trailing slash.
    QString base() const;
    int handshakes() const { return m_handshakes; }
    const QList<Request> &requests() const { return m_requests; }
    bool hasRequest(const QByteArray &method, const QByteArray &path) const;

    // The title of the page every request is answered with.
    static QString pageTitle() { return QStringLiteral("Behind the router"); }

private:
    bool makeCertificate(const QString &certificatePath, const QString &keyPath);
    void take();
    void read(QSslSocket *socket);

    QTemporaryDir m_dir;
    QSslServer m_server;
    QString m_error;
    int m_handshakes = 0;
    QList<Request> m_requests;
    QHash<QSslSocket *, QByteArray> m_received;
};

} // namespace bidwarden::test
