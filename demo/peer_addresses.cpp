#include "peer_addresses.h"

#include <QStringList>

namespace bidwarden::demo {

namespace {

const QString serviceKey = QStringLiteral("service-url");
const QString auctionKey = QStringLiteral("auction-url");

} // namespace

PeerAddresses::PeerAddresses(quint16 servicePort, quint16 auctionPort)
    : m_service(QStringLiteral("http://127.0.0.1:%1").arg(servicePort))
    , m_auction(QStringLiteral("http://127.0.0.1:%1/").arg(auctionPort))
{
}

QString PeerAddresses::announcement() const
{
    return QStringLiteral("%1 %2\n%3 %4\n").arg(serviceKey, m_service, auctionKey, m_auction);
}

void PeerAddresses::read(const QString &line)
{
    const QStringList fields = line.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() != 2)
        return;
    if (fields.at(0) == serviceKey)
        m_service = fields.at(1);
    else if (fields.at(0) == auctionKey)
        m_auction = fields.at(1);
}

} // namespace bidwarden::demo
