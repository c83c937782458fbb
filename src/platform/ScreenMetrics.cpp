#include "platform/ScreenMetrics.h"

namespace tlrx {

namespace {
ScreenInfo g_info;
}

const ScreenInfo& GetScreenInfo() { return g_info; }

void SetScreenInfo(const ScreenInfo& info) { g_info = info; }

}  // namespace tlrx
