#include "store/DatabaseCommit.h"

#include "platform/FileFacts.h"
#include "store/DatabaseLock.h"
#include "store/TextWriter.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace dbcommit {

namespace {

constexpr QLatin1StringView kReplace{"+ "};
constexpr QLatin1StringView kDelete{"- "};

// The files a run writes, as program paths. The log is one of them: it reports the run
// that made the documents, so it changes with them.
QStringList databaseFiles(const Database& database)
{
    QStringList files{database.descriptor(), database.log()};
    for (const Family family : kFamilies)
        files.append(database.document(family));
    for (const Family family : kFamilies)
        files.append(database.titlePositions(family));
    return files;
}

QString fileNameOf(const QString& programPath)
{
    return programPath.mid(programPath.lastIndexOf(u'\\') + 1);
}

Status failure(const QString& file, const QString& cause)
{
    return Status::failure(
        QStringLiteral("Die Datei %1 konnte nicht ersetzt werden: %2").arg(file, cause));
}

// Carries out the journal's lines. Only lines naming one of the database's own files are
// acted on: the journal is a file on the disk like any other.
Status apply(const Database& database, const QStringList& lines)
{
    const QStringList files = databaseFiles(database);
    for (const QString& line : lines) {
        const QString fileName = line.mid(kReplace.size());
        const auto target = std::find_if(files.begin(), files.end(), [&](const QString& file) {
            return fileNameOf(file) == fileName;
        });
        if (target == files.end())
            continue;
        if (line.startsWith(kReplace)) {
            const QString staged = *target + DatabasePaths::kStagingSuffix;
            if (platform::exists(staged) &&
                !platform::replaceFile(platform::nativePath(staged), platform::nativePath(*target)))
                return failure(*target, QStringLiteral("Umbenennen fehlgeschlagen"));
        } else if (line.startsWith(kDelete)) {
            platform::removeFileQuietly(*target);
        }
    }
    platform::syncFolder(platform::nativePath(database.paths().databaseFolder()));
    return {};
}

Status finishJournal(const Database& database, const QStringList& lines)
{
    if (Status applied = apply(database, lines); !applied)
        return applied;
    const QString journal = database.commitJournal();
    if (!QFile::remove(platform::nativePath(journal)))
        return failure(journal, QStringLiteral("Löschen fehlgeschlagen"));
    return {};
}

QStringList readJournal(const QString& journal)
{
    QFile file(platform::nativePath(journal));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

} // namespace

Status commit(const Database& database)
{
    QStringList lines;
    for (const QString& file : databaseFiles(database)) {
        const bool staged = platform::exists(file + DatabasePaths::kStagingSuffix);
        lines.append((staged ? kReplace : kDelete) + fileNameOf(file));
    }
    // The staged files are on the disk already (each was written and synced whole), and so
    // are their names after this; once the journal is, the commit is decided.
    platform::syncFolder(platform::nativePath(database.paths().databaseFolder()));
    if (Status written = writeFileSafely(database.commitJournal(),
                                         lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
        !written)
        return written;
    return finishJournal(database, lines);
}

void discard(const Database& database)
{
    // A journal names staged files that the commit still has to put in place: without them
    // the database would stay half old, half new.
    if (platform::exists(database.commitJournal()))
        return;
    QStringList stagedNames;
    for (const QString& file : databaseFiles(database.staged()))
        stagedNames.append(fileNameOf(file));
    const QDir folder(platform::nativePath(database.paths().databaseFolder()));
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden)) {
        // The staged file itself, or the temporary file of a write of it that was cut off.
        const bool ofThisRun =
            std::any_of(stagedNames.begin(), stagedNames.end(), [&](const QString& staged) {
                return entry == staged || entry.startsWith(staged + u'.');
            });
        if (ofThisRun)
            QFile::remove(folder.filePath(entry));
    }
}

Status recover(const Database& database)
{
    const QString journal = database.commitJournal();
    if (!platform::exists(journal))
        return {};
    return finishJournal(database, readJournal(journal));
}

Status recoverUnlessBusy(const Database& database)
{
    if (!platform::exists(database.commitJournal()))
        return {};
    Result<DatabaseLock> lock = DatabaseLock::acquire(database);
    if (!lock)
        return {}; // the run that holds it finishes the commit itself
    return recover(database);
}

void recoverAll(const DatabasePaths& paths)
{
    const QDir folder(platform::nativePath(paths.databaseFolder()));
    for (const QString& journal : folder.entryList({QStringLiteral("*.commit")}, QDir::Files))
        static_cast<void>(
            recoverUnlessBusy(Database(paths, journal.chopped(QStringLiteral(".commit").size()))));
}

} // namespace dbcommit
