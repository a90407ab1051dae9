#include "page_window_closer.h"

#include "page_view.h"

#include <QWidget>

#include <utility>

namespace bidwarden {

PageWindowCloser::PageWindowCloser(QWidget *window, PageView *page)
    : PageCloser(window)
    , m_window(window)
    , m_page(page)
{
    connect(page, &PageView::closeAllowed, this, &PageWindowCloser::pageAgreed);
    connect(page, &PageView::closeRequestedByPage, this, &PageWindowCloser::closeWithoutAsking);
    // The user chose to stay: nothing more comes of this attempt.
    connect(page, &PageView::closeRefused, this, [this] {
        m_windowAsked = false;
        m_programAsked = false;
    });
}

bool PageWindowCloser::mayClose()
{
    if (m_agreed)
        return true;
    // Asked again each time: after a Stay the user may have changed their mind.
    m_windowAsked = true;
    m_page->requestClose();
    return false;
}

void PageWindowCloser::requestClose()
{
    m_programAsked = true;
    m_page->requestClose();
}

void PageWindowCloser::closeWithoutAsking()
{
    m_agreed = true;
    if (m_window)
        m_window->close();
}

void PageWindowCloser::pageAgreed()
{
    const bool forProgram = std::exchange(m_programAsked, false);
    const bool forWindow = std::exchange(m_windowAsked, false);
    if (forProgram)
        Q_EMIT closeAllowed();
    if (forWindow)
        closeWithoutAsking();
}

} // namespace bidwarden
