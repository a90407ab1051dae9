#pragma once

#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThread>

#include <atomic>
#include <memory>

QT_BEGIN_NAMESPACE
class QTcpServer;
class QTcpSocket;
QT_END_NAMESPACE

namespace bidwarden::bench {

// The body of listing page `number`: a table of 60 lots and a script that
// holds 20,000 small objects of the page's own, as a listing's data does.
// Once loaded, the page loads the next one by itself (calling gc() first
// where the engine exposes it).
QByteArray listingPage(int number);

// An HTTP peer on a thread of its own that serves /page/N, the N-th listing
// page, which goes on to page N+1 by itself. Pages up to the allowed number
// are answered at once; the request for the one after is held until more
// are allowed, so the page before it sits idle while the process tree is
// measured.
class PagePeer
{
public:
    PagePeer();
    ~PagePeer();
    PagePeer(const PagePeer &) = delete;
    PagePeer &operator=(const PagePeer &) = delete;

    bool listen(QString *error);
    QString pageUrl(int number) const;

    // Lets the pages through up to `number`, answering a held request.
    void allowUpTo(int number);
    // The highest page number asked for so far (-1 before any).
    int lastRequested() const { return m_lastRequested; }

private:
    void accept();
    void answer(QTcpSocket *socket, int number);

    QThread m_thread;
    std::unique_ptr<QTcpServer> m_server; // lives on m_thread, and goes there
    quint16 m_port = 0;
    std::atomic<int> m_allowed{ 0 };
    std::atomic<int> m_lastRequested{ -1 };
    QPointer<QTcpSocket> m_held;
    int m_heldNumber = -1;
};

} // namespace bidwarden::bench
