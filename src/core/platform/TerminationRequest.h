#pragma once

// A request from the system to end the program (SIGTERM), turned into something an event
// loop can wait for: a descriptor that becomes readable. Where the system has no such
// request the descriptor is -1.
namespace platform {

// Installs the handler once; the descriptor to watch, or -1.
int watchTerminationRequests();
// Takes one request off the descriptor after it became readable.
void takeTerminationRequest(int descriptor);
// The system's own handling again: an ending program no longer watches.
void stopWatchingTerminationRequests();

} // namespace platform
