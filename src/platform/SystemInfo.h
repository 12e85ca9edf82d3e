#pragma once

#include <QString>

namespace platform {

// The program runs with administrator rights (Administrators group; root elsewhere).
bool runsAsAdministrator();

} // namespace platform
