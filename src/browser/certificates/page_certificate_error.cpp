#include "page_certificate_error.h"

#include "browser_logging.h"
#include "certificate_notice.h"
#include "certificate_words.h"
#include "engine_version.h"
#include "shown_host.h"

#include <QSslCertificate>
#include <QWebEngineHistory>
#include <QWebEnginePage>

#include <utility>

namespace bidwarden {

namespace {

CertificateFacts factsOf(const QWebEngineCertificateError &error)
{
    CertificateFacts facts;
    facts.host = shownHost(error.url());
    facts.reason = error.description();
    facts.overridable = error.isOverridable();
    // The site's own certificate comes first, its issuers' after it.
    const QList<QSslCertificate> chain = error.certificateChain();
    if (!chain.isEmpty()) {
        const QSslCertificate &site = chain.constFirst();
        facts.subject = certificateSubject(site);
        facts.issuer = certificateIssuer(site);
        facts.validity = certificateValidity(site, QDateTime::currentDateTimeUtc());
    }
    return facts;
}

} // namespace

PageCertificateError::PageCertificateError(QWebEnginePage *page, CertificateNotice *notice)
    : QObject(page)
    , m_page(page)
    , m_notice(notice)
{
    connect(page, &QWebEnginePage::certificateError, this, &PageCertificateError::ask);
    connect(page, &QWebEnginePage::loadStarted, this, &PageCertificateError::handleLoadStarted);
    connect(page, &QWebEnginePage::loadFinished, this, &PageCertificateError::handleLoadFinished);
    connect(notice, &CertificateNotice::proceedChosen, this, &PageCertificateError::proceed);
    connect(notice, &CertificateNotice::goBackChosen, this, &PageCertificateError::goBack);
}

void PageCertificateError::ask(const QWebEngineCertificateError &error)
{
    QWebEngineCertificateError question = error;
    qCDebug(lcBrowser) << "the certificate of" << error.url().host() << "is not trusted:" << error.description();
    bool ofAFrame = false;
#if BIDWARDEN_ENGINE_ASKS_ABOUT_FRAME_CERTIFICATES()
    // From 6.8 the engine asks also for a frame's or a picture's host, on a
    // page that has loaded: that content is left out rather than covering
    // the page with a question about something the user did not ask for.
    ofAFrame = !error.isMainFrame();
#endif
    if (m_pending || !m_notice || ofAFrame) {
        // One question at a time: a second one is refused.
        question.rejectCertificate();
        return;
    }
    // Until the user answers, the engine holds the load: no request goes.
    question.defer();
    m_pending = question;
    m_refused.clear();
    m_notice->ask(factsOf(question));
    Q_EMIT noticeWanted();
}

void PageCertificateError::proceed()
{
    if (!m_pending || !m_pending->isOverridable())
        return;
    qCDebug(lcBrowser) << "going on to" << m_pending->url().host() << "with its untrusted certificate";
    std::exchange(m_pending, std::nullopt)->acceptCertificate();
    Q_EMIT pageWanted();
}

void PageCertificateError::goBack()
{
    if (!m_pending)
        return;
    // The load fails now; what is shown is decided once it has ended.
    m_refused = m_pending->url();
    std::exchange(m_pending, std::nullopt)->rejectCertificate();
}

void PageCertificateError::handleLoadStarted()
{
    // The user went elsewhere: the engine has dropped the load that waited.
    if (m_pending) {
        std::exchange(m_pending, std::nullopt)->rejectCertificate();
        Q_EMIT pageWanted();
    }
}

void PageCertificateError::handleLoadFinished()
{
    if (m_refused.isEmpty() || m_pending)
        return;
    const QUrl refused = std::exchange(m_refused, QUrl());
    // Where the engine has put its error page in the history, the page
    // before is one step back; without one there is nothing to return to.
    const bool onRefusedPage = m_page->url() == refused || m_page->url().isEmpty();
    if (onRefusedPage && m_page->history()->canGoBack()) {
        m_page->triggerAction(QWebEnginePage::Back);
    } else if (onRefusedPage) {
        if (m_notice)
            m_notice->showRefused(shownHost(refused));
        Q_EMIT noticeWanted();
    } else {
        Q_EMIT pageWanted();
    }
}

} // namespace bidwarden
