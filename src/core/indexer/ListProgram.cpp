#include "indexer/ListProgram.h"

#include "platform/ChildProcess.h"
#include "platform/DriveMap.h"
#include "platform/FileFacts.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace listprogram {

QString fileName()
{
    return platform::programFileName(QStringLiteral("DeduridoZidirivovi"));
}

QString locate(const DatabasePaths& paths, const QString& controlFolder,
               const QString& nativeOwnFolder)
{
    QStringList folders;
    if (!controlFolder.isEmpty())
        folders.append(platform::nativePath(DatabasePaths(controlFolder).baseFolder()));
    folders.append(platform::nativePath(paths.baseFolder()));
    folders.append(nativeOwnFolder);
    for (const QString& folder : folders) {
        const QFileInfo program(QDir(folder).filePath(fileName()));
        if (!folder.isEmpty() && program.isFile() && program.isExecutable())
            return program.absoluteFilePath();
    }
    return {};
}

QString workingFolder(const DatabasePaths& paths, const QString& controlFolder)
{
    return platform::nativePath(
        controlFolder.isEmpty() ? paths.baseFolder() : DatabasePaths(controlFolder).baseFolder());
}

QString notFoundMessage(const DatabasePaths& paths, const QString& nativeOwnFolder)
{
    return QStringLiteral("Das Programm %1 wurde weder in %2 noch in %3 gefunden.")
        .arg(fileName(), platform::nativePath(paths.baseFolder()), nativeOwnFolder);
}

void start(QProcess& process, const QString& nativeProgram, const DatabasePaths& paths,
           const QString& controlFolder, QChar drive)
{
    process.setWorkingDirectory(workingFolder(paths, controlFolder));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NIMBRA_DRIVES"), DriveMap::current().toText());
    process.setProcessEnvironment(environment);
    // The list ends with the program that waits for it: a killed caller leaves no list
    // program running (it removes its unfinished list on SIGTERM).
    platform::endWithThisProcess(process);
    process.start(nativeProgram, {QStringLiteral("open"), QString(drive)});
}

void stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (process.waitForFinished(2000))
        return;
    process.kill();
    process.waitForFinished();
}

} // namespace listprogram
