#pragma once

#include <QObject>
#include <QPointer>

namespace bidwarden {

class PagePrint;
class WebPage;

// The close handshake of one page, for whatever closes it (a pane as the
// program closes, a page window's close box or Ctrl+W). The engine runs the
// page's beforeunload handler and, where the user has typed something, asks
// Leave or Stay over the page's window. A page with nothing to ask agrees at
// once, as does a page without a renderer; a renderer that ends while the
// page is asked counts as agreeing, so no close waits for a page that is
// gone. While a print job runs the page is asked only once it has ended:
// the engine paints on the printer from a thread of its own, and the page
// must outlive the job.
class PageClose : public QObject
{
    Q_OBJECT

public:
    PageClose(WebPage *page, PagePrint *print, QObject *parent);

    // Asks the page whether it may go. agreed() follows once it may, never
    // inside this call; stayed() when the user chose to stay.
    void ask();

Q_SIGNALS:
    void agreed();
    void stayed();
    // The page's own window.close(), unasked.
    void closedByPage();

private:
    void askNow();
    void pageClosing();
    void questionAnswered(bool leave);
    void rendererEnded();
    void agreeIfAsked();

    QPointer<WebPage> m_page;
    PagePrint *m_print = nullptr;
    // Asked, and the answer not yet given.
    bool m_asked = false;
    // Asked while a print job ran: the page is asked once it has ended.
    bool m_askAfterPrinting = false;
    // The page's question shows, in a dialog of its own event loop.
    bool m_questionShown = false;
    // The renderer ended while the question showed.
    bool m_endedWhileAsking = false;
};

} // namespace bidwarden
