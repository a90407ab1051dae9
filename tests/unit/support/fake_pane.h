#pragma once

#include "browser_pane.h"
#include "zoom_steps.h"

#include <QStringList>
#include <QTimer>

namespace bidwarden::test {

// A pane without an engine: records what the window asks of it and raises
// page events when a test says, in the order and at the moments the real
// engine raises them. Nothing is raised inside a call from the window: a
// load the window starts reports itself only when the test lets it start
// (startLoad), its answer arrive (commit) and end (finishLoad).
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

    void navigate(const QString &address) override
    {
        calls << QStringLiteral("navigate ") + address;
        navigations << address;
        m_postPending = false;
    }
    void navigatePost(const QUrl &postUrl, const QByteArray &postData, const QByteArray &headerLines) override
    {
        calls << QStringLiteral("post ") + postUrl.toString();
        posts.append({ postUrl, postData, headerLines });
        m_postPending = true;
    }
    void goBack() override { calls << QStringLiteral("back"); }
    void goForward() override { calls << QStringLiteral("forward"); }
    void stop() override { calls << QStringLiteral("stop"); }
    void refresh() override { calls << QStringLiteral("refresh"); }
    void print(QWidget *) override { calls << QStringLiteral("print"); }
    void savePageAs() override { calls << QStringLiteral("savePageAs"); }
    // Agrees later, as the engine does, unless the test holds the answer
    // (a page asking before it goes) and gives it with allowClose().
    void requestClose() override
    {
        calls << QStringLiteral("requestClose");
        if (!holdsCloseAnswer)
            QTimer::singleShot(0, this, &BrowserPane::closeAllowed);
    }
    void allowClose() { Q_EMIT closeAllowed(); }

    QString locationName() const override { return title; }
    QString locationUrl() const override { return url; }
    bool showsFormAnswer() const override { return formAnswer; }
    bool isLoading() const override { return loading; }
    void zoomIn() override { zoom = zoomedIn(zoom); }
    void zoomOut() override { zoom = zoomedOut(zoom); }
    void resetZoom() override { zoom = 1; }
    void showFindBar() override { calls << QStringLiteral("find bar"); }
    void findAgain(bool backward) override { calls << (backward ? QStringLiteral("find previous") : QStringLiteral("find next")); }
    void offerSnipeLink() override { offersSnipeLink = true; }
    bool isAudible() const override { return audible; }
    bool isAudioMuted() const override { return muted; }
    void setAudioMuted(bool mute) override
    {
        muted = mute;
        Q_EMIT soundChanged();
    }
    // The page starts or stops playing sound.
    void playSound(bool playing)
    {
        audible = playing;
        Q_EMIT soundChanged();
    }
    // "Snipe Link" chosen on a link of the page.
    void snipeLink(const QString &address) { Q_EMIT snipeLinkRequested(address); }

    // The engine has started the latest request.
    void startLoad()
    {
        loading = true;
        Q_EMIT loadStarted();
    }
    // Its answer has arrived: the new page replaces the old one.
    void commit(const QString &address, const QString &pageTitle)
    {
        url = address;
        title = pageTitle;
        formAnswer = std::exchange(m_postPending, false);
        Q_EMIT navigateCompleted();
    }
    // The load has ended; a failed one completes no document.
    void finishLoad(bool ok = true)
    {
        loading = false;
        Q_EMIT loadFinished();
        if (ok)
            Q_EMIT documentCompleted();
    }
    // The latest request got no answer at all: the load ends without a page
    // of the server's. Refused (the connection never made) it cannot have
    // arrived; timed out or reset it may have.
    void failUnanswered(bool delivered = false)
    {
        loading = false;
        if (!delivered)
            Q_EMIT loadNotDelivered();
        Q_EMIT loadUnanswered();
        Q_EMIT loadFinished();
    }
    // One whole page load at this address.
    void completeLoad(const QString &address, const QString &pageTitle)
    {
        startLoad();
        commit(address, pageTitle);
        finishLoad();
    }
    void endRenderProcess(const QString &what) { Q_EMIT renderProcessEnded(what); }
    // The latest request turned out to be a download: the page stays.
    void startDownload() { Q_EMIT fileDownloadStarting(); }

    QStringList calls;
    QStringList navigations;
    QList<Post> posts;
    QString title;
    QString url;
    bool formAnswer = false;
    bool holdsCloseAnswer = false;
    bool loading = false;
    bool offersSnipeLink = false;
    bool audible = false;
    bool muted = false;
    qreal zoom = 1;

private:
    bool m_postPending = false;
};

} // namespace bidwarden::test
