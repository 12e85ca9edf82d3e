#pragma once

#include "common/TaskPacer.h"
#include "common/UserInterface.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// The files of a descriptor that an indexing run reads: those that match the run's
// patterns, are not excluded (by lower-case containment) and are regular files that open.
// The estimate tests each file once and adds up their sizes; the passes that read the files
// take its selection.
class DocumentSelection {
public:
    static constexpr qint64 kSizeLimit = 1536000000;

    DocumentSelection(QStringList patterns, const QString& exclusionList);

    // The path a descriptor line names; none for its header.
    static QString pathOfLine(const QString& line);

    // Tests the files the lines name, the caption showing the size they need so far. The
    // open test is the slow part: the second half of the lines is tested on a worker
    // thread while this one tests the first. False when the pacer saw a cancel.
    bool estimate(const QStringList& lines, TaskProgress& task, TaskPacer& pacer);
    // The files need no more than the size limit; otherwise the user is told why the run
    // makes only the path list.
    bool sizeAllowsIndexing(const QString& sourceFolder, UserInterface& ui) const;

    // The size the estimate found of a selected file.
    std::optional<qint64> sizeOf(const QString& path) const;
    // Selected and not (by lower-case containment) one of the large files.
    bool selectedNormal(const QString& path, const QStringList& largeLower) const;

private:
    std::optional<qint64> testedSize(const QString& path) const;

    QStringList m_patterns;
    QStringList m_exclusions; // trimmed, lower case
    QHash<QString, qint64> m_sizes;
    qint64 m_neededSize = 0;
};
