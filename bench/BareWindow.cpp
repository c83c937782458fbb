// An empty Qt window, the yardstick of the program's start-up: with
// TLRX_EXIT_AFTER_FIRST_PAINT set it writes the monotonic clock's
// nanoseconds once the window has been painted for the first time, and ends.
//
// With --menu-bar it is instead an empty main window as the program's starts:
// maximised, with a menu bar of the program's four menu titles, so that what
// the program adds to Qt's own start-up stands apart from the text of a menu
// bar and the size of the window.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>
#include <cstring>

#include "platform/qt/FirstPaintProbe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tlrx::FirstPaintProbe probe;
    if (argc > 1 && std::strcmp(argv[1], "--menu-bar") == 0) {
        QMainWindow window;
        for (const char* title : {"&File", "&Projection", "Design &Map", "&Help"})
            window.menuBar()->addMenu(QString::fromUtf8(title));
        window.setCentralWidget(new QWidget);
        probe.WatchIfAsked(window);
        window.showMaximized();
        return QApplication::exec();
    }
    QWidget window;
    probe.WatchIfAsked(window);
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
