#pragma once
// The device layer: the projected point on the window or the printer page.

namespace tlrx {

// Draws the point (ProjOutX, ProjOutY) on DrawDC as PlotMode asks: the next
// vertex of a polyline (1), a pixel (2) or a point symbol (3 to 12) of
// SymbolHalfW x SymbolHalfH twips in CurColor. A vertex with PlotStatus 1 or
// SegmentState 3 starts a new line (SegmentState becomes 0). While Printing
// the printed map's place on the page is added. Failing drawing calls show
// their box and drawing goes on.
void PrintToScreen();

}  // namespace tlrx
