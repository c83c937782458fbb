#pragma once
// The graticule of the azimuthal maps (codes 26 to 31) on the cap they show:
// the limits of each grid pass, of each parallel and of each meridian, so
// that lines start and end on the boundary circle, and the point lists of the
// lines near the antipode of wide azimuthal equidistant and equal-area maps.
//
// Angles are degrees; longitudes are frame longitudes (the central meridian
// CentralMeridian at 180). Every computation works on the design's centre
// (CentLat, SinCentLat, CosCentLat), range (AzRangeSec, CosAzRange) and
// frame. An arithmetic failure at an exactly singular configuration (a zero
// divisor) raises RuntimeError, which the graticule drawing reports.

#include <cstdint>
#include <vector>

namespace tlrx {

// The limits of the lines of one grid pass, shared with the graticule
// drawing: parallels outside LatLo..LatHi are skipped, each meridian runs from
// LatLo to LatHi, each parallel from LonLo to LonHi, and meridians outside
// LonLo..LonHi are skipped. With CapClipping each line is cut to the cap.
struct GridLimits {
    double LatLo = 0;
    double LatHi = 0;
    double LonLo = 0;
    double LonHi = 0;
    bool CapClipping = false;
};

// What a grid pass keeps of the cap.
struct CapGeometry {
    double TanCentLat = 0;  // tan of CentLat
    double Range = 0;       // the cap's angular radius R, degrees
    double H = 0;           // longitude half-width of the cap (180 when a pole lies inside)
    int32_t NorthEdge = 0;  // arc-seconds: where the cap's edge crosses the central meridian
    int32_t SouthEdge = 0;
    int32_t FarMargin = 0;  // arc-seconds: R less the centre's distance from the equator
};

// A meridian cut in two by the cap: after the first piece (LatLo to LatHi)
// the meridian is drawn again from -90 to LowerPieceLimit.
struct MeridianPieces {
    bool Split = false;
    double LowerPieceLimit = 0;
};

// Limits of a grid pass: sets lim from the map boundaries and decides cap
// clipping; returns the cap's values for the lines of the pass.
CapGeometry AzGridPassLimits(GridLimits& lim);

// With cap clipping, the longitude limits of the parallel at lat (|lat| < 90;
// cosLat = cos lat) from the haversine relation, or the whole circle when the
// parallel lies inside the cap.
void AzParallelLimits(const CapGeometry& cap, GridLimits& lim, double lat, double cosLat);

// With cap clipping, the latitude limits of the meridian at frame longitude
// lon (cosDLon = cos(lon - CentralMeridian)); a meridian that leaves the cap
// and comes back is split.
MeridianPieces AzMeridianLimits(const CapGeometry& cap, GridLimits& lim, double lon, double cosDLon);

// True for a parallel near the antipode of a wide (range above 170 degrees)
// azimuthal equidistant or equal-area map of grid type 3.
bool IsDensifiedParallel(double lat);

// The western half of a densified parallel, from LonLo to the central
// meridian, spaced so that the direction from the centre turns by about one
// degree per point (never more than 3 degrees of longitude). The line's
// points are the list followed by 360 minus each element from the
// second-last back to the first. westHalf is emptied first.
void DensifiedParallel(const GridLimits& lim, double lat, std::vector<double>& westHalf);

// A meridian drawn as one point per degree of direction from the centre:
// point i lies where the great circle leaving the centre in direction
// Az0 - Sense * i (clockwise from north) crosses the meridian.
struct DirectionWalk {
    double Az0 = 0;
    int32_t N = 0;  // points 0 to N
    int Sense = 1;
};

// True when the meridian at dLon = lon - CentralMeridian of a wide
// azimuthal equidistant or equal-area map of grid type 3 is walked by
// direction; walk then holds its start, count and sense. False also when its
// limits fit none of the walk's forms (the ordinary points are used then).
bool MakeDirectionWalk(const GridLimits& lim, double lon, double dLon, double cosDLon, double sinDLon,
                       DirectionWalk& walk);

// Latitude of point i (0..N) of a walk, held within LatLo..LatHi.
double DirectionWalkLat(const DirectionWalk& walk, const GridLimits& lim, int32_t i, double cosDLon, double sinDLon);

// The straight two-point meridians of whole-sphere azimuthal equidistant and
// equal-area maps of grid type 3 that pass through the centre's antipode,
// kept 0.00003 degrees clear of it: true with the two latitudes and the
// frame longitude the line is drawn at (360 for the meridian at 0).
bool TwoPointMeridian(const GridLimits& lim, double lon, double& lat1, double& lat2, double& drawLon);

}  // namespace tlrx
