#include <QApplication>

#include "app/Tellurax.h"
#include "platform/MessageBox.h"
#include "platform/ScreenMetrics.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tlrx::QtMessageBox boxes;
    tlrx::SetMessageBoxService(&boxes);
    tlrx::SetScreenInfo(tlrx::QtScreenInfo());

    tlrx::Tellurax window;
    window.show();
    const int rc = QApplication::exec();
    tlrx::SetMessageBoxService(nullptr);
    return rc;
}
