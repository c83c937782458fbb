#pragma once
// The plain polyline text: '#' lines are comments, a line starting with '>'
// starts a polyline (any text after the '>' is its label), and every other
// non-empty line is one point "lon lat" in decimal degrees (WGS84, east and
// north positive, at most 5 decimals, lon -180..180, lat -90..90).

#include <ostream>
#include <string>

#include "Geo.h"

namespace tlrx::convert {

// Reads `path` as feature class `row` (1..10). Polylines without points are
// dropped. Throws std::runtime_error naming the file and line on anything
// that is not the format above.
Layer ReadPolylineText(const std::string& path, int row);

// Writes `layer` in the same format: its header lines, a line `extraHeader`
// when not empty, a "# Polylines: N  Points: M" line, then the polylines.
void WritePolylineText(std::ostream& out, const Layer& layer, const std::string& extraHeader);

}  // namespace tlrx::convert
