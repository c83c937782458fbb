#include "plot/MapLabels.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/Projection.h"
#include "platform/Host.h"
#include "plot/MapText.h"
#include "plot/PlotState.h"
#include "plot/Scaling.h"

namespace tlrx {

namespace {

// The window's transforms, which ScaleScreen rewrites: kept over a label's
// placement during a print run.
struct Transforms {
    int32_t drawWidthTwips, drawHeightTwips;
    double devOffsetX, devScaleX, devOffsetY, devScaleY;
    int32_t outExtentX, outExtentY;
    int16_t outOffsetX, outOffsetY;
    double outScale;

    static Transforms Of(const PlotState& p) {
        return {p.DrawWidthTwips, p.DrawHeightTwips, p.DevOffsetX, p.DevScaleX,  p.DevOffsetY, p.DevScaleY,
                p.OutExtentX,     p.OutExtentY,      p.OutOffsetX, p.OutOffsetY, p.OutScale};
    }
    void PutBack(PlotState& p) const {
        p.DrawWidthTwips = drawWidthTwips;
        p.DrawHeightTwips = drawHeightTwips;
        p.DevOffsetX = devOffsetX;
        p.DevScaleX = devScaleX;
        p.DevOffsetY = devOffsetY;
        p.DevScaleY = devScaleY;
        p.OutExtentX = outExtentX;
        p.OutExtentY = outExtentY;
        p.OutOffsetX = outOffsetX;
        p.OutOffsetY = outOffsetY;
        p.OutScale = outScale;
    }
};

// Moves label `from` down to slot `to` (to <= from) in the lists the pass fills.
void MoveLabel(PlotState& p, size_t from, size_t to) {
    if (from == to) return;
    Item(p.MapLabelText, to) = std::move(Item(p.MapLabelText, from));
    Item(p.MapLabelLat, to) = Item(p.MapLabelLat, from);
    Item(p.MapLabelLon, to) = Item(p.MapLabelLon, from);
    Item(p.MapLabelFile, to) = Item(p.MapLabelFile, from);
    Item(p.MapLabelFontName, to) = std::move(Item(p.MapLabelFontName, from));
    Item(p.MapLabelFontSize, to) = Item(p.MapLabelFontSize, from);
    Item(p.MapLabelColor, to) = Item(p.MapLabelColor, from);
    Item(p.MapLabelBold, to) = Item(p.MapLabelBold, from);
    Item(p.MapLabelItalic, to) = Item(p.MapLabelItalic, from);
    Item(p.MapLabelUnderline, to) = Item(p.MapLabelUnderline, from);
    Item(p.MapLabelStrikethru, to) = Item(p.MapLabelStrikethru, from);
}

// Keeps labels 1..count in all sixteen lists.
void KeepLabels(PlotState& p, size_t count) {
    const size_t n = count + 1;
    p.MapLabelText.resize(n);
    p.MapLabelLat.resize(n);
    p.MapLabelLon.resize(n);
    p.MapLabelFile.resize(n);
    p.MapLabelFontName.resize(n);
    p.MapLabelFontSize.resize(n);
    p.MapLabelColor.resize(n);
    p.MapLabelBold.resize(n);
    p.MapLabelItalic.resize(n);
    p.MapLabelUnderline.resize(n);
    p.MapLabelStrikethru.resize(n);
    p.MapLabelX.resize(n);
    p.MapLabelY.resize(n);
    p.MapLabelAscent.resize(n);
    p.MapLabelDescent.resize(n);
    p.MapLabelCharWidth.resize(n);
}

// Projects the point of label k into ProjOutX, ProjOutY; false, with the
// outputs as they were, when it cannot be projected.
bool ProjectLabelPoint(DesignState& d, DesignProjector& projector, const PlotState& p, size_t k) {
    const double keptX = d.ProjOutX;
    const double keptY = d.ProjOutY;
    d.ProjInLat = Item(p.MapLabelLat, k);
    d.ProjInLon = Item(p.MapLabelLon, k);
    d.AzQueryMode = 0;  // a projection of its own, not the answer to a range query
    // Outputs that the projection leaves unwritten are no result.
    d.ProjOutX = d.ProjOutY = std::numeric_limits<double>::quiet_NaN();
    projector.Project();
    if (!d.CalcError && std::isfinite(d.ProjOutX) && std::isfinite(d.ProjOutY)) return true;
    d.ProjOutX = keptX;
    d.ProjOutY = keptY;
    return false;
}

// Where a label's box starts, in twips of the window: the symbol radius
// right of the projected point (two pixels more beside squares), its top
// level with the point; and the window's drawing area.
struct WindowPlace {
    int32_t x = 0;
    int32_t y = 0;
    int64_t areaWidth = 0;
    int64_t areaHeight = 0;
};

WindowPlace PlaceInWindow(const DesignState& d, PlotState& p, int32_t radius, int16_t symbol) {
    const auto place = [&] {
        WindowPlace at;
        at.x = ToInt32((d.ProjOutX - d.MapXMin) * p.DevScaleX + p.DevOffsetX + radius);
        if (symbol == SymSquare || symbol == SymSquareFilled) at.x = ToInt32(at.x + 2.0 * d.TwipsPerPixelX);
        at.y = ToInt32(p.DevOffsetY - (d.ProjOutY - d.MapYMin) * p.DevScaleY);
        at.areaWidth = p.DrawWidthTwips;
        at.areaHeight = p.DrawHeightTwips;
        return at;
    };
    if (!p.Printing) return place();
    // While printing the window's transform is made for the label and the
    // printed map's put back: the labels reach the page through
    // PrintRotatedText as the text items do.
    const Transforms printed = Transforms::Of(p);
    ScaleScreen();
    try {
        const WindowPlace at = place();
        printed.PutBack(p);
        return at;
    } catch (...) {
        printed.PutBack(p);
        throw;
    }
}

}  // namespace

void LabelPrint() {
    DesignState& d = Design();
    PlotState& p = Plot();
    const size_t n = p.MapLabelLat.empty() ? 0 : p.MapLabelLat.size() - 1;
    p.MapLabelAscent.assign(n + 1, 0);
    p.MapLabelCharWidth.assign(n + 1, 0);
    p.MapLabelX.assign(n + 1, 0);
    p.MapLabelY.assign(n + 1, 0);
    p.MapLabelDescent.assign(n + 1, 0);

    size_t placed = 0;
    try {
        Host& window = MainWindow();
        TextMetric metric{};  // the previous label's, all 0 before the first
        DesignProjector projector(d);
        for (size_t k = 1; k <= n; ++k) {
            if (!ProjectLabelPoint(d, projector, p, k)) continue;

            window.ForeColor = static_cast<Rgb>(Item(p.MapLabelColor, k));
            window.FontName = Item(p.MapLabelFontName, k);
            window.FontSize = Item(p.MapLabelFontSize, k);
            window.FontBold = Item(p.MapLabelBold, k);
            window.FontItalic = Item(p.MapLabelItalic, k);
            window.FontStrikethru = Item(p.MapLabelStrikethru, k);
            window.FontUnderline = Item(p.MapLabelUnderline, k);

            TextMetric measured;
            if (window.GetTextMetrics(measured)) metric = measured;
            else ShowApiError("GetTextMetrics error in LabelPrint");
            const int16_t ascent = ToInt16(double(d.TwipsPerPixelY) * metric.ascent);
            const int16_t descent = ToInt16(double(d.TwipsPerPixelY) * metric.descent);
            const int16_t height = ToInt16(double(d.TwipsPerPixelY) * metric.height);
            const int16_t charWidth = ToInt16(double(d.TwipsPerPixelX) * metric.aveCharWidth);
            const int32_t width = ToInt32(window.TextWidth(Item(p.MapLabelText, k)));

            const int16_t file = Item(p.MapLabelFile, k);
            const int32_t radius = d.FeatureSymbolRadius(1, file);
            const int16_t symbol = d.InputFileSymbolType(file);

            const WindowPlace at = PlaceInWindow(d, p, radius, symbol);
            int32_t x = at.x;
            int32_t y = at.y;

            // Inside the drawing area: left of the symbol, or above the point.
            if (int64_t{width} + x > at.areaWidth) x = ToInt32(double(x) - width - 2.0 * radius);
            if (int64_t{height} + y > at.areaHeight) y = ToInt32(double(y) - height);
            const int32_t baseline = ToInt32(double(y) + ascent);

            ++placed;
            MoveLabel(p, k, placed);
            p.MapLabelX[placed] = x;
            p.MapLabelY[placed] = baseline;
            p.MapLabelAscent[placed] = ascent;
            p.MapLabelDescent[placed] = descent;
            p.MapLabelCharWidth[placed] = charWidth;

            d.CurrentText = p.MapLabelText[placed];
            d.CurrentTextRotation = std::string(1, '0');  // unrotated
            window.CurrentX = static_cast<float>(x);
            window.CurrentY = static_cast<float>(baseline);
            PrintRotatedText();
        }
    } catch (const RuntimeError& e) {
        ShowProcError("LabelPrint", e.what());
    }
    // Only the labels placed stay: what was not placed is neither drawn nor converted.
    KeepLabels(p, placed);
    d.CurrentText.clear();
}

void LabelConvert() {
    DesignState& d = Design();
    const PlotState& p = Plot();
    try {
        if (p.MapLabelDescent.size() <= 1 || p.MapLabelLat.size() <= 1) return;
        const auto n = static_cast<int32_t>(p.MapLabelLat.size() - 1);
        const int32_t base = d.NumTextItems;
        if (int64_t{base} + n > std::numeric_limits<int32_t>::max()) Raise(kOverflow);
        d.NumTextItems = base + n;
        ResizeTextItems(d.NumTextItems);
        for (int32_t k = 1; k <= n; ++k) {
            const auto from = static_cast<size_t>(k);
            const auto i = static_cast<size_t>(base) + from;
            TextItem& item = d.TextItemAt(i);
            item.TextItemText = Item(p.MapLabelText, from);
            item.TextItemRotation = 0;
            item.TextItemFontName = Item(p.MapLabelFontName, from);
            item.TextItemFontSize = Item(p.MapLabelFontSize, from);
            item.TextItemColor = Item(p.MapLabelColor, from);
            item.TextItemBold = Item(p.MapLabelBold, from);
            item.TextItemItalic = Item(p.MapLabelItalic, from);
            item.TextItemUnderline = Item(p.MapLabelUnderline, from);
            item.TextItemStrikethru = Item(p.MapLabelStrikethru, from);
            item.TextItemX = Item(p.MapLabelX, from);
            item.TextItemY = Item(p.MapLabelY, from);
            item.TextItemAscent = Item(p.MapLabelAscent, from);
            item.TextItemDescent = Item(p.MapLabelDescent, from);
            item.TextItemCharWidth = Item(p.MapLabelCharWidth, from);
            item.TextItemFromLabel = true;
        }
    } catch (const RuntimeError& e) {
        ShowProcError("LabelConvert", e.what());
    }
}

void RemoveTemporaryLabelItems() {
    DesignState& d = Design();
    PlotState& p = Plot();
    if (!p.TextItemsSaved) return;
    p.TextItemsSaved = false;
    if (d.NumTextItems <= p.NumTextItemsSaved) return;
    d.NumTextItems = p.NumTextItemsSaved;
    ResizeTextItems(d.NumTextItems);
}

}  // namespace tlrx
