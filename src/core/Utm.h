#pragma once
// UTM: spheroid and projection constants.

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
//  - UtmEccSq, UtmEccPrimeSq, UtmArcA0, UtmArcB1..B3 and UtmM0 (metres; the
//    meridian distance of the latitude of origin, UtmMeridianDistance).
// On an arithmetic failure shows "Error in CalcUtmZone" and returns; the
// values set before the failure stay.
void CalcUtmZone();

}  // namespace tlrx
