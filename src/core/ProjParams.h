#pragma once
// Projection constants, default standard parallels and the projected extent.

namespace tlrx {

// Default standard parallels from the latitude boundaries, as degrees and texts.
void ParamStdParallel();

// Constants of the projection of the design (ConicParams, CosStdParNorth,
// the perspective's horizon) and the projected extent (MapExtent). Leaves
// PlotStopText empty.
void ParamSelect();

}  // namespace tlrx
