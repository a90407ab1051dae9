#include "download_words.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

namespace bidwarden {

namespace {

QString tr(const char *text, int n = -1)
{
    return QCoreApplication::translate("bidwarden::Downloads", text, nullptr, n);
}

QString timeLeftText(qint64 seconds)
{
    if (seconds < 60)
        return tr("%n s left", int(seconds));
    if (seconds < 3600)
        return tr("%n min left", int((seconds + 59) / 60));
    return tr("%n h left", int((seconds + 3599) / 3600));
}

} // namespace

QString downloadSize(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes);
}

std::optional<qint64> downloadSecondsLeft(qint64 received, qint64 total, qint64 elapsedMs)
{
    // Under a second of data says little about the rate.
    if (total <= 0 || received <= 0 || received > total || elapsedMs < 1000)
        return std::nullopt;
    const double bytesPerMs = double(received) / double(elapsedMs);
    return qint64(double(total - received) / bytesPerMs / 1000.0 + 0.5);
}

QString downloadProgressText(const QString &fileName, qint64 received, qint64 total,
                             std::optional<qint64> secondsLeft)
{
    const QString dash = QStringLiteral(" \u2014 ");
    if (total <= 0)
        return fileName + dash + downloadSize(received);
    QString text = fileName + dash + tr("%1%").arg(qBound(qint64(0), received * 100 / total, qint64(100)));
    if (secondsLeft)
        text += dash + timeLeftText(*secondsLeft);
    return text;
}

QString downloadStateText(DownloadState state, const QString &interruptReason)
{
    switch (state) {
    case DownloadState::Running:
        return tr("Downloading");
    case DownloadState::Paused:
        return tr("Paused");
    case DownloadState::Completed:
        return tr("Done");
    case DownloadState::Cancelled:
        return tr("Cancelled");
    case DownloadState::Interrupted:
        return interruptReason.isEmpty() ? tr("Failed") : tr("Failed: %1").arg(interruptReason);
    }
    return QString();
}

bool mayOpenDownload(const QString &fileName, bool executable)
{
    static const QStringList runnable{ QStringLiteral("sh"), QStringLiteral("desktop"), QStringLiteral("appimage"),
                                       QStringLiteral("jar"), QStringLiteral("deb") };
    return !executable && !runnable.contains(QFileInfo(fileName).suffix().toLower());
}

QString savedPageFileName(const QString &title, const QString &fallback)
{
    // A name the desktop's other programs read without trouble: no folder
    // separators, no characters other systems refuse, not hidden.
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    QString name;
    for (const QChar c : title)
        name += (c.isPrint() && !refused.contains(c)) ? c : QLatin1Char(' ');
    name = name.simplified().left(120);
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    name = name.trimmed();
    if (!name.isEmpty())
        return name;
    return fallback.isEmpty() ? QStringLiteral("page") : fallback;
}

} // namespace bidwarden
