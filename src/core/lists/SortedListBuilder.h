#pragma once

#include "common/Result.h"
#include "common/TaskPacer.h"
#include "lists/ListEntries.h"
#include "store/Database.h"
#include "store/DatabasePaths.h"
#include "store/Family.h"

#include <QCollator>
#include <QString>

// Builds the sorted list of one document of a database: a first pass counts the source
// files (header lines) for the progress, a second splits every line into entries of the
// six sections, which are sorted and written as the family's list file. The old list
// stays unless the new one is complete.
// How much of a document is read at a time, and how many entries stay in memory.
struct SortListLimits {
    // The memory a build may take, whatever the document's size.
    static constexpr qint64 kMemoryBudget = qint64(256) << 20;
    static constexpr qint64 kPieceSize = 20'000'000;

    qint64 pieceSize = kPieceSize;
    // For the entries in memory. The rest: a piece's bytes and text (three times its size,
    // with the text of the piece before while the next is made), the merge's read buffers.
    qint64 runBudget = kMemoryBudget - 4 * kPieceSize - (qint64(16) << 20);
    // How often the task is asked about a cancel (and the window lets events through).
    qint64 eventIntervalMs = TaskPacer::kIntervalMs;
};

class SortedListBuilder {
public:
    using Limits = SortListLimits;

    enum class Outcome { Written, Cancelled };

    SortedListBuilder(const DatabasePaths& paths, const QCollator& collator, TaskProgress& task,
                      TaskPacer& pacer, Limits limits = {});

    // Fails with a message naming the file when the document cannot be read to its end or
    // the list or a run cannot be written; the old list is then left as it was.
    Result<Outcome> build(const Database& database, Family family, sortlist::SortMode mode);

    // The caption shown at a source file: "ANSI 3 von 1.234 D:\Texte\Brief.txt".
    static QString fileCaption(Family family, qint64 counter, const QString& total,
                               const QString& path);

private:
    Result<qint64> countHeaderLines(const QString& document, Family family);

    const DatabasePaths& m_paths;
    const QCollator& m_collator;
    TaskProgress& m_task;
    TaskPacer& m_pacer;
    Limits m_limits;
};

// The collation of every sorted list: the user's language (German where the environment
// names none), case ignored. It decides both the order and which entries are duplicates.
QCollator sortedListCollator();
