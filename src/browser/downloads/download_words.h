#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace bidwarden {

// Where a download stands, as the user is told.
enum class DownloadState {
    Running,
    Paused,
    Completed,
    Cancelled,
    Interrupted, // ended without the whole file; the engine says why
};

// A size as the desktop writes it ("1.5 MiB"), in the user's locale.
QString downloadSize(qint64 bytes);

// The time left, from the bytes received in the time so far; none where it
// cannot be told yet (the size unknown, nothing received, too early).
std::optional<qint64> downloadSecondsLeft(qint64 received, qint64 total, qint64 elapsedMs);

// "photos.zip — 42% — 2 min left", or the bytes so far where the size is
// unknown: the status bar's item for a running download.
QString downloadProgressText(const QString &fileName, qint64 received, qint64 total,
                             std::optional<qint64> secondsLeft);

// The state in words; an interrupted download says why.
QString downloadStateText(DownloadState state, const QString &interruptReason);

// Whether Open may hand the file to the desktop: never a program or a script
// (by its name, or by the execute bit), which would run rather than show.
bool mayOpenDownload(const QString &fileName, bool executable);

// The name a saved page is offered under, without its extension: its
// title, less what a file name cannot hold or would hide; the fallback (the
// site) where the title leaves nothing.
QString savedPageFileName(const QString &title, const QString &fallback);

} // namespace bidwarden
