#include "service_session.h"

#include "app_logging.h"
#include "browser_pane.h"
#include "credentials.h"

namespace bidwarden {

using namespace std::chrono_literals;

std::chrono::milliseconds retryDelay(int failedTries)
{
    std::chrono::milliseconds delay = 5s;
    for (int i = 1; i < failedTries && delay < 60s; ++i)
        delay *= 2;
    return std::min<std::chrono::milliseconds>(delay, 60s);
}

ServiceSession::ServiceSession(BrowserPane *servicePane, const QString &serviceBase, QObject *parent)
    : QObject(parent)
    , m_pane(servicePane)
    , m_serviceBase(serviceBase)
    , m_retryDelay(retryDelay)
{
    // The pane raises loadFinished once for a post, whether the answer came
    // or the load failed; loadNotDelivered and loadUnanswered come just
    // before it when no answer came at all.
    connect(m_pane, &BrowserPane::loadUnanswered, this, [this] { m_loadUnanswered = true; });
    connect(m_pane, &BrowserPane::loadNotDelivered, this, [this] { m_loadNotDelivered = true; });
    connect(m_pane, &BrowserPane::loadFinished, this, &ServiceSession::handleLoadEnded);
    m_retryTimer.setSingleShot(true);
    connect(&m_retryTimer, &QTimer::timeout, this, [this] { sendKeptPosts(false); });
}

void ServiceSession::setRetryDelay(std::function<std::chrono::milliseconds(int)> delay)
{
    m_retryDelay = std::move(delay);
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
    if (!login.ok())
        return;
    m_unsentLogin.reset();
    send({ PostKind::Login, *login.post, {} });
}

std::optional<QString> ServiceSession::snipe(const QString &address)
{
    const ServicePostResult snipe = snipePost(m_serviceBase, address);
    if (!snipe.ok())
        return snipe.refusal;
    Post post{ PostKind::Snipe, *snipe.post, address };
    if (m_kept.isEmpty() && !m_unsentLogin && !awaitingAnswer()) {
        send(post);
        return std::nullopt;
    }
    // Behind what has not reached the service yet, in order.
    m_kept.append(post);
    Q_EMIT keptSnipeCountChanged(keptSnipeCount());
    sendKeptPosts(true);
    return std::nullopt;
}

void ServiceSession::showPage(const QString &address)
{
    sendKeptPosts(true);
    afterPosts([this, address] { m_pane->navigate(address); });
}

void ServiceSession::serviceBroughtUp()
{
    sendKeptPosts(true);
}

bool ServiceSession::loginPending() const
{
    return m_inFlight && m_inFlight->kind == PostKind::Login;
}

bool ServiceSession::awaitingAnswer() const
{
    return m_inFlight && (m_inFlight->kind == PostKind::Login || m_inFlight->kept);
}

void ServiceSession::sendKeptPosts(bool byUser)
{
    m_sentByUser = m_sentByUser || byUser;
    if (awaitingAnswer())
        return;
    m_retryTimer.stop();
    if (m_unsentLogin) {
        qCDebug(lcApp) << "sending again the login that never reached the service";
        send({ PostKind::Login, *std::exchange(m_unsentLogin, std::nullopt), {} });
        return;
    }
    sendNextKeptSnipe();
}

void ServiceSession::sendNextKeptSnipe()
{
    if (m_kept.isEmpty()) {
        m_sentByUser = false;
        runWaitingStep();
        return;
    }
    Post next = m_kept.constFirst();
    next.kept = true;
    qCDebug(lcApp) << "sending the snipe of" << next.auction << "-" << m_kept.size() << "not sent yet";
    send(next);
}

void ServiceSession::send(const Post &post)
{
    // A snipe that was on its way counts as sent once this replaces it: its
    // request may have arrived.
    m_inFlight = post;
    m_pane->navigatePost(post.request.url, post.request.postData, post.request.headers);
}

void ServiceSession::handleLoadEnded()
{
    const bool unanswered = std::exchange(m_loadUnanswered, false);
    const bool notDelivered = std::exchange(m_loadNotDelivered, false);
    const std::optional<Post> post = std::exchange(m_inFlight, std::nullopt);
    if (!post)
        return;
    if (post->kind == PostKind::Snipe) {
        handleSnipeEnded(*post, notDelivered);
        return;
    }
    if (unanswered) {
        qCDebug(lcApp) << "the login got no answer from the service; it goes again before the next snipe";
        m_unsentLogin = post->request;
    }
    // What waited goes now, with the session if the login got one.
    sendNextKeptSnipe();
}

void ServiceSession::handleSnipeEnded(const Post &snipe, bool notDelivered)
{
    if (notDelivered) {
        ++m_failedTries;
        if (!snipe.kept) {
            m_kept.append(snipe);
            Q_EMIT keptSnipeCountChanged(keptSnipeCount());
        }
        // The ones behind it wait for the service as well.
        for (Post &kept : m_kept)
            kept.failed = true;
        if (!snipe.failed)
            Q_EMIT snipeKept(snipe.auction);
        const std::chrono::milliseconds delay = m_retryDelay(m_failedTries);
        qCDebug(lcApp) << "the snipe of" << snipe.auction << "did not reach the service; trying again in"
                       << delay.count() << "ms";
        m_sentByUser = false;
        m_retryTimer.start(delay);
        // A page the user asked for shows what the pane can show.
        runWaitingStep();
        return;
    }
    m_failedTries = 0;
    if (!snipe.kept)
        return;
    const bool wasKept = m_kept.takeFirst().failed;
    Q_EMIT keptSnipeCountChanged(keptSnipeCount());
    if (wasKept)
        Q_EMIT keptSnipeSent(snipe.auction, m_sentByUser);
    sendNextKeptSnipe();
}

void ServiceSession::afterPosts(std::function<void()> step)
{
    if (awaitingAnswer())
        m_waiting = std::move(step);
    else
        step();
}

void ServiceSession::runWaitingStep()
{
    if (std::function<void()> step = std::exchange(m_waiting, nullptr))
        step();
}

} // namespace bidwarden
