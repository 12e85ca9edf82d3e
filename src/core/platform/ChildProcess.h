#pragma once

#include <QString>

class QProcess;

// What starting another program needs to know of the host system.
namespace platform {

// The file name of a program: "name.exe" on Windows, the name elsewhere.
QString programFileName(const QString& name);

// Whether the system asks the user to confirm the rights of a program started to read
// every folder of a drive (Windows' user account control does; elsewhere it runs as is).
bool startAsksForRights();

// Called before the child starts: it ends (SIGTERM) when this process ends, however that
// happens, so a killed caller leaves no child running. Where the system has no such link it
// does nothing.
void endWithThisProcess(QProcess& child);

} // namespace platform
