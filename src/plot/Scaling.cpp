#include "plot/Scaling.h"

#include "core/DesignState.h"
#include "core/Errors.h"
#include "platform/Host.h"
#include "plot/PlotState.h"

namespace tlrx {

namespace {

// The device transform for an area of w x h twips whose aspect is aArea.
void FitDevice(PlotState& p, double w, double h, double aArea, double aMap, double dx, double dy) {
    const double f = p.MapFillFraction;
    if (aMap <= aArea) {  // width-limited
        p.DevOffsetX = (1 - f) / 2 * w;
        p.DevScaleX = w * f / dx;
        p.DevOffsetY = h - (h - w * f * aMap) / 2;
        p.DevScaleY = w * f / dx;
    } else {  // height-limited
        p.DevOffsetX = (w - CheckedDiv(h * f, aMap)) / 2;
        p.DevScaleX = CheckedDiv(h * f, dy);
        p.DevOffsetY = (f + 1) / 2 * h;
        p.DevScaleY = CheckedDiv(h * f, dy);
    }
}

}  // namespace

void ScaleScreen() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    try {
        const Host& window = MainWindow();
        const double ws = window.ScaleWidth();
        const double hs = window.ScaleHeight();
        const double f = p.MapFillFraction;
        const double dx = d.MapXMax - d.MapXMin;
        const double dy = d.MapYMax - d.MapYMin;

        // A window as large as the whole screen has 32000 x 23100 file units.
        p.OutExtentX = ToInt32(CheckedDiv(ws * 32000, double(d.TwipsPerPixelX) * d.FullScreenWidthPx));
        p.OutExtentY = ToInt32(CheckedDiv(hs * 23100, double(d.TwipsPerPixelY) * d.FullScreenHeightPx));
        p.DrawWidthTwips = ToInt32(ws - d.TwipsPerPixelX);
        p.DrawHeightTwips = ToInt32(hs - d.TwipsPerPixelY);

        const double aMap = CheckedDiv(dy, dx);
        const double aArea = CheckedDiv(p.DrawHeightTwips, p.DrawWidthTwips);
        const double aOut = CheckedDiv(p.OutExtentY, p.OutExtentX);

        // The file space takes the drawing area's aspect.
        if (aArea <= aOut) p.OutExtentY = ToInt32(aArea * p.OutExtentX);
        else p.OutExtentX = ToInt32(CheckedDiv(p.OutExtentY, aArea));

        const double ex = p.OutExtentX, ey = p.OutExtentY;
        if (aMap <= aArea) {
            p.OutScale = ex * f / dx;
            p.OutOffsetX = ToInt16((1 - f) * ex / 2);
            p.OutOffsetY = ToInt16((ey - aMap * f * ex) / 2);
        } else {
            p.OutScale = CheckedDiv(ey * f, dy);
            p.OutOffsetX = ToInt16((ex - CheckedDiv(ey * f, aMap)) / 2);
            p.OutOffsetY = ToInt16((1 - f) * ey / 2);
        }

        FitDevice(p, p.DrawWidthTwips, p.DrawHeightTwips, aArea, aMap, dx, dy);
    } catch (const RuntimeError& e) {
        ShowProcError("ScaleScreen", e.what());
    }
}

void ScalePrinter() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    try {
        const Host& window = MainWindow();
        const double ws = window.ScaleWidth();
        const double hs = window.ScaleHeight();
        const double dx = d.MapXMax - d.MapXMin;
        const double dy = d.MapYMax - d.MapYMin;

        p.DrawWidthTwips = ToInt32(double(p.PrinterUnits) * p.PrnMapWidth);
        p.DrawHeightTwips = ToInt32(CheckedDiv(hs * p.DrawWidthTwips, ws));
        const double aArea = CheckedDiv(p.DrawHeightTwips, p.DrawWidthTwips);
        const double aMap = CheckedDiv(dy, dx);
        FitDevice(p, p.DrawWidthTwips, p.DrawHeightTwips, aArea, aMap, dx, dy);
    } catch (const RuntimeError& e) {
        ShowProcError("ScalePrinter", e.what());
    }
}

}  // namespace tlrx
