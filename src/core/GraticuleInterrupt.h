#pragma once
// The graticule of one lobe of the interrupted Mollweide projection.

#include <cstdint>

namespace tlrx {

// Rewrites the MapBounds fields to describe lobe `lobe` alone (northern
// lobes 1..n+1, southern lobes n+3..n+s+3).
void CalcGraticuleInterrupt(int16_t lobe);

}  // namespace tlrx
