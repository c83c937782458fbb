#include "app/PlotPasses.h"

#include "plot/MapPlot.h"
#include "plot/MapText.h"

#include <utility>

namespace tlrx {

namespace {

// The program's own passes.
void ProgramMapPlot() { MapPlot(); }
void ProgramPrintText() { PrintText(); }

PlotPass g_mapPlot;
PlotPass g_printText;

}  // namespace

void MapPlotPass() {
    if (g_mapPlot) g_mapPlot();
    else ProgramMapPlot();
}

void PrintTextPass() {
    if (g_printText) g_printText();
    else ProgramPrintText();
}

void SetMapPlotPass(PlotPass pass) { g_mapPlot = std::move(pass); }

void SetPrintTextPass(PlotPass pass) { g_printText = std::move(pass); }

}  // namespace tlrx
