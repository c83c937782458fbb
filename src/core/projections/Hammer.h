#pragma once
// The Hammer equal-area projection (code 12) on the unit sphere, centred on
// the central meridian of the frame.
//
// Set-up: centralMeridian (CentralMeridian, frame degrees).
// Forward: lat in degrees, -90 to 90; lon in frame degrees, within 180 of
// the central meridian. With dl = (lon - central) / 2 in radians and
// D = sqrt(2 / (1 + cos lat cos dl)): x = 2 D cos lat sin dl, y = D sin lat,
// inside the ellipse x^2/8 + y^2/2 <= 1. The point opposite the centre
// (lat 0, 180 from it) fails with "Division by zero" or, just off it, with
// "Invalid procedure call or argument". Accuracy: within 1e-9 of PROJ's
// hammer (+R=1) on the tested tables.
// Scale factors: h, k and the area scale at lat (degrees) and lon (frame
// degrees), from the derivatives of x and y; within 1e-6 (relative beyond
// 1) of PROJ's factors on the tested tables.

#include "core/projections/ProjectionKernel.h"

namespace tlrx {

extern const ProjectionKernel kHammerKernel;

ProjectedPoint HammerForward(const ProjectionSetup& s, double lat, double lon);

}  // namespace tlrx
