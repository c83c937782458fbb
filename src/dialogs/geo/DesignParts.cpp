#include "dialogs/geo/DesignParts.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "dialogs/common/Placement.h"
#include "dialogs/pickers/Pickers.h"
#include "platform/ScreenMetrics.h"

namespace tlrx {

int PixelsOfTwips(int16_t twips) {
    const float perPixel = Design().TwipsPerPixelY;
    return perPixel > 0 ? static_cast<int>(RoundHalfEven(twips / static_cast<double>(perPixel))) : twips;
}

int16_t TwipsOfPixels(int pixels) {
    // The spins end at 600 pixels: within a 16-bit Integer on any screen of
    // up to 54 twips per pixel; beyond that the width is capped.
    const double twips = RoundHalfEven(pixels * static_cast<double>(Design().TwipsPerPixelY));
    return static_cast<int16_t>(std::clamp(twips, 0.0, 32767.0));
}

QSpinBox* NumberSpin(int low, int high, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(low, high);
    spin->setSingleStep(1);
    return spin;
}

ColorBox::ColorBox(QWidget* parent, ColorTargetId target, int32_t DesignState::*color)
    : QWidget(parent), target_(target), color_(color) {
    Picture = new QLabel(this);
    Picture->setFixedSize(48, 22);
    Picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture->setAutoFillBackground(true);
    Picture->installEventFilter(this);
    Spin = new QToolButton(this);
    Spin->setArrowType(Qt::DownArrow);
    connect(Spin, &QToolButton::clicked, this, &ColorBox::PickColor);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Picture);
    row->addWidget(Spin);
    row->addStretch();
}

void ColorBox::Fill(int32_t color) {
    shown_ = color & 0xFFFFFF;
    QPalette palette = Picture->palette();
    palette.setColor(QPalette::Window, QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
    Picture->setPalette(palette);
}

void ColorBox::PickColor() {
    Design().ColorTarget = target_;
    ShowColors256(window());
    Fill(Design().*color_);
}

bool ColorBox::eventFilter(QObject* watched, QEvent* event) {
    // A click on the swatch: pressed and released on it with the left button.
    if (watched == Picture &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) return false;
        if (event->type() == QEvent::MouseButtonRelease && Picture->rect().contains(mouse->position().toPoint()))
            PickColor();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PlaceAtTop(QWidget& dialog, int topTwips) {
    CenterOnScreen(dialog);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int top = screen ? screen->geometry().y() : 0;
    dialog.move(dialog.x(), top + static_cast<int>(topTwips / GetScreenInfo().twipsPerPixelY));
}

}  // namespace tlrx
