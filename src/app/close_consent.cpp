#include "close_consent.h"

#include "browser_pane.h"
#include "page_closer.h"

namespace bidwarden {

CloseConsent::CloseConsent(const QList<BrowserPane *> &panes, QObject *parent)
    : QObject(parent)
    , m_panes(panes)
{
    for (BrowserPane *pane : m_panes)
        connect(pane, &BrowserPane::closeAllowed, this, [this, pane] { agreedBy(pane); });
}

QList<PageCloser *> CloseConsent::pageClosers() const
{
    return m_pageWindows ? m_pageWindows() : QList<PageCloser *>();
}

void CloseConsent::ask()
{
    // Everyone is waited for before anyone is asked: no answer may complete
    // the attempt early.
    m_attempt = std::make_unique<QObject>();
    m_waiting.clear();
    for (BrowserPane *pane : m_panes)
        m_waiting.insert(pane);
    QList<QPointer<PageCloser>> closers;
    for (PageCloser *closer : pageClosers()) {
        m_waiting.insert(closer);
        closers.append(closer);
        connect(closer, &PageCloser::closeAllowed, m_attempt.get(), [this, closer] { agreedBy(closer); });
        connect(closer, &QObject::destroyed, m_attempt.get(), [this, closer] { forget(closer); });
    }
    for (BrowserPane *pane : m_panes)
        pane->requestClose();
    for (const QPointer<PageCloser> &closer : closers) {
        if (closer)
            closer->requestClose();
    }
}

void CloseConsent::closePageWindows()
{
    QList<QPointer<PageCloser>> closers;
    for (PageCloser *closer : pageClosers())
        closers.append(closer);
    for (const QPointer<PageCloser> &closer : closers) {
        if (closer)
            closer->closeWithoutAsking();
    }
}

void CloseConsent::agreedBy(const QObject *page)
{
    // Outside an attempt, or twice, an answer changes nothing.
    if (m_agreed || !m_attempt || !m_waiting.remove(page))
        return;
    if (!m_waiting.isEmpty())
        return;
    m_agreed = true;
    Q_EMIT allAgreed();
}

void CloseConsent::forget(const QObject *page)
{
    // A page window that closed meanwhile has nothing left to lose; its going
    // alone completes no attempt, so the program never closes long after the
    // user chose to stay.
    m_waiting.remove(page);
}

} // namespace bidwarden
