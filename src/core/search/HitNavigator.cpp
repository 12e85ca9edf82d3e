#include "search/HitNavigator.h"

#include "platform/FileFacts.h"
#include "platform/MappedFile.h"
#include "search/DocumentPattern.h"

#include <algorithm>

const QString HitNavigator::kNotFound = QStringLiteral("Nicht gefunden!");
const QString HitNavigator::kLastHit = QStringLiteral("Dies ist die letzte Fundstelle.");

HitNavigator::HitNavigator(UserInterface& ui, qint64 windowSize) : m_ui(ui), m_counter(windowSize)
{
}

void HitNavigator::reset()
{
    m_remaining = 0;
    m_occurrences = 0;
    m_current = -1;
}

QString HitNavigator::occurrenceCaption(const QString& text, qint64 occurrences)
{
    return u'"' + text + QStringLiteral("\" ist ") + QString::number(occurrences) +
           QStringLiteral(" mal in der angezeigten Datei enthalten.");
}

bool HitNavigator::collect(const QString& programPath, const DocumentPattern& pattern)
{
    reset();
    m_path = programPath;
    m_pattern = pattern;
    const HitCounter::Outcome outcome = m_counter.count(programPath, pattern);
    m_occurrences = outcome.occurrences;
    m_remaining = m_occurrences;
    return m_remaining > 0;
}

std::optional<HitNavigator::Hit> HitNavigator::WeiterSuche(const QString& programPath,
                                                           const DocumentPattern& pattern,
                                                           const Show& show)
{
    if (programPath != m_path || pattern != m_pattern)
        reset();
    if (m_remaining == 0 && !collect(programPath, pattern)) {
        if (!m_counting)
            m_ui.information(kNotFound);
        return std::nullopt;
    }
    std::optional<qint64> next = nextOccurrence(programPath, pattern, m_current + 1);
    // The file changed since the collection: what it holds now is collected again.
    if (!next && m_current >= 0 && collect(programPath, pattern))
        next = nextOccurrence(programPath, pattern, 0);
    if (!next) {
        reset();
        if (!m_counting)
            m_ui.information(kNotFound);
        return std::nullopt;
    }
    m_current = *next;
    --m_remaining;
    const Hit hit{*next, pattern.bytes.size()};
    show(hit);
    if (m_remaining == 0) {
        // The next press collects again and so starts over at the first occurrence.
        m_current = -1;
        if (!m_counting)
            m_ui.information(kLastHit);
    }
    return hit;
}

std::optional<qint64> HitNavigator::nextOccurrence(const QString& programPath,
                                                   const DocumentPattern& pattern, qint64 from)
{
    MappedFile file;
    if (pattern.isEmpty() || !file.open(platform::nativePath(programPath)))
        return std::nullopt;
    const OccurrenceScan occurrences(pattern);
    const qint64 length = qint64(occurrences.length());
    qint64 window = MappedFile::kGranularity;
    qint64 pos = from;
    while (true) {
        const qint64 end = std::min(file.size(), file.currentSize());
        if (pos + length > end)
            return std::nullopt;
        const qint64 base = pos - pos % MappedFile::kGranularity;
        const qint64 limit = pos - base + window;
        const qint64 mapped = std::min(limit + length - 1, end - base);
        const unsigned char* data = file.map(base, mapped);
        if (!data)
            return std::nullopt;
        std::optional<qint64> found;
        pos = base + qint64(occurrences.scan(data, std::size_t(mapped), std::size_t(pos - base),
                                             std::size_t(limit), [&](std::size_t at) {
                                                 if (!found)
                                                     found = base + qint64(at);
                                             }));
        if (found)
            return found;
        window = std::min(window * 2, HitCounter::kDefaultWindow);
    }
}
