#include "page_window_closer.h"

#include "web_page.h"

#include <QTimer>
#include <QWidget>

#include <utility>

namespace bidwarden {

PageWindowCloser::PageWindowCloser(QWidget *window, WebPage *page)
    : PageCloser(window)
    , m_window(window)
    , m_page(page)
{
    // The page has agreed to go (its beforeunload question, if any, was
    // answered Leave), or it closes itself.
    connect(page, &QWebEnginePage::windowCloseRequested, this, &PageWindowCloser::pageAgreed);
    connect(page, &WebPage::confirmAsked, this, [this] { m_questionShown = true; });
    connect(page, &WebPage::confirmAnswered, this, &PageWindowCloser::questionAnswered);
    connect(page, &QWebEnginePage::renderProcessTerminated, this, &PageWindowCloser::rendererEnded);
}

bool PageWindowCloser::mayClose()
{
    if (m_agreed)
        return true;
    // Asked again each time: after a Stay the user may have changed their mind.
    m_windowAsked = true;
    askPage();
    return false;
}

void PageWindowCloser::requestClose()
{
    m_programAsked = true;
    askPage();
}

void PageWindowCloser::closeWithoutAsking()
{
    m_agreed = true;
    if (m_window)
        m_window->close();
}

void PageWindowCloser::askPage()
{
    // A page without a renderer has nothing to ask; it answers later, as the
    // engine does, so that no answer comes inside a close.
    if (!m_page || m_page->renderProcessPid() <= 0) {
        QTimer::singleShot(0, this, &PageWindowCloser::agreeIfAsked);
        return;
    }
    m_page->triggerAction(QWebEnginePage::RequestClose);
}

void PageWindowCloser::pageAgreed()
{
    const bool forProgram = std::exchange(m_programAsked, false);
    const bool forWindow = std::exchange(m_windowAsked, false);
    if (forProgram)
        Q_EMIT closeAllowed();
    // The window's own close, or the page's window.close(). For the
    // program's close alone the window stays until the program closes it
    // with the others: another page may still keep the program open.
    if (forWindow || !forProgram)
        closeWithoutAsking();
}

void PageWindowCloser::questionAnswered(bool leave)
{
    m_questionShown = false;
    if (!leave) {
        // The user chose to stay: nothing more comes of this question, and
        // a later window.close() of the page is no answer to it.
        m_endedWhileAsking = false;
        m_windowAsked = false;
        m_programAsked = false;
        return;
    }
    // Leave, from a page whose renderer has gone: the engine says no more.
    if (std::exchange(m_endedWhileAsking, false))
        agreeIfAsked();
}

void PageWindowCloser::rendererEnded()
{
    // Not while the question shows: closing the window would delete the
    // page under its dialog. The user's answer decides.
    if (m_questionShown) {
        m_endedWhileAsking = true;
        return;
    }
    agreeIfAsked();
}

void PageWindowCloser::agreeIfAsked()
{
    if (m_windowAsked || m_programAsked)
        pageAgreed();
}

} // namespace bidwarden
