#pragma once

#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace bidwarden::test {

// Ends a test whose main thread stops turning its event loop (the engine can
// block on its own threads), after printing every thread's stack when gdb is
// installed. A hang then fails in minutes with its cause instead of running
// into the suite's timeout with no trace.
class StallWatchdog : public QObject
{
public:
    explicit StallWatchdog(std::chrono::seconds limit, QObject *parent = nullptr);
    ~StallWatchdog() override;

private:
    void watch();
    static std::int64_t now();

    const std::chrono::seconds m_limit;
    QTimer m_heartbeat;
    std::atomic<std::int64_t> m_lastBeat;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace bidwarden::test
