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
    virtual void refresh() = 0;
    // Offers a print dialog and prints the page when the user confirms.
    virtual void print(QWidget *dialogParent) = 0;

    // The page's title as the engine reports it, and the current address.
    virtual QString locationName() const = 0;
    virtual QString locationUrl() const = 0;

Q_SIGNALS:
    void statusTextChanged(const QString &text);
    void downloadBegan();
    void downloadCompleted();
    // A navigation of the pane or of a frame in it has completed.
    void navigateCompleted();
    // A document, or a frame's document, has completed.
    void documentCompleted();
    void fileDownloadStarting();
};

} // namespace bidwarden
