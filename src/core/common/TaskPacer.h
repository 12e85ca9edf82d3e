#pragma once

#include "common/TaskProgress.h"

#include <QElapsedTimer>

#include <chrono>
#include <functional>
#include <future>

// Asks a task about a cancel about every 50 ms instead of at every line, and remembers a
// cancel once seen. poll() is cheap enough for every line or entry; pollNow() reads the
// clock at once, for loops whose steps take longer; tick() asks now.
class TaskPacer {
public:
    static constexpr qint64 kIntervalMs = 50;

    explicit TaskPacer(TaskProgress& task, qint64 intervalMs = kIntervalMs)
        : m_task(task), m_intervalMs(intervalMs)
    {
        m_clock.start();
    }

    // Runs before each look at the cancel request (a caption that follows the work).
    void setOnTick(std::function<void()> onTick) { m_onTick = std::move(onTick); }

    bool poll() { return m_cancelled || ((++m_calls & 15) == 0 && pollNow()); }
    bool pollNow()
    {
        if (!m_cancelled && m_clock.elapsed() >= m_intervalMs)
            tick();
        return m_cancelled;
    }
    bool tick()
    {
        if (m_onTick)
            m_onTick();
        m_cancelled = m_cancelled || m_task.cancelRequested();
        m_clock.restart();
        return m_cancelled;
    }
    bool cancelled() const { return m_cancelled; }

private:
    TaskProgress& m_task;
    qint64 m_intervalMs;
    std::function<void()> m_onTick;
    QElapsedTimer m_clock;
    unsigned m_calls = 0;
    bool m_cancelled = false;
};

// Waits for work running on a worker thread (mostly a wait for the disk), asking the task
// every 10 ms meanwhile so that the windows stay responsive. The work cannot stop: a cancel
// counts at the caller's next look.
template <typename T> T awaitAsking(TaskProgress& task, std::future<T>& done)
{
    while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        task.cancelRequested();
    return done.get();
}
