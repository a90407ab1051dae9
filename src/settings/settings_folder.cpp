#include "settings_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace bidwarden {

SettingsFolder SettingsFolder::applicationFolder()
{
    return SettingsFolder(QCoreApplication::applicationDirPath());
}

QString SettingsFolder::filePath(const QString &fileName) const
{
    return m_path + QDir::separator() + fileName;
}

QString SettingsFolder::homepageFile() const
{
    return filePath(QStringLiteral("homepage.txt"));
}

QString SettingsFolder::credentialsFile() const
{
    return filePath(QStringLiteral("pd1.txt"));
}

QString SettingsFolder::helpFile() const
{
    return filePath(QStringLiteral("help.html"));
}

} // namespace bidwarden
