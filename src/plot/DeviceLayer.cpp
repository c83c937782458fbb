#include "plot/DeviceLayer.h"

#include <array>
#include <cmath>
#include <string>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "platform/Host.h"
#include "plot/PlotState.h"
#include "plot/Scaling.h"

namespace tlrx {

namespace {

bool IsFilledSymbol(int16_t mode) {
    return mode == SymSquareFilled || mode == SymDiamondFilled || mode == SymTriangleFilled || mode == SymCircleFilled;
}

// The symbol's brush and fill mode, selected for one shape and put back after it.
class SymbolBrushScope {
public:
    SymbolBrushScope(Surface& dc, PlotState& p) : dc_(dc), p_(p), filled_(IsFilledSymbol(p.PlotMode)) {
        GdiObject brush = 0;
        if (filled_) {
            p_.SymbolBrush = dc_.CreateSolidBrush(static_cast<Rgb>(p_.CurColor));
            if (p_.SymbolBrush == 0) ShowApiError("CreateSolidBrush(1) error in PrintToScreen");
            brush = p_.SymbolBrush;
        } else {
            brush = dc_.GetStockObject(StockObject::NullBrush);
        }
        if (brush != 0) previousBrush_ = dc_.SelectObject(brush);
        previousMode_ = dc_.SetPolyFillMode(FillMode::Alternate);
        if (previousMode_ == FillMode{}) ShowApiError("SetPolyFillMode(1) error in PrintToScreen");
    }

    ~SymbolBrushScope() {
        if (previousMode_ != FillMode{} && dc_.SetPolyFillMode(previousMode_) == FillMode{})
            ShowApiError("SetPolyFillMode(2) error in PrintToScreen");
        if (previousBrush_ != 0) dc_.SelectObject(previousBrush_);
        if (filled_ && p_.SymbolBrush != 0) {
            if (!dc_.DeleteObject(p_.SymbolBrush)) ShowApiError("DeleteObject(1) error in PrintToScreen");
            p_.SymbolBrush = 0;
        }
    }

    SymbolBrushScope(const SymbolBrushScope&) = delete;
    SymbolBrushScope& operator=(const SymbolBrushScope&) = delete;

private:
    Surface& dc_;
    PlotState& p_;
    bool filled_;
    GdiObject previousBrush_ = 0;
    FillMode previousMode_{};
};

void DrawSymbol(Surface& dc, PlotState& p, int32_t px, int32_t py) {
    SymbolBrushScope scope(dc, p);

    // A printed symbol keeps its size relative to the map.
    const float k = p.Printing ? p.PrnMapWidth * p.PrinterUnits / MainWindow().ScaleWidth() : 1.0f;
    const double hx = CheckedDiv(double(k) * p.SymbolHalfW, p.DevTwipsPerPixelX);
    const double hy = CheckedDiv(double(k) * p.SymbolHalfH, p.DevTwipsPerPixelY);
    const int32_t x1 = ToInt32(px - hx), x2 = ToInt32(px + hx);
    const int32_t y1 = ToInt32(py - hy), y2 = ToInt32(py + hy);
    // An equilateral triangle centred on its centroid: base below, apex above.
    const int32_t yb = ToInt16(py + 0.577 * p.SymbolHalfH * k / p.DevTwipsPerPixelY);
    const int32_t ya = ToInt16(py - 1.155 * p.SymbolHalfH * k / p.DevTwipsPerPixelY);

    switch (p.PlotMode) {
    case SymPlus: {
        const std::array<DevPoint, 6> pts{{{x1, py}, {x2, py}, {px, py}, {px, y1}, {px, y2}, {px, py}}};
        if (!dc.Polyline(pts.data(), 6)) ShowApiError("Polyline(1) error in PrintToScreen");
        break;
    }
    case SymCross: {
        const std::array<DevPoint, 6> pts{{{x1, y2}, {x2, y1}, {px, py}, {x1, y1}, {x2, y2}, {px, py}}};
        if (!dc.Polyline(pts.data(), 6)) ShowApiError("Polyline(2) error in PrintToScreen");
        break;
    }
    case SymSquare:
    case SymSquareFilled:
        if (!dc.Rectangle(x1, y1, x2, y2)) ShowApiError("Rectangle(1) error in PrintToScreen");
        break;
    case SymDiamond:
    case SymDiamondFilled: {
        const std::array<DevPoint, 4> pts{{{x1, py}, {px, y2}, {x2, py}, {px, y1}}};
        if (!dc.Polygon(pts.data(), 4)) ShowApiError("Polygon(2) error in PrintToScreen");
        break;
    }
    case SymTriangle:
    case SymTriangleFilled: {
        const std::array<DevPoint, 3> pts{{{x1, yb}, {px, ya}, {x2, yb}}};
        if (!dc.Polygon(pts.data(), 3)) ShowApiError("Polygon(3) error in PrintToScreen");
        break;
    }
    case SymCircle:
    case SymCircleFilled:
        // One pixel right and down of the square's box.
        if (!dc.Ellipse(x1 + 1, y1 + 1, x2 + 1, y2 + 1)) ShowApiError("Ellipse(1) error in PrintToScreen");
        break;
    default: break;
    }
}

void DrawPenError(const char* call, std::string_view procedure, int site) {
    ShowApiError(std::string(call) + "(" + std::to_string(site) + ") error in " + std::string(procedure));
}

}  // namespace

void ChooseDrawDevice() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    if (p.Printing) {
        p.DrawDC = p.PrinterDC;
        p.DevTwipsPerPixelX = p.PrnTwipsPerPixelX;
        p.DevTwipsPerPixelY = p.PrnTwipsPerPixelY;
    } else {
        p.DrawDC = &MainWindow().DC();
        p.DevTwipsPerPixelX = d.TwipsPerPixelX;
        p.DevTwipsPerPixelY = d.TwipsPerPixelY;
    }
    if (p.DrawDC == nullptr) Raise(kInvalidCall);
}

