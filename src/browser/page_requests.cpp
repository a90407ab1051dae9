#include "page_requests.h"

#include "authentication_dialog.h"
#include "full_screen_window.h"
#include "page_questions.h"
#include "permission_bar.h"

#include <QAuthenticator>
#include <QWebEngineFullScreenRequest>
#include <QWebEnginePage>
#include <QWebEngineView>
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#include <QWebEnginePermission>
#endif

#include <optional>

namespace bidwarden {

namespace {

// Asks in a dialog over the page's window; Cancel leaves the authenticator
// empty, and the engine then shows the server's own answer.
void askForCredentials(QWidget *window, const QString &host, QAuthenticator *authenticator, bool proxy)
{
    AuthenticationDialog dialog(host, authenticator->realm(), proxy, window);
    if (dialog.exec() == QDialog::Accepted) {
        authenticator->setUser(dialog.userName());
        authenticator->setPassword(dialog.password());
    } else {
        *authenticator = QAuthenticator();
    }
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
std::optional<PagePermission> pagePermission(QWebEnginePermission::PermissionType type)
{
    using Type = QWebEnginePermission::PermissionType;
    switch (type) {
    case Type::Geolocation: return PagePermission::Location;
    case Type::Notifications: return PagePermission::Notifications;
    case Type::MediaAudioCapture: return PagePermission::Microphone;
    case Type::MediaVideoCapture: return PagePermission::Camera;
    case Type::MediaAudioVideoCapture: return PagePermission::CameraAndMicrophone;
    case Type::MouseLock: return PagePermission::MouseLock;
    case Type::DesktopVideoCapture: return PagePermission::ScreenSharing;
    case Type::DesktopAudioVideoCapture: return PagePermission::ScreenAndAudioSharing;
    case Type::ClipboardReadWrite: return PagePermission::Clipboard;
    case Type::LocalFontsAccess: return PagePermission::LocalFonts;
    default: return std::nullopt;
    }
}
#else
std::optional<PagePermission> pagePermission(QWebEnginePage::Feature feature)
{
    switch (feature) {
    case QWebEnginePage::Geolocation: return PagePermission::Location;
    case QWebEnginePage::Notifications: return PagePermission::Notifications;
    case QWebEnginePage::MediaAudioCapture: return PagePermission::Microphone;
    case QWebEnginePage::MediaVideoCapture: return PagePermission::Camera;
    case QWebEnginePage::MediaAudioVideoCapture: return PagePermission::CameraAndMicrophone;
    case QWebEnginePage::MouseLock: return PagePermission::MouseLock;
    case QWebEnginePage::DesktopVideoCapture: return PagePermission::ScreenSharing;
    case QWebEnginePage::DesktopAudioVideoCapture: return PagePermission::ScreenAndAudioSharing;
    }
    return std::nullopt;
}
#endif

} // namespace

PageRequests::PageRequests(QWebEnginePage *page, QWebEngineView *view, PermissionBar *bar,
                           PermissionAnswers *answers)
    : QObject(page)
    , m_page(page)
    , m_view(view)
    , m_bar(bar)
    , m_answers(answers)
{
    connect(page, &QWebEnginePage::authenticationRequired, this, [this](const QUrl &url, QAuthenticator *auth) {
        askForCredentials(m_view ? m_view->window() : nullptr, url.host(), auth, false);
    });
    connect(page, &QWebEnginePage::proxyAuthenticationRequired, this,
            [this](const QUrl &, QAuthenticator *auth, const QString &proxyHost) {
                askForCredentials(m_view ? m_view->window() : nullptr, proxyHost, auth, true);
            });
    connect(page, &QWebEnginePage::fullScreenRequested, this, [this](QWebEngineFullScreenRequest request) {
        if (request.toggleOn() == !m_fullScreen.isNull() || !m_view) {
            request.reject();
            return;
        }
        request.accept();
        if (request.toggleOn())
            m_fullScreen = new FullScreenWindow(m_view);
        else
            delete m_fullScreen;
    });
    // Questions of a page that has gone are answered Block.
    connect(page, &QWebEnginePage::loadStarted, this, [this] {
        if (m_bar)
            m_bar->blockAll();
    });
    connectPermissions();
}

PageRequests::~PageRequests()
{
    // The page is going: nothing to give back to its view.
    if (m_fullScreen) {
        m_fullScreen->releasePage();
        delete m_fullScreen;
    }
}

void PageRequests::connectPermissions()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Qt WebEngine 6.8 asks through QWebEnginePermission (featurePermissionRequested
    // is deprecated there); the program keeps the answers itself.
    connect(m_page, &QWebEnginePage::permissionRequested, this, [this](QWebEnginePermission request) {
        decide(request.origin().host(), pagePermission(request.permissionType()),
               [request](bool allowed) { allowed ? request.grant() : request.deny(); });
    });
#else
    connect(m_page, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl &origin, QWebEnginePage::Feature feature) {
                decide(origin.host(), pagePermission(feature), [page = QPointer<QWebEnginePage>(m_page), origin, feature](bool allowed) {
                    if (page)
                        page->setFeaturePermission(origin, feature,
                                                   allowed ? QWebEnginePage::PermissionGrantedByUser
                                                           : QWebEnginePage::PermissionDeniedByUser);
                });
            });
#endif
}

void PageRequests::decide(const QString &host, std::optional<PagePermission> permission,
                          const std::function<void(bool)> &answer)
{
    // What the program cannot name, or cannot ask about, is refused.
    if (!permission) {
        answer(false);
        return;
    }
    if (const std::optional<bool> known = m_answers->allowed(host, *permission)) {
        answer(*known);
        return;
    }
    if (!m_bar) {
        answer(false);
        return;
    }
    m_bar->ask({ host, *permission, [answers = m_answers, host, permission, answer](bool allowed) {
                    answers->remember(host, *permission, allowed);
                    answer(allowed);
                } });
}

} // namespace bidwarden
