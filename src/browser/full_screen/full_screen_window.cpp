#include "full_screen_window.h"

#include <QAction>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace bidwarden {

FullScreenWindow::FullScreenWindow(QWebEngineView *shownIn)
    // A window of the one that showed the page, so it never outlives it.
    : QWidget(shownIn->window(), Qt::Window)
    , m_view(new QWebEngineView(this))
    , m_shownIn(shownIn)
{
    setObjectName(QStringLiteral("fullScreenWindow"));
    setWindowTitle(shownIn->window()->windowTitle());
    auto *leave = new QAction(this);
    leave->setShortcut(Qt::Key_Escape);
    connect(leave, &QAction::triggered, this,
            [this] { m_view->page()->triggerAction(QWebEnginePage::ExitFullScreen); });
    addAction(leave);
    m_view->setPage(shownIn->page());
    setGeometry(shownIn->window()->geometry());
    showFullScreen();
    activateWindow();
}

FullScreenWindow::~FullScreenWindow()
{
    if (m_shownIn && m_view->page())
        m_shownIn->setPage(m_view->page());
    hide();
}

void FullScreenWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_view->resize(size());
}

} // namespace bidwarden
