#pragma once
// The great circle of a design: the shortest route on the sphere between two
// end points, as a list of points with course and distance.

namespace tlrx {

// Computes the route from (GcStartLat, GcStartLon) to (GcEndLat, GcEndLon)
// (degrees, north and east positive; latitudes -90..90, longitudes
// -180..180; both longitudes equal when an end is a pole) into GcLat, GcLon,
// GcCourse and GcDist, with GcFirst, GcLast and GcStep giving the entered
// order. The sphere is the unit sphere; distances are minutes of arc
// (nautical miles), courses degrees clockwise from north in the direction of
// travel.
//
// The list holds the two ends, a point at every whole degree of longitude
// the route crosses (of latitude on a meridian) and, where two neighbours
// lie more than 240 nautical miles apart, points at a standard step of
// minutes of longitude between them.
//  - Both ends on the equator: the points lie on the equator, in the entered
//    order; a route across the 180th meridian lists it as 180 and as -180.
//  - Longitudes equal (within 0.00001 degree) or 180 degrees apart (within
//    0.00001): the route runs along the meridian or over the nearer pole, in
//    the entered order; a pole is listed twice, once with each longitude.
//  - Otherwise the points are stored west to east; an end latitude of
//    exactly 0 is taken as 0.00001 degree north.
// The end-point fields themselves are never changed. GcLatRad and GcDLonRad
// are working lists of the west-to-east case.
//
// An arithmetic failure (for example the end longitudes -180 and 180 with
// different latitudes: a division by zero), or a route of more than 32767
// points, shows "Error in GcCalc" and leaves an empty list.
void GcCalc();

struct DesignState;

// The rules the great circle's ends are stored by, applied to the end-point
// texts (GcEndText) and to the end-point degrees (GcStartLat to GcEndLon) of
// d, each by its own values:
//  - one longitude 180 west and the other 180 east: the end takes the
//    start's side of the 180th meridian;
//  - an end on a pole takes the other end's longitude (with both ends on a
//    pole, the end takes the start's): the route from a pole runs along the
//    other end's meridian.
// The great circle dialog refuses a pole end with a longitude of its own
// before it stores the ends; a recalled design gets its ends as the dialog
// would have stored them.
void SettleGreatCircleEnds(DesignState& d);

// The computation of GcCalc on the great circle of d, raising RuntimeError
// instead of showing it; the lists are replaced only by a complete route.
// The design file reader computes a recalled design with it before the
// design takes effect.
void ComputeGreatCircle(DesignState& d);

}  // namespace tlrx
