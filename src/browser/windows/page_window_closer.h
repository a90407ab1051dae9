#pragma once

#include "page_closer.h"

#include <QPointer>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

class PageView;

// Closes a page window only once its page agrees (the page view's close
// handshake). The window's close box, Ctrl+W and the program's close ask the
// page first; the page's own window.close() closes the window. For the
// program's close alone the window stays until the program closes it with
// the others: another page may still keep the program open. The window
// calls mayClose() from its closeEvent().
class PageWindowCloser : public PageCloser
{
    Q_OBJECT

public:
    PageWindowCloser(QWidget *window, PageView *page);

    // Whether the window may close now. If not, its page is asked, and the
    // window closes once the page agrees.
    bool mayClose();

    void requestClose() override;
    void closeWithoutAsking() override;

private:
    void pageAgreed();

    QPointer<QWidget> m_window;
    QPointer<PageView> m_page;
    // The window's own close waits for the page's answer.
    bool m_windowAsked = false;
    // The program's close waits for the page's answer.
    bool m_programAsked = false;
    // The window closes without asking again.
    bool m_agreed = false;
};

} // namespace bidwarden
