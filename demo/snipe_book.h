#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace bidwarden::demo {

// The demo service's memory: who is logged in under which session, and each
// session's snipe list, in the order sniped, duplicates kept.
class SnipeBook
{
public:
    // A new session for the user; its id goes in the session cookie.
    QString logIn(const QString &userName);
    std::optional<QString> userOf(const QString &sessionId) const;
    // Appends to the session's list; nothing for an unknown session.
    std::optional<QStringList> snipe(const QString &sessionId, const QString &auctionUrl);

private:
    struct Session
    {
        QString userName;
        QStringList snipes;
    };
    QHash<QString, Session> m_sessions;
};

} // namespace bidwarden::demo
