#include "permission_answers.h"

namespace bidwarden {

namespace {

QString key(const QString &host, PagePermission permission)
{
    return host + QLatin1Char('\n') + QString::number(int(permission));
}

} // namespace

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
