#pragma once

#include "demo_server.h"

#include <QThread>

#include <atomic>
#include <ctime>

namespace bidwarden::bench {

// CLOCK_MONOTONIC is shared by all processes, so a child's timestamps can be
// set against the moment the driver spawned it.
inline qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// The demo peers on a thread of their own: a request's arrival is stamped the
// moment the server has it whole, not when the busy GUI thread gets round to
// it, and answering takes nothing from the thread the window runs on.
class PeersThread
{
public:
    PeersThread();
    ~PeersThread();

    bool listen(QString *error);
    QString serviceUrl() const;
    QString auctionUrl() const; // with the trailing slash
    // Snipe posts that have arrived, and when the latest did.
    int arrivals() const { return m_arrivals; }
    qint64 lastArrivalNs() const { return m_lastArrivalNs; }
    // When each site had its first request of any kind since the last reset
    // (0 while it has had none): a start-up's page requests.
    void resetFirstArrivals();
    qint64 firstServiceArrivalNs() const { return m_firstServiceNs; }
    qint64 firstAuctionArrivalNs() const { return m_firstAuctionNs; }

private:
    QThread m_thread;
    demo::DemoServer *m_peers = nullptr;
    std::atomic<int> m_arrivals{ 0 };
    std::atomic<qint64> m_lastArrivalNs{ 0 };
    std::atomic<qint64> m_firstServiceNs{ 0 };
    std::atomic<qint64> m_firstAuctionNs{ 0 };
};

} // namespace bidwarden::bench
