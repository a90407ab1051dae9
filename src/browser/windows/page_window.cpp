#include "page_window.h"

#include "browser_keys.h"
#include "page_save.h"
#include "page_sound_mark.h"
#include "page_window_closer.h"
#include "web_page.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QToolBar>
#include <QWebEngineView>

namespace bidwarden {

namespace {

// Page windows are windows of the program's window, also those that a page
// window's page opens: closing the window a popup came from leaves the
// popup, as a browser does, and neither outlives the program's window.
QWidget *programWindowOf(QWidget *owner)
{
    QWidget *window = owner ? owner->window() : nullptr;
    while (qobject_cast<PageWindow *>(window) && window->parentWidget())
        window = window->parentWidget()->window();
    return window;
}

} // namespace

PageWindow::PageWindow(BrowserProfile *profile, PageWindowFactory openWindow, QWidget *owner)
    : QMainWindow(programWindowOf(owner), Qt::Window)
    , m_pageView(new PageView(profile, std::move(openWindow), this))
    , m_toolbar(addToolBar(tr("Page")))
    , m_address(new QLineEdit(this))
    , m_closer(new PageWindowCloser(this, m_pageView))
{
    setObjectName(QStringLiteral("pageWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QApplication::windowIcon());
    setCentralWidget(m_pageView);
    m_pageView->offerSnipeLink();
    m_toolbar->setObjectName(QStringLiteral("pageToolbar"));
    m_toolbar->setMovable(false);
    addPageActions();
    m_address->setObjectName(QStringLiteral("pageAddress"));
    m_address->setReadOnly(true);
    m_address->setAccessibleName(tr("Page address"));
    m_addressItem = m_toolbar->addWidget(m_address);
    m_toolbar->addAction(m_pageView->soundMark()->action());
    addBrowserKeys();
    followPage();
    closeWhenOnlyADownload();
    // Where the page has asked for no size of its own.
    resize(900, 700);
}

PageCloser *PageWindow::closer() const
{
    return m_closer;
}

QString PageWindow::pageAddress() const
{
    return m_pageView->address();
}

void PageWindow::addToolbarAction(QAction *action)
{
    m_toolbar->insertAction(m_addressItem, action);
}

void PageWindow::setSoundPictures(const QIcon &playing, const QIcon &muted)
{
    m_pageView->soundMark()->setPictures(playing, muted);
}

void PageWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closer->mayClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void PageWindow::addPageActions()
{
    // The page's own actions, which the engine enables as they apply: Stop
    // only while the page loads, so Esc is otherwise the page's.
    const auto add = [this](const QString &text, const char *name, QWebEnginePage::WebAction webAction, BrowserKey key) {
        QAction *action = m_pageView->page()->action(webAction);
        action->setText(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keysFor(key));
        m_toolbar->addAction(action);
    };
    add(tr("Back"), "pageBack", QWebEnginePage::Back, BrowserKey::Back);
    add(tr("Forward"), "pageForward", QWebEnginePage::Forward, BrowserKey::Forward);
    add(tr("Stop"), "pageStop", QWebEnginePage::Stop, BrowserKey::StopLoading);
    add(tr("Refresh"), "pageRefresh", QWebEnginePage::Reload, BrowserKey::Reload);
}

void PageWindow::addBrowserKeys()
{
    PageView *page = m_pageView;
    const auto key = [this](BrowserKey command, const char *name, const std::function<void()> &run) {
        QAction *action = makeKeyAction(this, command, name);
        connect(action, &QAction::triggered, this, run);
        addAction(action);
    };
    key(BrowserKey::CloseWindow, "pageClose", [this] { close(); });
    key(BrowserKey::ZoomIn, "pageZoomIn", [page] { page->zoomIn(); });
    key(BrowserKey::ZoomOut, "pageZoomOut", [page] { page->zoomOut(); });
    key(BrowserKey::ZoomReset, "pageZoomReset", [page] { page->resetZoom(); });
    key(BrowserKey::Find, "pageFind", [page] { page->showFindBar(); });
    key(BrowserKey::FindNext, "pageFindNext", [page] { page->findAgain(false); });
    key(BrowserKey::FindPrevious, "pageFindPrevious", [page] { page->findAgain(true); });
    key(BrowserKey::SavePage, "pageSaveAs", [page] { page->pageSave()->saveAs(); });
}

void PageWindow::followPage()
{
    WebPage *page = m_pageView->page();
    connect(page, &QWebEnginePage::urlChanged, this, [this] {
        m_address->setText(pageAddress());
        m_address->setCursorPosition(0);
        if (m_pageView->page()->title().isEmpty())
            setWindowTitle(pageAddress());
    });
    connect(page, &QWebEnginePage::titleChanged, this,
            [this](const QString &title) { setWindowTitle(title.isEmpty() ? pageAddress() : title); });
    // A popup's size, as the page asked for it, is the page's own.
    connect(page, &QWebEnginePage::geometryChangeRequested, this,
            [this](const QRect &geometry) { resize(size() - m_pageView->view()->size() + geometry.size()); });
}

void PageWindow::closeWhenOnlyADownload()
{
    // A link to a new window whose answer is an attachment leaves the window
    // with no page: once the user has said where to save it (or not), it
    // goes, and the page the link was on is where the user was. A window
    // that showed a page keeps it, as a download from it leaves the page.
    connect(m_pageView->page(), &QWebEnginePage::loadFinished, this, [this](bool ok) { m_showedAPage |= ok; });
    connect(m_pageView, &PageView::downloadOffered, this, [this] {
        if (!m_showedAPage)
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    });
}

} // namespace bidwarden
