#include "web_engine_pane.h"

#include "browser_logging.h"
#include "load_report.h"
#include "navigation.h"
#include "page_print.h"
#include "page_save.h"
#include "web_page.h"

#include <QVBoxLayout>
#include <QWebEngineHttpRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

namespace bidwarden {

namespace {

// Whether a failed load never had an answer from the server: the failures
// of the connection and of the name lookup, a refused certificate, and a
// time-out. A load stopped or replaced (ERR_ABORTED) is not one: the
// request may have arrived.
bool failedWithoutAnswer(const QWebEngineLoadingInfo &info)
{
    constexpr int timedOut = -7; // ERR_TIMED_OUT, counted among the engine's own errors
    if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
        return false;
    switch (info.errorDomain()) {
    case QWebEngineLoadingInfo::ConnectionErrorDomain:
    case QWebEngineLoadingInfo::DnsErrorDomain:
    // A certificate refused (by the user's Go back, or one the engine
    // allows no way past): the request never went.
    case QWebEngineLoadingInfo::CertificateErrorDomain:
        return true;
    case QWebEngineLoadingInfo::InternalErrorDomain:
        return info.errorCode() == timedOut;
    default:
        return false;
    }
}

} // namespace

WebEnginePane::WebEnginePane(BrowserProfile *profile, PageWindowFactory openWindow, QWidget *parent)
    : BrowserPane(parent)
    , m_pageView(new PageView(profile, std::move(openWindow), this))
    , m_report(new LoadReport(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pageView);
    reportLoads();
    forwardPageEvents();
}

WebEnginePane::~WebEnginePane() = default;

void WebEnginePane::reportLoads()
{
    WebPage *page = m_pageView->page();
    connect(page, &QWebEnginePage::loadStarted, m_report, [this, page] {
        qCDebug(lcBrowser) << objectName() << "load started at" << page->url();
        m_report->handleLoadStarted();
    });
    connect(page, &WebPage::mainFrameNavigationRequested, m_report, [this, page] {
        qCDebug(lcBrowser) << objectName() << "main-frame navigation requested at" << page->url();
        m_report->handleNavigationRequested();
    });
    connect(page, &WebPage::mainFrameRequestSent, m_report, &LoadReport::handleRequestSent);
    connect(page, &WebPage::documentCommitted, m_report, [this, page](bool mainFrame, const QUrl &address) {
        qCDebug(lcBrowser) << objectName() << (mainFrame ? "main-frame" : "frame") << "document created at"
                           << address << "- page at" << page->url();
        m_report->handleDocumentCommitted(mainFrame, address);
    });
    connect(page, &QWebEnginePage::urlChanged, m_report, [this](const QUrl &url) {
        qCDebug(lcBrowser) << objectName() << "address changed to" << url;
        m_report->handleAddressChanged(url);
    });
    // The end of a load as loadingChanged tells it, which says also why a
    // load failed (loadFinished, raised with it, says only that it did).
    connect(page, &QWebEnginePage::loadingChanged, m_report, [this, page](const QWebEngineLoadingInfo &info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
            return;
        qCDebug(lcBrowser) << objectName() << "load ended:" << info.status() << info.errorDomain()
                           << info.errorCode() << info.errorString() << "at" << page->url();
        const bool unanswered = failedWithoutAnswer(info);
        if (unanswered && requestCannotHaveArrived(info.errorCode()))
            Q_EMIT loadNotDelivered();
        m_report->handleLoadEnded(info.status() == QWebEngineLoadingInfo::LoadSucceededStatus, unanswered);
    });
    connect(m_report, &LoadReport::loadStarted, this, &BrowserPane::loadStarted);
    connect(m_report, &LoadReport::navigateCompleted, this, &BrowserPane::navigateCompleted);
    connect(m_report, &LoadReport::loadUnanswered, this, &BrowserPane::loadUnanswered);
    connect(m_report, &LoadReport::loadFinished, this, &BrowserPane::loadFinished);
    connect(m_report, &LoadReport::documentCompleted, this, &BrowserPane::documentCompleted);
}

void WebEnginePane::forwardPageEvents()
{
    WebPage *page = m_pageView->page();
    connect(page, &QWebEnginePage::linkHovered, this, &BrowserPane::statusTextChanged);
    connect(page, &QWebEnginePage::recentlyAudibleChanged, this, &BrowserPane::soundChanged);
    connect(page, &QWebEnginePage::audioMutedChanged, this, &BrowserPane::soundChanged);
    connect(m_pageView, &PageView::downloadStarting, this, &BrowserPane::fileDownloadStarting);
    connect(m_pageView, &PageView::renderProcessEnded, this, &BrowserPane::renderProcessEnded);
    connect(m_pageView, &PageView::snipeLinkRequested, this, &BrowserPane::snipeLinkRequested);
    // A page's own window.close() closes nothing here.
    connect(m_pageView, &PageView::closeAllowed, this, &BrowserPane::closeAllowed);
}

void WebEnginePane::navigate(const QString &address)
{
    // load(), not setUrl(): setUrl() reports the new address at once, while
    // the old page is still shown.
    m_pageView->load(urlForAddress(address));
}

void WebEnginePane::navigatePost(const QUrl &url, const QByteArray &postData,
                                 const QByteArray &headerLines)
{
    QWebEngineHttpRequest request(url, QWebEngineHttpRequest::Post);
    request.setPostData(postData);
    for (const auto &[name, value] : parseHeaderLines(headerLines))
        request.setHeader(name, value);
    m_pageView->page()->load(request);
}

void WebEnginePane::goBack()
{
    m_pageView->page()->triggerAction(QWebEnginePage::Back);
}

void WebEnginePane::goForward()
{
    m_pageView->page()->triggerAction(QWebEnginePage::Forward);
}

void WebEnginePane::stop()
{
    m_pageView->page()->triggerAction(QWebEnginePage::Stop);
}

void WebEnginePane::refresh()
{
    // Also after the renderer has ended: the engine starts a new one.
    m_pageView->page()->triggerAction(QWebEnginePage::Reload);
}

bool WebEnginePane::isAudible() const
{
    return m_pageView->page()->recentlyAudible();
}

bool WebEnginePane::isAudioMuted() const
{
    return m_pageView->page()->isAudioMuted();
}

void WebEnginePane::setAudioMuted(bool muted)
{
    m_pageView->page()->setAudioMuted(muted);
}

void WebEnginePane::print(QWidget *dialogParent)
{
    m_pageView->pagePrint()->print(dialogParent ? dialogParent : this);
}

void WebEnginePane::savePageAs()
{
    m_pageView->pageSave()->saveAs();
}

void WebEnginePane::requestClose()
{
    m_pageView->requestClose();
}

QString WebEnginePane::locationName() const
{
    return m_pageView->page()->title();
}

QString WebEnginePane::locationUrl() const
{
    return m_pageView->address();
}

bool WebEnginePane::showsFormAnswer() const
{
    return m_report->showsFormAnswer();
}

bool WebEnginePane::isLoading() const
{
    return m_report->isLoading();
}

void WebEnginePane::zoomIn()
{
    m_pageView->zoomIn();
}

void WebEnginePane::zoomOut()
{
    m_pageView->zoomOut();
}

void WebEnginePane::resetZoom()
{
    m_pageView->resetZoom();
}

void WebEnginePane::showFindBar()
{
    m_pageView->showFindBar();
}

void WebEnginePane::findAgain(bool backward)
{
    m_pageView->findAgain(backward);
}

void WebEnginePane::offerSnipeLink()
{
    m_pageView->offerSnipeLink();
}

} // namespace bidwarden
