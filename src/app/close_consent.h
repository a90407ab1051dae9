#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>
#include <memory>

namespace bidwarden {

class BrowserPane;
class PageCloser;

// The closers of the page windows open now.
using PageWindowClosers = std::function<QList<PageCloser *>()>;

// Whether the window may close: each pane's page, and the page of each page
// window open under it, may ask first (text typed and not sent, through its
// beforeunload question), and the window closes once every page has agreed
// in the same attempt. A page whose user chose to stay says nothing, and the
// window stays.
class CloseConsent : public QObject
{
    Q_OBJECT

public:
    CloseConsent(const QList<BrowserPane *> &panes, QObject *parent = nullptr);

    // The page windows, as open at each attempt, whose pages are asked with
    // the panes'.
    void askAlsoPageWindows(PageWindowClosers pageWindows) { m_pageWindows = std::move(pageWindows); }

    bool agreed() const { return m_agreed; }
    // Asks every page again; agreed() follows once all have said yes.
    void ask();
    // Agrees for every page without asking them (nothing may wait for an
    // answer, as when the session ends).
    void agreeWithoutAsking() { m_agreed = true; }
    // Closes the page windows, asking nothing: once agreed, as the window
    // closes.
    void closePageWindows();

Q_SIGNALS:
    void allAgreed();

private:
    QList<PageCloser *> pageClosers() const;
    void agreedBy(const QObject *page);
    void forget(const QObject *page);

    QList<BrowserPane *> m_panes;
    PageWindowClosers m_pageWindows;
    // The pages that have not agreed in this attempt.
    QSet<const QObject *> m_waiting;
    // The connections to the page windows asked in this attempt, which go
    // with it.
    std::unique_ptr<QObject> m_attempt;
    bool m_agreed = false;
};

} // namespace bidwarden
