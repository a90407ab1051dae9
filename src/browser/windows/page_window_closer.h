#pragma once

#include "page_closer.h"

#include <QPointer>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

class WebPage;

// Closes a page window only once its page agrees. The window's close box,
// Ctrl+W and the program's close ask the page first: the engine runs its
// beforeunload handler and, where the user has typed something, asks Leave
// or Stay over the window. A page with nothing to ask agrees at once, as
// does a page without a renderer; a renderer that ends while the page is
// asked counts as agreeing, so no close waits for a page that is gone. The
// page's own window.close() closes the window. The window calls mayClose()
// from its closeEvent().
class PageWindowCloser : public PageCloser
{
    Q_OBJECT

public:
    PageWindowCloser(QWidget *window, WebPage *page);

    // Whether the window may close now. If not, its page is asked, and the
    // window closes once the page agrees.
    bool mayClose();

    void requestClose() override;
    void closeWithoutAsking() override;

private:
    void askPage();
    void pageAgreed();
    void questionAnswered(bool leave);
    void rendererEnded();
    void agreeIfAsked();

    QPointer<QWidget> m_window;
    QPointer<WebPage> m_page;
    // The window's own close waits for the page's answer.
    bool m_windowAsked = false;
    // The program's close waits for the page's answer.
    bool m_programAsked = false;
    // The window closes without asking again.
    bool m_agreed = false;
    // The page's question shows, in a dialog of its own event loop.
    bool m_questionShown = false;
    // The renderer ended while the question showed.
    bool m_endedWhileAsking = false;
};

} // namespace bidwarden
