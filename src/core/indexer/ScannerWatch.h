#pragma once

#include <QString>

#include <optional>

// The wait for a virus scanner that checks the program while a run filters its file list:
// one tick a second, told whether the scanner's process runs; it asks for patience in the
// caption and the first status line, and stops itself after five ticks with the scanner
// or when the run has finished.
class ScannerWatch {
public:
    static constexpr int kTickMs = 1000;
    static const QString kProcessName; // "MSMPENG.exe"

    struct Tick {
        std::optional<QString> caption; // the window's caption, when it changes
        std::optional<QString> status;  // the first status line, when it changes
        bool stop = false;              // the watch ends with this tick
    };

    explicit ScannerWatch(bool updateMode) : m_updateMode(updateMode) {}

    Tick tick(bool scannerRunning, const QString& currentCaption, const QString& currentStatus);

private:
    QString startText() const;

    bool m_updateMode;
    int m_ticksWithScanner = 0;
};
