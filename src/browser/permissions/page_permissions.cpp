#include "page_permissions.h"

#include "engine_version.h"
#include "permission_bar.h"
#include "shown_host.h"

#include <QWebEnginePage>
#if BIDWARDEN_ENGINE_HAS_PERMISSION_API()
#include <QWebEnginePermission>
#endif

namespace bidwarden {

namespace {

// The engine's two ways of asking, one per version range; what the program
// has no question for maps to nothing and is refused.
#if BIDWARDEN_ENGINE_HAS_PERMISSION_API()
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

PagePermissions::PagePermissions(QWebEnginePage *page, PermissionBar *bar, PermissionAnswers *answers)
    : QObject(page)
    , m_bar(bar)
    , m_answers(answers)
{
    connect(page, &QWebEnginePage::loadStarted, this, [this] {
        if (m_bar)
            m_bar->blockAll();
    });
    connectRequests(page);
}

void PagePermissions::connectRequests(QWebEnginePage *page)
{
#if BIDWARDEN_ENGINE_HAS_PERMISSION_API()
    // Qt WebEngine 6.8 asks through QWebEnginePermission (featurePermissionRequested
    // is deprecated there); the program keeps the answers itself.
    connect(page, &QWebEnginePage::permissionRequested, this, [this](QWebEnginePermission request) {
        decide(shownHost(request.origin()), pagePermission(request.permissionType()),
               [request](bool allowed) { allowed ? request.grant() : request.deny(); });
    });
#else
    connect(page, &QWebEnginePage::featurePermissionRequested, this,
            [this, page = QPointer<QWebEnginePage>(page)](const QUrl &origin, QWebEnginePage::Feature feature) {
                decide(shownHost(origin), pagePermission(feature), [page, origin, feature](bool allowed) {
                    if (page)
                        page->setFeaturePermission(origin, feature,
                                                   allowed ? QWebEnginePage::PermissionGrantedByUser
                                                           : QWebEnginePage::PermissionDeniedByUser);
                });
            });
#endif
}

void PagePermissions::decide(const QString &host, std::optional<PagePermission> permission,
                             const std::function<void(bool)> &answer)
{
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
    m_bar->ask({ permissionQuestion(host, *permission),
                 [answers = m_answers, host, permission, answer](bool allowed) {
                     answers->remember(host, *permission, allowed);
                     answer(allowed);
                 } });
}

} // namespace bidwarden
