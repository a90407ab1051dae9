#pragma once

#include "snipe_book.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace bidwarden::demo {

using HeaderPairs = QList<QPair<QByteArray, QByteArray>>;

// Bodies larger than this are refused with 413.
inline constexpr qsizetype maxRequestBody = 1024 * 1024;

struct DemoRequest
{
    QString method;     // "GET", "POST", …
    QString path;       // decoded, without the query: what the sites route on
    QString query;      // encoded, without the "?"
    HeaderPairs headers;
    QByteArray body;
    QString target;     // path and query as they came in: what the log records

    // The values of all headers of that name, joined with ", ".
    QByteArray header(const QByteArray &name) const;
    // The value of one cookie of the Cookie headers, or the empty text.
    QString cookie(const QString &name) const;
};

struct DemoResponse
{
    int status = 200;
    QByteArray contentType = "text/html; charset=utf-8";
    HeaderPairs headers;
    QByteArray body;
};

// The demo sniping service: home, start and FAQ pages, the login form and the
// snipe list of each logged-in session.
class ServiceSite
{
public:
    DemoResponse handle(const DemoRequest &request);

private:
    DemoResponse logIn(const DemoRequest &request);
    DemoResponse snipe(const DemoRequest &request);

    SnipeBook m_book;
};

// The demo auction site: a home page, item pages, a page with two frames, a
// page without a title, a page with a picture and a file download.
DemoResponse handleAuctionSite(const DemoRequest &request);

// A small HTML page; the title and paragraphs are escaped here.
QByteArray htmlPage(const QString &title, const QStringList &paragraphs, const QString &rawBody = QString());
DemoResponse errorPage(int status, const QString &reason);

} // namespace bidwarden::demo
