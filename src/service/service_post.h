#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

namespace bidwarden {

// The service's fixed paths, each put behind the service's base address.
namespace servicePaths {
inline const QString startPage = QStringLiteral("/?source=program");
inline const QString faq = QStringLiteral("/faq.cfm");
inline const QString login = QStringLiteral("/cl/logincheck.cfm");
inline const QString snipe = QStringLiteral("/cl/SUpdate.cfm");
} // namespace servicePaths

// The one header line every form post carries.
QByteArray formPostHeader();

// Everything one form post to the service needs.
struct ServicePost
{
    QUrl url;
    QByteArray postData;
    QByteArray headers;
};

// A post ready to send, or the reason it must not be sent.
struct ServicePostResult
{
    std::optional<ServicePost> post;
    QString refusal;

    bool ok() const { return post.has_value(); }
};

// base is the service's scheme and host without a trailing slash.
QUrl serviceAddress(const QString &base, const QString &path);

ServicePostResult loginPost(const QString &base, const QString &userName, const QString &password);
ServicePostResult snipePost(const QString &base, const QString &auctionAddress);

} // namespace bidwarden
