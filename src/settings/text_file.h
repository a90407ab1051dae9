#pragma once

#include "file_result.h"

#include <QString>

namespace bidwarden {

// Settings files larger than this are treated as unreadable.
inline constexpr qint64 maxSettingsFileSize = 1024 * 1024;

enum class FileVisibility { Shared, Private };

// True for an existing regular file that is not hidden; false for the empty
// path, folders and dot files.
bool fileExists(const QString &path);

// Reads the whole file, converting from the 8-bit code page. Nothing is
// trimmed: the line end stays in the text.
ReadResult readTextFileContents(const QString &path);
// The quiet form: any failure gives the empty text.
QString readTextFileContentsQuietly(const QString &path);

// Replaces the file's whole content with the text and CR LF, atomically: on
// failure the old file stays whole. A text with a character outside the code
// page is refused and nothing is written. Private files are created 0600.
FileResult writeTextFileContents(const QString &text, const QString &path,
                                 FileVisibility visibility = FileVisibility::Shared);

} // namespace bidwarden
