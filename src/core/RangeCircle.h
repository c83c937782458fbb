#pragma once
// Where a map segment crosses the range circle of an azimuthal map.

#include <cstdint>

namespace tlrx {

// The point of the segment (PrevLatSec, PrevLonSec)-(PointLatSec,
// PointLonSec) at the angular distance AzRangeSec from the map centre
// (CentLatRad, CosCentLat; centre meridian CentralMeridian, frame degrees).
// All positions are latitude and frame longitude in arc-seconds; the segment
// is the straight line between its ends in latitude and longitude, taken
// across the frame edge (0 / 360 degrees) when its ends are more than 324
// degrees of longitude apart.
//
// The crossing is found by at most 20 Newton steps on the haversine of the
// distance from the centre, stopping once a step changes the moving
// coordinate by no more than 0.00003 degrees; a segment along a parallel
// keeps its latitude exactly, one along a meridian its longitude. lat and lon
// receive the result rounded to whole arc-seconds (halves to even); across
// the frame edge the longitude may lie slightly below 0 or above 1296000.
// The segment is expected to have one end inside the circle and one outside.
//
// On an arithmetic failure (a zero derivative, identical ends, an overflow)
// shows "Error in AzInterpolate" and leaves lat and lon unchanged.
void AzInterpolate(int32_t& lat, int32_t& lon);

}  // namespace tlrx
