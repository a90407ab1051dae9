#include "service_post.h"

#include "form_body.h"
#include "service_logging.h"

namespace bidwarden {

namespace {

ServicePostResult makePost(const QString &base, const QString &path, const FormBody &body)
{
    const QUrl url = serviceAddress(base, path);
    if (!body.ok()) {
        // Nothing is sent; the caller decides what the user hears of it.
        qCWarning(lcService).noquote() << "not posting to" << url.toString() << "-" << body.error();
        return { std::nullopt, body.error() };
    }
    return { ServicePost{ url, body.postData(), formPostHeader() }, QString() };
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
