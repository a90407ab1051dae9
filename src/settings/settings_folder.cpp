#include "settings_folder.h"

#include "settings_logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>

namespace bidwarden {

namespace {

const QString homepageName = QStringLiteral("homepage.txt");
const QString credentialsName = QStringLiteral("pd1.txt");

// The user's folder is named for the program alone: Qt's AppConfigLocation
// would add the organization name as a further level (Bidwarden/Bidwarden),
// and that name also places the engine's profile, so it stays.
const QString userFolderName = QStringLiteral("Bidwarden");

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

FileResult folderFailure(const QString &folder, int systemError)
{
    const QString reason = qt_error_string(systemError);
    switch (systemError) {
    case EACCES:
    case EPERM:
    case EROFS:
        return FileResult::failure(PermissionDenied,
                                   QStringLiteral("The folder %1 cannot be made: %2").arg(shown(folder), reason));
    case ENOTDIR:
    case ENOENT:
        return FileResult::failure(PathNotFound,
                                   QStringLiteral("The folder %1 cannot be made: %2").arg(shown(folder), reason));
    default:
        return FileResult::failure(WriteFailed,
                                   QStringLiteral("The folder %1 cannot be made: %2").arg(shown(folder), reason));
    }
}

} // namespace

SettingsFolder SettingsFolder::applicationFolder()
{
    return forProgramFolder(QCoreApplication::applicationDirPath());
}

SettingsFolder SettingsFolder::forProgramFolder(const QString &programPath)
{
    // access(2) for this user: what saving beside the program needs is to
    // make a file in the folder (a save replaces the file by renaming).
    const QFileInfo folder(programPath);
    if (folder.isDir() && folder.isWritable())
        return SettingsFolder(programPath);
    return SettingsFolder(programPath, userFolder());
}

QString SettingsFolder::userFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/')
            + userFolderName;
}

QString SettingsFolder::filePath(const QString &fileName) const
{
    return path() + QDir::separator() + fileName;
}

QString SettingsFolder::fileToRead(const QString &fileName) const
{
    const QString own = filePath(fileName);
    if (!isPerUser())
        return own;
    const QFileInfo info(own);
    if (info.exists() || info.isSymLink())
        return own;
    return m_programPath + QDir::separator() + fileName;
}

QString SettingsFolder::homepageFile() const
{
    return fileToRead(homepageName);
}

QString SettingsFolder::credentialsFile() const
{
    return fileToRead(credentialsName);
}

QString SettingsFolder::homepageFileToSave() const
{
    return filePath(homepageName);
}

QString SettingsFolder::credentialsFileToSave() const
{
    return filePath(credentialsName);
}

QString SettingsFolder::helpFile() const
{
    return m_programPath + QDir::separator() + QStringLiteral("help.html");
}

FileResult SettingsFolder::prepareToSave() const
{
    if (!isPerUser())
        return FileResult::success();
    const FileResult made = makePrivateFolder(m_userPath);
    if (!made.ok())
        qCWarning(lcSettings).noquote() << made.errorText;
    return made;
}

FileResult makePrivateFolder(const QString &path)
{
    if (path.isEmpty())
        return FileResult::failure(PathNotFound, QStringLiteral("No folder name was given."));
    // The missing folders, innermost first.
    QStringList missing;
    for (QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());; folder = QFileInfo(folder).path()) {
        const QFileInfo info(folder);
        if (info.isDir())
            break;
        if (info.exists() || info.isSymLink())
            return FileResult::failure(PathNotFound, QStringLiteral("%1 is not a folder.").arg(shown(folder)));
        missing.prepend(folder);
        if (info.isRoot())
            break;
    }
    for (const QString &folder : std::as_const(missing)) {
        const QByteArray name = QFile::encodeName(folder);
        if (::mkdir(name.constData(), 0700) != 0) {
            const int systemError = errno;
            // Made by someone else in the meantime: as good.
            if (systemError == EEXIST && QFileInfo(folder).isDir())
                continue;
            return folderFailure(folder, systemError);
        }
        // The umask may have taken bits from the owner too.
        if (::chmod(name.constData(), 0700) != 0)
            return folderFailure(folder, errno);
    }
    return FileResult::success();
}

} // namespace bidwarden
