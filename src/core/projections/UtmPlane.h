#pragma once
// UTM (code 17): the boundaries, the grid and the points are in metres
// already (the point pipeline converts latitude and longitude to easting and
// northing before projecting), so the forward function passes them through.
//
// Forward: lat the northing and lon the easting, metres; x = easting,
// y = northing, unchanged (any value, never failing). The set-up holds
// nothing. Scale factors: the point scale k = h of the transverse Mercator
// series, at lat an approximate latitude in radians and lon the metres east
// of the central meridian, from the UtmParams of the design; within 5e-7 of
// GeographicLib's TransverseMercator on the tested spheroids.

#include "core/projections/ProjectionKernel.h"

namespace tlrx {

extern const ProjectionKernel kUtmKernel;

ProjectedPoint UtmPassThrough(const ProjectionSetup& s, double lat, double lon);

}  // namespace tlrx
