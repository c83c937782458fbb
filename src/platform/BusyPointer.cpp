#include "platform/BusyPointer.h"

namespace tlrx {

namespace {
void (*g_show)(bool) = nullptr;
}

HourglassPointer::HourglassPointer() {
    if (!g_show) return;
    g_show(true);
    shown_ = true;
}

HourglassPointer::~HourglassPointer() {
    if (shown_ && g_show) g_show(false);
}

void SetBusyPointerHandler(void (*show)(bool busy)) { g_show = show; }

}  // namespace tlrx
