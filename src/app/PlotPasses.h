#pragma once
// The two passes of a drawing run besides the graticule: the map plotting
// pass (map files, circles and labels of one lobe) and the map text. The
// run calls them through these hooks, so that tests can put passes of their
// own in their place. The program's map plotting pass is MapPlot; its map
// text drawing does nothing yet.

#include <functional>

namespace tlrx {

using PlotPass = std::function<void()>;

// Runs the map plotting pass in force.
void MapPlotPass();
// Runs the map text drawing in force.
void PrintTextPass();

// Put a pass in place of the program's own; an empty function puts the
// program's own back.
void SetMapPlotPass(PlotPass pass);
void SetPrintTextPass(PlotPass pass);

}  // namespace tlrx
