#pragma once
// The cylindrical projections on the unit sphere: Mercator (code 1),
// equirectangular (2) and cylindrical equal-area (40), the equator along the
// x axis and x measured from the western edge of the frame.
//
// Set-up: frameWest (FrameWest) and, for codes 2 and 40, cosStdPar
// (CosStdParNorth, computed by the prepare step from StdParNorth).
// Forward: lat in degrees, -90 to 90; lon in frame degrees from the western
// boundary, 0 to the frame's range (values outside are extrapolated). x, y
// in Earth radii.
//  - Mercator: x = (lon - west) rad, y = ln tan(pi/4 + lat/2); the poles have
//    no finite y: 90 S fails with "Invalid procedure call or argument", 90 N
//    gives y = 34.06 (the tangent of the fifteen-digit pi/2 is finite).
//  - Equirectangular: x = (lon - west) rad cos(std), y = lat rad.
//  - Cylindrical equal-area: x = (lon - west) rad cos(std),
//    y = sin(lat) / cos(std); a standard parallel at a pole fails with
//    "Division by zero".
// Accuracy: within 1e-9 (relative beyond 1) of PROJ's merc, eqc and cea with
// +R=1 and the matching lon_0 and x_0 on the tested tables, the difference
// being the fifteen-digit Pi.
// Scale factors (h, k, area) at latitude lat (degrees), lon ignored; the
// Mercator relative to the boundary parallel nearest the equator. Within
// 1e-6 (relative beyond 1) of PROJ's factors on the tested tables.

#include "core/projections/ProjectionKernel.h"

namespace tlrx {

extern const ProjectionKernel kMercatorKernel;
extern const ProjectionKernel kEquirectangularKernel;
extern const ProjectionKernel kCylEqualAreaKernel;

ProjectedPoint MercatorForward(const ProjectionSetup& s, double lat, double lon);
ProjectedPoint EquirectangularForward(const ProjectionSetup& s, double lat, double lon);
ProjectedPoint CylEqualAreaForward(const ProjectionSetup& s, double lat, double lon);

}  // namespace tlrx
