#pragma once

#include "engine_version.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QWebEnginePage;
class QWebEngineWebAuthUxRequest;
QT_END_NAMESPACE

namespace bidwarden {

class PasskeyDialog;

// Shows a page's requests to use a passkey on a security key in a dialog of
// the page's window and sends the user's answers to the engine. Closing the
// dialog, a new load of the page or the page going away cancels the open
// request, so the page is always answered. Qt WebEngine 6.4 has no passkeys
// (the page is told so at once) and this does nothing there. Lives as long
// as the page.
class PagePasskeys : public QObject
{
    Q_OBJECT

public:
    // The dialog opens as a window of shownIn's window.
    PagePasskeys(QWebEnginePage *page, QWidget *shownIn);
    ~PagePasskeys() override;

private:
#if BIDWARDEN_ENGINE_HAS_PASSKEY_API()
    void open(QWebEngineWebAuthUxRequest *request);
    void follow(QWebEngineWebAuthUxRequest *request);
#endif
    void cancelOpenRequest();

    QPointer<QWidget> m_shownIn;
    QPointer<PasskeyDialog> m_dialog;
#if BIDWARDEN_ENGINE_HAS_PASSKEY_API()
    QPointer<QWebEngineWebAuthUxRequest> m_request;
#endif
};

} // namespace bidwarden
