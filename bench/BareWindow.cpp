// An empty Qt window, the yardstick of the program's start-up: with
// TLRX_EXIT_AFTER_FIRST_PAINT set it writes the monotonic clock's
// nanoseconds once the window has been painted for the first time, and ends.

#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

class ExitAfterFirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
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

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    ExitAfterFirstPaint exitAfterPaint;
    if (std::getenv("TLRX_EXIT_AFTER_FIRST_PAINT")) window.installEventFilter(&exitAfterPaint);
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
