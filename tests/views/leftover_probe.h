// What a plug-in may leave behind in the process after its stop: threads,
// message-only windows and messages still queued for the calling thread.
#pragma once

#include <windows.h>

#include <vector>

namespace coverhall::test {

// Threads of this process that are still alive, the caller's included.
int threadCountOfProcess();
// Message-only windows (parent HWND_MESSAGE) owned by any thread of this
// process.
std::vector<HWND> messageOnlyWindowsOfThisProcess();
// Whether the calling thread's queue holds a posted message in [first, last],
// for any of its windows or for the thread itself; nothing is removed. Sent
// messages waiting for this thread are delivered on the way, as by any peek.
bool queueHoldsMessageInRange(UINT first, UINT last);

}  // namespace coverhall::test
