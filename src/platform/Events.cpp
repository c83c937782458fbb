#include "platform/Events.h"

#include <QCoreApplication>

namespace tlrx {

namespace {
std::function<void(int64_t)> g_hook;
int64_t g_count = 0;
}  // namespace

void DoEvents() {
    ++g_count;
    if (g_hook) {
        g_hook(g_count);
        return;
    }
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

void SetDoEventsHook(std::function<void(int64_t)> hook) { g_hook = std::move(hook); }

int64_t DoEventsCount() { return g_count; }

void ResetDoEventsCount() { g_count = 0; }

}  // namespace tlrx
