#include "dialogs/pickers/ColorGrid.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/Palette.h"
#include "platform/ScreenMetrics.h"

namespace tlrx {

namespace {

constexpr int kCellOrigin = 75;
constexpr int kCellStep = 195;
constexpr int kCellTwips = 210;
constexpr int kBorderOrigin = 60;
constexpr int kBorderTwips = 3150;

QColor ColorOf(int32_t value) { return {value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF}; }

bool Between(int v, int low, int high) { return v >= low && v <= high; }

double TwipsPerPixel(float designValue, float screenValue) { return designValue > 0 ? designValue : screenValue; }

}  // namespace

int CellAtPointer(double xTwips, double yTwips) {
    const double last = kCellOrigin + 16 * kCellStep;  // 3195
    if (!(xTwips > kCellOrigin - 1 && xTwips < last && yTwips > kCellOrigin - 1 && yTwips < last)) return -1;
    // Whole-twip positions give 0 to 15; a fraction just below the far edge
    // would round up to a 16th column or row.
    const int column = std::min(static_cast<int>(RoundHalfEven(xTwips - kCellOrigin)) / kCellStep, 15);
    const int row = std::min(static_cast<int>(RoundHalfEven(yTwips - kCellOrigin)) / kCellStep, 15);
    return 16 * row + column;
}

QColor HoverFrameColor(int cell) {
    const bool lightCell = cell == 7 || Between(cell, 26, 29) || Between(cell, 45, 46) || Between(cell, 59, 61) ||
                           Between(cell, 204, 205) || Between(cell, 219, 222) || Between(cell, 234, 237);
    return lightCell ? QColor(128, 128, 128) : QColor(192, 192, 192);
}

QColor MarkerColor(int cell) {
    const bool redCell = cell == 12 || Between(cell, 37, 42) || cell == 214;
    return redCell ? QColor(255, 0, 255) : QColor(255, 0, 0);
}

QPoint FrameTopLeft(int cell) {
    // Remainder and quotient truncate toward zero, as the index may be a
    // damaged one from a design file.
    return {kCellStep * (cell % 16), kCellStep * (cell / 16)};
}

ColorGrid::ColorGrid(QWidget* parent) : QWidget(parent) {
    const DesignState& d = Design();
    twipsX_ = TwipsPerPixel(d.TwipsPerPixelX, GetScreenInfo().twipsPerPixelX);
    twipsY_ = TwipsPerPixel(d.TwipsPerPixelY, GetScreenInfo().twipsPerPixelY);
    setFixedSize(static_cast<int>(kBoxTwips / twipsX_), static_cast<int>(kBoxTwips / twipsY_));
    setMouseTracking(true);
}

QPoint ColorGrid::PixelsOf(int xTwips, int yTwips) const {
    return {static_cast<int>(std::floor(xTwips / twipsX_)), static_cast<int>(std::floor(yTwips / twipsY_))};
}

QRect ColorGrid::TwipsRect(int left, int top, int width, int height) const {
    const QPoint a = PixelsOf(left, top);
    const QPoint b = PixelsOf(left + width, top + height);
    return {a, QSize(b.x() - a.x(), b.y() - a.y())};
}

void ColorGrid::ShowPreviousColor(int cell) {
    markerCell_ = cell;
    markerVisible_ = true;
    update();
}

void ColorGrid::HideHover() {
    if (!hoverVisible_) return;
    hoverVisible_ = false;
    update();
}

int ColorGrid::CellAt(const QMouseEvent& event) const {
    return CellAtPointer(event.position().x() * twipsX_, event.position().y() * twipsY_);
}

void ColorGrid::mouseMoveEvent(QMouseEvent* event) {
    const int cell = CellAt(*event);
    if (cell < 0) {
        HideHover();
        setToolTip(QString());
        return;
    }
    pointerCell_ = static_cast<int16_t>(cell);
    hoverCell_ = cell;
    hoverVisible_ = true;
    setToolTip(QStringLiteral("Color %1").arg(cell));
    update();
}

void ColorGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = true;
}

void ColorGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    // A release in the margin around the cells picks nothing: taking the
    // last cell the pointer crossed would apply a colour the user never
    // pointed at.
    const int cell = CellAt(*event);
    if (cell < 0) return;
    pointerCell_ = static_cast<int16_t>(cell);
    emit CellClicked(cell);
}

void ColorGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(TwipsRect(kBorderOrigin, kBorderOrigin, kBorderTwips, kBorderTwips), QColor(128, 128, 128));
    const auto& colors = PaletteColors();
    for (int i = 0; i < kPaletteSize; ++i) {
        const QRect cell =
            TwipsRect(kCellOrigin + kCellStep * (i % 16), kCellOrigin + kCellStep * (i / 16), kCellTwips, kCellTwips);
        p.fillRect(cell, ColorOf(colors[static_cast<size_t>(i)]));
    }
    auto frame = [&](int cell, const QColor& color) {
        const QPoint at = FrameTopLeft(cell);
        QRect r = TwipsRect(at.x(), at.y(), kFrameTwips, kFrameTwips).adjusted(1, 1, -1, -1);
        p.setPen(QPen(color, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    };
    if (markerOnTop_) {
        if (hoverVisible_) frame(hoverCell_, HoverFrameColor(hoverCell_));
        if (markerVisible_) frame(markerCell_, MarkerColor(markerCell_));
    } else {
        if (markerVisible_) frame(markerCell_, MarkerColor(markerCell_));
        if (hoverVisible_) frame(hoverCell_, HoverFrameColor(hoverCell_));
    }
}

}  // namespace tlrx
