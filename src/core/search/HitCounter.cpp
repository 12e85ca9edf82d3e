#include "search/HitCounter.h"

#include "common/TaskProgress.h"
#include "platform/FileFacts.h"
#include "search/DocumentPattern.h"

#include <algorithm>

HitCounter::HitCounter(qint64 windowSize) : m_window(windowSize)
{
    Q_ASSERT(windowSize > 0 && windowSize % MappedFile::kGranularity == 0);
}

// Window after window; each maps the pattern's length less one byte beyond its end, so a
// match that starts in it is checked there whole and counted there only. The scan position
// carries over, as in one scan of the whole file.
template <typename OnMatch>
HitCounter::Outcome HitCounter::scan(const QString& programPath, const DocumentPattern& pattern,
                                     const OnMatch& onMatch) const
{
    Outcome outcome;
    MappedFile file;
    if (pattern.isEmpty() || !file.open(platform::nativePath(programPath)))
        return outcome;
    const OccurrenceScan occurrences(pattern);
    const qint64 length = qint64(occurrences.length());
    const qint64 searched = file.size();
    qint64 pos = 0;
    while (true) {
        // A file shortened meanwhile ends where it ends now.
        const qint64 end = std::min(searched, file.currentSize());
        if (pos + length > end)
            break;
        const qint64 base = pos - pos % m_window;
        const qint64 mapped = std::min(m_window + length - 1, end - base);
        const unsigned char* data = file.map(base, mapped);
        if (!data)
            break;
        pos = base + qint64(occurrences.scan(data, std::size_t(mapped), std::size_t(pos - base),
                                             std::size_t(m_window), [&](std::size_t at) {
                                                 ++outcome.occurrences;
                                                 onMatch(base + qint64(at));
                                             }));
        if (m_task) {
            m_task->progress(std::min(base + m_window, end), end);
            if (m_task->cancelRequested()) {
                outcome.cancelled = true;
                break;
            }
        }
    }
    return outcome;
}

HitCounter::Outcome HitCounter::count(const QString& programPath,
                                      const DocumentPattern& pattern) const
{
    return scan(programPath, pattern, [](qint64) {});
}

HitCounter::Outcome HitCounter::visit(const QString& programPath, const DocumentPattern& pattern,
                                      const Visitor& visitor) const
{
    return scan(programPath, pattern, visitor);
}
