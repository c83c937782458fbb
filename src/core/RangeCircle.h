#pragma once
// Where a map segment crosses the range circle of an azimuthal map.

#include <cstdint>

namespace tlrx {

// The point of the segment (PrevLatSec, PrevLonSec)-(PointLatSec,
// PointLonSec) at the range AzRangeSec from the map centre, as latitude and
// frame longitude in arc-seconds. On failure shows "Error in AzInterpolate"
// and leaves lat and lon unchanged.
void AzInterpolate(int32_t& lat, int32_t& lon);

}  // namespace tlrx
