#include <QApplication>

#include "app/Tellurax.h"
#include "platform/qt/QtPlatform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tellurax"));
    tlrx::QtPlatform platform;
    tlrx::Tellurax window;
    window.show();
    return QApplication::exec();
}
