#include "service_session.h"

#include "app_logging.h"
#include "browser_pane.h"
#include "credentials.h"

namespace bidwarden {

ServiceSession::ServiceSession(BrowserPane *servicePane, const QString &serviceBase, QObject *parent)
    : QObject(parent)
    , m_pane(servicePane)
    , m_serviceBase(serviceBase)
{
    // The pane raises loadFinished once for the post that replaced the start
    // page, whether the answer came or the load failed; loadUnanswered comes
    // just before it when no answer came at all.
    connect(m_pane, &BrowserPane::loadUnanswered, this, [this] { m_loadUnanswered = true; });
    connect(m_pane, &BrowserPane::loadFinished, this, &ServiceSession::handleLoadEnded);
}

void ServiceSession::openStartPage()
{
    m_pane->navigate(serviceAddress(m_serviceBase, servicePaths::startPage).toString());
}

void ServiceSession::logInWithStoredCredentials(const QString &credentialsFile)
{
    const CredentialsResult stored = readCredentials(credentialsFile);
    if (!stored.ok())
        qCWarning(lcApp) << "logging in with empty values:" << stored.status.errorText;
    const ServicePostResult login = loginPost(m_serviceBase, stored.credentials.userName, stored.credentials.password);
    if (login.ok())
        postLogin(*login.post);
}

std::optional<QString> ServiceSession::snipe(const QString &address)
{
    const ServicePostResult snipe = snipePost(m_serviceBase, address);
    if (!snipe.ok())
        return snipe.refusal;
    resendUnsentLogin();
    afterLogin([this, post = *snipe.post] { send(post); });
    return std::nullopt;
}

void ServiceSession::showPage(const QString &address)
{
    resendUnsentLogin();
    afterLogin([this, address] { m_pane->navigate(address); });
}

void ServiceSession::serviceBroughtUp()
{
    resendUnsentLogin();
}

void ServiceSession::postLogin(const ServicePost &login)
{
    m_unsentLogin.reset();
    send(login);
    m_login = login;
}

void ServiceSession::resendUnsentLogin()
{
    if (loginPending() || !m_unsentLogin)
        return;
    qCDebug(lcApp) << "sending again the login that never reached the service";
    postLogin(*std::exchange(m_unsentLogin, std::nullopt));
}

void ServiceSession::afterLogin(std::function<void()> step)
{
    if (loginPending())
        m_waiting = std::move(step);
    else
        step();
}

void ServiceSession::send(const ServicePost &post)
{
    m_pane->navigatePost(post.url, post.postData, post.headers);
}

void ServiceSession::handleLoadEnded()
{
    const bool unanswered = std::exchange(m_loadUnanswered, false);
    std::optional<ServicePost> login = std::exchange(m_login, std::nullopt);
    if (!login)
        return;
    if (unanswered) {
        qCDebug(lcApp) << "the login got no answer from the service; it goes again before the next snipe";
        m_unsentLogin = std::move(login);
    }
    // What waited goes now, with the session if the login got one.
    if (std::function<void()> step = std::exchange(m_waiting, nullptr))
        step();
}

} // namespace bidwarden
