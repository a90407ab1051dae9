#include "snipe_book.h"

#include <QUuid>

namespace bidwarden::demo {

QString SnipeBook::logIn(const QString &userName)
{
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    m_sessions.insert(id, { userName, {} });
    return id;
}

std::optional<QString> SnipeBook::userOf(const QString &sessionId) const
{
    const auto it = m_sessions.constFind(sessionId);
    if (it == m_sessions.constEnd())
        return std::nullopt;
    return it->userName;
}

std::optional<QStringList> SnipeBook::snipe(const QString &sessionId, const QString &auctionUrl)
{
    const auto it = m_sessions.find(sessionId);
    if (it == m_sessions.end())
        return std::nullopt;
    it->snipes.append(auctionUrl);
    return it->snipes;
}

} // namespace bidwarden::demo
