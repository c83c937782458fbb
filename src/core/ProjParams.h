#pragma once
// Projection constants, default standard parallels and the projected extent.

namespace tlrx {

// Default standard parallels from the latitude boundaries, as degrees and texts.
void ParamStdParallel();

// Constants of the projection of the design (ConicParams, CosStdParNorth,
// the perspective's horizon) and the projected extent (MapExtent): the
// prepare step of the code's kernel (core/projections/). A failure shows
// "Error in ParamSelect", keeping what was written before it. Leaves
// PlotStopText empty.
void ParamSelect();

}  // namespace tlrx
