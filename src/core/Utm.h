#pragma once
// UTM: spheroid, projection constants and the meridian distance.

namespace tlrx {

// From UtmText 0..4 and UtmSpheroidName: the UtmParams numbers and the
// design's centre (CentralMeridian in absolute degrees).
void CalcUtmZone();

// Meridian distance in metres from the equator to latitude phi (radians),
// with the current spheroid constants.
double UtmMeridianDistance(double phi);

}  // namespace tlrx
