#pragma once
// The grid of a UTM map: boundaries and grid spacings in metres.

#include <array>
#include <string>

namespace tlrx {

// Reads the UTM boundary texts UtmText 5..10 (northern and southern
// northing, north/south spacing, western and eastern easting, east/west
// spacing, in metres; each the leading number of its text, 0 when it has
// none, rounded to whole metres), checks them and fills MapBounds with
// metres: LatNorthSec/LatSouthSec/LatSpacingSec and LonWestSec/LonEastSec/
// LonSpacingSec, the frame FrameWestSec/FrameEastSec (the easting range),
// NumLatDivisions and NumLonDivisions, the same eight values as doubles, and
// the six display texts as copies of UtmText 5..10. The centre is left alone.
//
// CalcError is cleared on entry. The checks, in order: both spacings above 0,
// the north/south spacing dividing the northing range, north above south,
// the east/west spacing dividing the easting range, east beyond west. A
// failed check shows its Retry/Cancel box titled "Error: UTM projection";
// Retry moves the focus to the offending field of the UtmCoords dialog,
// Cancel writes the matching savedTexts elements (5 to 10, indexed like
// UtmText) back into its fields; either way CalcError is set and the design
// state is left exactly as it was. Any other failure (a number or a range
// beyond a 32-bit Long: Overflow) shows "Error in CalcUtmGrid", leaves the
// state as it was and sets CalcError, so that the dialog stays open.
void CalcUtmGrid(const std::array<std::string, 11>& savedTexts);

}  // namespace tlrx
