#pragma once

#include "browser_pane.h"

#include <QStringList>

namespace bidwarden::test {

// A pane without an engine: records what the window asks of it and raises
// page events on demand.
class FakePane : public BrowserPane
{
    Q_OBJECT

public:
    struct Post
    {
        QUrl url;
        QByteArray postData;
        QByteArray headerLines;
    };

    using BrowserPane::BrowserPane;

    void navigate(const QString &address) override { calls << QStringLiteral("navigate ") + address; navigations << address; }
    void navigatePost(const QUrl &url, const QByteArray &postData, const QByteArray &headerLines) override
    {
        calls << QStringLiteral("post ") + url.toString();
        posts.append({ url, postData, headerLines });
    }
    void goBack() override { calls << QStringLiteral("back"); }
    void goForward() override { calls << QStringLiteral("forward"); }
    void stop() override { calls << QStringLiteral("stop"); }
    void refresh() override { calls << QStringLiteral("refresh"); }
    void print(QWidget *) override { calls << QStringLiteral("print"); }

    QString locationName() const override { return title; }
    QString locationUrl() const override { return url; }

    // Raises the events of one completed page load at this address.
    void completeLoad(const QString &address, const QString &pageTitle)
    {
        Q_EMIT downloadBegan();
        url = address;
        title = pageTitle;
        Q_EMIT navigateCompleted();
        Q_EMIT downloadCompleted();
        Q_EMIT documentCompleted();
    }

    QStringList calls;
    QStringList navigations;
    QList<Post> posts;
    QString title;
    QString url;
};

} // namespace bidwarden::test
