#pragma once
// The forward projections: one point of ProjectionIO to map coordinates.

namespace tlrx {

// Projects (ProjInLat, ProjInLon) of the design state for ProjCode into
// (ProjOutX, ProjOutY) in Earth radii (UTM: metres, passed through).
// ProjInLat: degrees, north positive. ProjInLon: frame degrees east of the
// western boundary. Clears CalcError on entry; sets it for a point that is
// not projected, leaving the outputs as they were. The azimuthal projections
// also set PlotStatus (2 beyond the visibility limit, 4 / 5 inside / outside
// the range circle in the range query, AzQueryMode -1) and reuse the
// previous point's values with AzQueryMode 2.
void ProjectSelect();

// Clears the values ProjectSelect keeps from one call to the next (tests).
void ResetProjWork();

}  // namespace tlrx
