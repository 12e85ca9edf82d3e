#pragma once

#include "platform/MappedFile.h"
#include "search/DocumentPattern.h"

#include <QString>

#include <functional>

class TaskProgress;

// Collects every occurrence of a search text in one file, as the in-document search and the
// hit count do: by the case rule of the file's family, inside words, overlapping
// occurrences all counted. The file is scanned in mapped windows, so memory stays bounded
// whatever its size.
class HitCounter {
public:
    struct Outcome {
        qint64 occurrences = 0;
        bool cancelled = false;
    };
    using Visitor = std::function<void(qint64 offset)>;

    static constexpr qint64 kDefaultWindow = 128 * MappedFile::kGranularity; // 8 MiB

    // The window size must be a multiple of the mapping granularity; tests shrink it so
    // that many occurrences cross a window edge.
    explicit HitCounter(qint64 windowSize = kDefaultWindow);

    // Told the bytes scanned of the bytes searched after every window of a file, and asked
    // then; a cancel ends the collection of that file with the occurrences found so far.
    void setProgress(TaskProgress* task) { m_task = task; }

    // The whole file is searched, also beyond 4 GiB. A missing, empty or unmappable file and
    // an empty pattern give no occurrence.
    Outcome count(const QString& programPath, const DocumentPattern& pattern) const;
    // The same, handing every occurrence's offset to the visitor, ascending.
    Outcome visit(const QString& programPath, const DocumentPattern& pattern,
                  const Visitor& visitor) const;

private:
    template <typename OnMatch>
    Outcome scan(const QString& programPath, const DocumentPattern& pattern,
                 const OnMatch& onMatch) const;

    qint64 m_window;
    TaskProgress* m_task = nullptr;
};