void CreateDrawPen(PenStyle style, std::string_view procedure, int site) {
    const DesignState& d = Design();
    PlotState& p = Plot();
    int32_t width = p.PenWidth;
    if (p.Printing && d.LineWidthScaling) {
        const auto s = static_cast<float>(CheckedDiv(p.PrnMapWidth * float(p.PrinterUnits), MainWindow().ScaleWidth()));
        width = ToInt32(static_cast<float>(CheckedDiv(float(p.PenWidth) * s * d.TwipsPerPixelY, p.PrnTwipsPerPixelY)));
    }
    if (p.DrawDC == nullptr) Raise(kInvalidCall);
    Surface& dc = *p.DrawDC;
    p.DrawPen = dc.CreatePen(style, width, static_cast<Rgb>(p.CurColor));
    if (p.DrawPen == 0) DrawPenError("CreatePen", procedure, site);
    else p.OldPen = dc.SelectObject(p.DrawPen);
}

void ReleaseDrawPen(std::string_view procedure, int site) {
    PlotState& p = Plot();
    if (p.DrawDC != nullptr) {
        Surface& dc = *p.DrawDC;
        if (p.OldPen != 0) dc.SelectObject(p.OldPen);
        if (p.DrawPen != 0 && !dc.DeleteObject(p.DrawPen)) DrawPenError("DeleteObject", procedure, site);
    }
    p.OldPen = 0;
    p.DrawPen = 0;
}

void PrintToScreen() { PrintToScreen(Design(), Plot()); }

namespace {

// The map's offset on the printed page from the corner of the printable
// area, in printer pixels (floats, as they are added to a point), taken anew
// only when the layout or the printer changes.
struct PrinterOffset {
    float x = 0, y = 0;

    void Follow(const PlotState& p) {
        const Inputs now{p.PrnMapLeft,        p.PrnMinLeft,        p.PrnMapTop,   p.PrnMinTop,
                         p.DevTwipsPerPixelX, p.DevTwipsPerPixelY, p.PrinterUnits};
        if (now == inputs) return;
        inputs = now;
        x = (p.PrnMapLeft - p.PrnMinLeft) * p.PrinterUnits / p.DevTwipsPerPixelX;
        y = (p.PrnMapTop - p.PrnMinTop) * p.PrinterUnits / p.DevTwipsPerPixelY;
    }

private:
    struct Inputs {
        float mapLeft = NAN, minLeft = NAN, mapTop = NAN, minTop = NAN, twipsX = NAN, twipsY = NAN;
        int16_t units = 0;
        bool operator==(const Inputs&) const = default;
    } inputs;
};

}  // namespace

void PrintToScreen(const DesignState& d, PlotState& p) {
    // The reciprocals of the device's twips per pixel and the printed map's
    // offset, kept while they stay.
    static PixelScale toPixelX, toPixelY;
    static PrinterOffset printerOffset;
    try {
        Surface& dc = *p.DrawDC;
        if (toPixelX.TwipsPerPixel() != p.DevTwipsPerPixelX) toPixelX = PixelScale(p.DevTwipsPerPixelX);
        if (toPixelY.TwipsPerPixel() != p.DevTwipsPerPixelY) toPixelY = PixelScale(p.DevTwipsPerPixelY);
        int32_t px = toPixelX((d.ProjOutX - d.MapXMin) * p.DevScaleX + p.DevOffsetX);
        int32_t py = toPixelY(p.DevOffsetY - (d.ProjOutY - d.MapYMin) * p.DevScaleY);
        if (p.Printing) {
            // The printer's origin is the corner of the printable area.
            printerOffset.Follow(p);
            px = ToInt32(px + printerOffset.x);
            py = ToInt32(py + printerOffset.y);
        }
        switch (p.PlotMode) {
        case SymLine:
            if (d.PlotStatus == 1 || p.SegmentState == 3) {
                p.SegmentState = 0;
                dc.MoveToEx(px, py);
                p.LineStartX = px;
                p.LineStartY = py;
                p.LineOnePoint = true;
            } else if (px != p.LineStartX || py != p.LineStartY) {
                p.LineOnePoint = false;
            }
            dc.LineTo(px, py);
            break;
        case SymDot: dc.SetPixel(px, py, static_cast<Rgb>(p.CurColor)); break;
        default: DrawSymbol(dc, p, px, py); break;
        }
    } catch (const RuntimeError& e) {
        ShowProcError("PrintToScreen", e.what());
    }
}

}  // namespace tlrx
