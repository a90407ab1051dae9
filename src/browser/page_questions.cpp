#include "page_questions.h"

#include <QCoreApplication>

namespace bidwarden {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("bidwarden::PageQuestions", text);
}

QString key(const QString &host, PagePermission permission)
{
    return host + QLatin1Char('\n') + QString::number(int(permission));
}

} // namespace

QString permissionQuestion(const QString &host, PagePermission permission)
{
    const QString site = host.isEmpty() ? tr("This page") : host;
    switch (permission) {
    case PagePermission::Location: return tr("%1 wants to know your location.").arg(site);
    case PagePermission::Notifications: return tr("%1 wants to show notifications.").arg(site);
    case PagePermission::Microphone: return tr("%1 wants to use your microphone.").arg(site);
    case PagePermission::Camera: return tr("%1 wants to use your camera.").arg(site);
    case PagePermission::CameraAndMicrophone: return tr("%1 wants to use your camera and microphone.").arg(site);
    case PagePermission::MouseLock: return tr("%1 wants to hide and lock your mouse pointer.").arg(site);
    case PagePermission::ScreenSharing: return tr("%1 wants to see your screen.").arg(site);
    case PagePermission::ScreenAndAudioSharing: return tr("%1 wants to see your screen and hear its sound.").arg(site);
    case PagePermission::Clipboard: return tr("%1 wants to read and change your clipboard.").arg(site);
    case PagePermission::LocalFonts: return tr("%1 wants to see the fonts on this computer.").arg(site);
    }
    return tr("%1 wants a permission.").arg(site);
}

QString authenticationQuestion(const QString &host, const QString &realm, bool proxy)
{
    const QString who = proxy ? tr("The proxy %1").arg(host) : host;
    if (realm.isEmpty())
        return tr("%1 asks for a user name and password.").arg(who);
    return tr("%1 asks for a user name and password for \u201c%2\u201d.").arg(who, realm);
}

std::optional<bool> PermissionAnswers::allowed(const QString &host, PagePermission permission) const
{
    const auto found = m_answers.constFind(key(host, permission));
    if (found == m_answers.constEnd())
        return std::nullopt;
    return *found;
}

void PermissionAnswers::remember(const QString &host, PagePermission permission, bool allowed)
{
    m_answers.insert(key(host, permission), allowed);
}

} // namespace bidwarden
