#include "stall_watchdog.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

namespace bidwarden::test {

StallWatchdog::StallWatchdog(std::chrono::seconds limit, QObject *parent)
    : QObject(parent)
    , m_limit(limit)
    , m_lastBeat(now())
{
    m_heartbeat.setInterval(1000);
    connect(&m_heartbeat, &QTimer::timeout, this, [this] { m_lastBeat = now(); });
    m_heartbeat.start();
    m_thread = std::thread([this] { watch(); });
}

StallWatchdog::~StallWatchdog()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

std::int64_t StallWatchdog::now()
{
    using namespace std::chrono;
    return duration_cast<seconds>(steady_clock::now().time_since_epoch()).count();
}

void StallWatchdog::watch()
{
    std::unique_lock lock(m_mutex);
    while (!m_wake.wait_for(lock, std::chrono::seconds(5), [this] { return m_stopping; })) {
        const std::int64_t stalled = now() - m_lastBeat;
        if (stalled < m_limit.count())
            continue;
        std::fprintf(stderr, "FAIL!  : the main thread has not run its event loop for %lld s; stacks follow\n",
                     static_cast<long long>(stalled));
        std::fflush(stderr);
        const std::string gdb = "command -v gdb >/dev/null && gdb -p " + std::to_string(getpid())
                + " -batch -nx -ex 'thread apply all bt 40' 1>&2";
        [[maybe_unused]] const int rc = std::system(gdb.c_str());
        std::_Exit(3);
    }
}

} // namespace bidwarden::test
