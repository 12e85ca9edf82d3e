#include "indexer/IndexRun.h"

#include "common/TaskPacer.h"
#include "indexer/DriveListFilter.h"
#include "indexer/NewDatabaseChecks.h"
#include "indexer/TextLines.h"
#include "indexer/TitlePositionScan.h"
#include "platform/FileFacts.h"
#include "store/ByteSize.h"
#include "store/Catalogue.h"
#include "store/DatabaseCommit.h"

#include <QFile>

#include <future>

namespace {

// The run's task as the title-position scan sees it: the scan shows its captions and asks,
// so that the window stays responsive, but a cancel never stops it. A cancelled run keeps
// the files it read, and documents are never committed without lists that match them.
class ScanDespiteCancel : public TaskProgress {
public:
    explicit ScanDespiteCancel(TaskProgress& run) : m_run(run) {}
    void caption(const QString& text) override { m_run.caption(text); }
    void status(const QString& text) override { m_run.status(text); }
    void progress(qint64 done, qint64 total) override { m_run.progress(done, total); }
    bool cancelRequested() override
    {
        m_run.cancelRequested();
        return false;
    }

private:
    TaskProgress& m_run;
};

} // namespace

IndexRun::IndexRun(const DatabasePaths& paths, QString controlFolder, UserInterface& ui,
                   TaskProgress& task)
    : m_paths(paths), m_staged(paths.staged()), m_controlFolder(std::move(controlFolder)), m_ui(ui),
      m_task(task)
{
}

IndexRun::~IndexRun()
{
    // A run that ends without its commit leaves the database as it was, and no parts.
    if (m_holdsStaging) {
        dbcommit::discard(*m_database);
        catalogue::emptyTempFolder(m_paths);
    }
}

QString IndexRun::elapsedText(qint64 seconds)
{
    return QStringLiteral("%1:%2:%3").arg(seconds / 3600).arg(seconds / 60 % 60).arg(seconds % 60);
}

bool IndexRun::confirm(const Request& request, const QStringList& existingNames)
{
    newdb::Request check{request.name, request.folder, request.extensionField, request.updateMode};
    return newdb::confirm(check, existingNames, m_ui);
}

Status IndexRun::start(const Request& request)
{
    const Database database(m_paths, request.name);
    Result<DatabaseLock> lock = DatabaseLock::acquire(database);
    if (!lock)
        return Status::failure(lock.error());
    m_lock = std::move(lock).value();
    // A commit an earlier run could not finish is finished first; what it staged without
    // committing is dropped.
    if (Status recovered = dbcommit::recover(database); !recovered)
        return recovered;
    dbcommit::discard(database);
    m_holdsStaging = true;
    m_request = request;
    m_database = database;
    m_clock.start();
    catalogue::emptyTempFolder(m_paths);
    m_slots = extensions::parseField(request.extensionField);
    const QString choices = m_paths.extensionChoices();
    const Result<QStringList> remembered =
        extensions::rememberPatterns(extensions::rememberedPatterns(choices), m_slots, choices);
    if (!remembered)
        return Status::failure(remembered.error());
    m_task.status(request.updateMode ? QStringLiteral("Datenbank wird aktualisiert.")
                                     : QStringLiteral("Datenbank wird neu erstellt."));
    return {};
}

QChar IndexRun::driveLetter() const
{
    return m_request.folder.isEmpty() ? QChar() : m_request.folder[0].toUpper();
}

QString IndexRun::driveList() const
{
    return drivelist::locate(m_paths.baseFolder(), m_controlFolder, driveLetter());
}

