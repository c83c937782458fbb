#pragma once
// The conic projections on the unit sphere: equidistant (code 6), conformal
// (7) and Albers equal-area (8), each with two standard parallels and the
// cone unrolled round its apex on the central meridian.
//
// Set-up: centralMeridian (CentralMeridian) and the cone (ConicParams),
// computed by the prepare step from StdParNorth, StdParSouth (degrees,
// different, neither at a pole, |north| != |south| for the extent) and
// CentLat: n, rho0 and g (6), f (7) or c (8). A cone that cannot be formed
// fails with "Division by zero" or "Overflow".
// Forward: lat in degrees, -90 to 90; lon in frame degrees, within 180 of
// the central meridian. With rho the radius of the parallel and
// theta = n (lon - central) rad: x = rho sin theta, y = rho0 - rho cos theta.
//  - equidistant: rho = (g - lat) rad;
//  - conformal: rho = f / tan^n(pi/4 + lat/2); the pole on the apex side is
//    the apex, the other pole is Refused, and a point whose tan^n leaves the
//    doubles fails;
//  - Albers: rho = sqrt(c - 2 n sin lat) / n; a radicand below 0 fails with
//    "Invalid procedure call or argument".
// Accuracy: within 1e-9 (relative beyond 1) of PROJ's eqdc, lcc and aea
// (+R=1, lat_1, lat_2, lat_0 the centre) on the tested tables.
// Scale factors: h, k and the area scale at lat (degrees, lon ignored),
// within 1e-6 (relative beyond 1) of PROJ's factors on the tested tables;
// at the poles fixed texts.

#include "core/projections/ProjectionKernel.h"

namespace tlrx {

extern const ProjectionKernel kEquidistantConicKernel;
extern const ProjectionKernel kConformalConicKernel;
extern const ProjectionKernel kAlbersKernel;

ProjectedPoint EquidistantConicForward(const ProjectionSetup& s, double lat, double lon);
ProjectedPoint ConformalConicForward(const ProjectionSetup& s, double lat, double lon);
ProjectedPoint AlbersForward(const ProjectionSetup& s, double lat, double lon);

// Latitude in degrees where the radius of the equidistant cone would be 0,
// from the design's standard parallels (the ConicG of the scale report).
// Raises RuntimeError for equal parallels.
double EquidistantConeApexLat(const DesignState& d);

}  // namespace tlrx
