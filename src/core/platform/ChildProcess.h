#pragma once

#include <QString>

class QProcess;

// What starting another program needs to know of the host system.
namespace platform {

// The file name of a program: "name.exe" on Windows, the name elsewhere.
QString programFileName(const QString& name);

// Called before the child starts: it ends (SIGTERM) when this process ends, however that
// happens, so a killed caller leaves no child running. Where the system has no such link it
// does nothing.
void endWithThisProcess(QProcess& child);

} // namespace platform
