#pragma once

#include <QObject>
#include <QUrl>

namespace bidwarden {

// Turns what the engine tells of a load, in whatever order it tells it, into
// the page events of a pane (BrowserPane's signals): a navigation is
// reported once, when its answer has replaced the page and the page names
// its new address; each frame's document is reported as it comes and
// completed with the page; a navigation stopped or replaced before its
// answer reports nothing. It knows nothing of the engine: the pane feeds it.
class LoadReport : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The engine's events.
    void handleLoadStarted();
    // A navigation of the main frame is about to start; it replaces any
    // the load had before it.
    void handleNavigationRequested();
    // The main frame's request has gone out, a form post or not.
    void handleRequestSent(bool isPost);
    // A new document exists in the main frame or in a frame, at that
    // address as the document names it.
    void handleDocumentCommitted(bool mainFrame, const QUrl &address);
    // The page names a new address.
    void handleAddressChanged(const QUrl &address);
    // ok: the page has loaded; unanswered: the load failed without any
    // answer from the server.
    void handleLoadEnded(bool ok, bool unanswered);

    // Between loadStarted() and loadFinished().
    bool isLoading() const { return m_loading; }
    // The page shown is the answer to a form post.
    bool showsFormAnswer() const { return m_showsFormAnswer; }
    // The address the page names, as the engine last said.
    QUrl address() const { return m_address; }

Q_SIGNALS:
    void loadStarted();
    void navigateCompleted();
    void documentCompleted();
    void loadUnanswered();
    void loadFinished();

private:
    void reportMainFrameCommit(bool addressChanged);

    QUrl m_address;
    bool m_loading = false;
    // The current main-frame navigation has been reported.
    bool m_navigationReported = false;
    bool m_requestWasPost = false;
    bool m_showsFormAnswer = false;
    // Frames' documents of this load, completed with the page.
    int m_frameDocuments = 0;
};

} // namespace bidwarden
