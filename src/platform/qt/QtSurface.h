#pragma once
// The Surface of the program: a QPainter on a QImage (the window's kept
// picture) or on any other paint device (a printer page). On a QPrinter the
// device capabilities describe the sheet and its paintable area from the
// printer's page layout; elsewhere the device is the whole page.
//
// Consecutive LineTo calls with a solid pen are collected and drawn as one
// polyline: when the pen, the position or the kind of drawing call changes,
// when painting ends, and on Flush. A segment that leaves the device or the
// clip rectangle is drawn on its own, so that it is clipped exactly as a
// single line is. The picture is that of single lines apart from pixels at
// the joins (and, rarely, a pixel of a long segment moved by one where its
// rounding is a tie). A surface may let a collected polyline leave out the
// points that lie within a tolerance of the line through its neighbours
// (SetLineTolerance): a printer's page does, the window's picture does not.

#include <QPen>
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Surface.h"

class QFont;
class QPaintDevice;
class QPainter;
class QImage;

namespace tlrx {

class QtSurface : public virtual Surface {
public:
    // Paints on device from now until destruction. The device must outlive
    // the surface.
    explicit QtSurface(QPaintDevice& device);
    ~QtSurface() override;
    QtSurface(const QtSurface&) = delete;
    QtSurface& operator=(const QtSurface&) = delete;

    GdiObject CreatePen(PenStyle style, int32_t width, Rgb color) override;
    GdiObject CreateSolidBrush(Rgb color) override;
    GdiObject CreateFontIndirect(const LogFont& font) override;
    GdiObject GetStockObject(StockObject which) override;
    GdiObject SelectObject(GdiObject object) override;
    bool DeleteObject(GdiObject object) override;
    bool MoveToEx(int32_t x, int32_t y) override;
    bool LineTo(int32_t x, int32_t y) override;
    bool Polyline(const DevPoint* points, int32_t count) override;
    bool Polygon(const DevPoint* points, int32_t count) override;
    bool Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    bool Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    bool SetPixel(int32_t x, int32_t y, Rgb color) override;
    FillMode SetPolyFillMode(FillMode mode) override;
    unsigned SetTextAlign(unsigned align) override;
    Rgb SetTextColor(Rgb color) override;
    BkMode SetBkMode(BkMode mode) override;
    // The picture is drawn in device pixels: MapMode::Text is kept, any
    // other mode and a window origin or extent are refused.
    MapMode SetMapMode(MapMode mode) override;
    bool SetWindowOrgEx(int32_t x, int32_t y) override;
    bool SetWindowExtEx(int32_t cx, int32_t cy) override;
    bool TextOut(int32_t x, int32_t y, std::string_view text) override;
    bool GetTextMetrics(TextMetric& metric) override;
    int32_t GetDeviceCaps(DeviceCap cap) override;
    bool SetClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    bool ClearClip() override;

    // Number of pens, brushes and fonts created and not yet deleted (stock
    // objects excluded): what a routine leaves behind.
    size_t LiveObjects() const { return objects_.size(); }

    // Draws the lines collected so far. Whoever reads or writes the device's
    // pixels other than through the surface calls it first.
    void Flush();
    // Draws the lines collected so far and goes on collecting them: the
    // polyline is drawn whole again when it ends, so the picture comes out
    // the same however often it is shown during a drawing.
    void DrawPending();

    // The part of the device, in device pixels, drawn on since the last call
    // (empty when nothing was); the next call starts afresh. Lines still
    // collected count as drawn.
    QRect TakeDrawnRect();

protected:
    struct DeferPainting {};
    // A surface that keeps its objects and settings from now on but paints
    // only between BeginPaint and EndPaint; drawing calls outside fail.
    QtSurface(QPaintDevice& device, DeferPainting);

