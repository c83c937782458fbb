#pragma once
// The program's platform services on Qt: message boxes, the file dialog,
// help, printers, the event loop of long runs, the hourglass pointer and the
// screen's metrics.
// Needs a QApplication, which must outlive it.

#include <memory>

#include "platform/ScreenMetrics.h"

namespace tlrx {

// Reads the primary screen (needs a QGuiApplication).
ScreenInfo QtScreenInfo();

// Installs every Qt service for its lifetime and the screen's metrics; the
// destructor takes the services back (the printers with their QPrinters go
// while the application still exists).
class QtPlatform {
public:
    QtPlatform();
    ~QtPlatform();
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

private:
    struct Services;
    std::unique_ptr<Services> services_;
};

}  // namespace tlrx
