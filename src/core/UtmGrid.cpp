#include "core/UtmGrid.h"

#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <system_error>

#include "core/DesignState.h"
#include "core/DialogFields.h"
#include "core/Errors.h"
#include "core/NumberText.h"
#include "platform/MessageBox.h"

namespace tlrx {

namespace {

constexpr std::string_view kForm = "UtmCoords";
constexpr std::string_view kTitle = "Error: UTM projection";

constexpr std::string_view kLatSpacingZero = "The METERS BETWEEN NORTH/SOUTH GRID MARKS must be > 0.";
constexpr std::string_view kLonSpacingZero = "The METERS BETWEEN EAST/WEST GRID MARKS must be > 0.";
constexpr std::string_view kLatSpacingRemainder =
    "The METERS BETWEEN NORTH/SOUTH GRID MARKS does not yield an integral number of divisions "
    "along the axis.";
constexpr std::string_view kNorthSouthOfSouth = "The NORTHERN BOUNDARY is south of the SOUTHERN BOUNDARY.";
constexpr std::string_view kNorthEqualsSouth = "The NORTHERN and SOUTHERN BOUNDARIES are equal.";
constexpr std::string_view kLonSpacingRemainder =
    "The METERS BETWEEN EAST/WEST GRID MARKS does not yield an integral number of divisions "
    "along the axis.";
constexpr std::string_view kEastWestOfWest = "The EASTERN BOUNDARY is west of the WESTERN BOUNDARY.";
constexpr std::string_view kEastEqualsWest = "The EASTERN and WESTERN BOUNDARIES are equal.";

// The six values in metres, read before anything is stored.
struct GridValues {
    int32_t north = 0, south = 0, latSpacing = 0;
    int32_t west = 0, east = 0, lonSpacing = 0;
};

// One field restored on Cancel: the dialog field and the saved-text element.
struct Restore {
    std::string_view field;
    size_t element;
};

constexpr Restore kLatGrid[] = {{"UtmLatGrid", 7}};
constexpr Restore kLonGrid[] = {{"UtmLonGrid", 10}};
constexpr Restore kNorthSouth[] = {{"UtmLatN", 5}, {"UtmLatS", 6}};
constexpr Restore kWestEast[] = {{"UtmLonW", 8}, {"UtmLonE", 9}};

// A rejection: its message, the field Retry focuses and the fields Cancel restores.
struct Rejection {
    std::string_view message;
    std::string_view focusField;
    std::span<const Restore> restores;
};

void Reject(const Rejection& r, const std::array<std::string, 11>& savedTexts) {
    const MsgAnswer answer = MsgBox(r.message, kTitle, MsgButtons::RetryCancel, MsgIcon::Exclamation);
    if (DialogFields* fields = OpenDialogFields()) {
        if (answer == MsgAnswer::Retry) {
            fields->SetFocus(kForm, r.focusField);
        } else {
            for (const Restore& restore : r.restores)
                fields->SetText(kForm, restore.field, savedTexts[restore.element]);
        }
    }
    Design().CalcError = true;
}

// |a - b|, a 32-bit Long: Overflow when the difference does not fit.
int32_t Range(int32_t a, int32_t b) {
    const int64_t range = std::llabs(int64_t{a} - b);
    if (range > INT32_MAX) Raise(kOverflow);
    return static_cast<int32_t>(range);
}

// Runs the checks in order; the first that fails shows its rejection and the
// result is false.
bool Accepted(const GridValues& v, const std::array<std::string, 11>& savedTexts) {
    if (v.latSpacing == 0) {
        Reject({kLatSpacingZero, "UtmLatGrid", kLatGrid}, savedTexts);
    } else if (v.lonSpacing == 0) {
        Reject({kLonSpacingZero, "UtmLonGrid", kLonGrid}, savedTexts);
    } else if (Range(v.north, v.south) % v.latSpacing != 0) {
        Reject({kLatSpacingRemainder, "UtmLatGrid", kLatGrid}, savedTexts);
    } else if (v.north < v.south) {
        Reject({kNorthSouthOfSouth, "UtmLatN", kNorthSouth}, savedTexts);
    } else if (v.north == v.south) {
        Reject({kNorthEqualsSouth, "UtmLatN", kNorthSouth}, savedTexts);
    } else if (Range(v.east, v.west) % v.lonSpacing != 0) {
        Reject({kLonSpacingRemainder, "UtmLonGrid", kLonGrid}, savedTexts);
    } else if (v.east < v.west) {
        Reject({kEastWestOfWest, "UtmLonW", kWestEast}, savedTexts);
    } else if (v.east == v.west) {
        Reject({kEastEqualsWest, "UtmLonW", kWestEast}, savedTexts);
    } else {
        return true;
    }
    return false;
}

}  // namespace

void CalcUtmGrid(const std::array<std::string, 11>& savedTexts) {
    DesignState& d = Design();
    // The verdict is this call's alone: a flag left set by the last projected
    // point must not turn a valid grid into a silent rejection.
    d.CalcError = false;
    try {
        GridValues v;
        v.north = ToInt32(LeadingNumber(d.UtmText[5]));
        v.south = ToInt32(LeadingNumber(d.UtmText[6]));
        v.latSpacing = ToInt32(LeadingNumber(d.UtmText[7]));
        v.west = ToInt32(LeadingNumber(d.UtmText[8]));
        v.east = ToInt32(LeadingNumber(d.UtmText[9]));
        v.lonSpacing = ToInt32(LeadingNumber(d.UtmText[10]));
        if (!Accepted(v, savedTexts)) return;

        // Everything that can fail is formed before the first field is written.
        const int32_t numLat = Range(v.north, v.south) / v.latSpacing;
        const int32_t numLon = Range(v.east, v.west) / v.lonSpacing;

        d.LatNorthSec = v.north;
        d.LatSouthSec = v.south;
        d.LatSpacingSec = v.latSpacing;
        d.LonWestSec = v.west;
        d.LonEastSec = v.east;
        d.LonSpacingSec = v.lonSpacing;
        d.FrameWestSec = v.west;  // the frame of a UTM map is the easting range
        d.FrameEastSec = v.east;
        d.NumLatDivisions = numLat;
        d.NumLonDivisions = numLon;

        d.LatNorth = d.LatNorthSec;
        d.LatSouth = d.LatSouthSec;
        d.LatSpacing = d.LatSpacingSec;
        d.LonWest = d.LonWestSec;
        d.LonEast = d.LonEastSec;
        d.LonSpacing = d.LonSpacingSec;
        d.FrameWest = d.FrameWestSec;
        d.FrameEast = d.FrameEastSec;

        d.LatNorthText = d.UtmText[5];
        d.LatSouthText = d.UtmText[6];
        d.LatSpacingText = d.UtmText[7];
        d.LonWestText = d.UtmText[8];
        d.LonEastText = d.UtmText[9];
        d.LonSpacingText = d.UtmText[10];
    } catch (const RuntimeError& e) {
        ShowProcError("CalcUtmGrid", e.what());
        // Nothing was stored, so the dialog must not accept its texts.
        d.CalcError = true;
    }
}

}  // namespace tlrx
