#include "platform/Host.h"

#include <stdexcept>

namespace tlrx {

namespace {
Host* g_main = nullptr;
}

Host& MainWindow() {
    if (!g_main) throw std::logic_error("no main window registered");
    return *g_main;
}

void SetMainWindow(Host* host) { g_main = host; }

}  // namespace tlrx
