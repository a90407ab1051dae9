#pragma once

#include "service_post.h"

#include <QObject>

#include <functional>
#include <optional>

namespace bidwarden {

class BrowserPane;

// The program's session with the sniping service, in the service pane: the
// start page, the login with the stored credentials, the snipes and the
// service's own pages.
//
// Each post replaces whatever the pane was loading, as a new request does in
// any browser, with one exception: a snipe made while the login still waits
// for its answer would cancel the login (and leave the snipe without a
// session), so it waits for that answer, or its failure, and goes out then.
// A later snipe made meanwhile replaces a waiting one, as it would replace it
// in the pane.
//
// A login that never reached the service (the connection refused, the host
// unreachable, no answer in time) is kept and goes again first when the user
// next snipes or brings the service up. Any answer from the service, whatever
// it says, counts as sent.
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
    // case nothing was sent.
    std::optional<QString> snipe(const QString &address);
    // Loads a page of the service (its home, its FAQ) once a login on its
    // way has its answer.
    void showPage(const QString &address);
    // The user has brought the service up (its tab, one of its pages).
    void serviceBroughtUp();

    bool loginPending() const { return m_login.has_value(); }
    const QString &serviceBase() const { return m_serviceBase; }

private:
    void postLogin(const ServicePost &login);
    // The one place a login that never reached the service goes again.
    void resendUnsentLogin();
    void afterLogin(std::function<void()> step);
    void send(const ServicePost &post);
    void handleLoadEnded();

    BrowserPane *m_pane = nullptr;
    QString m_serviceBase;
    // The login whose answer is awaited, and whether the pane's load that is
    // ending got no answer (raised just before the load's end).
    std::optional<ServicePost> m_login;
    bool m_loadUnanswered = false;
    std::optional<ServicePost> m_unsentLogin;
    // What the user asked for while the login was on its way.
    std::function<void()> m_waiting;
};

} // namespace bidwarden
