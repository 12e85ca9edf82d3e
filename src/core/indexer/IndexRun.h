#pragma once

#include "common/Result.h"
#include "common/TaskProgress.h"
#include "common/UserInterface.h"
#include "indexer/DocumentBuilder.h"
#include "indexer/ExtensionPatterns.h"
#include "store/Database.h"
#include "store/DatabaseLock.h"
#include "store/DatabasePaths.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// One indexing run, new or update, without its windows: checks, patterns, the drive list,
// the descriptor, the documents, the title positions and the log. The main
// window and the command line drive it stage by stage; the wait for the list program
// lies between start() and readList().
class IndexRun {
public:
    struct Request {
        QString name;
        QString folder; // a program path
        QString extensionField;
        bool updateMode = false;
        bool withoutDocuments = false;
    };

    // The task shows the main window's caption and first status line and tells of a cancel.
    IndexRun(const DatabasePaths& paths, QString controlFolder, UserInterface& ui,
             TaskProgress& task);
    ~IndexRun();

    // The dialog's confirmation: each failed check shows its message.
    bool confirm(const Request& request, const QStringList& existingNames);
    // Takes the database's lock (another run on it refuses this one), empties Temp,
    // remembers the patterns, shows the first status line. The lock is held until finish()
    // or until the run is destroyed.
    Status start(const Request& request);
    QChar driveLetter() const;
    // The drive list the run will read, or empty when there is none yet.
    QString driveList() const;

    // Filters the drive list into the descriptor and builds the documents (or, for a
    // database without documents, removes them). A failure names what went wrong.
    Status readList();
    // Finishes the documents, writes the title-position lists, makes the run's files the
    // database's files in one commit, writes the closing status and the log. Until the
    // commit, the database stays as it was before the run.
    Status finish(bool aborted);

    const QString& finalStatus() const { return m_finalStatus; }
    // The final status of a run cancelled before it read a file; nothing was changed.
    static constexpr QStringView kCancelledUnchanged =
        u"Indizierung abgebrochen, bevor eine Datei gelesen war. Die Datenbank ist unverändert.";
    // Files the builder has read so far, for the progress line.
    qint64 processedCount() const { return m_builder ? m_builder->processedCount() : 0; }
    const QStringList& logLines() const { return m_logLines; }

    // Hours, minutes and seconds without leading zeros: 3725 seconds are "1:2:5".
    static QString elapsedText(qint64 seconds);

private:
    Status writeLog(bool indexed);

    const DatabasePaths& m_paths;
    const DatabasePaths m_staged; // where the run writes until its commit
    QString m_controlFolder;
    UserInterface& m_ui;
    TaskProgress& m_task;
    Request m_request;
    std::optional<Database> m_database; // the request's database, from the start on
    DatabaseLock m_lock;
    bool m_holdsStaging = false; // staged files of this run may exist and are its own
    extensions::Slots m_slots;
    std::unique_ptr<DocumentBuilder> m_builder;
    bool m_pathListOnly = false;
    qint64 m_listedCount = 0;
    QElapsedTimer m_clock;
    QString m_finalStatus;
    QStringList m_logLines;
};
