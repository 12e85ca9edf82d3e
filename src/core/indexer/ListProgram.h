#pragma once

#include "store/DatabasePaths.h"

#include <QString>

class QProcess;

// The program that lists all files of a drive into Datenbank of its working folder.
namespace listprogram {

// "DeduridoZidirivovi", with ".exe" on Windows.
QString fileName();
// Its native path: in the control folder when that is in use and holds it, else in the
// base folder, else beside the running program; empty when it is nowhere.
QString locate(const DatabasePaths& paths, const QString& controlFolder,
               const QString& nativeOwnFolder);
// It writes below the control folder when that is in use, else below the base folder.
QString workingFolder(const DatabasePaths& paths, const QString& controlFolder);
// The message when locate() found it nowhere: names the folders it was sought in.
QString notFoundMessage(const DatabasePaths& paths, const QString& nativeOwnFolder);
// Starts it for a drive ("open D") in its working folder, handing it this process's drive
// map so that it sees the same drives. Does not wait.
void start(QProcess& process, const QString& nativeProgram, const DatabasePaths& paths,
           const QString& controlFolder, QChar drive);
// Ends it: asks it to stop (it then removes its unfinished list), and kills it when it has
// not ended within two seconds. Returns when it has ended.
void stop(QProcess& process);

} // namespace listprogram
