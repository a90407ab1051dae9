#pragma once

#include <QWebEnginePage>

#include <functional>

namespace bidwarden {

// The engine's page with what a page's duties need to know and the page API
// does not tell: the moment a new document is committed (the answer has
// arrived and replaces the page shown), for the main frame and for frames,
// whether the main frame's request was a form post, where the user last
// clicked or pressed a key (the frame's origin), and a link the user
// followed to another program's address, which the page does not hand over
// by itself.
class WebPage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit WebPage(QWebEngineProfile *profile, QObject *parent = nullptr);

    // Opens a window for a page's request of one (a link to a new window, a
    // script's window.open) and gives the page to load there; without one,
    // nothing opens.
    using WindowOpener = std::function<QWebEnginePage *(WebWindowType type)>;
    void setWindowOpener(WindowOpener open) { m_openWindow = std::move(open); }

Q_SIGNALS:
    // A navigation of the main frame is about to start.
    void mainFrameNavigationRequested();
    // The request of the main frame's navigation has gone out.
    void mainFrameRequestSent(bool isPost);
    // A new document exists in the main frame or in a frame of it, at that
    // address (as the document itself names it).
    void documentCommitted(bool mainFrame, const QUrl &address);
    // A question the page asks shows in the engine's own dialog, and waits
    // for the user: a script's confirm(), or, while the page is asked to
    // close, its beforeunload question (Leave is yes). The engine tells no
    // one else that the user chose to stay.
    void confirmAsked();
    void confirmAnswered(bool yes);
    // The user pressed a mouse button or a key in the page, in the main
    // frame or in a frame of this origin.
    void userInput(const QUrl &frameOrigin);
    // The user followed a link to an address the engine does not load (a
    // scheme of another program); nothing has been handed over.
    void otherProgramRequested(const QUrl &address);

protected:
    QWebEnginePage *createWindow(WebWindowType type) override;
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceId) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &message) override;

private:
    WindowOpener m_openWindow;
    QString m_mainFrameMarker;
    QString m_subFrameMarker;
    QString m_inputMarker;
};

} // namespace bidwarden
