#pragma once
// Scale errors of the parameter report: the meridian scale h, the parallel
// scale k and the area scale of the design's projection at sample points.

#include <optional>
#include <string_view>

#include "core/projections/ProjectionKernel.h"

namespace tlrx {

// Fills row ScaleErrRow of the ScaleErrorRows lists (sized by the report,
// 0..14 for the rows and 0..2 for the notes) for the projection ProjCode at
// the sample point (ScaleErrLat, ScaleErrLon), in this order:
//  - ScaleErrNote 1 and 2: where the scale is true (element 2 is left alone
//    for the codes with a one-line note);
//  - ScaleErrMeridian, ScaleErrParallel, ScaleErrArea: h, k and the area
//    scale as "0.0000E+00" texts (9.6572E-01), or "Infinite" where the value
//    is unbounded, or "1.0000E+00" / "0.0000E+00" where it is fixed by rule;
//  - ScaleErrLatText, ScaleErrLonText: the point as display texts.
// The point's convention by family:
//  - cylindrical (1, 2, 40), conic (6, 7, 8), azimuthal (26..31): latitude
//    and longitude in absolute degrees, north and east positive; the
//    azimuthal values hold on the central meridian CentLon and its
//    continuation beyond the pole (CentLon +- 180);
//  - Hammer, Robinson, Mollweide (12, 16, 41): latitude in degrees, longitude
//    in frame degrees (CentralMeridian is the map's middle); the longitude
//    text is chosen by row: rows 1-4 the eastern boundary LonEastText, rows
//    9-12 the central meridian CentLonText, other rows halfway between;
//  - UTM (17): ScaleErrLat is an approximate latitude in radians for the
//    map's mean northing, ScaleErrLon the metres east of the central
//    meridian; the texts are the mean northing ("04,500,000") and the
//    easting ("0,500,000").
// Mercator scales are relative to the boundary parallel nearest the equator
// (1 on it; plain sec(latitude) when the map touches or spans the equator).
// The equidistant conic also stores its ConicG. Codes without scale errors
// (42 and the unknown ones) write nothing. A failure (an arithmetic one, a
// row or note outside the lists) shows "Error in DistErrSelect"; what was
// written before it stays.
void DistErrSelect();

// The scale values DistErrSelect writes for the sample point (ScaleErrLat,
// ScaleErrLon) of the design, in the conventions given there; nothing is
// written (ScaleValue, ScaleFactors: core/projections/ProjectionKernel.h):
// the scale function of the code's kernel. nullopt for a code without scale
// errors. Raises RuntimeError on an arithmetic failure.
std::optional<ScaleFactors> ScaleFactorsAt();

}  // namespace tlrx
