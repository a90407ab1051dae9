#pragma once

#include "file_result.h"

#include <QString>

namespace bidwarden {

// Where the two settings files are kept. An unpacked program keeps them beside
// itself. A program installed where its user cannot write (the Debian package,
// under /usr) keeps them in the user's own folder for it: a file there is read
// first, else the one beside the program (an administrator's default), and
// every save goes to the user's folder. Tests point it at temporary folders.
class SettingsFolder
{
public:
    SettingsFolder() = default;
    // One folder, read and written, that also holds help.html.
    explicit SettingsFolder(const QString &path) : m_programPath(path) {}
    // Files are read from the user's folder when there, else from the
    // program's; saves go to the user's folder; help.html is the program's.
    SettingsFolder(const QString &programPath, const QString &userPath)
        : m_programPath(programPath), m_userPath(userPath) {}

    // The decision for the program's own folder (applicationDirPath()).
    static SettingsFolder applicationFolder();
    // The program's folder when this user may write to it; otherwise that
    // folder with the user's folder for the program.
    static SettingsFolder forProgramFolder(const QString &programPath);
    // The user's own folder for the program: "Bidwarden" in the user's
    // configuration folder ($XDG_CONFIG_HOME, by default ~/.config).
    static QString userFolder();

    // The folder in use: the one saves go to.
    QString path() const { return m_userPath.isEmpty() ? m_programPath : m_userPath; }
    QString programPath() const { return m_programPath; }
    bool isPerUser() const { return !m_userPath.isEmpty(); }

    // The folder in use joined with a file name by the platform's separator.
    QString filePath(const QString &fileName) const;
    // The copy a reader takes: the user's when anything by that name is in
    // the user's folder (a broken copy is reported, not passed over), else
    // the one beside the program.
    QString fileToRead(const QString &fileName) const;

    QString homepageFile() const;     // homepage.txt, to read
    QString credentialsFile() const;  // pd1.txt, to read
    QString homepageFileToSave() const;
    QString credentialsFileToSave() const;
    QString helpFile() const;         // help.html, beside the program

    // Makes the folder saves go to when it is missing (with its missing
    // parents), each new folder private to the user (mode 0700). A folder
    // that is there already is left as it is.
    FileResult prepareToSave() const;

private:
    QString m_programPath;
    QString m_userPath;
};

// Makes the folder and its missing parents, each new one with mode 0700
// whatever the umask; one that exists is left alone. The result names the
// folder that could not be made and why.
FileResult makePrivateFolder(const QString &path);

} // namespace bidwarden
