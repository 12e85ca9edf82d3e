#pragma once

#include <QElapsedTimer>
#include <QString>

#include <functional>

// What a sorted-list build shows while it works, and how it learns of a cancel. The search
// window implements it with its caption, Label4 and progress bar; the command line with a
// progress line and Ctrl+C.
class SortReporter {
public:
    virtual ~SortReporter() = default;
    virtual void caption(const QString& text) = 0;
    // The sort panel's status label Label4.
    virtual void label(const QString& text) = 0;
    virtual void progress(qint64 position, qint64 maximum) = 0;
    // Lets pending events through; true once the user asked to cancel.
    virtual bool cancelRequested() = 0;
};

// Lets events through about every 50 ms instead of after every line, and remembers a
// cancel once seen. poll() is cheap enough for every line or entry; pollNow() reads the
// clock at once, for loops whose steps take longer.
class EventPacer {
public:
    static constexpr qint64 kIntervalMs = 50;

    explicit EventPacer(SortReporter& reporter, qint64 intervalMs = kIntervalMs)
        : m_reporter(reporter), m_intervalMs(intervalMs)
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
    // Asks now, whatever the clock says.
    bool tick()
    {
        if (m_onTick)
            m_onTick();
        m_cancelled = m_cancelled || m_reporter.cancelRequested();
        m_clock.restart();
        return m_cancelled;
    }
    bool cancelled() const { return m_cancelled; }

private:
    SortReporter& m_reporter;
    qint64 m_intervalMs;
    std::function<void()> m_onTick;
    QElapsedTimer m_clock;
    unsigned m_calls = 0;
    bool m_cancelled = false;
};
