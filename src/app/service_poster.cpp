#include "service_poster.h"

#include "browser_pane.h"

namespace bidwarden {

ServicePoster::ServicePoster(BrowserPane *servicePane, QObject *parent)
    : QObject(parent)
    , m_pane(servicePane)
{
    // The pane raises this once for the post that replaced the start page,
    // whether the answer came or the load failed.
    connect(m_pane, &BrowserPane::loadFinished, this, &ServicePoster::handleLoadEnded);
}

void ServicePoster::postLogin(const ServicePost &login)
{
    send(login);
    m_loginPending = true;
}

void ServicePoster::postSnipe(const ServicePost &snipe)
{
    if (m_loginPending)
        m_waitingSnipe = snipe;
    else
        send(snipe);
}

void ServicePoster::send(const ServicePost &post)
{
    m_pane->navigatePost(post.url, post.postData, post.headers);
}

void ServicePoster::handleLoadEnded()
{
    if (!std::exchange(m_loginPending, false))
        return;
    if (std::optional<ServicePost> snipe = std::exchange(m_waitingSnipe, std::nullopt))
        send(*snipe);
}

} // namespace bidwarden
