// An empty Qt window, the yardstick of the program's start-up: with
// TLRX_EXIT_AFTER_FIRST_PAINT set it writes the monotonic clock's
// nanoseconds once the window has been painted for the first time, and ends.

#include <QApplication>
#include <QWidget>

#include "platform/qt/FirstPaintProbe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    tlrx::FirstPaintProbe probe;
    probe.WatchIfAsked(window);
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
