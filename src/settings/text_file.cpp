#include "text_file.h"

#include "code_page.h"
#include "settings_logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

namespace bidwarden {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

ReadResult readFailure(int number, const QString &text)
{
    return { QString(), FileResult::failure(number, text) };
}

// The first character without a byte, described as “一” (U+4E00); invisible
// characters and lone surrogates by their number only.
QString describeFirstUnrepresentable(const QString &text)
{
    const QString character = firstUnrepresentable(text);
    if (character.isEmpty())
        return QString();
    const char32_t code = character.size() == 2 ? QChar::surrogateToUcs4(character.at(0), character.at(1))
                                                : char32_t(character.at(0).unicode());
    const QString number = QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
    if (!QChar::isPrint(code) || QChar::isSurrogate(code))
        return number;
    return QStringLiteral("\u201c%1\u201d (%2)").arg(character, number);
}

// Nothing at the path: either its folder is missing (or is no folder) or the
// file itself is.
FileResult nothingThere(const QFileInfo &info, const QString &path)
{
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir()) {
        return FileResult::failure(PathNotFound, folder.exists()
                                           ? QStringLiteral("%1 is not a folder.").arg(shown(folder.filePath()))
                                           : QStringLiteral("The folder %1 does not exist.").arg(shown(folder.filePath())));
    }
    return FileResult::failure(FileNotFound, QStringLiteral("%1 does not exist.").arg(shown(path)));
}

FileResult notARegularFile(const QFileInfo &info, const QString &path)
{
    if (info.isDir())
        return FileResult::failure(PathNotFound, QStringLiteral("%1 is a folder, not a file.").arg(shown(path)));
    return FileResult::failure(ReadFailed, QStringLiteral("%1 is not a regular file.").arg(shown(path)));
}

FileResult tooLarge(const QString &path)
{
    return FileResult::failure(FileTooLarge, QStringLiteral("%1 is larger than %2 bytes.").arg(shown(path)).arg(maxSettingsFileSize));
}

} // namespace

bool fileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    // isFile() follows links and is true for regular files only (not for
    // devices, pipes or sockets). The name test makes dot files hidden on
    // every platform; isHidden() adds the platform's own notion.
    return info.isFile() && !info.fileName().startsWith(QLatin1Char('.')) && !info.isHidden();
}

ReadResult readTextFileContents(const QString &path)
{
    if (path.isEmpty())
        return readFailure(FileNotFound, QStringLiteral("No file name was given."));
    const QFileInfo info(path);
    if (!info.exists())
        return { QString(), nothingThere(info, path) };
    // Pipes and devices are not opened: a pipe would block until a writer came.
    if (!info.isFile())
        return { QString(), notARegularFile(info, path) };
    if (info.size() > maxSettingsFileSize)
        return { QString(), tooLarge(path) };

    QFile file(path); // closed on every way out
    if (!file.open(QIODevice::ReadOnly)) {
        return readFailure(info.isReadable() ? ReadFailed : PermissionDenied,
                           QStringLiteral("%1 cannot be opened: %2").arg(shown(path), file.errorString()));
    }
    // Read no more than one byte past the limit, whatever the file has grown
    // to since it was looked at (and files such as /proc's that report size 0).
    QByteArray bytes;
    bytes.reserve(qsizetype(std::min(file.size(), maxSettingsFileSize)));
    char chunk[16384];
    while (bytes.size() <= maxSettingsFileSize) {
        const qint64 wanted = std::min<qint64>(sizeof chunk, maxSettingsFileSize + 1 - bytes.size());
        const qint64 got = file.read(chunk, wanted);
        if (got < 0)
            return readFailure(ReadFailed, QStringLiteral("%1 cannot be read: %2").arg(shown(path), file.errorString()));
        if (got == 0)
            break;
        bytes.append(chunk, qsizetype(got));
    }
    if (bytes.size() > maxSettingsFileSize)
        return { QString(), tooLarge(path) };
    return { fromCodePage(bytes), FileResult::success() };
}

QString readTextFileContentsQuietly(const QString &path)
{
    const ReadResult read = readTextFileContents(path);
    // Quiet for the user, not for whoever reads the log.
    if (!read.ok())
        qCWarning(lcSettings).noquote() << "read as empty:" << read.status.errorText;
    return read.text;
}

QString withoutTrailingLineEnds(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && (text.at(end - 1) == QLatin1Char('\r') || text.at(end - 1) == QLatin1Char('\n')))
        --end;
    return text.left(end);
}

namespace {

// Writes the bytes over the file through QSaveFile, which the checks before
// found can be written there.
FileResult replaceFile(const QByteArray &bytes, const QFileInfo &info, FileVisibility visibility)
{
    const QString path = info.filePath();
    // Written beside the target and renamed over it on commit, so a failure
    // at any point leaves the old file whole; without a commit the temporary
    // file is removed when `file` goes.
    QSaveFile file(path);
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    // WORKAROUND for Qt 6.4.2 (Debian 12): through QSaveFile's buffer, a
    // write the system cuts short (disk full, file size limit) goes
    // unreported by commit, and the short file replaces the old one.
    // Unbuffered, the loss shows in write()'s count. Qt 6.8.2 (Debian 13)
    // reports it at commit and keeps the old file.
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
#else
    const QIODevice::OpenMode mode = QIODevice::WriteOnly;
#endif
    if (!file.open(mode)) {
        const QFileInfo folder(info.absolutePath());
        const bool refused = (info.exists() && !info.isWritable()) || !folder.isWritable();
        return FileResult::failure(refused ? PermissionDenied : WriteFailed,
                                   QStringLiteral("%1 cannot be written: %2").arg(shown(path), file.errorString()));
    }
    // Before the first byte goes in; the rename keeps the mode.
    if (visibility == FileVisibility::Private
        && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return FileResult::failure(PermissionDenied,
                                   QStringLiteral("%1 cannot be made private: %2").arg(shown(path), reason));
    }
    errno = 0;
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        const int systemError = errno;
        // A short count without an error is the system stopping part-way
        // (Qt reports only a write that took nothing); errno says why.
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                : systemError != 0                                  ? qt_error_string(systemError)
                                                                    : QStringLiteral("the system took only part of it");
        file.cancelWriting();
        return FileResult::failure(WriteFailed, QStringLiteral("Only %1 of %2 bytes of %3 could be written: %4")
                                                        .arg(std::max<qint64>(written, 0))
                                                        .arg(bytes.size())
                                                        .arg(shown(path), reason));
    }
    if (!file.commit()) {
        const QString reason = file.errorString().isEmpty() ? QStringLiteral("unknown error") : file.errorString();
        return FileResult::failure(WriteFailed, QStringLiteral("%1 cannot be replaced: %2").arg(shown(path), reason));
    }
    return FileResult::success();
}

} // namespace

FileResult writeTextFileContents(const QString &text, const QString &path, FileVisibility visibility)
{
    if (path.isEmpty())
        return FileResult::failure(FileNotFound, QStringLiteral("No file name was given."));
    const QFileInfo info(path);
    const std::optional<QByteArray> bytes = toCodePage(text + QStringLiteral("\r\n"));
    if (!bytes) {
        return FileResult::failure(NotRepresentable,
                                   QStringLiteral("The character %1 cannot be stored in %2: it has no byte in the "
                                                  "windows-1252 code page. The file was not changed.")
                                           .arg(describeFirstUnrepresentable(text), info.fileName()));
    }
    if (info.isDir())
        return notARegularFile(info, path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return nothingThere(info, path);
    return replaceFile(*bytes, info, visibility);
}

} // namespace bidwarden
