#include "app/PlotPasses.h"

#include <utility>

namespace tlrx {

namespace {
PlotPass g_mapPlot;
PlotPass g_printText;
}  // namespace

void MapPlotPass() {
    if (g_mapPlot) g_mapPlot();
}

void PrintTextPass() {
    if (g_printText) g_printText();
}

void SetMapPlotPass(PlotPass pass) { g_mapPlot = std::move(pass); }

void SetPrintTextPass(PlotPass pass) { g_printText = std::move(pass); }

}  // namespace tlrx
