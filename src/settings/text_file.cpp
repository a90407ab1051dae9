#include "text_file.h"

#include "code_page.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

namespace bidwarden {

namespace {

FileResult openFailure(const QFileDevice &file)
{
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return FileResult::failure(PermissionDenied, file.errorString());
    default:
        return FileResult::failure(FileNotFound, file.errorString());
    }
}


} // namespace

bool fileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

ReadResult readTextFileContents(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return { QString(), FileResult::failure(FileNotFound, QStringLiteral("%1 does not exist.").arg(path)) };
    if (info.isDir())
        return { QString(), FileResult::failure(PathNotFound, QStringLiteral("%1 is a folder.").arg(path)) };

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return { QString(), openFailure(file) };
    // Settings files are a line long; anything this large is not one of ours.
    if (file.size() > maxSettingsFileSize) {
        return { QString(), FileResult::failure(FileTooLarge,
                                                QStringLiteral("%1 is larger than %2 bytes.")
                                                        .arg(path)
                                                        .arg(maxSettingsFileSize)) };
    }
    const QByteArray bytes = file.read(maxSettingsFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return { QString(), FileResult::failure(ReadFailed, file.errorString()) };
    if (bytes.size() > maxSettingsFileSize) {
        return { QString(), FileResult::failure(FileTooLarge,
                                                QStringLiteral("%1 is larger than %2 bytes.")
                                                        .arg(path)
                                                        .arg(maxSettingsFileSize)) };
    }
    return { fromCodePage(bytes), FileResult::success() };
}

QString readTextFileContentsQuietly(const QString &path)
{
    return readTextFileContents(path).text;
}

FileResult writeTextFileContents(const QString &text, const QString &path, FileVisibility visibility)
{
    const std::optional<QByteArray> bytes = toCodePage(text + QStringLiteral("\r\n"));
    if (!bytes) {
        return FileResult::failure(NotRepresentable,
                                   QStringLiteral("The character \u201c%1\u201d cannot be stored in %2.")
                                           .arg(firstUnrepresentable(text), QFileInfo(path).fileName()));
    }

    // Written beside the target and renamed over it on commit, so a failure
    // at any point leaves the old file whole.
    QSaveFile file(path);
    // Unbuffered, so a write the system cuts short (disk full, file size
    // limit) shows in write()'s count: through the buffer the loss goes
    // unreported by flush and commit.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return openFailure(file);
    if (visibility == FileVisibility::Private
        && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.cancelWriting();
        return FileResult::failure(PermissionDenied, file.errorString());
    }
    const qint64 written = file.write(*bytes);
    if (written != bytes->size()) {
        const int systemError = errno;
        file.cancelWriting();
        return FileResult::failure(WriteFailed, QStringLiteral("Only %1 of %2 bytes of %3 could be written: %4")
                                                        .arg(std::max<qint64>(written, 0))
                                                        .arg(bytes->size())
                                                        .arg(QFileInfo(path).fileName(), qt_error_string(systemError)));
    }
    if (!file.commit())
        return FileResult::failure(WriteFailed, file.errorString());
    return FileResult::success();
}

} // namespace bidwarden
