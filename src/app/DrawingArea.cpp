#include "app/DrawingArea.h"
#include "platform/qt/ImagePixels.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>

namespace tlrx {

namespace {
const QColor kBackground = Qt::white;
}

DrawingArea::DrawingArea(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void DrawingArea::MakePicture() const {
    if (surface_) return;
    picture_ = QImage(blankSize_, QImage::Format_RGB32);
    picture_.fill(kBackground);
    NewSurface();
}

void DrawingArea::NewSurface() const {
    surface_ = std::make_unique<QtSurface>(picture_);
    // Text on the window is drawn without a background box.
    surface_->SetBkMode(BkMode::Transparent);
}

DrawingArea::~DrawingArea() { surface_.reset(); }

const QImage& DrawingArea::Picture() const {
    MakePicture();
    surface_->Flush();
    return picture_;
}

QtSurface& DrawingArea::DC() {
    MakePicture();
    return *surface_;
}

void DrawingArea::ShowDrawing() {
    if (surface_) {
        surface_->DrawPending();
        const QRect drawn = surface_->TakeDrawnRect() & rect();
        if (!drawn.isEmpty()) update(drawn);
    }
    lastShown_ = clock_ ? clock_() : std::chrono::steady_clock::now();
}

void DrawingArea::ShowDrawingAtScreenRate() {
    const auto now = clock_ ? clock_() : std::chrono::steady_clock::now();
    if (now - lastShown_ >= kScreenInterval) ShowDrawing();
}

void DrawingArea::SetClock(Clock clock) { clock_ = std::move(clock); }

void DrawingArea::Cls() {
    if (!surface_) {  // blank already
        update();
        return;
    }
    // Through the surface, which keeps its objects and settings.
    QtSurface& dc = *surface_;
    const GdiObject brush = dc.SelectObject(dc.GetStockObject(StockObject::WhiteBrush));
    const GdiObject pen = dc.SelectObject(dc.GetStockObject(StockObject::NullPen));
    dc.Rectangle(0, 0, picture_.width() + 1, picture_.height() + 1);
    dc.SelectObject(pen);
    dc.SelectObject(brush);
    dc.TakeDrawnRect();  // all of it is repainted
    update();
}

void DrawingArea::PutPixels(int32_t left, int32_t top, const Bitmap& pixels) {
    MakePicture();
    surface_->Flush();  // lines drawn before lie under the pixels
    DrawImagePixels(picture_, left, top, pixels);
    update(QRect(left, top, pixels.width, pixels.height));
}

void DrawingArea::FitPicture() {
    const QSize size(std::max(1, width()), std::max(1, height()));
    if (!surface_) {
        blankSize_ = size;
        update();
        return;
    }
    // The picture grows with the area and never shrinks, so that a window
    // made smaller and larger again still shows all it drew.
    const QSize grown = picture_.size().expandedTo(size);
    if (picture_.size() == grown) return;
    surface_.reset();  // ends painting on the old picture
    QImage fitted(grown, QImage::Format_RGB32);
    fitted.fill(kBackground);
    {
        QPainter painter(&fitted);
        painter.drawImage(0, 0, picture_);
    }
    picture_ = std::move(fitted);
    NewSurface();
    update();
}

void DrawingArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!surface_) {
        painter.fillRect(event->rect(), kBackground);
        return;
    }
    surface_->DrawPending();
    // The area is opaque: the picture covers what it can, the background
    // only what lies beyond it (a run keeps its picture when the area grows).
    const QRect shown = event->rect() & picture_.rect();
    if (!shown.isEmpty()) painter.drawImage(shown.topLeft(), picture_, shown);
    for (const QRect& beyond : QRegion(event->rect()).subtracted(shown)) painter.fillRect(beyond, kBackground);
}

void DrawingArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit Resized();
}

void DrawingArea::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->button(), event->position().toPoint());
    event->accept();
}

void DrawingArea::mouseDoubleClickEvent(QMouseEvent* event) {
    // Its press has been reported already; acting again would toggle twice.
    event->accept();
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMoved(event->position().toPoint());
    event->accept();
}

}  // namespace tlrx
