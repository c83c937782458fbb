#pragma once
// The two passes of a drawing run besides the graticule: the map plotting
// pass (map files, circles and labels of one lobe) and the map text. They
// are hooks that draw nothing until a pass is installed, so that the run
// can be built and tested before the plotting library has them.

#include <functional>

namespace tlrx {

using PlotPass = std::function<void()>;

// Runs the installed map plotting pass; without one, nothing.
void MapPlotPass();
// Runs the installed map text drawing; without one, nothing.
void PrintTextPass();

// Install a pass (an empty function removes it).
void SetMapPlotPass(PlotPass pass);
void SetPrintTextPass(PlotPass pass);

}  // namespace tlrx
