#pragma once

#include <QString>

namespace bidwarden::demo {

// The two lines bidwarden-demo prints once it listens, and their reading:
//   service-url http://127.0.0.1:PORT
//   auction-url http://127.0.0.1:PORT/
class PeerAddresses
{
public:
    PeerAddresses() = default;
    PeerAddresses(quint16 servicePort, quint16 auctionPort);

    QString announcement() const;
    // Takes one line of the peers' output; lines of other kinds are ignored.
    void read(const QString &line);
    bool complete() const { return !m_service.isEmpty() && !m_auction.isEmpty(); }

    QString serviceUrl() const { return m_service; } // no trailing slash
    QString auctionUrl() const { return m_auction; } // with trailing slash

private:
    QString m_service;
    QString m_auction;
};

} // namespace bidwarden::demo
