#pragma once
// Default boundary texts and the graticule computation of a design.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tlrx {

// Writes the default BoundsText of every projection: the poles, 30-degree
// parallels, 180W to 180E with 45-degree meridians, an azimuthal centre of
// 40N 0W with a range of 180 degrees, and the perspective height of 35840 km
// (element 9, only while code 29 is not yet defined). A failure shows
// "Error in ConstantGrid".
void ConstantGrid();

// Reads BoundsText, checks it and derives the MapBounds fields (arc-seconds,
// degrees, interval counts, frame, central meridian, display texts, centre;
// for the azimuthal codes 26 to 31 also the poles and the boundaries opposite
// the centre, rewriting BoundsText elements 0, 1, 3 and 4).
//
// CalcError is cleared on entry. A rejected combination shows its Retry/Cancel
// box; Retry moves the focus to the offending field of the open boundary
// dialog, Cancel writes the matching savedTexts elements (0 to 5 are read)
// back into that dialog's fields; either way CalcError is set and the design
// state is left exactly as it was. Any other failure (a spacing of 0) shows
// "Error in CalcGraticule", leaves the state as it was and sets CalcError,
// so that the dialog does not accept texts that were never stored.
void CalcGraticule(const std::array<std::string, 10>& savedTexts);

// The longitude range from westSec to eastSec (arc-seconds, east positive):
// east - west, across the 180th meridian when west lies east of east, and a
// full turn when the two are equal. Result in arc-seconds, (0, 1296000] for
// boundaries within [-180, 180] degrees.
int32_t FrameSpanSec(int32_t westSec, int32_t eastSec);

// Display texts cut out of dialog texts, the groups joined by one blank:
// a latitude "90    00    00    N" gives "90 00 00 N", a longitude
// "180    00    00    W" gives "180 00 00 W", a spacing "030    00    00"
// gives "030 00 00". Missing positions give empty groups.
std::string LatDisplayText(std::string_view latText);
std::string LonDisplayText(std::string_view lonText);
std::string ArcDisplayText(std::string_view arcText);

// Centre longitude of a frame, in signed degrees: the middle of the frame
// counted from the western boundary, or counted back from the eastern
// boundary when the first exceeds 180. lonWest and lonEast in signed degrees,
// frameWest and frameEast in frame degrees.
double FrameCentreLon(double lonWest, double lonEast, double frameWest, double frameEast);

// The degree fields of MapBounds from their arc-second fields (boundaries,
// spacings, frame) and the central meridian, the middle of the frame.
struct DesignState;
void DeriveDegrees(DesignState& d);

}  // namespace tlrx
