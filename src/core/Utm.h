#pragma once
// UTM: spheroid, projection constants and the meridian distance.

namespace tlrx {

// Sets up the transverse Mercator constants of a UTM design from the dialog
// texts UtmText 0..4 and UtmSpheroidName:
//  - CentLonSec, CentralMeridian (absolute degrees, east positive), CentLon
//    and CentLonText (dialog layout) from the central meridian UtmText(0);
//  - CentLatSec, CentLat and CentLatText from the latitude of origin UtmText(1);
//  - UtmSemiMajorAxis (metres) and UtmFlattening from the first of the nine
//    known spheroid names equal to UtmSpheroidName (an unknown name keeps the
//    previous values);
//  - UtmFalseEasting, UtmFalseNorthing (metres) and UtmScaleFactor, each the
//    leading number of UtmText(2), (3), (4), 0 when the text has none;
//  - UtmEccSq, UtmEccPrimeSq, UtmArcA0, UtmArcB1..B3 and UtmM0 (metres).
// On an arithmetic failure shows "Error in CalcUtmZone" and returns; the
// values set before the failure stay.
void CalcUtmZone();

// Meridian distance in metres from the equator to latitude phi (radians,
// north positive; the result has the sign of phi), from the series to e^6
// with the current UtmSemiMajorAxis and UtmArcA0..B3:
//   M = a (A0 phi + sin 2phi (B1 + cos 2phi (B2 + cos 2phi B3))).
// Within about 1 mm of the exact meridian arc on the nine known spheroids.
double UtmMeridianDistance(double phi);

}  // namespace tlrx
