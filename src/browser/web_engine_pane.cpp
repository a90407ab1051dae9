#include "web_engine_pane.h"

#include "browser_logging.h"
#include "find_bar.h"
#include "link_menu.h"
#include "navigation.h"
#include "page_find.h"
#include "pane_page.h"
#include "permission_bar.h"
#include "web_engine_browser.h"

#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHttpRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace bidwarden {

namespace {

QString describeTermination(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode)
{
    switch (status) {
    case QWebEnginePage::KilledTerminationStatus:
        return WebEnginePane::tr("it was killed (exit code %1)").arg(exitCode);
    case QWebEnginePage::CrashedTerminationStatus:
        return WebEnginePane::tr("it crashed (exit code %1)").arg(exitCode);
    default:
        return WebEnginePane::tr("it ended abnormally (exit code %1)").arg(exitCode);
    }
}

// Whether a failed load never had an answer from the server: the failures
// of the connection and of the name lookup, and a time-out. A load stopped
// or replaced (ERR_ABORTED) is not one: the request may have arrived.
bool failedWithoutAnswer(const QWebEngineLoadingInfo &info)
{
    constexpr int timedOut = -7; // ERR_TIMED_OUT, counted among the engine's own errors
    if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
        return false;
    switch (info.errorDomain()) {
    case QWebEngineLoadingInfo::ConnectionErrorDomain:
    case QWebEngineLoadingInfo::DnsErrorDomain:
        return true;
    case QWebEngineLoadingInfo::InternalErrorDomain:
        return info.errorCode() == timedOut;
    default:
        return false;
    }
}

} // namespace

WebEnginePane::WebEnginePane(WebEngineBrowser *browser, QWidget *parent)
    : BrowserPane(parent)
    , m_view(new QWebEngineView(this))
    , m_page(new PanePage(browser->profile(), m_view))
    , m_notice(new QLabel(this))
    , m_permissions(new PermissionBar(this))
    , m_findBar(new FindBar(this))
    , m_browser(browser)
{
    QWebEngineProfile *profile = browser->profile();
    m_view->setPage(m_page);
    // The permission bar and the find bar over the page, the page (or the
    // notice in its place).
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_permissions);
    column->addWidget(m_findBar);
    findInPage(m_findBar, m_view);
    m_layout = new QStackedLayout;
    column->addLayout(m_layout, 1);
    browser->servePage(m_page, m_view, m_permissions);
    // Closing the program: the page has agreed to go (its beforeunload
    // question, if any, was answered Leave).
    // A page's own window.close() closes nothing here.
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, [this] {
        if (std::exchange(m_closeRequested, false))
            Q_EMIT closeAllowed();
    });
    m_notice->setObjectName(QStringLiteral("renderProcessNotice"));
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setWordWrap(true);
    m_notice->setTextFormat(Qt::RichText);
    m_notice->setAutoFillBackground(true);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addWidget(m_view);
    m_layout->addWidget(m_notice);

    connect(m_page, &QWebEnginePage::linkHovered, this, &BrowserPane::statusTextChanged);
    connect(m_page, &QWebEnginePage::recentlyAudibleChanged, this, &BrowserPane::soundChanged);
    connect(m_page, &QWebEnginePage::audioMutedChanged, this, &BrowserPane::soundChanged);
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] {
        qCDebug(lcBrowser) << objectName() << "load started at" << m_page->url();
        m_loading = true;
        m_frameDocuments = 0;
        m_layout->setCurrentWidget(m_view);
        Q_EMIT loadStarted();
    });
    // The engine reports one loadStarted for a series of navigations that
    // replace each other; each main-frame navigation is reported on its own.
    connect(m_page, &PanePage::mainFrameNavigationRequested, this, [this] {
        qCDebug(lcBrowser) << objectName() << "main-frame navigation requested at" << m_page->url();
        m_navigationReported = false;
        m_requestWasPost = false;
    });
    connect(m_page, &PanePage::mainFrameRequestSent, this, [this](bool isPost) { m_requestWasPost = isPost; });
    connect(m_page, &PanePage::documentCommitted, this, [this](bool mainFrame, const QUrl &address) {
        qCDebug(lcBrowser) << objectName() << (mainFrame ? "main-frame" : "frame") << "document created at"
                           << address << "- page at" << m_page->url();
        if (!mainFrame)
            reportFrameCommit();
        // The document's report and the engine's new address travel apart,
        // and nothing keeps their order (the report came first in runs on Qt
        // WebEngine 6.8): the page still names the old address then, or none
        // before the first page. The report waits for the address (urlChanged, or at the
        // latest loadFinished), so the page events name the new page.
        else if (address == m_page->url())
            reportMainFrameCommit(false);
    });
    connect(m_page, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        qCDebug(lcBrowser) << objectName() << "address changed to" << url;
        reportMainFrameCommit(true);
    });
    // The end of a load as loadingChanged tells it, which says also why a
    // load failed (loadFinished, raised with it, says only that it did).
    connect(m_page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
            return;
        if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
            qCDebug(lcBrowser) << objectName() << "load failed:" << info.errorDomain() << info.errorCode()
                               << info.errorString();
        const bool unanswered = failedWithoutAnswer(info);
        if (unanswered && requestCannotHaveArrived(info.errorCode()))
            Q_EMIT loadNotDelivered();
        handleLoadFinished(info.status() == QWebEngineLoadingInfo::LoadSucceededStatus, unanswered);
    });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
                handleRenderProcessEnded(status, exitCode);
            });
    connect(profile, &QWebEngineProfile::downloadRequested, this,
            &WebEnginePane::handleDownloadRequested);
    connect(m_view, &QWebEngineView::printFinished, this, [this] {
        m_printing = false;
        m_printer.reset();
        if (std::exchange(m_closeAfterPrinting, false))
            requestClose();
    });
}

