#include "indexer/DocumentSelection.h"

#include "indexer/DriveListFilter.h"
#include "indexer/TextLines.h"
#include "platform/FileFacts.h"
#include "store/ByteSize.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <vector>

DocumentSelection::DocumentSelection(QStringList patterns, const QString& exclusionList)
    : m_patterns(std::move(patterns))
{
    for (const QString& line : textlines::read(exclusionList)) {
        if (!line.trimmed().isEmpty())
            m_exclusions.append(line.trimmed().toLower());
    }
}

QString DocumentSelection::pathOfLine(const QString& line)
{
    return line.contains(QStringLiteral("PFAD_UND_ENDUNGEN=")) ? QString() : line;
}

std::optional<qint64> DocumentSelection::testedSize(const QString& path) const
{
    if (path.isEmpty())
        return std::nullopt;
    const QString lower = path.toLower();
    for (const QString& excluded : m_exclusions) {
        if (lower.contains(excluded))
            return std::nullopt;
    }
    const QString pattern = drivelist::entryPattern(path.mid(path.lastIndexOf(u'\\') + 1));
    const bool matches = std::any_of(m_patterns.begin(), m_patterns.end(), [&](const QString& p) {
        return !p.isEmpty() && pattern.contains(p);
    });
    if (!matches)
        return std::nullopt;
    // Only regular files that can be opened: a pipe or a device is never read.
    return platform::openableFileSize(path);
}

bool DocumentSelection::estimate(const QStringList& lines, TaskProgress& task, TaskPacer& pacer)
{
    m_sizes.clear();
    m_neededSize = 0;
    const qsizetype half = lines.size() / 2;
    std::vector<std::optional<qint64>> secondHalf(std::size_t(lines.size() - half));
    std::atomic<bool> stop = false;
    std::future<void> tested = std::async(std::launch::async, [&] {
        for (qsizetype i = half; i < lines.size() && !stop; ++i)
            secondHalf[std::size_t(i - half)] = testedSize(pathOfLine(lines[i]));
    });
    const auto cancelled = [&] {
        if (!pacer.tick())
            return false;
        stop = true;
        return true;
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (cancelled())
            return false;
        if (i == half)
            awaitAsking(task, tested);
        const QString path = pathOfLine(lines[i]);
        const std::optional<qint64> size =
            i < half ? testedSize(path) : secondHalf[std::size_t(i - half)];
        if (!size)
            continue;
        m_sizes.insert(path, *size);
        m_neededSize += *size;
        task.caption(QStringLiteral("Speicherbedarf wird ermittelt: ") +
                     ConvertBytes(m_neededSize));
    }
    return true;
}

bool DocumentSelection::sizeAllowsIndexing(const QString& sourceFolder, UserInterface& ui) const
{
    if (m_neededSize <= kSizeLimit)
        return true;
    const QString amount = QStringLiteral("Es befinden sich insgesamt ") +
                           ConvertBytes(m_neededSize) + QStringLiteral(" an Daten auf \"") +
                           sourceFolder + u'"';
    const QChar drive = sourceFolder.isEmpty() ? QChar(u'?') : sourceFolder[0];
    const std::optional<qint64> freeGiB = platform::freeSpaceGiB(sourceFolder);
    QString text;
    if (freeGiB && *freeGiB < 2) {
        text = QStringLiteral("Der freie Speicher auf Laufwerk: \"") + drive +
               QStringLiteral("\" beträgt weniger als 2 GB.\r\n") + amount +
               QStringLiteral("\r\nZum Anlegen der Datenbank ist der freie Speicher zu wenig. "
                              "Machen Sie Speicherplatz auf dem Datenträger frei!");
    } else if (sourceFolder.size() < 4) {
        text = amount +
               QStringLiteral(
                   "\r\nDie Datenbank würde zu groß werden! Erstellen Sie mehrere "
                   "Datenbanken von einzelnen Ordnern anstatt vom ganzen Laufwerk.\r\n\r\n"
                   "\tIndizierung ist so nicht möglich!\r\n\r\n"
                   "Die Suche funktioniert aber auch ohne Indizierung, allerdings langsamer.");
    } else {
        text = amount + QStringLiteral("\r\n\r\nDie Datenbank würde zu groß werden! Versuchen Sie "
                                       "mehrere Datenbanken von einzelnen Ordnern zu erstellen.");
    }
    ui.information(text);
    return false;
}

std::optional<qint64> DocumentSelection::sizeOf(const QString& path) const
{
    const auto found = m_sizes.constFind(path);
    return found == m_sizes.constEnd() ? std::nullopt : std::optional<qint64>(*found);
}

bool DocumentSelection::selectedNormal(const QString& path, const QStringList& largeLower) const
{
    if (!m_sizes.contains(path))
        return false;
    const QString lower = path.toLower();
    return std::none_of(largeLower.begin(), largeLower.end(),
                        [&](const QString& large) { return lower.contains(large); });
}
