#pragma once
// The projected extent of a map (MapXMin, MapXMax, MapYMin, MapYMax) of the
// design handed, found by projecting the map's extreme points with the
// set-up taken from that design, writing its ProjectionIO as ProjectSelect
// does (DesignProjector), so that a point it refuses leaves the previous
// output, as the extent rules accept. Each raises RuntimeError on an
// arithmetic failure of its own.

namespace tlrx {

struct DesignState;

// Mercator, equirectangular, cylindrical equal-area and UTM: the rectangle of
// the boundaries.
void RectangularExtent(DesignState& d);

// Hammer, Robinson and the Mollweides: symmetric about the central meridian,
// the widest parallel chosen from the hemispheres the boundaries lie in.
void WorldExtent(DesignState& d);

// The conics: their lowest, highest, leftmost and rightmost points, projected
// in that order, from the cone constant and the standard parallels.
void ConicExtent(DesignState& d);

// The azimuthal projections but the vertical perspective: the square around
// the range circle.
void AzimuthalExtent(DesignState& d);

}  // namespace tlrx
