#include "platform/ScreenMetrics.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

namespace tlrx {

namespace {
ScreenInfo g_info;
}

const ScreenInfo& GetScreenInfo() { return g_info; }

void SetScreenInfo(const ScreenInfo& info) { g_info = info; }

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

}  // namespace tlrx
