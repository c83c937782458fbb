#pragma once
// The device layer: the projected point on the window or the printer page.

#include <string_view>

#include "platform/Surface.h"

namespace tlrx {

struct DesignState;
struct PlotState;

// The device of a drawing pass: DrawDC becomes the main window's drawing
// area, or PrinterDC while Printing, and DevTwipsPerPixelX/Y that device's
// twips per pixel. Raises "Invalid procedure call or argument" when printing
// without a printer surface.
void ChooseDrawDevice();

// Creates DrawPen of PenWidth screen pixels in CurColor and selects it,
// keeping the object it replaces in OldPen. A printed line keeps its share
// of the map width when LineWidthScaling is on. A failed creation shows
// "CreatePen(<site>) error in <procedure>" and selects nothing.
void CreateDrawPen(PenStyle style, std::string_view procedure, int site);

// Selects OldPen back and deletes DrawPen; both become 0. A failed deletion
// shows "DeleteObject(<site>) error in <procedure>".
void ReleaseDrawPen(std::string_view procedure, int site);

// Draws the point (ProjOutX, ProjOutY) on DrawDC as PlotMode asks: the next
// vertex of a polyline (1), a pixel (2) or a point symbol (3 to 12) of
// SymbolHalfW x SymbolHalfH twips in CurColor. A vertex with PlotStatus 1 or
// SegmentState 3 starts a new line (SegmentState becomes 0). While Printing
// the printed map's place on the page is added. Failing drawing calls show
// their box and drawing goes on.
void PrintToScreen();

// PrintToScreen with the design and run state given, for the per-point paths.
void PrintToScreen(const DesignState& d, PlotState& p);

}  // namespace tlrx
