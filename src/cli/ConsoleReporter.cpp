#include "cli/ConsoleReporter.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <utility>

#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterrupt(int)
{
    g_interrupted = 1;
    std::signal(SIGINT, SIG_DFL); // a second Ctrl+C ends the program at once
}

} // namespace

ConsoleReporter::ConsoleReporter(QTextStream& out, QTextStream& err, ConsoleStyle style)
    : m_out(out), m_err(err), m_style(std::move(style)), m_terminal(::isatty(STDERR_FILENO) != 0)
{
    g_interrupted = 0;
    std::signal(SIGINT, onInterrupt);
    m_lastProgress.start();
}

ConsoleReporter::~ConsoleReporter()
{
    clearProgress();
    std::signal(SIGINT, SIG_DFL);
}

void ConsoleReporter::clearProgress()
{
    if (m_progressShown) {
        m_err << "\r\x1b[K";
        m_err.flush();
        m_progressShown = false;
    }
}

void ConsoleReporter::information(const QString& text)
{
    clearProgress();
    m_err << QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) << '\n';
    m_err.flush();
}

void ConsoleReporter::warning(const QString& text)
{
    information(text);
}

bool ConsoleReporter::question(const QString& text)
{
    information(text);
    return false;
}

void ConsoleReporter::caption(const QString& text)
{
    if (m_style.captions)
        showProgress(m_style.statusLines ? text : m_lastStatus + QStringLiteral("  ") + text);
}

void ConsoleReporter::showProgress(const QString& text)
{
    if (!m_terminal || text.isEmpty() || m_lastProgress.elapsed() < 200)
        return;
    m_lastProgress.restart();
    m_err << '\r' << text.left(150) << "\x1b[K";
    m_err.flush();
    m_progressShown = true;
}

void ConsoleReporter::status(const QString& text)
{
    if (m_style.statusLines)
        printLine(text);
    else
        m_lastStatus = text;
}

void ConsoleReporter::printLine(const QString& text)
{
    clearProgress();
    m_out << text << '\n';
    m_out.flush();
}

bool ConsoleReporter::cancelRequested()
{
    const bool interrupted = g_interrupted != 0;
    if (interrupted && !m_style.cancelNotice.isEmpty())
        information(std::exchange(m_style.cancelNotice, QString()));
    return interrupted;
}
