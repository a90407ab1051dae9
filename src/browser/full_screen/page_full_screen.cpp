#include "page_full_screen.h"

#include "full_screen_window.h"

#include <QWebEngineFullScreenRequest>
#include <QWebEnginePage>

namespace bidwarden {

PageFullScreen::PageFullScreen(QWebEnginePage *page, QWebEngineView *view)
    : QObject(page)
    , m_view(view)
{
    connect(page, &QWebEnginePage::fullScreenRequested, this, [this](QWebEngineFullScreenRequest request) {
        if (request.toggleOn() == !m_window.isNull() || !m_view) {
            request.reject();
            return;
        }
        request.accept();
        if (request.toggleOn())
            m_window = new FullScreenWindow(m_view);
        else
            delete m_window;
    });
}

PageFullScreen::~PageFullScreen()
{
    // The page is going: nothing to give back to its view.
    if (m_window) {
        m_window->releasePage();
        delete m_window;
    }
}

} // namespace bidwarden
