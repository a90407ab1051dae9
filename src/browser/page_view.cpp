#include "page_view.h"

#include "browser_logging.h"
#include "browser_profile.h"
#include "certificate_notice.h"
#include "find_bar.h"
#include "link_menu.h"
#include "other_programs.h"
#include "page_certificate_error.h"
#include "page_close.h"
#include "page_downloads.h"
#include "page_find.h"
#include "page_full_screen.h"
#include "page_other_programs.h"
#include "page_passkeys.h"
#include "page_permissions.h"
#include "page_print.h"
#include "page_save.h"
#include "page_sign_in.h"
#include "page_sound_mark.h"
#include "permission_bar.h"
#include "web_page.h"
#include "zoom_steps.h"

#include <QLabel>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace bidwarden {

namespace {

QString describeTermination(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode)
{
    switch (status) {
    case QWebEnginePage::KilledTerminationStatus:
        return PageView::tr("it was killed (exit code %1)").arg(exitCode);
    case QWebEnginePage::CrashedTerminationStatus:
        return PageView::tr("it crashed (exit code %1)").arg(exitCode);
    default:
        return PageView::tr("it ended abnormally (exit code %1)").arg(exitCode);
    }
}

} // namespace

PageView::PageView(BrowserProfile *profile, PageWindowFactory openWindow, QWidget *parent)
    : QWidget(parent)
    , m_profile(profile)
    , m_view(new QWebEngineView(this))
    , m_page(new WebPage(profile->profile(), m_view))
    , m_permissions(new PermissionBar(this))
    , m_findBar(new FindBar(this))
    , m_notice(new QLabel(this))
    , m_print(new PagePrint(m_view, this))
    , m_save(new PageSave(m_page, this))
    , m_certificateNotice(new CertificateNotice(this))
    , m_stack(new QStackedLayout)
    , m_close(new PageClose(m_page, m_print, this))
    , m_soundMark(new PageSoundMark(m_page, this))
{
    m_view->setPage(m_page);
    // The permission bar and the find bar over the page, the page (or the
    // notice in its place).
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_permissions);
    column->addWidget(m_findBar);
    column->addLayout(m_stack, 1);
    m_notice->setObjectName(QStringLiteral("renderProcessNotice"));
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setWordWrap(true);
    m_notice->setTextFormat(Qt::RichText);
    m_notice->setAutoFillBackground(true);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_view);
    m_stack->addWidget(m_notice);
    m_stack->addWidget(m_certificateNotice);

    findInPage(m_findBar, m_view);
    openWindowsFor(std::move(openWindow));
    new PageSignIn(m_page, m_view);
    new PagePermissions(m_page, m_permissions, profile->permissionAnswers());
    m_otherPrograms = new PageOtherPrograms(m_page, m_permissions, profile->permissionAnswers());
    m_downloads = new PageDownloads(m_page, m_permissions, profile->permissionAnswers());
    new PageFullScreen(m_page, m_view);
    auto *certificates = new PageCertificateError(m_page, m_certificateNotice);
    connect(certificates, &PageCertificateError::noticeWanted, this,
            [this] { m_stack->setCurrentWidget(m_certificateNotice); });
    connect(certificates, &PageCertificateError::pageWanted, this, [this] { m_stack->setCurrentWidget(m_view); });
    new PagePasskeys(m_page, m_view);
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] { m_stack->setCurrentWidget(m_view); });
    // The page has gone once another document replaces it: what it asked
    // and the user has not answered is answered or dropped. (A click on a
    // link to another program starts a load that never ends, so the next
    // load need not report a start.)
    connect(m_page, &WebPage::documentCommitted, m_permissions, [this](bool mainFrame) {
        if (mainFrame)
            m_permissions->blockAll();
    });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
                showRenderProcessEnded(status, exitCode);
            });
    connect(profile->profile(), &QWebEngineProfile::downloadRequested, this, &PageView::handleDownloadRequested);
    connect(m_close, &PageClose::agreed, this, &PageView::closeAllowed);
    connect(m_close, &PageClose::stayed, this, &PageView::closeRefused);
    connect(m_close, &PageClose::closedByPage, this, &PageView::closeRequestedByPage);
}

PageView::~PageView() = default;

QString PageView::address() const
{
    // As loaded: decoding "%20" or "%C5%82" would change what a snipe sends.
    return m_page->url().toString(QUrl::FullyEncoded);
}

void PageView::load(const QUrl &address)
{
    // The engine would refuse it: only a click in a page counts as the user's.
    if (!engineLoadsScheme(address.scheme()))
        m_otherPrograms->askForTyped(address);
    else
        m_page->load(address);
}

void PageView::offerSnipeLink()
{
    bidwarden::offerSnipeLink(m_view, [this](const QString &address) { Q_EMIT snipeLinkRequested(address); });
}

void PageView::requestClose()
{
    m_close->ask();
}

void PageView::zoomIn()
{
    m_view->setZoomFactor(zoomedIn(m_view->zoomFactor()));
}

void PageView::zoomOut()
{
    m_view->setZoomFactor(zoomedOut(m_view->zoomFactor()));
}

void PageView::resetZoom()
{
    m_view->setZoomFactor(1);
}

void PageView::showFindBar()
{
    m_findBar->open();
}

void PageView::findAgain(bool backward)
{
    m_findBar->findAgain(backward);
}

void PageView::openWindowsFor(PageWindowFactory openWindow)
{
    m_page->setWindowOpener([this, openWindow = std::move(openWindow)](QWebEnginePage::WebWindowType) {
        PageView *opened = openWindow ? openWindow(this) : nullptr;
        return opened ? static_cast<QWebEnginePage *>(opened->page()) : nullptr;
    });
}

void PageView::showRenderProcessEnded(int status, int exitCode)
{
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    const QString what = describeTermination(QWebEnginePage::RenderProcessTerminationStatus(status), exitCode);
    qCWarning(lcBrowser) << "the render process of the page at" << address() << "ended:" << what;
    m_notice->setText(tr("<h3>This page stopped working</h3>"
                         "<p>The process that showed it ended: %1.</p>"
                         "<p>Press <b>Refresh</b> to load the page again.</p>")
                              .arg(what.toHtmlEscaped()));
    m_stack->setCurrentWidget(m_notice);
    Q_EMIT renderProcessEnded(what);
}

void PageView::handleDownloadRequested(QWebEngineDownloadRequest *download)
{
    if (download->page() != m_page)
        return;
    // The page being saved is the user's own request, not the page's: Save
    // Page As has its file and the engine has started it already; the
    // engine's own "Save page" asks where, as a download does.
    if (download->isSavePageDownload()) {
        if (download->state() == QWebEngineDownloadRequest::DownloadInProgress)
            m_profile->followDownload(download);
        else
            m_profile->offerDownload(download);
        return;
    }
    Q_EMIT downloadStarting();
    if (m_downloads->mayOffer(download))
        m_profile->offerDownload(download);
    else
        download->cancel();
    Q_EMIT downloadOffered();
}

} // namespace bidwarden
