#pragma once
// The azimuthal projections on the unit sphere, centred on (centre
// latitude, central meridian): gnomonic (code 26), stereographic (27),
// orthographic (28), vertical perspective (29), azimuthal equidistant (30)
// and azimuthal equal-area (31).
//
// Set-up: centralMeridian (CentralMeridian), the centre's cos and sin
// (CosCentLat, SinCentLat), the range circle's cos (CosAzRange), for 29 the
// viewpoint distance P = 1 + height / 6371 km (VpP, computed with the horizon
// by the prepare step), and the projection's own visibility limit on cos c:
// 0 for 26, -1e-8 for 28, -1 + 1e-13 for 27, 30, 31 (just short of the
// antipode), 1 / (P + 1e-10) for 29 (just below the horizon 1 / P).
// Forward: lat in degrees, -90 to 90; lon in frame degrees. c is the angular
// distance from the centre; a point with cos c at or below the limit is
// BeyondLimit (the antipode for 27, 30, 31; the horizon for 26, 28, 29).
// Otherwise x = k cos lat sin dl, y = k (sin lat cos lat0 - cos lat sin lat0
// cos dl) with the radial factor k(c): 1 / cos c (26), 2 / (1 + cos c) (27),
// 1 (28), (P - 1) / (P - cos c) (29), c / sin c (30),
// sqrt(2 / (1 + cos c)) (31). Accuracy: within 1e-9 (relative beyond 1) of
// PROJ's gnom, stere, ortho, nsper, aeqd and laea (+R=1, lat_0 the centre,
// nsper's h = P - 1) on the tested tables.
// Largest stretch within an angular distance c from the centre: the greatest
// of h and k over the distances up to c, as k(c) and its radial counterpart
// give it: 1 / cos^2 c (26), 2 / (1 + cos c) (27), 1 (28, 29), c / sin c
// (30), 1 / cos(c / 2) (31); infinite where unbounded.
// Scale factors: h, k and the area scale at lat (degrees) on the meridian lon
// (absolute degrees), which is the central meridian CentLon or its
// continuation beyond the pole; within 1e-6 (relative beyond 1) of PROJ's
// factors on the tested tables.

#include "core/projections/ProjectionKernel.h"

namespace tlrx {

extern const ProjectionKernel kGnomonicKernel;
extern const ProjectionKernel kStereographicKernel;
extern const ProjectionKernel kOrthographicKernel;
extern const ProjectionKernel kVerticalPerspectiveKernel;
extern const ProjectionKernel kAzEquidistantKernel;
extern const ProjectionKernel kAzEqualAreaKernel;

// The place of (lat, lon) relative to the centre (AzimuthalPoint).
AzimuthalPoint AzimuthalPlace(const ProjectionSetup& s, double lat, double lon);

// Whether the point lies before the visibility limit.
inline bool AzimuthalVisible(const ProjectionSetup& s, const AzimuthalPoint& p) { return p.cosC > s.azimuth.cosLimit; }

// Whether the point lies inside or on the range circle.
inline bool AzimuthalWithinRange(const ProjectionSetup& s, const AzimuthalPoint& p) {
    return p.cosC >= s.azimuth.cosRange;
}

// The map point of a place (which the caller has found visible), by the
// kernel of the set-up's code.
ProjectedPoint AzimuthalProject(const ProjectionSetup& s, const AzimuthalPoint& p);

// AzimuthalPlace, the visibility test and AzimuthalProject in one.
ProjectedPoint AzimuthalForward(const ProjectionSetup& s, double lat, double lon);

}  // namespace tlrx