WebEnginePane::~WebEnginePane() = default;

void WebEnginePane::navigate(const QString &address)
{
    // load(), not setUrl(): setUrl() reports the new address at once, while
    // the old page is still shown.
    m_page->load(urlForAddress(address));
}

void WebEnginePane::navigatePost(const QUrl &url, const QByteArray &postData,
                                 const QByteArray &headerLines)
{
    QWebEngineHttpRequest request(url, QWebEngineHttpRequest::Post);
    request.setPostData(postData);
    for (const auto &[name, value] : parseHeaderLines(headerLines))
        request.setHeader(name, value);
    m_page->load(request);
}

void WebEnginePane::goBack()
{
    m_page->triggerAction(QWebEnginePage::Back);
}

void WebEnginePane::goForward()
{
    m_page->triggerAction(QWebEnginePage::Forward);
}

void WebEnginePane::stop()
{
    m_page->triggerAction(QWebEnginePage::Stop);
}

void WebEnginePane::refresh()
{
    // Also after the renderer has ended: the engine starts a new one.
    m_page->triggerAction(QWebEnginePage::Reload);
}

qreal WebEnginePane::zoomFactor() const
{
    return m_view->zoomFactor();
}

void WebEnginePane::setZoomFactor(qreal factor)
{
    m_view->setZoomFactor(factor);
}

void WebEnginePane::showFindBar()
{
    m_findBar->open();
}

void WebEnginePane::findAgain(bool backward)
{
    m_findBar->findAgain(backward);
}

void WebEnginePane::offerSnipeLink()
{
    bidwarden::offerSnipeLink(m_view, [this](const QString &address) { Q_EMIT snipeLinkRequested(address); });
}

bool WebEnginePane::isAudible() const
{
    return m_page->recentlyAudible();
}

bool WebEnginePane::isAudioMuted() const
{
    return m_page->isAudioMuted();
}

void WebEnginePane::setAudioMuted(bool muted)
{
    m_page->setAudioMuted(muted);
}

void WebEnginePane::requestClose()
{
    // The engine paints the page on the printer from a thread of its own:
    // the pane, its view and the printer must outlive the job.
    if (m_printing) {
        qCDebug(lcBrowser) << objectName() << "closes once its print job is done";
        m_closeAfterPrinting = true;
        return;
    }
    // A page without a renderer has nothing to ask.
    if (m_page->renderProcessPid() <= 0) {
        QTimer::singleShot(0, this, &BrowserPane::closeAllowed);
        return;
    }
    m_closeRequested = true;
    m_page->triggerAction(QWebEnginePage::RequestClose);
}

void WebEnginePane::print(QWidget *dialogParent)
{
    if (m_printer) // a print job is still running
        return;
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    auto *dialog = new QPrintDialog(m_printer.get(), dialogParent ? dialogParent : this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this](int result) {
        if (result == QDialog::Accepted) {
            m_printing = true;
            m_view->print(m_printer.get());
        } else
            m_printer.reset();
    });
    dialog->open();
}

QString WebEnginePane::locationName() const
{
    return m_page->title();
}

QString WebEnginePane::locationUrl() const
{
    // As loaded: decoding "%20" or "%C5%82" would change what a snipe sends.
    return m_page->url().toString(QUrl::FullyEncoded);
}

void WebEnginePane::reportMainFrameCommit(bool addressChanged)
{
    if (m_loading) {
        if (std::exchange(m_navigationReported, true))
            return;
        m_showsFormAnswer = std::exchange(m_requestWasPost, false);
    } else if (!addressChanged) {
        // A late report of a load that has already been reported.
        return;
    }
    // Outside a load, a new address is a navigation within the document.
    Q_EMIT navigateCompleted();
}

void WebEnginePane::reportFrameCommit()
{
    if (m_loading)
        ++m_frameDocuments;
    Q_EMIT navigateCompleted();
}

void WebEnginePane::handleLoadFinished(bool ok, bool unanswered)
{
    qCDebug(lcBrowser) << objectName() << "load finished, ok" << ok << "at" << m_page->url();
    // A page that commits without a report of its own (about:blank) is
    // reported now, while the load still counts as running.
    if (ok)
        reportMainFrameCommit(false);
    m_loading = false;
    if (unanswered)
        Q_EMIT loadUnanswered();
    Q_EMIT loadFinished();
    if (!ok)
        return;
    const int frames = std::exchange(m_frameDocuments, 0);
    for (int i = 0; i < frames; ++i)
        Q_EMIT documentCompleted();
    Q_EMIT documentCompleted();
}

void WebEnginePane::handleRenderProcessEnded(int status, int exitCode)
{
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    const QString what = describeTermination(QWebEnginePage::RenderProcessTerminationStatus(status), exitCode);
    qCWarning(lcBrowser) << "the render process of" << objectName() << "ended:" << what
                         << "- showing" << m_page->url().toString(QUrl::FullyEncoded);
    m_notice->setText(tr("<h3>This page stopped working</h3>"
                         "<p>The process that showed it ended: %1.</p>"
                         "<p>Press <b>Refresh</b> to load the page again.</p>")
                              .arg(what.toHtmlEscaped()));
    m_layout->setCurrentWidget(m_notice);
    Q_EMIT renderProcessEnded(what);
}

void WebEnginePane::handleDownloadRequested(QWebEngineDownloadRequest *download)
{
    if (download->page() != m_page)
        return;
    // Reported before the user is asked where to save it.
    Q_EMIT fileDownloadStarting();
    m_browser->offerDownload(download);
}

} // namespace bidwarden
