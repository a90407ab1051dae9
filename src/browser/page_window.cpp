#include "page_window.h"

#include "browser_keys.h"
#include "find_bar.h"
#include "link_menu.h"
#include "page_find.h"
#include "pane_page.h"
#include "permission_bar.h"
#include "web_engine_browser.h"
#include "zoom_steps.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace bidwarden {

namespace {

// Where the page has asked for no size of its own.
constexpr QSize defaultSize(900, 700);

} // namespace

PageWindow::PageWindow(WebEngineBrowser *browser, QWidget *owner)
    : QMainWindow(owner ? owner->window() : nullptr, Qt::Window)
    , m_view(new QWebEngineView(this))
    , m_page(new PanePage(browser->profile(), m_view))
    , m_permissions(new PermissionBar(this))
    , m_findBar(new FindBar(this))
    , m_address(new QLineEdit(this))
{
    setObjectName(QStringLiteral("pageWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QApplication::windowIcon());
    m_view->setPage(m_page);
    browser->servePage(m_page, m_view, m_permissions);

    auto *bar = addToolBar(tr("Page"));
    bar->setObjectName(QStringLiteral("pageToolbar"));
    bar->setMovable(false);
    const auto add = [this, bar](const QString &text, const char *name, QWebEnginePage::WebAction action) {
        QAction *a = m_page->action(action);
        a->setText(text);
        a->setObjectName(QString::fromLatin1(name));
        bar->addAction(a);
        return a;
    };
    // A browser's keys; the engine enables Stop only while the page loads,
    // so Esc is otherwise the page's.
    add(tr("Back"), "pageBack", QWebEnginePage::Back)->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    add(tr("Forward"), "pageForward", QWebEnginePage::Forward)->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    add(tr("Stop"), "pageStop", QWebEnginePage::Stop)->setShortcut(QKeySequence(Qt::Key_Escape));
    add(tr("Refresh"), "pageRefresh", QWebEnginePage::Reload)
            ->setShortcuts({ QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R) });
    auto *snipe = bar->addAction(tr("Snipe"));
    snipe->setObjectName(QStringLiteral("pageSnipe"));
    snipe->setToolTip(tr("Add to Snipe list"));
    snipe->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(snipe, &QAction::triggered, this,
            [this] { Q_EMIT snipeRequested(m_page->url().toString(QUrl::FullyEncoded)); });
    offerSnipeLink(m_view, [this](const QString &address) { Q_EMIT snipeRequested(address); });
    m_address->setObjectName(QStringLiteral("pageAddress"));
    m_address->setReadOnly(true);
    m_address->setAccessibleName(tr("Page address"));
    bar->addWidget(m_address);

    addBrowserKeys();

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_permissions);
    layout->addWidget(m_findBar);
    layout->addWidget(m_view, 1);
    findInPage(m_findBar, m_view);
    setCentralWidget(central);

    connect(m_page, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) {
        m_address->setText(url.toString(QUrl::FullyEncoded));
        m_address->setCursorPosition(0);
        if (m_page->title().isEmpty())
            setWindowTitle(url.toString(QUrl::FullyEncoded));
    });
    connect(m_page, &QWebEnginePage::titleChanged, this, [this](const QString &title) {
        setWindowTitle(title.isEmpty() ? m_page->url().toString(QUrl::FullyEncoded) : title);
    });
    // A popup's size, as the page asked for it, is the page's own.
    connect(m_page, &QWebEnginePage::geometryChangeRequested, this, [this](const QRect &geometry) {
        resize(size() - m_view->size() + geometry.size());
    });
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
    connect(browser->profile(), &QWebEngineProfile::downloadRequested, this,
            [this, browser](QWebEngineDownloadRequest *download) {
                if (download->page() == m_page)
                    browser->offerDownload(download);
            });
    resize(defaultSize);
}

void PageWindow::addBrowserKeys()
{
    const auto key = [this](const QList<QKeySequence> &keys, const std::function<void()> &command) {
        auto *action = new QAction(this);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, command);
        addAction(action);
    };
    key({ QKeySequence(Qt::CTRL | Qt::Key_W) }, [this] { close(); });
    key(keysFor(BrowserKey::ZoomIn), [this] { m_view->setZoomFactor(zoomedIn(m_view->zoomFactor())); });
    key(keysFor(BrowserKey::ZoomOut), [this] { m_view->setZoomFactor(zoomedOut(m_view->zoomFactor())); });
    key(keysFor(BrowserKey::ZoomReset), [this] { m_view->setZoomFactor(1); });
    key(keysFor(BrowserKey::Find), [this] { m_findBar->open(); });
    key(keysFor(BrowserKey::FindNext), [this] { m_findBar->findAgain(false); });
    key(keysFor(BrowserKey::FindPrevious), [this] { m_findBar->findAgain(true); });
}

} // namespace bidwarden
