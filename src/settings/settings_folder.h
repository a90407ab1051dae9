#pragma once

#include <QString>

namespace bidwarden {

// The folder that holds the two settings files. The program uses the folder of
// its own executable; tests point it at a temporary folder.
class SettingsFolder
{
public:
    SettingsFolder() = default;
    explicit SettingsFolder(const QString &path) : m_path(path) {}

    // The program's own folder (QCoreApplication::applicationDirPath()).
    static SettingsFolder applicationFolder();

    QString path() const { return m_path; }
    // The folder joined with a file name by the platform's separator.
    QString filePath(const QString &fileName) const;

    QString homepageFile() const;     // homepage.txt
    QString credentialsFile() const;  // pd1.txt
    QString helpFile() const;         // help.html

private:
    QString m_path;
};

} // namespace bidwarden
