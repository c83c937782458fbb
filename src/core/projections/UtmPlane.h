#pragma once
// UTM (code 17): the transverse Mercator series that maps a geographic point
// to easting and northing, and the projection of those metres, which passes
// them through (the boundaries and the grid are in metres already).
//
// Set-up: centralMeridian (CentralMeridian, absolute degrees, east positive)
// and the UtmParams numbers of the design: a (UtmSemiMajorAxis), k0
// (UtmScaleFactor), e^2, e'^2, the meridian distance coefficients, M0 and the
// false easting and northing.
// Plane (UtmGridPoint): latitude and longitude in degrees, north and east
// positive, the longitude difference from the central meridian taken into
// -180..180, to easting and northing in metres with the published forward
// series to the sixth power of A; the latitude of origin on the central
// meridian gives exactly (false easting, false northing). Within 2 mm of
// PROJ's tmerc (its series and its exact algorithm) within half a zone of the
// central meridian, 1 cm within a zone; farther out the truncation after A^6
// shows (0.6 m at 12 degrees). Raises RuntimeError ("Division by zero") where
// 1 - e^2 sin^2 phi is 0.
// Forward: lat the northing and lon the easting, metres; x = easting,
// y = northing, unchanged (any value, never failing).
// Scale factors: the point scale k = h of the transverse Mercator series, at
// lat an approximate latitude in radians and lon the metres east of the
// central meridian, from the UtmParams of the design; within 5e-7 of
// GeographicLib's TransverseMercator on the tested spheroids.

#include "core/projections/ProjectionKernel.h"

namespace tlrx {

extern const ProjectionKernel kUtmKernel;

// Meridian distance in metres from the equator to latitude phi (radians,
// north positive; the result has the sign of phi), from the series to e^6:
//   M = a (A0 phi + sin 2phi (B1 + cos 2phi (B2 + cos 2phi B3))).
// Within about 1 mm of the exact meridian arc on the nine known spheroids.
double UtmMeridianDistance(const ProjectionSetup::Utm& u, double phi);

// The plane of UTM (PlaneFn): easting and northing of (latDeg, lonDeg).
void UtmGridPoint(const ProjectionSetup& s, double latDeg, double lonDeg, double& easting, double& northing);

ProjectedPoint UtmPassThrough(const ProjectionSetup& s, double lat, double lon);

}  // namespace tlrx
