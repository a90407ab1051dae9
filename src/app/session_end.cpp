#include "session_end.h"

#include "app_logging.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace bidwarden {

namespace {

constexpr int endingSignals[] = { SIGTERM, SIGHUP, SIGINT };

// Read by the handler: the pipe's end it writes to, or -1.
volatile std::sig_atomic_t writeEnd = -1;

extern "C" void onEndingSignal(int number)
{
    // Nothing but a write: everything else waits for the event loop. A full
    // pipe already holds a signal to read.
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    if (::write(writeEnd, &byte, 1) < 0) {
    }
    errno = savedErrno;
}

} // namespace

SessionEnd::SessionEnd(QObject *parent)
    : QObject(parent)
{
    Q_ASSERT_X(writeEnd == -1, "SessionEnd", "one at a time in a process");
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qCWarning(lcApp) << "the session's end cannot be caught: no pipe:" << std::strerror(errno);
        return;
    }
    writeEnd = m_pipe[1];
    struct sigaction action = {};
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: a second one of the same kind is not caught again.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int i = 0; i < signalCount; ++i) {
        sigaction(endingSignals[i], nullptr, &m_previous[i]);
        if (m_previous[i].sa_handler == SIG_IGN)
            continue;
        if (sigaction(endingSignals[i], &action, nullptr) != 0) {
            qCWarning(lcApp) << "the session's end cannot be caught:" << strsignal(endingSignals[i])
                             << std::strerror(errno);
            continue;
        }
        m_caught[i] = true;
    }
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SessionEnd::readSignal);
}

SessionEnd::~SessionEnd()
{
    restoreDispositions();
    writeEnd = -1;
    for (const int fd : m_pipe) {
        if (fd >= 0)
            ::close(fd);
    }
}

void SessionEnd::restoreDispositions()
{
    for (int i = 0; i < signalCount; ++i) {
        if (std::exchange(m_caught[i], false))
            sigaction(endingSignals[i], &m_previous[i], nullptr);
    }
}

void SessionEnd::readSignal()
{
    unsigned char byte = 0;
    const ssize_t got = ::read(m_pipe[0], &byte, 1);
    if (got != 1)
        return;
    // Reported once; what comes after it ends the program the usual way.
    m_notifier->setEnabled(false);
    restoreDispositions();
    qCInfo(lcApp) << "ending on" << strsignal(byte);
    Q_EMIT ending(int(byte));
}

} // namespace bidwarden
