#pragma once
// The small circles of a design: concentric circles about one centre.

namespace tlrx {

// Computes ScCount circles about (ScCenterLat, ScCenterLon) (degrees, north
// and east positive), circle k of radius ScRadius * k / ScCount (degrees of
// arc, ScRadius 0..180), on the unit sphere, into ScLat and ScLon (degrees;
// longitudes brought into -180..180 by one turn), circle k occupying
// ScCircleEnd[k - 1] + 1 to ScCircleEnd[k].
//
// Each circle has a point at every whole degree of azimuth from 0 to 360
// (clockwise from north; 361 points, the first and last at one place), plus
// points interpolated linearly in latitude and longitude where two
// neighbours lie 20 degrees of longitude or more apart, as next to the pole
// on a circle passing close to it. The longitude step between neighbours is
// taken the short way round (at most 180 degrees), so the interpolated points
// stay next to the circle also where it passes the meridian opposite the
// centre's. Longitudes are followed continuously round the circle before they
// are brought into range, so neighbours on both sides of the 180th meridian
// differ by nearly 360 degrees, and every other step is under 20 degrees.
//
// An arithmetic failure, among them more than 32767 points in all, shows
// "Error in ScCalc"; the points and circle ends computed so far stay, later
// circles keep the end 0. A negative ScCount fails with "Subscript out of
// range" and leaves no points.
void ScCalc();

struct DesignState;

// The computation of ScCalc on the small circles of d, raising RuntimeError
// instead of showing it (the points computed so far stay). The design file
// reader computes a recalled design with it before the design takes effect.
void ComputeSmallCircles(DesignState& d);

}  // namespace tlrx
