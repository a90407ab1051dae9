#include "page_sign_in.h"

#include "authentication_dialog.h"
#include "shown_host.h"

#include <QAuthenticator>
#include <QUrl>
#include <QWebEnginePage>

namespace bidwarden {

namespace {

void askForCredentials(QWidget *window, const QString &host, QAuthenticator *authenticator, bool proxy)
{
    AuthenticationDialog dialog(host, authenticator->realm(), proxy, window);
    // The program's one nested event loop, on purpose: Qt WebEngine reads
    // the authenticator as soon as the signal's handlers return (an empty
    // one cancels the sign-in), and its widgets API has no answer given
    // later (QWebEnginePagePrivate::authenticationRequired, the same from
    // 6.4.2 through 6.8 and the development line after it; only the QML
    // view has a deferred request). exec() makes the dialog modal to the
    // whole program, so no command of the user starts meanwhile.
    if (dialog.exec() == QDialog::Accepted) {
        authenticator->setUser(dialog.userName());
        authenticator->setPassword(dialog.password());
    } else {
        *authenticator = QAuthenticator();
    }
}

} // namespace

PageSignIn::PageSignIn(QWebEnginePage *page, QWidget *shownIn)
    : QObject(page)
    , m_shownIn(shownIn)
{
    connect(page, &QWebEnginePage::authenticationRequired, this, [this](const QUrl &url, QAuthenticator *auth) {
        askForCredentials(m_shownIn ? m_shownIn->window() : nullptr, shownHost(url), auth, false);
    });
    connect(page, &QWebEnginePage::proxyAuthenticationRequired, this,
            [this](const QUrl &, QAuthenticator *auth, const QString &proxyHost) {
                askForCredentials(m_shownIn ? m_shownIn->window() : nullptr, proxyHost, auth, true);
            });
}

} // namespace bidwarden
