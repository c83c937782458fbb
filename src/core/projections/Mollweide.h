#pragma once
// The Mollweide equal-area projection (code 41) and its interrupted form
// (42), whose lobes are drawn one by one with their own x offset, on the
// unit sphere.
//
// Set-up: centralMeridian (CentralMeridian, frame degrees) and lobeOffset
// (CurLobeOffset: 0 except while a lobe of code 42 is drawn).
// Forward: lat in degrees, -90 to 90; lon in frame degrees, within 180 of
// the central meridian. With theta the auxiliary angle (MollweideTheta):
// x = 2 sqrt 2 (lon - central) rad cos theta / pi + lobeOffset,
// y = sqrt 2 sin theta, inside the ellipse x^2/8 + y^2/2 <= 1 (about the
// lobe's offset). Never fails for finite input. Accuracy: within 1e-9 of
// PROJ's moll (+R=1, x_0 the lobe offset) on the tested tables; within about
// 1e-6 degrees of a pole the last digits follow the iteration's rounding.
// Scale factors (code 41 only; the interrupted map has none): h, k and the
// area scale at lat (degrees) and lon (frame degrees), within 1e-6
// (relative beyond 1) of PROJ's factors on the tested tables; within
// 0.00006 degrees of a pole the parallel counts as a point and its scales are fixed
// texts.

#include "core/projections/ProjectionKernel.h"

namespace tlrx {

extern const ProjectionKernel kMollweideKernel;
extern const ProjectionKernel kInterruptedMollweideKernel;

ProjectedPoint MollweideForward(const ProjectionSetup& s, double lat, double lon);

// The auxiliary angle theta (radians) of the Mollweide projection for the
// latitude phi (radians, -pi/2 to pi/2): the root of
// 2 theta + sin 2 theta = Pi sin phi by the bounded Newton iteration of the
// projection, which ends for every input; the root to a few units in the
// last place up to 89 degrees of latitude.
double MollweideTheta(double phi);

}  // namespace tlrx
