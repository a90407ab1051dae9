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

// The user's answers, per host and what was asked (a permission, another
// program's scheme, several downloads), for as long as the program runs: a
// site is asked once.
class PermissionAnswers
{
public:
    std::optional<bool> allowed(const QString &host, PagePermission permission) const;
    void remember(const QString &host, PagePermission permission, bool allowed);
    // The same for what is not a permission, named by a word of the asker's.
    std::optional<bool> allowed(const QString &host, const QString &what) const;
    void remember(const QString &host, const QString &what, bool allowed);

private:
    QHash<QString, bool> m_answers; // "host\nwhat" → allowed
};

} // namespace bidwarden
