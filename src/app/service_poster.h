#pragma once

#include "service_post.h"

#include <QObject>

#include <optional>

namespace bidwarden {

class BrowserPane;

// Sends the program's form posts in the service pane. Each post replaces
// whatever the pane was loading, as a new request does in any browser, with
// one exception: a snipe made while the start-up login still waits for its
// answer would cancel the login (and leave the snipe without a session), so
// it waits for that answer, or its failure, and goes out then. A later snipe
// made meanwhile replaces a waiting one, as it would replace it in the pane.
class ServicePoster : public QObject
{
    Q_OBJECT

public:
    explicit ServicePoster(BrowserPane *servicePane, QObject *parent = nullptr);

    void postLogin(const ServicePost &login);
    void postSnipe(const ServicePost &snipe);
    bool loginPending() const { return m_loginPending; }

private:
    void send(const ServicePost &post);
    void handleLoadEnded();

    BrowserPane *m_pane = nullptr;
    bool m_loginPending = false;
    std::optional<ServicePost> m_waitingSnipe;
};

} // namespace bidwarden
