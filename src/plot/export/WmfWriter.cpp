#include "plot/export/WmfWriter.h"

#include <string>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "platform/ReplacingFile.h"
#include "plot/PlotState.h"
#include "plot/export/ExportRouting.h"

namespace tlrx {

namespace {

constexpr uint16_t kUnitsPerInch = 6000;

bool IsFilledSymbol(int16_t mode) {
    return mode == SymDot || mode == SymSquareFilled || mode == SymDiamondFilled || mode == SymTriangleFilled ||
           mode == SymCircleFilled;
}

// What a symbol took out of the metafile and must put back.
struct Kept {
    GdiObject pen = 0;
    GdiObject brush = 0;
    FillMode fillMode{};
};

// Puts back the symbol's pen, fill mode and brush and deletes what it created.
void ReleaseSymbol(Surface& dc, PlotState& p, const Kept& kept, bool filled) {
    if (kept.pen != 0) dc.SelectObject(kept.pen);
    if (p.MetafilePen != 0) {
        if (!dc.DeleteObject(p.MetafilePen)) ShowApiError("DeleteObject(3) error in WmfWrite");
        p.MetafilePen = 0;
    }
    if (kept.fillMode != FillMode{} && dc.SetPolyFillMode(kept.fillMode) == FillMode{})
        ShowApiError("SetPolyFillMode(2) error in WmfWrite");
    if (kept.brush != 0) dc.SelectObject(kept.brush);
    if (filled && p.MetafileBrush != 0) {
        if (!dc.DeleteObject(p.MetafileBrush)) ShowApiError("DeleteObject(4) error in WmfWrite");
        p.MetafileBrush = 0;
    }
}

// Adds (x, y) to the line being collected; the 1999th point ends the line
// and begins the next one.
void CollectVertex(PlotState& p, const DesignState& d, int16_t x, int16_t y) {
    for (bool again = true; again;) {
        if (p.NewPolyline) {
            p.NewPolyline = false;
            p.PolyPointCount = 0;
        }
        ++p.PolyPointCount;
        p.WmfPoints.resize(static_cast<size_t>(p.PolyPointCount) + 1);
        p.WmfPoints[static_cast<size_t>(p.PolyPointCount)] = DevPoint{x, y};
        p.WmfPolyColor = p.CurColor;
        // The pen width in pixels, in twips, then in file units.
        p.WmfPolyWidth = d.LineWidthScaling
                             ? ToInt32(CheckedDiv(p.PenWidth * static_cast<double>(d.TwipsPerPixelY) * p.OutExtentX,
                                                  p.DrawWidthTwips))
                             : p.PenWidth;
        again = p.PolyPointCount == p.MaxPolyPoints && p.PolyPointCount > 1;
        if (again) {
            PrintLineBrkDisk();
            p.NewPolyline = true;
        }
    }
}

// Draws the symbol of PlotMode about (x, y); kept receives what the
// metafile had selected.
void DrawSymbol(Surface& dc, PlotState& p, int16_t x, int16_t y, Kept& kept) {
    const int32_t r = p.SymbolRadiusOut;
    const int16_t xm = ToInt16(static_cast<double>(x) - r);
    const int16_t xp = ToInt16(static_cast<double>(x) + r);
    const int16_t ym = ToInt16(static_cast<double>(y) - r);
    const int16_t yp = ToInt16(static_cast<double>(y) + r);
    // The triangle's base 0.577 radius below the point, its apex 1.155 above.
    const int32_t ya = ToInt32(y - 0.577 * r);
    const int32_t yb = ToInt32(y + 1.155 * r);
    const auto color = static_cast<Rgb>(p.CurColor);
    const bool filled = IsFilledSymbol(p.PlotMode);

    if (p.MetafilePen != 0 && !dc.DeleteObject(p.MetafilePen)) ShowApiError("DeleteObject(1) error in WmfWrite");
    p.MetafilePen = dc.CreatePen(PenStyle::Solid, p.SymbolBorderOut, color);
    if (p.MetafilePen != 0) kept.pen = dc.SelectObject(p.MetafilePen);
    else ShowApiError("CreatePen(1) error in WmfWrite");

    if (filled) {
        if (p.MetafileBrush != 0 && !dc.DeleteObject(p.MetafileBrush))
            ShowApiError("DeleteObject(2) error in WmfWrite");
        p.MetafileBrush = dc.CreateSolidBrush(color);
        if (p.MetafileBrush != 0) kept.brush = dc.SelectObject(p.MetafileBrush);
        else ShowApiError("CreateSolidBrush(1) error in WmfWrite");
    } else {
        kept.brush = dc.SelectObject(dc.GetStockObject(StockObject::NullBrush));  // hollow shapes
    }

    kept.fillMode = dc.SetPolyFillMode(FillMode::Alternate);
    if (kept.fillMode == FillMode{}) ShowApiError("SetPolyFillMode(1) error in WmfWrite");

    // Polylines and polygons pass through WmfPoints, elements 1 to n.
    const auto throughPoints = [&](std::initializer_list<DevPoint> points, bool polygon, const char* message) {
        p.WmfPoints.assign(1, DevPoint{});
        p.WmfPoints.insert(p.WmfPoints.end(), points);
        const auto n = static_cast<int32_t>(points.size());
        const bool ok = polygon ? dc.Polygon(p.WmfPoints.data() + 1, n) : dc.Polyline(p.WmfPoints.data() + 1, n);
        if (!ok) ShowApiError(message);
        p.WmfPoints.assign(2, DevPoint{});
    };
    switch (p.PlotMode) {
    case SymPlus:
        throughPoints({{xm, y}, {xp, y}, {x, y}, {x, ym}, {x, yp}}, false, "Polyline(1) error in WmfWrite");
        break;
    case SymCross:
        throughPoints({{xm, ym}, {xp, yp}, {x, y}, {xp, ym}, {xm, yp}}, false, "Polyline(2) error in WmfWrite");
        break;
    case SymDot:
    case SymSquare:
    case SymSquareFilled:
        if (!dc.Rectangle(xm, ym, xp, yp)) ShowApiError("Rectangle(1) error in WmfWrite");
        break;
    case SymDiamond:
    case SymDiamondFilled:
        throughPoints({{xm, y}, {x, yp}, {xp, y}, {x, ym}}, true, "Polygon(2) error in WmfWrite");
        break;
    case SymTriangle:
    case SymTriangleFilled: throughPoints({{xm, ya}, {xp, ya}, {x, yb}}, true, "Polygon(3) error in WmfWrite"); break;
    default:  // SymCircle, SymCircleFilled
        if (!dc.Ellipse(xm, ym, xp, yp)) ShowApiError("Ellipse(1) error in WmfWrite");
        break;
    }
}

// Writes the header and the metafile into path, replacing the file only once
// both are complete: a failure leaves an earlier file as it was.
void WriteWmfFile(const std::string& path, const std::array<uint8_t, 22>& header, const MetafileBits& bits) {
    ReplacingFile file;
    if (!file.Open(path)) Raise("Cannot create " + path + " (" + file.Error() + ")");
    if (!file.Write({reinterpret_cast<const char*>(header.data()), header.size()}))
        return ShowApiError("lwrite error in SaveMetafileToDisk");
    if (!file.Write({reinterpret_cast<const char*>(bits.data()), bits.size()}) || !file.Commit())
        ShowApiError("hwrite error in SaveMetafileToDisk");
}

}  // namespace

void WmfWrite() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    const bool symbol = p.PlotMode >= SymDot && p.PlotMode <= SymCircleFilled;
    Kept kept;
    try {
        const int16_t x = ToInt16((d.ProjOutX - d.MapXMin) * p.OutScale + p.OutOffsetX);
        const int16_t y = ToInt16((d.ProjOutY - d.MapYMin) * p.OutScale + p.OutOffsetY);
        if (p.PlotMode == SymLine) {
            CollectVertex(p, d, x, y);
        } else if (symbol) {
            if (p.MetafileDC == nullptr) Raise(kInvalidCall);
            DrawSymbol(*p.MetafileDC, p, x, y, kept);
            ReleaseSymbol(*p.MetafileDC, p, kept, IsFilledSymbol(p.PlotMode));
        }
    } catch (const RuntimeError& e) {
        ShowProcError("WmfWrite", e.what());
        if (symbol && p.MetafileDC != nullptr) ReleaseSymbol(*p.MetafileDC, p, kept, IsFilledSymbol(p.PlotMode));
    }
}

void SaveMetafileToDisk() {
    PlotState& p = Plot();
    // The recording is released whatever happens: nothing saves it later.
    const std::shared_ptr<const MetafileBits> bits = std::move(p.MetafileHandle);
    p.MetafileHandle = nullptr;
    try {
        if (!bits) Raise("No metafile has been recorded for " + p.WmfFileName);
        const auto header =
            PlaceableHeader(ToInt16(-static_cast<double>(p.OutMarginX)), ToInt16(-static_cast<double>(p.OutMarginY)),
                            ToInt16(static_cast<double>(p.OutExtentX) + p.OutMarginX),
                            ToInt16(static_cast<double>(p.OutExtentY) + p.OutMarginY), kUnitsPerInch);
        WriteWmfFile(p.WmfFileName, header, *bits);
    } catch (const RuntimeError& e) {
        ShowProcError("SaveMetafileToDisk", e.what());
    }
}

}  // namespace tlrx
