#pragma once
// Start-up measurement: installed on a window when TLRX_EXIT_AFTER_FIRST_PAINT
// is set, it writes the monotonic clock's nanoseconds to standard output
// once the window has been painted for the first time, and ends the process
// there without touching any file. Header only, so that the bench's empty Qt
// window measures itself with the same code and nothing else of the program.

#include <unistd.h>

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace tlrx {

class FirstPaintProbe : public QObject {
public:
    // Installs the probe on window when the environment asks for it.
    void WatchIfAsked(QObject& window) {
        if (std::getenv("TLRX_EXIT_AFTER_FIRST_PAINT")) window.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // The paint is finished once the event loop turns again.
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

}  // namespace tlrx
