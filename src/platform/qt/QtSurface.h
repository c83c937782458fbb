#pragma once
// The Surface of the program: a QPainter on a QImage (the window's kept
// picture) or on any other paint device (a printer page). On a QPrinter the
// device capabilities describe the sheet and its paintable area from the
// printer's page layout; elsewhere the device is the whole page.

#include <map>
#include <memory>
#include <optional>

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

protected:
    struct DeferPainting {};
    // A surface that keeps its objects and settings from now on but paints
    // only between BeginPaint and EndPaint; drawing calls outside fail.
    QtSurface(QPaintDevice& device, DeferPainting);

    // Starts painting with the surface's settings, device point (0, 0) at
    // origin (device pixels). False when the device refuses.
    bool BeginPaint(DevPoint origin = {});
    // Ends painting (the device completes its output). False when not painting.
    bool EndPaint();
    bool IsPainting() const;

private:
    struct Object;
    void ApplyPen();
    void ApplyBrush();
    void ApplyFont();
    void ApplyClip();
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
    FillMode fillMode_ = FillMode::Alternate;
    unsigned textAlign_ = AlignLeft;
    Rgb textColor_ = 0;
    BkMode bkMode_ = BkMode::Opaque;
};

}  // namespace tlrx
