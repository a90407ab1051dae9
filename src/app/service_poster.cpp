#include "service_poster.h"

#include "app_logging.h"
#include "browser_pane.h"

namespace bidwarden {

ServicePoster::ServicePoster(BrowserPane *servicePane, QObject *parent)
    : QObject(parent)
    , m_pane(servicePane)
{
    // The pane raises loadFinished once for the post that replaced the start
    // page, whether the answer came or the load failed; loadUnanswered comes
    // just before it when no answer came at all.
    connect(m_pane, &BrowserPane::loadUnanswered, this, [this] { m_loadUnanswered = true; });
    connect(m_pane, &BrowserPane::loadFinished, this, &ServicePoster::handleLoadEnded);
}

void ServicePoster::postLogin(const ServicePost &login)
{
    m_unsentLogin.reset();
    send(login);
    m_login = login;
}

void ServicePoster::postSnipe(const ServicePost &snipe)
{
    sendUnsentLogin();
    afterLogin([this, snipe] { send(snipe); });
}

void ServicePoster::show(const QString &address)
{
    afterLogin([this, address] { m_pane->navigate(address); });
}

void ServicePoster::sendUnsentLogin()
{
    if (loginPending() || !m_unsentLogin)
        return;
    qCDebug(lcApp) << "sending again the login that never reached the service";
    const ServicePost login = *std::exchange(m_unsentLogin, std::nullopt);
    postLogin(login);
}

void ServicePoster::afterLogin(std::function<void()> step)
{
    if (loginPending())
        m_waiting = std::move(step);
    else
        step();
}

void ServicePoster::send(const ServicePost &post)
{
    m_pane->navigatePost(post.url, post.postData, post.headers);
}

void ServicePoster::handleLoadEnded()
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
