#pragma once

#include <QString>

namespace bidwarden {

// Outcome of one settings-file operation. A failure carries a number and a
// description; the user interface decides whether and how to show them.
struct FileResult
{
    int error = 0;
    QString errorText;

    bool ok() const { return error == 0; }
    static FileResult success() { return {}; }
    static FileResult failure(int number, const QString &text) { return { number, text }; }
};

// Outcome of a reporting read: the text on success, the failure otherwise.
struct ReadResult
{
    QString text;
    FileResult status;

    bool ok() const { return status.ok(); }
};

// Failure numbers reported by the settings functions.
enum FileError : int {
    FileNotFound = 53,        // no file at the path (or no path given)
    PathNotFound = 76,        // the file's folder is missing, or the path is a folder
    PermissionDenied = 70,    // the system refuses access
    FileTooLarge = 7,         // larger than maxSettingsFileSize
    ReadFailed = 62,          // not a regular file, or opening or reading failed
    WriteFailed = 61,         // creating, writing or replacing failed otherwise
    NotRepresentable = 5,     // a character has no byte in the code page
    WriteAbandoned = 18,      // the caller withdrew before anything was written
};

} // namespace bidwarden
