#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWidget>

namespace bidwarden {

// One embedded browser: what the main window asks of a pane and the page
// events it listens to. The main window knows nothing else of the engine, so
// unit tests put a fake pane in its place.
class BrowserPane : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Starts loading the address; trailing line-end characters are ignored.
    virtual void navigate(const QString &address) = 0;
    // Starts a POST of exactly these bytes with these header lines
    // ("Name: value", each ended by CR LF) and shows the answer.
    virtual void navigatePost(const QUrl &url, const QByteArray &postData,
                              const QByteArray &headerLines) = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual void stop() = 0;
    // Loads the page again; for the answer to a form post that sends the form
    // again, so callers ask the user first (showsFormAnswer()).
    virtual void refresh() = 0;
    // Offers a print dialog and prints the page when the user confirms.
    virtual void print(QWidget *dialogParent) = 0;
    // Asks where, then saves the page as one file (Save Page As).
    virtual void savePageAs() = 0;
    // The program is closing: the page may ask the user first (text typed
    // and not sent). closeAllowed() follows once it may go; nothing, when the
    // user chose to stay.
    virtual void requestClose() = 0;

    // The page's title as the engine reports it, and the address as the
    // engine loaded it, percent-encoding kept.
    virtual QString locationName() const = 0;
    virtual QString locationUrl() const = 0;
    // True while the page shown is the answer to a form post.
    virtual bool showsFormAnswer() const = 0;
    // Between loadStarted() and loadFinished().
    virtual bool isLoading() const = 0;
    // The zoom steps of Ctrl+Plus, Ctrl+Minus and Ctrl+0.
    virtual void zoomIn() = 0;
    virtual void zoomOut() = 0;
    virtual void resetZoom() = 0;
    // Opens the find bar over the page, its text selected and the keyboard
    // focus in it.
    virtual void showFindBar() = 0;
    // The next (or previous) match of the find bar's text; the bar opens
    // when it has nothing to find yet.
    virtual void findAgain(bool backward) = 0;
    // Offers "Snipe Link" in the page's menu on a link (snipeLinkRequested).
    virtual void offerSnipeLink() = 0;
    // Whether the page has played sound in the last moments, and whether
    // its sound is muted.
    virtual bool isAudible() const = 0;
    virtual bool isAudioMuted() const = 0;
    virtual void setAudioMuted(bool muted) = 0;

Q_SIGNALS:
    void statusTextChanged(const QString &text);
    // A page load has started, and has ended (with any result).
    void loadStarted();
    void loadFinished();
    // Raised just before loadFinished() when the load got no answer from the
    // server at all: the connection refused or reset, the host unreachable
    // or unknown, no answer in time. An error page from the server is an
    // answer; a load stopped or replaced is neither.
    void loadUnanswered();
    // Raised just before loadUnanswered() when the request cannot have
    // reached the server at all: the connection refused or never made, the
    // host unreachable, its name not resolved. A connection reset or a
    // time-out once the request was out are not: it may have arrived.
    void loadNotDelivered();
    // The engine has committed a new page for the pane or for a frame in it:
    // its answer has arrived. A navigation that is stopped or superseded
    // before that reports nothing.
    void navigateCompleted();
    // A document, or a frame's document, has completed.
    void documentCompleted();
    void fileDownloadStarting();
    // The process that drew the page ended abnormally; the pane says so and
    // refresh() brings the page back. The text says what happened.
    void renderProcessEnded(const QString &what);
    // The page agrees to close (see requestClose()).
    void closeAllowed();
    // "Snipe Link" on a link of the page: its absolute address, as encoded.
    void snipeLinkRequested(const QString &address);
    // isAudible() or isAudioMuted() has changed.
    void soundChanged();
};

} // namespace bidwarden
