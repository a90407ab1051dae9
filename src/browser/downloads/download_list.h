#pragma once

#include "download_words.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace bidwarden {

// One download the user accepted, as the program follows it: where it is
// saved, how far it has come, and the user's requests to it. The engine's
// side (EngineDownload) reports its progress and carries out the requests.
class Download : public QObject
{
    Q_OBJECT

public:
    struct Progress
    {
        qint64 received = 0;
        qint64 total = -1; // unknown
        DownloadState state = DownloadState::Running;
        QString interruptReason = {};
    };

    explicit Download(const QString &path, QObject *parent = nullptr);

    QString path() const { return m_path; }
    QString fileName() const;
    const Progress &progress() const { return m_progress; }
    // Running or paused: not over yet.
    bool isRunning() const;
    std::optional<qint64> secondsLeft() const;

    // Stops it for good; what was saved of it goes.
    virtual void cancel() = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;

Q_SIGNALS:
    void changed();
    // Once, as it ends: completed, cancelled or interrupted.
    void finished();

protected:
    void setProgress(const Progress &progress);

private:
    QString m_path;
    Progress m_progress;
    QElapsedTimer m_sinceStart;
};

// This run's downloads, newest first, each the list's own.
class DownloadList : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Takes the download over.
    void add(Download *download);
    const QList<Download *> &downloads() const { return m_downloads; }
    int runningCount() const;
    // Cancels every download not over yet (the program is leaving).
    void cancelRunning();

Q_SIGNALS:
    void added(Download *download);
    void finished(Download *download);
    // A download has started, moved on or ended.
    void progressed();

private:
    QList<Download *> m_downloads;
};

} // namespace bidwarden
