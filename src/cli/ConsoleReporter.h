#pragma once

#include "common/TaskProgress.h"
#include "common/UserInterface.h"

#include <QElapsedTimer>
#include <QTextStream>

// The exit status of a run cancelled with Ctrl+C, as a shell reports a program ended by
// SIGINT.
inline constexpr int kCancelledExitStatus = 130;

// How a command shows its task on the command line.
struct ConsoleStyle {
    bool captions = true; // the progress line follows the captions
    // Status texts are lines of standard output; otherwise the last one heads the
    // progress line.
    bool statusLines = true;
    QString cancelNotice; // shown once, when Ctrl+C is first seen
};

// The command line's side of a command's work: status lines and messages as lines,
// progress as one rewritten line on a terminal, Ctrl+C as the cancel request.
class ConsoleReporter : public UserInterface, public TaskProgress {
public:
    ConsoleReporter(QTextStream& out, QTextStream& err, ConsoleStyle style = {});
    ~ConsoleReporter() override;

    void information(const QString& text) override;
    void warning(const QString& text) override;
    // No one to ask on the command line: the answer is No.
    bool question(const QString& text) override;

    void caption(const QString& text) override;
    void status(const QString& text) override;
    void progress(qint64, qint64) override {}
    bool cancelRequested() override;

    // A line of standard output, whatever the style: what the command reports itself.
    void printLine(const QString& text);

private:
    void showProgress(const QString& text);
    void clearProgress();

    QTextStream& m_out;
    QTextStream& m_err;
    ConsoleStyle m_style;
    bool m_terminal;
    bool m_progressShown = false;
    QString m_lastStatus;
    QElapsedTimer m_lastProgress;
};