Status IndexRun::readList()
{
    const QString list = driveList();
    if (list.isEmpty()) {
        return Status::failure(QStringLiteral("Die Liste der Dateien von Laufwerk %1: fehlt. "
                                              "Die Datenbank bleibt unverändert.")
                                   .arg(driveLetter()));
    }
    QFile file(platform::nativePath(list));
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(QStringLiteral("Die Datei %1 kann nicht gelesen werden.").arg(list));
    const QStringList patterns = extensions::patternsOf(m_slots);
    const QStringList lines = drivelist::descriptorLines(
        file.readAll(), m_request.folder, patterns, [this] { return !m_task.cancelRequested(); });
    if (Status written = textlines::write(m_staged.descriptor(m_request.name), lines); !written)
        return written;
    m_listedCount = lines.size() - 1;

    m_pathListOnly = m_request.withoutDocuments;
    m_builder = std::make_unique<DocumentBuilder>(m_staged, m_request.name, patterns, m_ui, m_task);
    if (!m_pathListOnly) {
        if (Status built = m_builder->build(); !built)
            return built;
        m_pathListOnly = m_builder->pathListOnly();
    }
    if (m_pathListOnly)
        catalogue::deleteDocumentFiles(m_database->staged());
    return {};
}

Status IndexRun::finish(bool aborted)
{
    // Cancelled before the first file was read: empty documents would replace the database's
    // text, so the database stays as it was.
    if (m_builder && !m_pathListOnly && m_builder->endedEarly() &&
        m_builder->processedCount() == 0) {
        m_finalStatus = kCancelledUnchanged.toString();
        m_task.status(m_finalStatus);
        return {};
    }
    std::future<Status> documentsOnDisk;
    if (m_builder && !m_pathListOnly) {
        if (Status completed = m_builder->completeDocuments(); !completed)
            return completed;
        // Forcing hundreds of megabytes to disk is mostly waiting: the title-position scan
        // reads the documents meanwhile.
        documentsOnDisk =
            std::async(std::launch::async, [this] { return m_builder->forceDocumentsToDisk(); });
    }
    // A cancelled run keeps the files it read so far, so its documents get their lists too:
    // documents are never committed without lists that match them.
    if (!m_pathListOnly && m_builder) {
        m_task.status(QStringLiteral("TitelPositionen werden erstellt"));
        ScanDespiteCancel task(m_task);
        TitlePositionScan scan(m_staged, task);
        const TitlePositionScan::Report report = scan.run(m_request.name, false);
        if (!report.failures.isEmpty()) {
            QStringList texts;
            for (const auto& failure : report.failures)
                texts.append(failure.text);
            return Status::failure(texts.join(u'\n'));
        }
    }
    m_task.caption(QString());
    if (documentsOnDisk.valid()) {
        if (Status forced = awaitAsking(m_task, documentsOnDisk); !forced)
            return forced;
    }
    // The log is staged and committed with the documents it reports on.
    if (Status logged = writeLog(!m_pathListOnly); !logged)
        return logged;
    if (Status committed = dbcommit::commit(*m_database); !committed)
        return committed;
    m_holdsStaging = false;
    if (m_pathListOnly)
        m_finalStatus =
            QStringLiteral("Fertig mit der Indizierung (nur Pfadliste wurde erstellt).");
    else if (aborted || (m_builder && m_builder->endedEarly()))
        m_finalStatus = QStringLiteral("Fertig mit der abgebrochenen Indizierung.");
    else
        m_finalStatus = QStringLiteral("Fertig mit der Indizierung.");
    m_task.status(m_finalStatus);
    m_lock.release();
    return {};
}

Status IndexRun::writeLog(bool indexed)
{
    const QLocale locale = numberLocale();
    const qint64 listed = m_listedCount;
    const qint64 processed = m_builder ? m_builder->processedCount() : 0;
    m_logLines = {QStringLiteral(" "),
                  QStringLiteral("Dateien insgesamt: ") + locale.toString(listed)};
    if (indexed) {
        m_logLines.append(QStringLiteral("Konnten nicht indiziert werden: ") +
                          locale.toString(listed - processed));
        m_logLines.append(locale.toString(processed) +
                          QStringLiteral(" Doviruzu-Dateien wurden indiziert.   Zeit: ") +
                          elapsedText(m_clock.elapsed() / 1000) +
                          QStringLiteral("  Gesamtgröße der Datei(en) : ") +
                          ConvertBytes(m_builder ? m_builder->totalSize() : 0));
    }
    return textlines::write(m_staged.log(m_request.name), m_logLines);
}
