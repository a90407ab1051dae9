#include "permission_answers.h"

namespace bidwarden {

namespace {

QString key(const QString &host, const QString &what)
{
    return host + QLatin1Char('\n') + what;
}

QString permissionWord(PagePermission permission)
{
    return QString::number(int(permission));
}

} // namespace

std::optional<bool> PermissionAnswers::allowed(const QString &host, PagePermission permission) const
{
    return allowed(host, permissionWord(permission));
}

void PermissionAnswers::remember(const QString &host, PagePermission permission, bool allowed)
{
    remember(host, permissionWord(permission), allowed);
}

std::optional<bool> PermissionAnswers::allowed(const QString &host, const QString &what) const
{
    const auto found = m_answers.constFind(key(host, what));
    if (found == m_answers.constEnd())
        return std::nullopt;
    return *found;
}

void PermissionAnswers::remember(const QString &host, const QString &what, bool allowed)
{
    m_answers.insert(key(host, what), allowed);
}

} // namespace bidwarden
