#pragma once
// The graticule of one lobe of the interrupted Mollweide projection.

#include <cstdint>

namespace tlrx {

// Rewrites the MapBounds fields to describe lobe `lobe` alone: the band from
// the equator to the northern boundary (northern lobes 1..n+1) or to the
// southern boundary (southern lobes n+3..n+s+3), between LobeEdgeText
// elements lobe - 1 and lobe, with its own frame and central meridian.
// n is the value of InterruptText element 0. The boundary magnitudes are
// taken without their hemisphere letters. BoundsText, the azimuthal centre
// and range fields, VpDistanceKm, CentLatSec and CentLonSec are left alone.
//
// NumLatDivisions counts the parallel intervals up to the lobe's outer
// boundary: when the band is not a whole number of latitude spacings the
// last interval is shorter, so that the parallel drawn at index
// NumLatDivisions (clamped to LatNorth) is the lobe's boundary parallel.
//
// A lobe outside 1..9 or a spacing of 0 shows "Error in
// CalcGraticuleInterrupt"; fields already written keep their new values.
void CalcGraticuleInterrupt(int16_t lobe);

}  // namespace tlrx
