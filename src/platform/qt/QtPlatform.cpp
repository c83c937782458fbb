#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QCursor>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

#include "platform/BusyPointer.h"
#include "platform/Events.h"
#include "platform/qt/DesktopHelp.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPrinters.h"

namespace tlrx {

ScreenInfo QtScreenInfo() {
    ScreenInfo info;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return info;
    const QRect whole = screen->geometry();
    const QRect avail = screen->availableGeometry();
    int titleBar = 0;
    int menuBar = 0;
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        titleBar = app->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        QMenuBar probe;
        probe.addMenu(QStringLiteral("File"));
        menuBar = probe.sizeHint().height();
    }
    info.widthPx = whole.width();
    info.heightPx = whole.height();
    info.fullWidthPx = avail.width();
    info.fullHeightPx = avail.height() - titleBar - menuBar;
    const double dpiX = screen->logicalDotsPerInchX();
    const double dpiY = screen->logicalDotsPerInchY();
    if (dpiX > 0) info.twipsPerPixelX = static_cast<float>(1440.0 / dpiX);
    if (dpiY > 0) info.twipsPerPixelY = static_cast<float>(1440.0 / dpiY);
    return info;
}

namespace {

void ProcessEvents() { QCoreApplication::processEvents(); }

void ShowBusyPointer(bool busy) {
    if (busy) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else QGuiApplication::restoreOverrideCursor();
}

}  // namespace

struct QtPlatform::Services {
    QtMessageBox boxes;
    QtFileDialog fileDialog;
    DesktopHelp help;
    QtPrinterService printers;
};

QtPlatform::QtPlatform() : services_(std::make_unique<Services>()) {
    SetMessageBoxService(&services_->boxes);
    SetFileDialogService(&services_->fileDialog);
    SetHelpService(&services_->help);
    SetPrinterService(&services_->printers);
    SetEventLoop(&ProcessEvents);
    SetBusyPointerHandler(&ShowBusyPointer);
    SetScreenInfo(QtScreenInfo());
}

QtPlatform::~QtPlatform() {
    SetBusyPointerHandler(nullptr);
    SetEventLoop(nullptr);
    SetPrinterService(nullptr);
    SetHelpService(nullptr);
    SetFileDialogService(nullptr);
    SetMessageBoxService(nullptr);
}

}  // namespace tlrx
