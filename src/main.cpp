#include <QApplication>

#include "app/Tellurax.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/ScreenMetrics.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tellurax"));
    tlrx::QtMessageBox boxes;
    tlrx::SetMessageBoxService(&boxes);
    tlrx::DesktopHelp help;
    tlrx::SetHelpService(&help);
    tlrx::SetScreenInfo(tlrx::QtScreenInfo());

    int rc = 0;
    {
        tlrx::Tellurax window;
        window.show();
        rc = QApplication::exec();
    }
    tlrx::SetHelpService(nullptr);
    tlrx::SetMessageBoxService(nullptr);
    return rc;
}
