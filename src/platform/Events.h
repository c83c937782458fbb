#pragma once
// Yielding to the event loop during long runs, so that Stop and Esc are seen.

#include <cstdint>
#include <functional>

namespace tlrx {

// Processes pending events (the event loop installed by SetEventLoop; none:
// nothing), or runs the test hook when one is installed. Counts every call. The hook runs at every call; the
// event loop at most once every 5 ms, the calls in between returning at once,
// so that a run may yield as often as it likes.
void DoEvents();

// Installs a hook that replaces the event loop (an empty function restores
// it). The hook receives the 1-based number of the yield.
void SetDoEventsHook(std::function<void(int64_t yieldNumber)> hook);

// Installs the function that processes the pending events of the program's
// event loop (nullptr: none).
void SetEventLoop(void (*processEvents)());

// Number of DoEvents calls since the last reset.
int64_t DoEventsCount();
void ResetDoEventsCount();

}  // namespace tlrx
