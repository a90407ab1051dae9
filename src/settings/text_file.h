#pragma once

#include "file_result.h"

#include <QString>

namespace bidwarden {

// Settings files larger than this are treated as unreadable.
inline constexpr qint64 maxSettingsFileSize = 1024 * 1024;

enum class FileVisibility { Shared, Private };

// True for an existing regular file that is not hidden; false for the empty
// path (nothing is looked up), folders, dot files (the name starts with "."),
// devices, pipes and sockets, and dangling links. A symbolic link to a regular
// file counts as that file (QFileInfo::isFile follows links); only the link's
// own name decides whether it is hidden. Read-only files count.
bool fileExists(const QString &path);

// Reads the whole file, converting from the 8-bit code page. Nothing is
// trimmed: the line end stays in the text. Fails (with the text empty) for a
// missing file, a folder or anything else that is not a regular file (pipes
// are not opened, so this never blocks), a file that cannot be opened (the
// description is the system's), and a file larger than maxSettingsFileSize
// (which is not read at all). A 0-byte file is the empty text, not a failure.
ReadResult readTextFileContents(const QString &path);
// The quiet form: any failure gives the empty text.
QString readTextFileContentsQuietly(const QString &path);

// The text without every CR and LF at its end: what a one-line settings file
// holds once its line end (or, from older versions, several) is dropped.
QString withoutTrailingLineEnds(const QString &text);

// Replaces the file's whole content with the text and CR LF, atomically: on
// failure the old file stays whole. A text with a character outside the code
// page is refused and nothing is written. The new content goes to a temporary
// file beside the target (QSaveFile), renamed over the target only when every
// byte has been written; a link is followed and its target replaced.
//
// Private: the result has mode 0600, also when it replaces a file that had
// another mode. The temporary file gets that mode before the first byte goes
// in. Where the file system supports O_TMPFILE (Qt uses it on Linux: ext4,
// xfs, btrfs, tmpfs, ...) the temporary file has no name until the rename, so
// no other process can open it at any moment; elsewhere, when no file existed
// before, the still empty temporary file has the default mode for an instant.
// Shared: an existing file keeps its mode, a new one gets the default (0666
// less the umask).
FileResult writeTextFileContents(const QString &text, const QString &path,
                                 FileVisibility visibility = FileVisibility::Shared);

} // namespace bidwarden
