#include "platform/qt/QtSurface.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QPrinter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <variant>

namespace tlrx {

namespace {

enum StockId : GdiObject {
    kWhiteBrush = 1,
    kBlackBrush,
    kNullBrush,
    kWhitePen,
    kBlackPen,
    kNullPen,
    kDefaultFont,  // the font a surface starts with, handed back by SelectObject
};

QColor ToQColor(Rgb c) { return QColor(RgbRed(c), RgbGreen(c), RgbBlue(c)); }

struct PenDesc {
    PenStyle style;
    int32_t width;
    Rgb color;
};
struct BrushDesc {
    bool null;
    Rgb color;
};

PenDesc StockPen(GdiObject id) {
    switch (id) {
    case kWhitePen: return {PenStyle::Solid, 1, MakeRgb(255, 255, 255)};
    case kNullPen: return {PenStyle::Null, 0, 0};
    default: return {PenStyle::Solid, 1, 0};
    }
}

BrushDesc StockBrush(GdiObject id) {
    switch (id) {
    case kBlackBrush: return {false, 0};
    case kNullBrush: return {true, 0};
    default: return {false, MakeRgb(255, 255, 255)};
    }
}

// Longest polyline collected before it is drawn: keeps the memory and the
// delay before a repaint small.
constexpr size_t kMaxPendingPoints = 4096;

bool IsStockPen(GdiObject id) { return id >= kWhitePen && id <= kNullPen; }
bool IsStockBrush(GdiObject id) { return id >= kWhiteBrush && id <= kNullBrush; }

}  // namespace

struct QtSurface::Object {
    std::variant<PenDesc, BrushDesc, LogFont> desc;
};

QtSurface::QtSurface(QPaintDevice& device) : QtSurface(device, DeferPainting{}) { BeginPaint(); }

QtSurface::QtSurface(QPaintDevice& device, DeferPainting)
    : device_(device),
      painter_(std::make_unique<QPainter>()),
      pen_(kBlackPen),
      brush_(kWhiteBrush),
      font_(kDefaultFont) {}

QtSurface::~QtSurface() { EndPaint(); }

bool QtSurface::BeginPaint(DevPoint origin, QPaintDevice* target) {
    if (painter_->isActive() || !painter_->begin(target ? target : &device_)) return false;
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->translate(origin.x, origin.y);
    origin_ = origin;
    ++paintState_;
    ApplyPen();
    UsePen();  // a painter starts with the selected pen
    ApplyBrush();
    ApplyFont();
    ApplyClip();
    return true;
}

bool QtSurface::EndPaint() {
    if (!painter_->isActive()) return false;
    Flush();
    return painter_->end();
}

void QtSurface::Flush() {
    if (pending_.size() >= 2 || !dots_.empty()) UsePen();
    if (pending_.size() >= 2) {
        // Taken out first: keeping the line may end and begin painting.
        std::vector<QPoint> line;
        line.swap(pending_);
        if (!KeepPolyline(line.data(), static_cast<int>(line.size()), *painter_))
            painter_->drawPolyline(line.data(), static_cast<int>(line.size()));
        line.clear();
        if (pending_.empty()) pending_.swap(line);
    }
    if (!dots_.empty()) painter_->drawPoints(dots_.data(), static_cast<int>(dots_.size()));
    pending_.clear();
    dots_.clear();
}

void QtSurface::DrawPending() {
    // With a tolerance the last point is provisional: the line is drawn as it stands.
    if (!painter_->isActive() || tolerance_ > 0) return Flush();
    if (pending_.size() >= 2 || !dots_.empty()) UsePen();
    if (pending_.size() >= 2) {
        // A wide line's round cap would reach where the whole line has its
        // join: the part is drawn with flat ends, within what the whole draws.
        const QPen pen = painter_->pen();
        if (!thinPen_) {
            QPen flat = pen;
            flat.setCapStyle(Qt::FlatCap);
            painter_->setPen(flat);
        }
        painter_->drawPolyline(pending_.data(), static_cast<int>(pending_.size()));
        if (!thinPen_) painter_->setPen(pen);
    }
    if (!dots_.empty()) painter_->drawPoints(dots_.data(), static_cast<int>(dots_.size()));
}

QRect QtSurface::TakeDrawnRect() {
    QRect drawn;
    if (drawnLeft_ <= drawnRight_)
        drawn =
            QRect(QPoint(drawnLeft_, drawnTop_), QPoint(drawnRight_, drawnBottom_)).translated(origin_.x, origin_.y);
    drawnLeft_ = drawnTop_ = 1;
    drawnRight_ = drawnBottom_ = 0;
    return drawn;
}

void QtSurface::MarkDrawn(const DevPoint* points, int32_t count) {
    for (int32_t i = 0; i < count; ++i) MarkDrawn(points[i].x, points[i].y, points[i].x, points[i].y, penReach_);
}

bool QtSurface::IsPainting() const { return painter_->isActive(); }

const QtSurface::Object* QtSurface::Find(GdiObject id) const {
    auto it = objects_.find(id);
    return it == objects_.end() ? nullptr : &it->second;
}

GdiObject QtSurface::CreatePen(PenStyle style, int32_t width, Rgb color) {
    if (width < 0) return 0;
    objects_[nextId_] = Object{PenDesc{style, width, color}};
    return nextId_++;
}

GdiObject QtSurface::CreateSolidBrush(Rgb color) {
    objects_[nextId_] = Object{BrushDesc{false, color}};
    return nextId_++;
}

GdiObject QtSurface::CreateFontIndirect(const LogFont& font) {
    objects_[nextId_] = Object{font};
    return nextId_++;
}

GdiObject QtSurface::GetStockObject(StockObject which) {
    switch (which) {
    case StockObject::WhiteBrush: return kWhiteBrush;
    case StockObject::BlackBrush: return kBlackBrush;
    case StockObject::NullBrush: return kNullBrush;
    case StockObject::WhitePen: return kWhitePen;
    case StockObject::BlackPen: return kBlackPen;
    case StockObject::NullPen: return kNullPen;
    }
    return 0;
}

GdiObject QtSurface::SelectObject(GdiObject object) {
    GdiObject previous = 0;
    if (IsStockPen(object) || (Find(object) && std::holds_alternative<PenDesc>(Find(object)->desc))) {
        // What was collected is drawn with the pen it was collected for.
        if (painter_->isActive()) Flush();
        previous = pen_;
        pen_ = object;
        ApplyPen();
    } else if (IsStockBrush(object) || (Find(object) && std::holds_alternative<BrushDesc>(Find(object)->desc))) {
        previous = brush_;
        brush_ = object;
        ApplyBrush();
    } else if (object == kDefaultFont || (Find(object) && std::holds_alternative<LogFont>(Find(object)->desc))) {
        previous = font_;
        font_ = object;
        ApplyFont();
    }
    return previous;
}

bool QtSurface::DeleteObject(GdiObject object) {
    if (object == pen_ || object == brush_ || object == font_) return false;
    return objects_.erase(object) == 1;
}

void QtSurface::ApplyPen() {
    if (!painter_->isActive()) return;
    const Object* o = Find(pen_);
    const PenDesc desc = o ? std::get<PenDesc>(o->desc) : StockPen(pen_);
    // A dash pattern starts anew with each single line and would run on
    // along a polyline: only solid lines are collected.
    collectLines_ = desc.style == PenStyle::Solid;
    thinPen_ = desc.width <= 1;
    penReach_ = std::max(1, desc.width / 2 + 1);
    penPending_ = true;
}

void QtSurface::UsePen() {
    if (!penPending_) return;
    penPending_ = false;
    const QPen pen = SelectedPen();
    if (painter_->pen() == pen) return;
    ++paintState_;
    painter_->setPen(pen);
}

QPen QtSurface::SelectedPen() const {
    const Object* o = Find(pen_);
    const PenDesc desc = o ? std::get<PenDesc>(o->desc) : StockPen(pen_);
    if (desc.style == PenStyle::Null) return QPen(Qt::NoPen);
    QPen pen(ToQColor(desc.color));
    if (desc.width <= 1) {
        // A one-pixel line that leaves out its last pixel, as device contexts draw it.
        pen.setWidth(0);
        pen.setCapStyle(Qt::FlatCap);
    } else {
        pen.setWidth(desc.width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    if (desc.style == PenStyle::Dash) pen.setStyle(Qt::DashLine);
    if (desc.style == PenStyle::Dot) pen.setStyle(Qt::DotLine);
    return pen;
}

void QtSurface::ApplyBrush() {
    if (!painter_->isActive()) return;
    const Object* o = Find(brush_);
    const BrushDesc desc = o ? std::get<BrushDesc>(o->desc) : StockBrush(brush_);
    painter_->setBrush(desc.null ? QBrush(Qt::NoBrush) : QBrush(ToQColor(desc.color)));
}

QFont QtSurface::CurrentFont() const {
    const Object* o = Find(font_);
    if (!o) return QFont();
    const LogFont& lf = std::get<LogFont>(o->desc);
    // The face name ends at its NUL, as the font mapper reads it.
    QFont f(QString::fromStdString(lf.faceName.substr(0, lf.faceName.find('\0'))));
    if (lf.height != 0) f.setPixelSize(std::abs(lf.height));  // 0: the font mapper's default size
    f.setBold(lf.weight >= 600);
    f.setItalic(lf.italic);
    f.setUnderline(lf.underline);
    f.setStrikeOut(lf.strikeOut);
    return f;
}

void QtSurface::ApplyFont() {
    if (painter_->isActive()) painter_->setFont(CurrentFont());
}

void QtSurface::ApplyClip() {
    if (!painter_->isActive()) return;
    Flush();
    ++paintState_;
    // The device in the surface's coordinates.
    QRect inside(-origin_.x, -origin_.y, device_.width(), device_.height());
    if (clip_) {
        const QRect box(clip_->left, clip_->top, clip_->right - clip_->left, clip_->bottom - clip_->top);
        painter_->setClipRect(box);
        inside &= box;
    } else {
        painter_->setClipping(false);
    }
    inside_ = {inside.left(), inside.top(), inside.right(), inside.bottom()};
}

void QtSurface::NarrowWedge(double vx, double vy, int64_t d2) {
    const double t2 = tolerance_ * tolerance_;
    if (double(d2) <= t2) return;  // every direction passes near enough
    // The two tangents from the anchor to the circle of the tolerance
    // around the point.
    const double s = tolerance_ / std::sqrt(double(d2));
    const double c = std::sqrt(1 - s * s);
    const double rx = vx * c + vy * s, ry = vy * c - vx * s;
    const double lx = vx * c - vy * s, ly = vy * c + vx * s;
    if (!wedge_) {
        wedge_ = true;
        rightX_ = rx, rightY_ = ry, leftX_ = lx, leftY_ = ly;
        return;
    }
    if (rightX_ * ry - rightY_ * rx > 0) rightX_ = rx, rightY_ = ry;
    if (lx * leftY_ - ly * leftX_ > 0) leftX_ = lx, leftY_ = ly;
}

void QtSurface::AppendToPolyline(const QPoint& to) {
    if (tolerance_ > 0 && pending_.size() >= 2) {
        // The provisional point moves on to to when to lies within the
        // wedge and no nearer the anchor than the points it replaces: the
        // line from the anchor to it then passes all of them within the
        // tolerance.
        const QPoint anchor = pending_[pending_.size() - 2];
        const int64_t vx = to.x() - anchor.x(), vy = to.y() - anchor.y();
        const int64_t d2 = vx * vx + vy * vy;
        const bool within = !wedge_ || (rightX_ * double(vy) - rightY_ * double(vx) >= 0 &&
                                        double(vx) * leftY_ - double(vy) * leftX_ >= 0);
        if (within && d2 >= farthest_) {
            pending_.back() = to;
            farthest_ = d2;
            NarrowWedge(double(vx), double(vy), d2);
            return;
        }
    }
    // to starts a new stretch from the last point, which is kept.
    pending_.push_back(to);
    if (tolerance_ > 0) {
        const QPoint anchor = pending_[pending_.size() - 2];
        const int64_t vx = to.x() - anchor.x(), vy = to.y() - anchor.y();
        wedge_ = false;
        farthest_ = vx * vx + vy * vy;
        NarrowWedge(double(vx), double(vy), farthest_);
    }
}

bool QtSurface::MoveToEx(int32_t x, int32_t y) {
    // A move to where the line already is goes on with the polyline.
    if (x != pos_.x || y != pos_.y) Flush();
    pos_ = {x, y};
    AfterDrawing();
    return true;
}

bool QtSurface::LineTo(int32_t x, int32_t y) {
    if (!painter_->isActive()) return false;
    const QPoint from(pos_.x, pos_.y);
    const QPoint to(x, y);
    pos_ = {x, y};
    const auto inside = [this](const QPoint& p) {
        return p.x() >= inside_.left && p.x() <= inside_.right && p.y() >= inside_.top && p.y() <= inside_.bottom;
    };
    if (collectLines_ && inside(to) && (!pending_.empty() || inside(from))) {
        // A polyline's points after its first are marked as they come.
        if (pending_.empty()) {
            pending_.push_back(from);
            MarkDrawn(from.x(), from.y(), from.x(), from.y(), penReach_);
        }
        if (to != from) {
            MarkDrawn(x, y, x, y, penReach_);
            AppendToPolyline(to);
        } else if (thinPen_ && (dots_.empty() || dots_.back() != to) && (tolerance_ <= 0 || pending_.size() < 2)) {
            // A thin line of no length is its one pixel, which a polyline
            // leaves out at its start and end; a wide one is nothing. (With
            // a tolerance, the polyline through the point is near enough.)
            dots_.push_back(to);
        }
        if (pending_.size() >= kMaxPendingPoints || dots_.size() >= kMaxPendingPoints) Flush();
        return true;
    }
    Flush();
    UsePen();
    MarkDrawn(from.x(), from.y(), x, y, penReach_);
    painter_->drawLine(from, to);
    return true;
}

bool QtSurface::Polyline(const DevPoint* points, int32_t count) {
    if (count < 2 || !points || !painter_->isActive()) return false;
    Flush();
    UsePen();
    MarkDrawn(points, count);
    QPolygon poly(count);
    for (int32_t i = 0; i < count; ++i) poly.setPoint(i, points[i].x, points[i].y);
    painter_->drawPolyline(poly);
    AfterDrawing();
    return true;
}

bool QtSurface::Polygon(const DevPoint* points, int32_t count) {
    if (count < 2 || !points || !painter_->isActive()) return false;
    Flush();
    UsePen();
    MarkDrawn(points, count);
    QPolygon poly(count);
    for (int32_t i = 0; i < count; ++i) poly.setPoint(i, points[i].x, points[i].y);
    painter_->drawPolygon(poly, fillMode_ == FillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
    AfterDrawing();
    return true;
}

bool QtSurface::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (!painter_->isActive()) return false;
    Flush();
    UsePen();
    MarkDrawn(left, top, right, bottom, penReach_);
    painter_->drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
    AfterDrawing();
    return true;
}

bool QtSurface::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (!painter_->isActive()) return false;
    Flush();
    UsePen();
    MarkDrawn(left, top, right, bottom, penReach_);
    painter_->drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
    AfterDrawing();
    return true;
}

bool QtSurface::SetPixel(int32_t x, int32_t y, Rgb color) {
    if (!painter_->isActive()) return false;
    Flush();
    MarkDrawn(x, y, x, y, 0);
    const QPen saved = painter_->pen();
    painter_->setPen(QPen(ToQColor(color), 0));
    painter_->drawPoint(x, y);
    painter_->setPen(saved);
    AfterDrawing();
    return true;
}

FillMode QtSurface::SetPolyFillMode(FillMode mode) { return std::exchange(fillMode_, mode); }

unsigned QtSurface::SetTextAlign(unsigned align) { return std::exchange(textAlign_, align); }

Rgb QtSurface::SetTextColor(Rgb color) { return std::exchange(textColor_, color); }

BkMode QtSurface::SetBkMode(BkMode mode) { return std::exchange(bkMode_, mode); }

MapMode QtSurface::SetMapMode(MapMode mode) { return mode == MapMode::Text ? MapMode::Text : MapMode{}; }

bool QtSurface::SetWindowOrgEx(int32_t, int32_t) { return false; }

bool QtSurface::SetWindowExtEx(int32_t, int32_t) { return false; }

bool QtSurface::TextOut(int32_t x, int32_t y, std::string_view text) {
    if (!painter_->isActive()) return false;
    Flush();
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetrics fm(painter_->font(), &device_);
    double dx = 0;
    if ((textAlign_ & AlignCenter) == AlignCenter) dx = -fm.horizontalAdvance(s) / 2.0;
    else if (textAlign_ & AlignRight) dx = -fm.horizontalAdvance(s);
    double dy = fm.ascent();  // top alignment: the point is the cell's top
    if ((textAlign_ & AlignBaseline) == AlignBaseline) dy = 0;
    else if (textAlign_ & AlignBottom) dy = -fm.descent();

    double angle = 0;
    if (const Object* o = Find(font_)) angle = std::get<LogFont>(o->desc).escapement / 10.0;

    painter_->save();
    painter_->translate(x, y);
    painter_->rotate(-angle);
    if (bkMode_ == BkMode::Opaque) {
        painter_->fillRect(QRectF(dx, dy - fm.ascent(), fm.horizontalAdvance(s), fm.height()), Qt::white);
    }
    painter_->setPen(ToQColor(textColor_));
    painter_->drawText(QPointF(dx, dy), s);
    // The text's box with its ink, turned as it is drawn, and a pixel more
    // for rounding.
    const QRectF box = QRectF(dx, dy - fm.ascent(), fm.horizontalAdvance(s), fm.height())
                           .united(fm.boundingRect(s).toRectF().translated(dx, dy));
    const QRect turned = QTransform().translate(x, y).rotate(-angle).mapRect(box).toAlignedRect();
    MarkDrawn(turned.left(), turned.top(), turned.right(), turned.bottom(), 1);
    painter_->restore();
    AfterDrawing();
    return true;
}

bool QtSurface::GetTextMetrics(TextMetric& m) {
    const QFont font = CurrentFont();
    const QFontMetrics fm(font, &device_);
    m.ascent = fm.ascent();
    m.descent = fm.descent();
    m.height = fm.height();
    m.internalLeading = std::max(0, fm.height() - font.pixelSize());
    m.externalLeading = fm.leading();
    m.aveCharWidth = fm.averageCharWidth();
    m.maxCharWidth = fm.maxWidth();
    return true;
}

int32_t QtSurface::GetDeviceCaps(DeviceCap cap) {
    if (const auto* printer = dynamic_cast<const QPrinter*>(&device_)) {
        // The whole sheet and its paintable part in device pixels; painting
        // starts at the paintable part's corner.
        const QPageLayout layout = printer->pageLayout();
        const QRect paper = layout.fullRectPixels(printer->resolution());
        const QRect paintable = layout.paintRectPixels(printer->resolution());
        switch (cap) {
        case DeviceCap::HorzRes: return paintable.width();
        case DeviceCap::VertRes: return paintable.height();
        case DeviceCap::LogPixelsX: return printer->resolution();
        case DeviceCap::LogPixelsY: return printer->resolution();
        case DeviceCap::PhysicalWidth: return paper.width();
        case DeviceCap::PhysicalHeight: return paper.height();
        case DeviceCap::PhysicalOffsetX: return paintable.x() - paper.x();
        case DeviceCap::PhysicalOffsetY: return paintable.y() - paper.y();
        case DeviceCap::ClipCaps: return 1;
        }
        return 0;
    }
    switch (cap) {
    case DeviceCap::HorzRes:
    case DeviceCap::PhysicalWidth: return device_.width();
    case DeviceCap::VertRes:
    case DeviceCap::PhysicalHeight: return device_.height();
    case DeviceCap::LogPixelsX: return device_.logicalDpiX();
    case DeviceCap::LogPixelsY: return device_.logicalDpiY();
    case DeviceCap::PhysicalOffsetX:
    case DeviceCap::PhysicalOffsetY: return 0;
    case DeviceCap::ClipCaps: return 1;
    }
    return 0;
}

bool QtSurface::SetClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    clip_ = ClipBox{left, top, right, bottom};
    ApplyClip();
    return true;
}

bool QtSurface::ClearClip() {
    clip_.reset();
    ApplyClip();
    return true;
}

}  // namespace tlrx
