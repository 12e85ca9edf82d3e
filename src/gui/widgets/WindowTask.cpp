#include "widgets/WindowTask.h"

#include <QCoreApplication>

WindowTask::WindowTask(Display display, std::function<bool()> cancelFlag, int eventPassMs)
    : m_display(std::move(display)), m_cancelFlag(std::move(cancelFlag)), m_eventPassMs(eventPassMs)
{
}

void WindowTask::caption(const QString& text)
{
    if (m_display.caption)
        m_display.caption(text);
}

void WindowTask::status(const QString& text)
{
    if (m_display.status)
        m_display.status(text);
}

void WindowTask::progress(qint64 done, qint64 total)
{
    if (m_display.progress)
        m_display.progress(done, total);
}

bool WindowTask::cancelRequested()
{
    if (!m_sinceEvents.isValid() || m_sinceEvents.elapsed() >= m_eventPassMs) {
        QCoreApplication::processEvents();
        m_sinceEvents.start();
    }
    return m_cancelFlag();
}
