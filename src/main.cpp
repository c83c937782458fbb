#include <QApplication>
#include <clocale>

#include "app/Tellurax.h"
#include "platform/qt/FirstPaintProbe.h"
#include "platform/qt/QtPlatform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Qt has set the C library's locale from the environment: numbers in
    // files and texts keep "." whatever it is; the user's separators come
    // from QLocale where a text shows them.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Tellurax"));
    tlrx::QtPlatform platform;
    tlrx::Tellurax window;
    // With TLRX_EXIT_AFTER_FIRST_PAINT set (start-up measurements), the
    // program ends once its window has been painted for the first time.
    tlrx::FirstPaintProbe probe;
    probe.WatchIfAsked(window);
    window.show();
    return QApplication::exec();
}