    // Starts painting with the surface's settings, device point (0, 0) at
    // origin (device pixels). The painting goes to target when one is given
    // (a recording of the page, for instance), still measured as the
    // device. False when the device refuses.
    bool BeginPaint(DevPoint origin = {}, QPaintDevice* target = nullptr);
    // Ends painting (the device completes its output). False when not painting.
    bool EndPaint();
    bool IsPainting() const;
    // Called after each drawing call that leaves no line being collected (a
    // move, a shape, a pixel, a text): painting may end and begin again
    // there without a change to the picture.
    virtual void AfterDrawing() {}
    // From now on a collected polyline keeps a point only where the line
    // from its last kept point to the next would pass farther than pixels
    // from it (0, the start value: every point is kept). The drawn line
    // then differs from the one through all points by at most pixels.
    void SetLineTolerance(double pixels) { tolerance_ = pixels; }
    // A collected polyline about to be drawn with painter: a surface that
    // draws it later itself (with painter's pen, clip and transform, which
    // stay as they are while PaintState() does) returns true.
    virtual bool KeepPolyline(const QPoint* /*points*/, int /*count*/, const QPainter& /*painter*/) { return false; }
    // Changes whenever painting begins or the painter's pen or the clip changes.
    uint64_t PaintState() const { return paintState_; }

private:
    struct Object;
    // Takes the selected pen's line settings; the painter gets the pen only
    // when something is drawn (UsePen), and only when it differs from the
    // painter's: a pen selected and given up again before anything is drawn
    // with it changes nothing, and neither does an equal pen selected anew.
    // The lines of a map each select their own pen and give it up after
    // them, which on a printer's page would otherwise cost two pen changes
    // and a new piece (SetClipRect's clip and all) per line.
    void ApplyPen();
    void UsePen();
    QPen SelectedPen() const;
    void ApplyBrush();
    void ApplyFont();
    void ApplyClip();
    // Widens the drawn part by the box of x1..x2, y1..y2 plus reach pixels.
    void MarkDrawn(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t reach) {
        const auto [left, right] = std::minmax(x1, x2);
        const auto [top, bottom] = std::minmax(y1, y2);
        if (drawnLeft_ > drawnRight_) {
            drawnLeft_ = drawnTop_ = INT32_MAX;
            drawnRight_ = drawnBottom_ = INT32_MIN;
        }
        drawnLeft_ = std::min(drawnLeft_, left - reach);
        drawnTop_ = std::min(drawnTop_, top - reach);
        drawnRight_ = std::max(drawnRight_, right + reach);
        drawnBottom_ = std::max(drawnBottom_, bottom + reach);
    }
    void MarkDrawn(const DevPoint* points, int32_t count);
    QFont CurrentFont() const;
    const Object* Find(GdiObject id) const;

    QPaintDevice& device_;
    std::unique_ptr<QPainter> painter_;
    std::map<GdiObject, Object> objects_;
    GdiObject nextId_ = 100;  // ids below are stock objects
    GdiObject pen_;
    GdiObject brush_;
    GdiObject font_;  // the start font until another is selected
    DevPoint pos_;
    struct ClipBox {
        int32_t left, top, right, bottom;
    };
    std::optional<ClipBox> clip_;  // kept while not painting, applied when painting starts
    DevPoint origin_;              // device point of the surface's (0, 0) while painting

    // The polyline being collected: its first point, then one per LineTo of
    // some length, the last being pos_; and the points of the LineTo calls
    // of no length. Collected only with a solid pen, and only segments
    // within inside_ (the device and the clip rectangle).
    std::vector<QPoint> pending_;
    std::vector<QPoint> dots_;
    // With a tolerance, pending_'s last point is provisional: it moves on
    // while the points since the point before it stay within the tolerance
    // of the line between the two. Those points fix a wedge of directions
    // from that point (right and left edges; none while they all lie within
    // the tolerance of it) and its farthest distance squared.
    double tolerance_ = 0;
    uint64_t paintState_ = 0;
    bool penPending_ = false;  // the painter has yet to get the selected pen
    bool wedge_ = false;
    double rightX_ = 0, rightY_ = 0, leftX_ = 0, leftY_ = 0;
    int64_t farthest_ = 0;
    // Adds to to the polyline being collected, or moves the provisional
    // last point there when the tolerance allows.
    void AppendToPolyline(const QPoint& to);
    // Narrows the wedge by the directions that pass within the tolerance of
    // the point (vx, vy) from the anchor, d2 its distance squared.
    void NarrowWedge(double vx, double vy, int64_t d2);
    bool collectLines_ = false;
    bool thinPen_ = true;   // one pixel wide
    ClipBox inside_{};      // right and bottom included
    int32_t penReach_ = 1;  // pixels a line of the current pen reaches beyond its points
    // What has been drawn since TakeDrawnRect, surface coordinates; empty while left > right.
    int32_t drawnLeft_ = 1, drawnTop_ = 1, drawnRight_ = 0, drawnBottom_ = 0;
    FillMode fillMode_ = FillMode::Alternate;
    unsigned textAlign_ = AlignLeft;
    Rgb textColor_ = 0;
    BkMode bkMode_ = BkMode::Opaque;
};

}  // namespace tlrx
