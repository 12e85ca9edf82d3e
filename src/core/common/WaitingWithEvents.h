#pragma once

#include "common/UserInterface.h"

#include <chrono>
#include <future>

// Waits for work running on a worker thread (mostly a wait for the disk) and lets window
// events through meanwhile, so the windows stay responsive.
template <typename T> T awaitLettingEventsThrough(UserInterface& ui, std::future<T>& done)
{
    while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        ui.letEventsThrough();
    return done.get();
}
