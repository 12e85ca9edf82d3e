#pragma once

#include "common/UserInterface.h"
#include "indexer/RunReporter.h"

#include <QElapsedTimer>
#include <QTextStream>

// The exit status of a run cancelled with Ctrl+C, as a shell reports a program ended by
// SIGINT.
inline constexpr int kCancelledExitStatus = 130;

// The command line's side of a run: status lines and messages as lines, progress as one
// rewritten line on a terminal, Ctrl+C as the cancel request.
class ConsoleReporter : public UserInterface, public RunReporter {
public:
    ConsoleReporter(QTextStream& out, QTextStream& err);
    ~ConsoleReporter() override;

    void information(const QString& text) override;
    void warning(const QString& text) override;
    // No one to ask on the command line: the answer is No.
    bool question(const QString& text) override;

    void caption(const QString& text) override;
    void status(const QString& text) override;
    bool cancelRequested() override;
    // Ctrl+C as the cancel flag of a search, brought up to date whenever the search lets
    // events through.
    void letEventsThrough() override { m_cancelled = cancelRequested(); }
    const bool* cancelFlag() const { return &m_cancelled; }

private:
    void clearProgress();

    QTextStream& m_out;
    QTextStream& m_err;
    bool m_terminal;
    bool m_progressShown = false;
    bool m_cancelled = false;
    QElapsedTimer m_lastProgress;
};
