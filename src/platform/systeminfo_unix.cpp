#include "platform/SystemInfo.h"

#include <unistd.h>

namespace platform {

bool runsAsAdministrator()
{
    return ::geteuid() == 0;
}

} // namespace platform
