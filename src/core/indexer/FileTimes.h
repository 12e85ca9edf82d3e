#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// The three times of a file, in local time. The system converts each time with the
// time-zone rules valid at that moment, so a summer date read in winter keeps its hour.
struct FileTimes {
    QDateTime creation; // invalid where the file system does not record it
    QDateTime lastAccess;
    QDateTime lastWrite;
};

// The times of a file named by a program path; nothing when it cannot be opened.
std::optional<FileTimes> fileTimes(const QString& programPath);
