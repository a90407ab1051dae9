#include "page_close.h"

#include "browser_logging.h"
#include "page_print.h"
#include "web_page.h"

#include <QTimer>

#include <utility>

namespace bidwarden {

PageClose::PageClose(WebPage *page, PagePrint *print, QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_print(print)
{
    // The page has agreed to go (its beforeunload question, if any, was
    // answered Leave), or it closes itself.
    connect(page, &QWebEnginePage::windowCloseRequested, this, &PageClose::pageClosing);
    connect(page, &WebPage::confirmAsked, this, [this] { m_questionShown = true; });
    connect(page, &WebPage::confirmAnswered, this, &PageClose::questionAnswered);
    connect(page, &QWebEnginePage::renderProcessTerminated, this, &PageClose::rendererEnded);
    connect(print, &PagePrint::finished, this, [this] {
        if (std::exchange(m_askAfterPrinting, false))
            askNow();
    });
}

void PageClose::ask()
{
    if (m_print->isPrinting()) {
        qCDebug(lcBrowser) << "the page is asked to close once its print job is done";
        m_askAfterPrinting = true;
        return;
    }
    askNow();
}

void PageClose::askNow()
{
    m_asked = true;
    // A page without a renderer has nothing to ask; it answers later, as the
    // engine does, so that no answer comes inside a close.
    if (!m_page || m_page->renderProcessPid() <= 0) {
        QTimer::singleShot(0, this, &PageClose::agreeIfAsked);
        return;
    }
    m_page->triggerAction(QWebEnginePage::RequestClose);
}

void PageClose::pageClosing()
{
    if (std::exchange(m_asked, false))
        Q_EMIT agreed();
    else
        Q_EMIT closedByPage();
}

void PageClose::questionAnswered(bool leave)
{
    m_questionShown = false;
    if (!leave) {
        // Nothing more comes of this question, and a later window.close()
        // of the page is no answer to it.
        m_endedWhileAsking = false;
        if (std::exchange(m_asked, false))
            Q_EMIT stayed();
        return;
    }
    // Leave, from a page whose renderer has gone: the engine says no more.
    if (std::exchange(m_endedWhileAsking, false))
        agreeIfAsked();
}

void PageClose::rendererEnded()
{
    // Not while the question shows: whoever closes would delete the page
    // under its dialog. The user's answer decides.
    if (m_questionShown) {
        m_endedWhileAsking = true;
        return;
    }
    agreeIfAsked();
}

void PageClose::agreeIfAsked()
{
    if (std::exchange(m_asked, false))
        Q_EMIT agreed();
}

} // namespace bidwarden
