#pragma once

#include <QList>
#include <QObject>

namespace bidwarden {

class BrowserPane;

// Whether the window may close: each pane's page may ask first (text typed
// and not sent, through its beforeunload question), and the window closes
// once every page has agreed in the same attempt. A page whose user chose
// to stay says nothing, and the window stays.
class CloseConsent : public QObject
{
    Q_OBJECT

public:
    CloseConsent(const QList<BrowserPane *> &panes, QObject *parent = nullptr);

    bool agreed() const { return m_agreed; }
    // Asks every page again; agreed() follows once all have said yes.
    void ask();
    // Agrees for every page without asking them (nothing may wait for an
    // answer, as when the session ends).
    void agreeWithoutAsking() { m_agreed = true; }

Q_SIGNALS:
    void allAgreed();

private:
    void paneAgreed(BrowserPane *pane);

    QList<BrowserPane *> m_panes;
    QList<BrowserPane *> m_agreeing;
    bool m_agreed = false;
};

} // namespace bidwarden
