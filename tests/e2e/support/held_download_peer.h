#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace bidwarden::test {

// An HTTP peer on loopback that sends one file as an attachment, slowly as
// the test decides: the first part at once, the rest only on sendTheRest().
// A download from it runs for as long as the test needs it to.
class HeldDownloadPeer : public QObject
{

public:
    // sizeKnown: the answer names the file's length (Content-Length).
    HeldDownloadPeer(QByteArray file, qint64 sentAtOnce, bool sizeKnown = true);

    bool start() { return m_server.listen(QHostAddress::LocalHost); }
    // The file's address, its name the one the answer suggests.
    QString url(const QString &fileName) const;
    void sendTheRest();

private:
    void answer(QTcpSocket *socket);

    QTcpServer m_server;
    QByteArray m_file;
    qint64 m_sentAtOnce;
    bool m_sizeKnown;
    QList<QPointer<QTcpSocket>> m_answered;
};

} // namespace bidwarden::test
