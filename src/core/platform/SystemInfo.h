#pragma once

#include <QString>

namespace platform {

// The program runs with administrator rights (Administrators group; root elsewhere).
bool runsAsAdministrator();

// A process runs whose executable has this file name (compared without regard to case;
// the name may also be given with a full path).
bool processRunning(const QString& executableName);

} // namespace platform
