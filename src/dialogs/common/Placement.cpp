#include "dialogs/common/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tlrx {

void CenterOnScreen(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect s = screen->geometry();
    window.move(s.x() + (s.width() - window.width()) / 2, s.y() + (s.height() - window.height()) / 2);
}

}  // namespace tlrx
