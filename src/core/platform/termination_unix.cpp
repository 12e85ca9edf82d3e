#include "platform/TerminationRequest.h"

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

// The signal handler may only write to a descriptor; the event loop reads the other end.
int terminationPair[2] = {-1, -1};

void onTermination(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(terminationPair[1], &byte, 1);
}

} // namespace

int watchTerminationRequests()
{
    if (terminationPair[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, terminationPair) != 0)
        return -1;
    std::signal(SIGTERM, onTermination);
    return terminationPair[0];
}

void takeTerminationRequest(int descriptor)
{
    char byte = 0;
    [[maybe_unused]] const ssize_t got = ::read(descriptor, &byte, 1);
}

void stopWatchingTerminationRequests()
{
    std::signal(SIGTERM, SIG_DFL);
}

} // namespace platform
