#include "peers_thread.h"

#include "peer_addresses.h"

namespace bidwarden::bench {

PeersThread::PeersThread()
{
    m_peers = new demo::DemoServer;
    m_peers->moveToThread(&m_thread);
    QObject::connect(m_peers, &demo::DemoServer::requestArrived, m_peers,
                     [this](const QString &site, const QString &method, const QString &path) {
                         std::atomic<qint64> &first =
                                 site == QLatin1String("service") ? m_firstServiceNs : m_firstAuctionNs;
                         qint64 none = 0;
                         first.compare_exchange_strong(none, monotonicNs());
                         if (method == QLatin1String("POST") && path == QLatin1String("/cl/SUpdate.cfm")) {
                             m_lastArrivalNs = monotonicNs();
                             ++m_arrivals;
                         }
                     },
                     Qt::DirectConnection);
    m_thread.start();
}

PeersThread::~PeersThread()
{
    QMetaObject::invokeMethod(m_peers, [this] { delete m_peers; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void PeersThread::resetFirstArrivals()
{
    m_firstServiceNs = 0;
    m_firstAuctionNs = 0;
}

bool PeersThread::listen(QString *error)
{
    bool ok = false;
    QMetaObject::invokeMethod(m_peers, [&] { ok = m_peers->listen(0, 0, error); }, Qt::BlockingQueuedConnection);
    return ok;
}

QString PeersThread::serviceUrl() const
{
    return demo::PeerAddresses(m_peers->servicePort(), m_peers->auctionPort()).serviceUrl();
}

QString PeersThread::auctionUrl() const
{
    return demo::PeerAddresses(m_peers->servicePort(), m_peers->auctionPort()).auctionUrl();
}

} // namespace bidwarden::bench
