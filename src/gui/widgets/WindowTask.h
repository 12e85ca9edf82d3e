#pragma once

#include "common/TaskProgress.h"

#include <QElapsedTimer>

#include <functional>

// The windows' side of a long operation: the caption, the status and the progress go where
// the window shows them, and every look at the cancel first lets the window's pending
// events through (the cancel button, Esc, timers, painting), then reads the window's
// cancel flag. This is the only place where the windows pass events during core work.
class WindowTask : public TaskProgress {
public:
    // Where the window shows the texts; a display left empty shows nothing.
    struct Display {
        std::function<void(const QString&)> caption;
        std::function<void(const QString&)> status;
        std::function<void(qint64 done, qint64 total)> progress;
    };

    // With eventPassMs, events go through at most that often: for an operation that asks at
    // every file, however small.
    WindowTask(Display display, std::function<bool()> cancelFlag, int eventPassMs = 0);

    void caption(const QString& text) override;
    void status(const QString& text) override;
    void progress(qint64 done, qint64 total) override;
    bool cancelRequested() override;

private:
    Display m_display;
    std::function<bool()> m_cancelFlag;
    int m_eventPassMs;
    QElapsedTimer m_sinceEvents;
};
