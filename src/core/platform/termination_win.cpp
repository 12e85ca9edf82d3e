#include "platform/TerminationRequest.h"

namespace platform {

// Windows ends a program with a window message instead, which CloseMessage receives.
int watchTerminationRequests()
{
    return -1;
}

void takeTerminationRequest(int) {}

void stopWatchingTerminationRequests() {}

} // namespace platform
