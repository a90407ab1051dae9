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
    FileNotFound = 53,
    PathNotFound = 76,
    PermissionDenied = 70,
    FileTooLarge = 7,
    ReadFailed = 62,
    WriteFailed = 61,
    NotRepresentable = 5,
};

} // namespace bidwarden
