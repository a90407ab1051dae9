#pragma once

#include <QObject>

#include <csignal>

QT_BEGIN_NAMESPACE
class QSocketNotifier;
QT_END_NAMESPACE

namespace bidwarden {

// The session ending, the terminal closing and Ctrl+C (SIGTERM, SIGHUP,
// SIGINT) as a signal on the event loop, so the program can end as Exit does
// and the engine can write what it keeps. The handler only writes the
// signal's number into a pipe; the loop reads it. The first one is reported;
// the handlers then give way to the dispositions found, so a second signal
// ends a program that no longer gets to its loop. A signal that was ignored
// when this began (nohup) stays ignored. One at a time in a process.
class SessionEnd : public QObject
{
    Q_OBJECT

public:
    explicit SessionEnd(QObject *parent = nullptr);
    // Gives the signals back to the dispositions found.
    ~SessionEnd() override;

    // False when the pipe or the handlers could not be set up: the signals
    // then end the program at once, as without this.
    bool isWatching() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void ending(int signalNumber);

private:
    void readSignal();
    void restoreDispositions();

    static constexpr int signalCount = 3;
    int m_pipe[2] = { -1, -1 };
    QSocketNotifier *m_notifier = nullptr;
    struct sigaction m_previous[signalCount] = {};
    bool m_caught[signalCount] = {};
};

} // namespace bidwarden
