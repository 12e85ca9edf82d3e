#include "cli/IndexCommand.h"

#include "cli/CommandHelp.h"
#include "cli/ConsoleReporter.h"
#include "common/TaskPacer.h"
#include "indexer/IndexRun.h"
#include "indexer/ListProgram.h"
#include "indexer/NewDatabaseChecks.h"
#include "platform/FileFacts.h"
#include "store/Catalogue.h"
#include "store/DatabaseName.h"
#include "store/Settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

namespace {

struct IndexArguments {
    IndexRun::Request request;
    bool newList = false;
};

std::optional<IndexArguments> parse(const QStringList& args)
{
    IndexArguments parsed;
    QStringList positional;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--update"))
            parsed.request.updateMode = true;
        else if (arg == QLatin1String("--new-list"))
            parsed.newList = true;
        else if (arg == QLatin1String("--without-documents"))
            parsed.request.withoutDocuments = true;
        else if (arg.startsWith(QLatin1String("--")))
            return std::nullopt;
        else
            positional.append(arg);
    }
    if (positional.size() != 3)
        return std::nullopt;
    parsed.request.name = positional[0];
    parsed.request.folder = platform::programPath(QFileInfo(positional[1]).absoluteFilePath());
    parsed.request.extensionField = positional[2];
    return parsed;
}

// Runs the list program for the run's drive and waits for it, asking the task about every
// 50 ms; Ctrl+C ends it.
Status runListProgram(const DatabasePaths& paths, const QString& controlFolder, QChar drive,
                      TaskProgress& task)
{
    const QString program =
        listprogram::locate(paths, controlFolder, QCoreApplication::applicationDirPath());
    if (program.isEmpty())
        return Status::failure(
            listprogram::notFoundMessage(paths, QCoreApplication::applicationDirPath()));
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    listprogram::start(process, program, paths, controlFolder, drive);
    if (!process.waitForStarted())
        return Status::failure(QStringLiteral("%1 konnte nicht gestartet werden: %2")
                                   .arg(program, process.errorString()));
    while (!process.waitForFinished(int(TaskPacer::kIntervalMs))) {
        if (task.cancelRequested()) {
            listprogram::stop(process);
            return Status::failure(
                QStringLiteral("%1 wurde abgebrochen.").arg(listprogram::fileName()));
        }
    }
    const QString output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    if (!output.isEmpty())
        task.status(output);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return Status::failure(
            QStringLiteral("%1 ist mit einem Fehler beendet worden.").arg(listprogram::fileName()));
    return {};
}

} // namespace

int runIndexCommand(const QString& nativeBase, const QStringList& args, QTextStream& out,
                    QTextStream& err)
{
    std::optional<IndexArguments> parsed = parse(args);
    if (!parsed) {
        err << commandhelp::usageLine(QStringLiteral("index"));
        return 2;
    }
    // Before anything is written: a refused name never reaches the disk.
    if (const QString why = databasename::refusal(parsed->request.name); !why.isEmpty()) {
        err << why << '\n';
        return 2;
    }
    const DatabasePaths paths(DatabasePaths::determineBaseFolder(false, nativeBase, QString()));
    ConsoleReporter console(out, err);
    if (paths.baseFolder().isEmpty()) {
        console.information(QStringLiteral("Der Ordner %1 liegt auf keinem zugeordneten Laufwerk.")
                                .arg(nativeBase));
        return 2;
    }
    catalogue::ensureFolderTree(paths, console);
    const QString controlFolder = settings::SettingsStore().controlFolderFor(paths.baseFolder());

    IndexRun run(paths, controlFolder, console, console);
    const QStringList names = catalogue::databaseNames(paths);
    if (!run.confirm(parsed->request, names))
        return 2;
    parsed->request.name = newdb::catalogueName(parsed->request.name, names);
    const auto fail = [&](const Status& status) {
        console.information(status.error());
        return 1;
    };
    if (Status started = run.start(parsed->request); !started)
        return fail(started);
    if (parsed->newList || run.driveList().isEmpty()) {
        if (Status listed = runListProgram(paths, controlFolder, run.driveLetter(), console);
            !listed)
            return fail(listed);
    }
    if (Status read = run.readList(); !read)
        return fail(read);
    if (Status finished = run.finish(console.cancelRequested()); !finished)
        return fail(finished);
    for (const QString& line : run.logLines())
        out << line << '\n';
    // A cancelled run ends with a status of its own, whatever it kept.
    return console.cancelRequested() ? kCancelledExitStatus : 0;
}
