#pragma once
// What every map file kind gets from the input before it is written: the
// 180th meridian cut, long steps filled, and an optional window.

#include <optional>
#include <vector>

#include "Geo.h"

namespace tlrx::convert {

// A longitude/latitude window, edges included, in 1e-5 degrees; west < east.
struct Window {
    int32_t west = 0, south = 0, east = 0, north = 0;
};

// Splits a polyline wherever a step jumps more than 180 degrees of longitude
// (it crosses the 180th meridian): the first piece ends on the meridian at
// the interpolated latitude, the next starts there on the other side
// (+180 / -180). The map files keep longitudes in -180..180 and the plotting
// pass draws a jump across the map edge only for such ends.
std::vector<Polyline> CutAt180(const Polyline& line);

// Adds straight-line points (in longitude and latitude) to every step of 20
// degrees of longitude or more, so that no step exceeds 10 degrees: the
// plotting pass expects consecutive points less than 20 degrees apart.
void FillLongSteps(Polyline& line);

// The runs of consecutive points inside `w`, each as a polyline of its own
// (no edge points are added). The label stays with the run that holds the
// first point. Runs of one point from a longer polyline are dropped.
std::vector<Polyline> ClipToWindow(const Polyline& line, const Window& w);

// Applies CutAt180, FillLongSteps and, when given, ClipToWindow to every
// polyline of every layer.
void PrepareLayers(std::vector<Layer>& layers, const std::optional<Window>& window);

}  // namespace tlrx::convert
