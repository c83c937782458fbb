#pragma once
// The lines of a design file of the current version, written and read from
// one description of the layout, so that writer and reader cannot drift
// apart. Used by CnfSave and CnfRead; tests reach the text forms through it.

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/DesignState.h"
#include "designfile/CnfText.h"
#include "plot/PlotState.h"

namespace tlrx {

// The window and printer values a file holds besides the design: written from
// the window and the printer of the moment, read back for the window fit.
struct SavedWindow {
    int32_t ScreenWidthPx = 0;  // read back as Integers and not used
    int32_t ScreenHeightPx = 0;
    float TwipsPerPixelX = 0;  // TppX0, TppY0
    float TwipsPerPixelY = 0;
    int16_t WindowState = 0;  // not used
    float Width = 0;          // Wout, Hout: outer size
    float Height = 0;
    float Left = 0;  // not used
    float Top = 0;
    float ScaleWidth = 0;  // W0, H0: the drawing area
    float ScaleHeight = 0;
    int16_t Orientation = 0;  // 1 portrait, 2 landscape; 0 when no printer was installed
};

// What a design file holds: the design state, the run state's print layout,
// file names and screen transform, and the saved window.
struct CnfRecord {
    DesignState& d;
    PlotState& p;
    SavedWindow& w;
    // Set by the readers: where the great circle's end longitude was read,
    // as " in line N, field F (name)", so that a route the ends cannot give,
    // found once the whole file has been read, is named like a field's fault.
    std::string greatCircleEndsAt{};
};

// The whole file for the record: every line ended by CR LF, the texts in
// Windows-1252, or in UTF-8 behind the byte-order mark when a text holds a
// character beyond that code page. Raises
// RuntimeError naming the field when a text cannot be carried, or a list
// is shorter than its count.
std::string WriteCurrentVersion(const CnfRecord& record);

// Reads the lines after the projection name (A3 on) of a current-version
// file into the record: its arrays are sized anew from the counts read.
// Values are taken as they stand; the window fit is the caller's. Raises
// RuntimeError naming the line and field of the first fault: a file that
// ends early, a value that is no number or does not fit its field, a count
// the rest of the file cannot hold, a value outside what the program can use
// (grid type, palette cell, symbol type, print units, orientation, a
// size of zero, a fill fraction outside 0 to 1, an empty map extent, a
// latitude or longitude out of range, a small circle radius outside 0 to 180
// or a number of circles outside 1 to 10), a text item line shorter than
// its two quotes.
void ReadCurrentVersion(ListInput& in, CnfRecord& record);

// What every reader refuses of the values a recalled design is computed
// from: values no dialog of the program gives and no drawing can carry.
inline constexpr std::string_view kLatitudeOutside = "Latitude outside -90 to 90";
inline constexpr std::string_view kLongitudeOutside = "Longitude outside -180 to 180";
inline constexpr std::string_view kFillFractionOutside = "Fill fraction of zero or less, or above 1";
inline constexpr std::string_view kEmptyExtent = "Map extent of zero or less, or too large";
inline bool IsLatitude(double degrees) { return degrees >= -90 && degrees <= 90; }
inline bool IsLongitude(double degrees) { return degrees >= -180 && degrees <= 180; }
inline bool IsFillFraction(double fraction) { return fraction > 0 && fraction <= 1; }
inline bool IsExtent(double high, double low) {
    const double size = high - low;
    return size > 0 && std::isfinite(size);
}

// The first line of a file of this program's version.
std::string HeaderLine(const std::string& versionString);

}  // namespace tlrx
