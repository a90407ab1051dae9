#include "web_engine_pane.h"

#include "navigation.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHttpRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace bidwarden {

// The engine reports load progress for the top-level document only. This page
// counts the frame documents a load brings in, so the pane can report each
// frame's document as the top-level load completes.
class PanePage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;

    std::function<void()> onFrameNavigation;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        if (!isMainFrame && onFrameNavigation)
            onFrameNavigation();
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    }
};

WebEnginePane::WebEnginePane(QWebEngineProfile *profile, DownloadHandler handleDownload, QWidget *parent)
    : BrowserPane(parent)
    , m_view(new QWebEngineView(this))
    , m_page(new PanePage(profile, m_view))
    , m_handleDownload(std::move(handleDownload))
{
    m_view->setPage(m_page);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    m_page->onFrameNavigation = [this] {
        ++m_frameDocuments;
        Q_EMIT navigateCompleted();
    };
    connect(m_page, &QWebEnginePage::linkHovered, this, &BrowserPane::statusTextChanged);
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] {
        m_frameDocuments = 0;
        Q_EMIT downloadBegan();
    });
    connect(m_page, &QWebEnginePage::urlChanged, this, &BrowserPane::navigateCompleted);
    connect(m_page, &QWebEnginePage::loadFinished, this, &WebEnginePane::handleLoadFinished);
    connect(profile, &QWebEngineProfile::downloadRequested, this,
            &WebEnginePane::handleDownloadRequested);
    connect(m_view, &QWebEngineView::printFinished, this, [this] { m_printer.reset(); });
}

WebEnginePane::~WebEnginePane() = default;

void WebEnginePane::navigate(const QString &address)
{
    m_view->setUrl(urlForAddress(address));
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
    m_page->triggerAction(QWebEnginePage::Reload);
}

void WebEnginePane::print(QWidget *dialogParent)
{
    if (m_printer) // a print job is still running
        return;
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    auto *dialog = new QPrintDialog(m_printer.get(), dialogParent ? dialogParent : this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this](int result) {
        if (result == QDialog::Accepted)
            m_view->print(m_printer.get());
        else
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
    return m_page->url().toString();
}

void WebEnginePane::handleLoadFinished(bool ok)
{
    Q_EMIT downloadCompleted();
    if (!ok)
        return;
    const int frames = std::exchange(m_frameDocuments, 0);
    for (int i = 0; i < frames; ++i)
        Q_EMIT documentCompleted();
    Q_EMIT documentCompleted();
}

void WebEnginePane::handleDownloadRequested(QWebEngineDownloadRequest *download)
{
    if (download->page() != m_page)
        return;
    // Reported before the user is asked where to save it.
    Q_EMIT fileDownloadStarting();
    if (m_handleDownload)
        m_handleDownload(download);
}

} // namespace bidwarden
