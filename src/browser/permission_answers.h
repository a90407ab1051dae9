#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace bidwarden {

// What a page may ask its browser to let it use.
enum class PagePermission {
    Location,
    Notifications,
    Microphone,
    Camera,
    CameraAndMicrophone,
    MouseLock,
    ScreenSharing,
    ScreenAndAudioSharing,
    Clipboard,
    LocalFonts,
};

// The user's answers, per host and permission, for as long as the program
// runs: a site is asked once.
class PermissionAnswers
{
public:
    std::optional<bool> allowed(const QString &host, PagePermission permission) const;
    void remember(const QString &host, PagePermission permission, bool allowed);

private:
    QHash<QString, bool> m_answers; // "host\npermission" → allowed
};

} // namespace bidwarden
