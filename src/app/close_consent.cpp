#include "close_consent.h"

#include "browser_pane.h"

namespace bidwarden {

CloseConsent::CloseConsent(const QList<BrowserPane *> &panes, QObject *parent)
    : QObject(parent)
    , m_panes(panes)
{
    for (BrowserPane *pane : m_panes)
        connect(pane, &BrowserPane::closeAllowed, this, [this, pane] { paneAgreed(pane); });
}

void CloseConsent::ask()
{
    m_agreeing.clear();
    for (BrowserPane *pane : m_panes)
        pane->requestClose();
}

void CloseConsent::paneAgreed(BrowserPane *pane)
{
    if (m_agreed || m_agreeing.contains(pane))
        return;
    m_agreeing.append(pane);
    if (m_agreeing.size() < m_panes.size())
        return;
    m_agreed = true;
    Q_EMIT allAgreed();
}

} // namespace bidwarden
