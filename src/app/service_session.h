#pragma once

#include "service_post.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

namespace bidwarden {

class BrowserPane;

// How long to wait before the next try of snipes the service could not be
// reached for: 5 s after the first failure, doubling up to a minute.
std::chrono::milliseconds retryDelay(int failedTries);

// The program's session with the sniping service, in the service pane: the
// start page, the login with the stored credentials, the snipes and the
// service's own pages.
//
// A snipe, like any new request in a browser, replaces whatever the pane was
// loading. Posts wait for the answer to the one before only where one of
// them must not be cut short: a snipe made while the login still waits for
// its answer (the login would be cancelled and the snipe left without a
// session), and snipes that are kept.
//
// Nothing that cannot have reached the service is lost: a login that never
// got an answer (refused, unreachable, timed out) goes again first when the
// user next snipes or brings the service up; a snipe whose request cannot
// have arrived (refused, unreachable, not resolved) is kept for the run, and
// the kept snipes go again, oldest first, each after the answer to the one
// before, when the user snipes or brings the service up, and by themselves
// after retryDelay(). Any answer from the service, whatever it says, and any
// failure after the request may have arrived counts as sent: nothing that may
// have reached the service is sent twice.
class ServiceSession : public QObject
{
    Q_OBJECT

public:
    // serviceBase: the service's scheme and host, no trailing slash.
    ServiceSession(BrowserPane *servicePane, const QString &serviceBase, QObject *parent = nullptr);

    // Asks for the service's start page.
    void openStartPage();
    // Logs in with what the credentials file holds (a file that cannot be
    // read logs in with empty values, as an empty one does), replacing the
    // start page's request. Nothing is sent when the credentials cannot be
    // posted whole.
    void logInWithStoredCredentials(const QString &credentialsFile);
    // Posts a snipe of the address. Returns why it cannot be sent, in which
    // case nothing was sent or kept.
    std::optional<QString> snipe(const QString &address);
    // Loads a page of the service (its home, its FAQ) once the posts on
    // their way have their answers.
    void showPage(const QString &address);
    // The user has brought the service up (its tab, one of its pages).
    void serviceBroughtUp();

    bool loginPending() const;
    // The snipes not sent yet: kept, or waiting for the answer to a post.
    int keptSnipeCount() const { return int(m_kept.size()); }
    const QString &serviceBase() const { return m_serviceBase; }

    // For tests: the delay before each try after failures, in place of
    // retryDelay().
    void setRetryDelay(std::function<std::chrono::milliseconds(int failedTries)> delay);

Q_SIGNALS:
    // A snipe of this address could not reach the service and is kept.
    void snipeKept(const QString &address);
    // A kept snipe has reached the service; byUser when the user's own
    // action (a snipe, bringing the service up) sent it, not the timer.
    void keptSnipeSent(const QString &address, bool byUser);
    void keptSnipeCountChanged(int count);

private:
    enum class PostKind { Login, Snipe };
    struct Post
    {
        PostKind kind;
        ServicePost request;
        QString auction; // a snipe's address
        bool kept = false;   // the front of the kept snipes
        bool failed = false; // kept because the service could not be reached
    };

    bool awaitingAnswer() const;
    // The one place posts that have not reached the service go again: the
    // login first, then the oldest kept snipe.
    void sendKeptPosts(bool byUser);
    void sendNextKeptSnipe();
    void send(const Post &post);
    void handleLoadEnded();
    void handleSnipeEnded(const Post &snipe, bool notDelivered);
    void afterPosts(std::function<void()> step);
    void runWaitingStep();

    BrowserPane *m_pane = nullptr;
    QString m_serviceBase;
    // The post whose load is running, and how the pane's ending load went
    // (raised just before the load's end).
    std::optional<Post> m_inFlight;
    bool m_loadUnanswered = false;
    bool m_loadNotDelivered = false;
    std::optional<ServicePost> m_unsentLogin;
    // Snipes not sent yet, in the order they were made.
    QList<Post> m_kept;
    // The kept posts now going were sent because the user acted.
    bool m_sentByUser = false;
    int m_failedTries = 0;
    QTimer m_retryTimer;
    std::function<std::chrono::milliseconds(int)> m_retryDelay;
    // A page of the service the user asked for while posts were on their way.
    std::function<void()> m_waiting;
};

} // namespace bidwarden
