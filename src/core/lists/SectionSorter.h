#pragma once

#include "common/Result.h"
#include "common/TaskPacer.h"

#include <QCollator>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <vector>

// The six sections of one sorted list. Entries come in document order; of the entries
// that the collator finds equal within a section only the first form met is kept. Entries
// stay in memory up to a budget; beyond it, each batch is sorted into a run file in the
// run folder, and the runs are merged at the end. Sorting costs O(n log n) compares.
class SectionSorter {
public:
    // Receives the entries in list order: section 1 to 6, each sorted. False stops.
    using Sink = std::function<bool(int section, QStringView entry)>;

    SectionSorter(const QCollator& collator, QString runFolder, qint64 memoryBudget,
                  TaskPacer& pacer);
    ~SectionSorter();
    SectionSorter(const SectionSorter&) = delete;
    SectionSorter& operator=(const SectionSorter&) = delete;

    // Fails when a run cannot be written (full disk, no rights): the message names the file.
    Status add(int section, QStringView entry);
    // Hands every entry to the sink. A cancel seen by the pacer ends it early, with
    // success; a run that cannot be read or written, or a sink that says stop, fails.
    Status finish(const Sink& sink);

    int runCount() const { return int(m_runs.size()); }
    // Removes the run files (also done by the destructor).
    void removeRuns();

private:
    struct Entry {
        std::uint32_t offset;
        std::uint32_t length;
        std::uint32_t hash;
        std::uint8_t section;
    };
    class Source;
    class BlockSource;
    class RunSource;

    QStringView textOf(const Entry& entry) const;
    qint64 memoryUsed() const;
    bool containsExactly(int section, QStringView entry, std::uint32_t hash);
    void growTable();
    // The entries in memory as sorted blocks of insertion order; empty when cancelled.
    std::vector<std::uint32_t> sortBlocks(std::vector<std::pair<std::size_t, std::size_t>>& blocks);
    Status spill();
    Status writeRun(std::vector<Source*>& sources, const QString& path);
    void clearMemory();
    Status merge(std::vector<Source*>& sources, const Sink& sink);
    Status mergeRunsDown();
    QString nextRunPath();

    const QCollator& m_collator;
    QString m_runFolder; // native, with a trailing separator
    qint64 m_budget;
    TaskPacer& m_pacer;

    std::vector<char16_t> m_units;
    std::vector<Entry> m_entries;
    std::vector<std::uint32_t> m_table; // open addressing; 0 empty, else entry index + 1
    std::vector<QString> m_runs;        // native paths, oldest first
    int m_runNumber = 0;
};
