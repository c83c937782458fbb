#include "platform/Events.h"

#include <chrono>

namespace tlrx {

namespace {
std::function<void(int64_t)> g_hook;
void (*g_eventLoop)() = nullptr;
int64_t g_count = 0;

// The event loop runs at most this often: a run may yield far more often
// (once per passed-over segment), and each pass over the events costs far
// more than the work between two yields.
constexpr std::chrono::milliseconds kEventsEvery{5};
std::chrono::steady_clock::time_point g_eventsDone{};  // the end of the last pass over the events
}  // namespace

void DoEvents() {
    ++g_count;
    if (g_hook) {
        g_hook(g_count);
        return;
    }
    if (!g_eventLoop) return;
    if (std::chrono::steady_clock::now() - g_eventsDone < kEventsEvery) return;
    g_eventLoop();
    g_eventsDone = std::chrono::steady_clock::now();
}

void SetDoEventsHook(std::function<void(int64_t)> hook) { g_hook = std::move(hook); }

void SetEventLoop(void (*processEvents)()) { g_eventLoop = processEvents; }

int64_t DoEventsCount() { return g_count; }

void ResetDoEventsCount() { g_count = 0; }

}  // namespace tlrx
