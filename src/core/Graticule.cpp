#include "core/Graticule.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/DialogFields.h"
#include "core/Errors.h"
#include "core/ProjectionTable.h"
#include "platform/MessageBox.h"

namespace tlrx {

namespace {

// The boundary dialogs and their fields.
constexpr std::string_view kBoundsForm = "LatLonBounds";
constexpr std::string_view kBoundsAzForm = "LatLonBoundsAz";
constexpr std::string_view kBoundsVpForm = "LatLonBoundsVp";

// The substring at 1-based position pos, len characters, cut to the text.
std::string_view Mid(std::string_view text, size_t pos, size_t len) {
    if (pos - 1 >= text.size()) return {};
    return text.substr(pos - 1, len);
}

std::string_view LastChar(std::string_view text) {
    return text.empty() ? std::string_view{} : text.substr(text.size() - 1);
}

std::string JoinGroups(std::initializer_list<std::string_view> groups) {
    std::string out;
    for (std::string_view g : groups) {
        if (!out.empty()) out += ' ';
        out += g;
    }
    return out;
}

// The longitude dialog text of a signed number of arc-seconds.
std::string LonDialogText(int32_t sec) {
    const int32_t a = std::abs(sec);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%03d    %02d    %02d    %c", a / 3600, a % 3600 / 60, a % 60, sec < 0 ? 'W' : 'E');
    return buf;
}

// One field restored on Cancel: the dialog field and the saved-text element.
struct Restore {
    std::string_view field;
    size_t element;
};

// A rejection: its box, the field Retry focuses and the fields Cancel restores.
struct Rejection {
    std::string_view title;
    std::string_view message;
    std::string_view form;
    std::string_view focusField;
    std::initializer_list<Restore> restores;
};

void Reject(const Rejection& r, const std::array<std::string, 10>& savedTexts) {
    const MsgAnswer answer = MsgBox(r.message, r.title, MsgButtons::RetryCancel, MsgIcon::Exclamation);
    if (DialogFields* fields = OpenDialogFields()) {
        if (answer == MsgAnswer::Retry) {
            fields->SetFocus(r.form, r.focusField);
        } else {
            for (const Restore& restore : r.restores)
                fields->SetText(r.form, restore.field, savedTexts[restore.element]);
        }
    }
    Design().CalcError = true;
}

constexpr std::string_view kLatitudeTitle = "Error: Latitude";
constexpr std::string_view kLatSpacingTitle = "Error: Degrees of latitude";
constexpr std::string_view kLonSpacingTitle = "Error: Degrees of longitude";
constexpr std::string_view kLongitudeTitle = "Error: Longitude";

constexpr std::string_view kNorthSouthOfSouth =
    "The NORTHERNMOST BOUNDARY of the grid is south of the SOUTHERNMOST BOUNDARY.";
constexpr std::string_view kNorthEqualsSouth = "The NORTHERNMOST and SOUTHERNMOST BOUNDARIES of the grid are equal.";
constexpr std::string_view kLatSpacingAz =
    "The DEGREES OF LATITUDE BETWEEN GRID MARKS must yield an integer when divided into 180 "
    "degrees.";
constexpr std::string_view kLatSpacing =
    "The DEGREES OF LATITUDE BETWEEN GRID MARKS do not yield an integral number of divisions "
    "along the latitude axis.";
constexpr std::string_view kLonSpacingAz =
    "The DEGREES OF LONGITUDE BETWEEN GRID MARKS must yield an integer when divided into 360 "
    "degrees.";
constexpr std::string_view kLonSpacing =
    "The DEGREES OF LONGITUDE BETWEEN GRID MARKS do not yield an integral number of divisions "
    "along the longitude axis.";
constexpr std::string_view kZeroRange =
    "Tellurax cannot plot a map in which the westernmost longitude is 180°E and the easternmost "
    "longitude is 180°W, since the longitude range of this map is zero.\n\n"
    "Try setting the westernmost longitude to 180°W and the easternmost longitude to 180°E.";

// Every MapBounds value CalcGraticule derives, gathered before any is stored.
struct BoundsValues {
    std::array<std::string, 10> texts;  // BoundsText as read, with the azimuthal rewrites
    int32_t CentLatSec = 0, CentLonSec = 0, AzRangeSec = 0;
    double VpDistanceKm = 0;
    int32_t LatNorthSec = 0, LatSouthSec = 0, LatSpacingSec = 0;
    int32_t LonWestSec = 0, LonEastSec = 0, LonSpacingSec = 0;
    int32_t FrameWestSec = 0, FrameEastSec = 0;
    int32_t LatRemainder = 0, LonRemainder = 0;
};

// Runs the checks in order; the first that applies shows its rejection and
// the result is false. True when every check passes.
bool Accepted(const BoundsValues& v, int16_t code, const std::array<std::string, 10>& savedTexts) {
    // The spacing checks address the projection's own dialog; the boundary
    // checks cannot apply to azimuthal maps, which lie between the poles.
    const bool az = IsAzimuthal(code);
    const std::string_view spacingForm = HasTrait(code, kViewpoint) ? kBoundsVpForm : az ? kBoundsAzForm : kBoundsForm;
    if (v.LatNorthSec < v.LatSouthSec) {
        Reject({kLatitudeTitle, kNorthSouthOfSouth, kBoundsForm, "LatN", {{"LatN", 0}, {"LatS", 1}}}, savedTexts);
    } else if (v.LatNorthSec == v.LatSouthSec) {
        Reject({kLatitudeTitle, kNorthEqualsSouth, kBoundsForm, "LatN", {{"LatN", 0}, {"LatS", 1}}}, savedTexts);
    } else if (v.LatRemainder != 0) {
        Reject({kLatSpacingTitle, az ? kLatSpacingAz : kLatSpacing, spacingForm, "LatGr", {{"LatGr", 2}}}, savedTexts);
    } else if (v.LonRemainder != 0) {
        Reject({kLonSpacingTitle, az ? kLonSpacingAz : kLonSpacing, spacingForm, "LonGr", {{"LonGr", 5}}}, savedTexts);
    } else if (v.LonEastSec == -Design().ArcSec180 && v.LonWestSec == Design().ArcSec180) {
        Reject({kLongitudeTitle, kZeroRange, kBoundsForm, "LonW", {{"LonW", 3}, {"LonE", 4}}}, savedTexts);
    } else {
        return true;
    }
    return false;
}

// The values of the boundary texts: an azimuthal map reaches from pole to
// pole with its boundaries opposite the centre; the frame and the grid
// remainders the checks test.
BoundsValues ReadValues(int16_t code) {
    const DesignState& d = Design();
    BoundsValues v;
    v.texts = d.BoundsText;
    std::array<std::string, 10>& t = v.texts;
    v.CentLatSec = LatTextToSec(t[6]);
    v.CentLonSec = LonTextToSec(t[7]);
    v.AzRangeSec = ArcTextToSec(t[8]);
    v.VpDistanceKm = DmsFieldValue(t[9], 1, static_cast<int>(t[9].size()));
    v.LatNorthSec = LatTextToSec(t[0]);
    v.LatSouthSec = LatTextToSec(t[1]);
    v.LatSpacingSec = ArcTextToSec(t[2]);
    v.LonWestSec = LonTextToSec(t[3]);
    v.LonEastSec = LonTextToSec(t[4]);
    v.LonSpacingSec = ArcTextToSec(t[5]);

    if (IsAzimuthal(code)) {
        t[0] = "90    00    00    N";
        t[1] = "90    00    00    S";
        v.LatNorthSec = LatTextToSec(t[0]);
        v.LatSouthSec = LatTextToSec(t[1]);
        // The boundaries lie opposite the centre: east in (-180, 180],
        // west in [-180, 180).
        v.LonEastSec = v.CentLonSec + d.ArcSec180;
        if (v.LonEastSec > d.ArcSec180) v.LonEastSec -= d.ArcSec360;
        v.LonWestSec = v.CentLonSec - d.ArcSec180;
        if (v.LonWestSec < -d.ArcSec180) v.LonWestSec += d.ArcSec360;
        t[4] = LonDialogText(v.LonEastSec);
        t[3] = LonDialogText(v.LonWestSec);
    }

    v.FrameWestSec = 0;
    v.FrameEastSec = FrameSpanSec(v.LonWestSec, v.LonEastSec);

    if (v.LatSpacingSec == 0 || v.LonSpacingSec == 0) Raise(kDivisionByZero);
    v.LatRemainder = static_cast<int32_t>(std::llabs(int64_t{v.LatNorthSec} - v.LatSouthSec) % v.LatSpacingSec);
    v.LonRemainder = static_cast<int32_t>(std::llabs(int64_t{v.FrameEastSec} - v.FrameWestSec) % v.LonSpacingSec);
    return v;
}

// Stores the accepted values and everything derived from them.
void StoreValues(const BoundsValues& v, int16_t code) {
    DesignState& d = Design();
    const double secPerDeg = d.SecPerDeg;

    // Everything that can fail is formed before the first field is written.
    const int32_t numLat = ToInt32(std::fabs(double(v.LatNorthSec) - v.LatSouthSec) / v.LatSpacingSec);
    const int32_t numLon = ToInt32(std::fabs(double(v.FrameEastSec) - v.FrameWestSec) / v.LonSpacingSec);

    if (IsAzimuthal(code)) {
        for (size_t i : {0, 1, 3, 4}) d.BoundsText[i] = v.texts[i];
    }
    d.CentLatSec = v.CentLatSec;
    d.CentLonSec = v.CentLonSec;
    d.AzRangeSec = v.AzRangeSec;
    d.VpDistanceKm = v.VpDistanceKm;
    d.LatNorthSec = v.LatNorthSec;
    d.LatSouthSec = v.LatSouthSec;
    d.LatSpacingSec = v.LatSpacingSec;
    d.LonWestSec = v.LonWestSec;
    d.LonEastSec = v.LonEastSec;
    d.LonSpacingSec = v.LonSpacingSec;
    d.FrameWestSec = v.FrameWestSec;
    d.FrameEastSec = v.FrameEastSec;
    d.NumLatDivisions = numLat;
    d.NumLonDivisions = numLon;

    DeriveDegrees(d);

    d.LatNorthText = LatDisplayText(v.texts[0]);
    d.LatSouthText = LatDisplayText(v.texts[1]);
    d.LatSpacingText = ArcDisplayText(v.texts[2]);
    d.LonWestText = LonDisplayText(v.texts[3]);
    d.LonEastText = LonDisplayText(v.texts[4]);
    d.LonSpacingText = ArcDisplayText(v.texts[5]);

    if (IsAzimuthal(code)) {
        d.CentLat = d.CentLatSec / secPerDeg;
        d.CentLatRad = d.CentLat * d.DegToRad;
        d.CosCentLat = std::cos(d.CentLatRad);
        d.SinCentLat = std::sin(d.CentLatRad);
        d.CentLon = d.CentLonSec / secPerDeg;
        d.CosAzRange = std::cos(d.AzRangeSec * d.DegToRad / secPerDeg);
    } else {
        d.CentLat = d.LatNorth - (d.LatNorth - d.LatSouth) / 2;
        d.CentLon = FrameCentreLon(d.LonWest, d.LonEast, d.FrameWest, d.FrameEast);
    }
    DegMinSec(d.CentLat, d.CentLatText, "LAT", 1);
    DegMinSec(d.CentLon, d.CentLonText, "LON", 1);
}

}  // namespace

int32_t FrameSpanSec(int32_t westSec, int32_t eastSec) {
    const int32_t fullTurn = Design().ArcSec360;
    if (westSec == eastSec) return fullTurn;
    if (westSec > eastSec) return fullTurn - westSec + eastSec;
    return eastSec - westSec;
}

std::string LatDisplayText(std::string_view t) {
    return JoinGroups({Mid(t, 1, 2), Mid(t, 7, 2), Mid(t, 13, 2), LastChar(t)});
}

std::string LonDisplayText(std::string_view t) {
    return JoinGroups({Mid(t, 1, 3), Mid(t, 8, 2), Mid(t, 14, 2), LastChar(t)});
}

std::string ArcDisplayText(std::string_view t) { return JoinGroups({Mid(t, 1, 3), Mid(t, 8, 2), Mid(t, 14, 2)}); }

void DeriveDegrees(DesignState& d) {
    const double secPerDeg = d.SecPerDeg;
    d.LatSpacing = d.LatSpacingSec / secPerDeg;
    d.LatNorth = d.LatNorthSec / secPerDeg;
    d.LatSouth = d.LatSouthSec / secPerDeg;
    d.LonSpacing = d.LonSpacingSec / secPerDeg;
    d.LonWest = d.LonWestSec / secPerDeg;
    d.LonEast = d.LonEastSec / secPerDeg;
    d.FrameEast = d.FrameEastSec / secPerDeg;
    d.FrameWest = d.FrameWestSec / secPerDeg;
    d.CentralMeridian = (d.FrameEast + d.FrameWest) / 2;
}

double FrameCentreLon(double lonWest, double lonEast, double frameWest, double frameEast) {
    const double halfFrame = (frameEast - frameWest) / 2;
    const double centre = halfFrame + lonWest;
    return centre > 180 ? lonEast - halfFrame : centre;
}

void ConstantGrid() {
    try {
        DesignState& d = Design();
        d.BoundsText[0] = "90    00    00    N";
        d.BoundsText[1] = "90    00    00    S";
        d.BoundsText[2] = "030    00    00";
        d.BoundsText[3] = "180    00    00    W";
        d.BoundsText[4] = "180    00    00    E";
        d.BoundsText[5] = "045    00    00";
        d.BoundsText[6] = "40    00    00    N";
        d.BoundsText[7] = "000    00    00    W";
        d.BoundsText[8] = "180    00    00";
        if (!Item(d.ProjDefined, int{ProjVerticalPerspective})) d.BoundsText[9] = "00035840";
    } catch (const RuntimeError& e) {
        ShowProcError("ConstantGrid", e.what());
    }
}

void CalcGraticule(const std::array<std::string, 10>& savedTexts) {
    DesignState& d = Design();
    // The verdict is this call's alone: a flag left set by the last projected
    // point must not turn valid boundaries into a silent rejection.
    d.CalcError = false;
    try {
        const int16_t code = d.ProjCode;
        const BoundsValues v = ReadValues(code);
        if (!Accepted(v, code, savedTexts)) return;
        StoreValues(v, code);
    } catch (const RuntimeError& e) {
        ShowProcError("CalcGraticule", e.what());
        // Nothing was stored, so the dialog must not accept its texts.
        d.CalcError = true;
    }
}

}  // namespace tlrx
