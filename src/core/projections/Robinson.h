#pragma once
// The Robinson projection (code 16) on the unit sphere, by the polynomials
// of degree six in the absolute latitude (degrees) for the relative parallel
// length X and the ordinate Y, rather than the interpolated table.
//
// Set-up: centralMeridian (CentralMeridian, frame degrees).
// Forward: lat in degrees, -90 to 90; lon in frame degrees, within 180 of
// the central meridian. x = 0.8487 X(|lat|) (lon - central) rad,
// y = +-1.3523 Y(|lat|), the sign of lat. Never fails for finite input.
// Accuracy: the polynomials follow the published table to 5e-5 (X 0.5311,
// Y 1.0003 at the pole); PROJ's robin, which interpolates the table, differs
// by up to 0.008 Earth radii (projection_bench prints the difference).
// Scale factors: h, k and the area scale at lat (degrees) and lon (frame
// degrees) from the polynomials' derivatives, within 1e-7 of their
// numerical differences; within 0.00006 degrees of a pole the parallel
// scale and the area scale are "Infinite".

#include "core/projections/ProjectionKernel.h"

namespace tlrx {

extern const ProjectionKernel kRobinsonKernel;

ProjectedPoint RobinsonForward(const ProjectionSetup& s, double lat, double lon);

}  // namespace tlrx
