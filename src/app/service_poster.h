#pragma once

#include "service_post.h"

#include <QObject>

#include <functional>
#include <optional>

namespace bidwarden {

class BrowserPane;

// Sends the program's form posts in the service pane. Each post replaces
// whatever the pane was loading, as a new request does in any browser, with
// one exception: a snipe made while the login still waits for its answer
// would cancel the login (and leave the snipe without a session), so it
// waits for that answer, or its failure, and goes out then. A later snipe
// made meanwhile replaces a waiting one, as it would replace it in the pane.
//
// A login that never reached the service (the connection refused, the host
// unreachable, no answer in time) is kept: the next snipe, or the user
// bringing up the service page, sends it again first. Any answer from the
// service, whatever it says, counts as sent.
class ServicePoster : public QObject
{
    Q_OBJECT

public:
    explicit ServicePoster(BrowserPane *servicePane, QObject *parent = nullptr);

    void postLogin(const ServicePost &login);
    void postSnipe(const ServicePost &snipe);
    // Loads a page of the service in the pane, after a login still waiting
    // for its answer, as a snipe waits.
    void show(const QString &address);
    // The user has brought up the service page: a login that never reached
    // the service goes again.
    void sendUnsentLogin();

    bool loginPending() const { return m_login.has_value(); }

private:
    void send(const ServicePost &post);
    void afterLogin(std::function<void()> step);
    void handleLoadEnded();

    BrowserPane *m_pane = nullptr;
    // The login whose answer is awaited, and whether the pane's load that
    // is ending got no answer (raised just before the load's end).
    std::optional<ServicePost> m_login;
    bool m_loadUnanswered = false;
    std::optional<ServicePost> m_unsentLogin;
    // What the user asked for while the login was on its way.
    std::function<void()> m_waiting;
};

} // namespace bidwarden
