#include "service_post.h"

#include "form_body.h"

namespace bidwarden {

namespace {

ServicePostResult makePost(const QString &base, const QString &path, const FormBody &body)
{
    if (!body.ok())
        return { std::nullopt, body.error() };
    return { ServicePost{ serviceAddress(base, path), body.postData(), formPostHeader() }, QString() };
}

} // namespace

QByteArray formPostHeader()
{
    return QByteArrayLiteral("Content-Type: application/x-www-form-urlencoded\r\n");
}

QUrl serviceAddress(const QString &base, const QString &path)
{
    // The path may carry a query ("/?source=program"): parse it as written
    // rather than setting it as a path, which would percent-encode the "?".
    return QUrl(base + path);
}

ServicePostResult loginPost(const QString &base, const QString &userName, const QString &password)
{
    FormBody body;
    body.add(QStringLiteral("UserLogin"), userName, QStringLiteral("stored user name"))
            .add(QStringLiteral("UserPassword"), password, QStringLiteral("stored password"));
    return makePost(base, servicePaths::login, body);
}

ServicePostResult snipePost(const QString &base, const QString &auctionAddress)
{
    FormBody body;
    body.add(QStringLiteral("AuctionURL"), auctionAddress, QStringLiteral("auction address"));
    return makePost(base, servicePaths::snipe, body);
}

} // namespace bidwarden
