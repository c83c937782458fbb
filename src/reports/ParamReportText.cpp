#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <string>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/NumberText.h"
#include "core/ProjectionTable.h"
#include "core/ScaleErrors.h"
#include "platform/Host.h"
#include "plot/PlotState.h"
#include "reports/NumberMask.h"
#include "reports/ReportBuilder.h"
#include "reports/ReportTexts.h"

namespace tlrx {

namespace {

constexpr double kKmPerNauticalMile = 1.8532488;
constexpr double kStatuteMilesPerKm = 0.621371192;
constexpr int kMaxScaleRows = 14;

std::string Blanks(size_t n) { return std::string(n, ' '); }

// Characters first..last (1-based, inclusive) of text; what lies beyond its
// end is left out.
std::string Cols(const std::string& text, size_t first, size_t last) {
    if (first > text.size()) return {};
    return text.substr(first - 1, last - first + 1);
}
std::string LastChars(const std::string& text, size_t n) {
    return text.size() <= n ? text : text.substr(text.size() - n);
}

// The display forms of the dialog texts: one blank between the groups.
std::string LatForm(const std::string& t) {
    return Cols(t, 1, 2) + " " + Cols(t, 7, 8) + " " + Cols(t, 13, 14) + " " + LastChars(t, 1);
}
std::string LonForm(const std::string& t) {
    return Cols(t, 1, 3) + " " + Cols(t, 8, 9) + " " + Cols(t, 14, 15) + " " + LastChars(t, 1);
}
std::string ArcForm(const std::string& t) { return Cols(t, 1, 3) + " " + Cols(t, 8, 9) + " " + LastChars(t, 2); }

class ParamReport {
public:
    ParamReport() : d_(Design()) {}
    ReportModel Build();

private:
    int32_t R(std::string_view text) const { return RoundTwips(b_.W(text)); }
    // The stop of a label column: the widest label with two trailing blanks.
    int32_t LabelStop(std::initializer_list<std::string_view> labels) const;
    void Tabs(std::vector<int32_t> tabs) { b_.SetTabs(std::move(tabs)); }
    void Normal(const std::string& s) { b_.Append(RunStyle::Normal, s); }
    void Hidden(const std::string& s) { b_.Append(RunStyle::Hidden, s); }
    // A label, the hidden tab and "0", then a two-digit latitude.
    void LatAfterHiddenZero(const std::string& label, const std::string& rest) {
        Normal(label);
        Hidden("\t0");
        Normal(rest);
    }

    void MapCoordinates();
    void Geographic();
    void Utm();
    void Azimuthal();
    void Interruptions();
    void Transformed();
    void ScaleErrors();
    void SampleScaleErrors();
    void GreatCircle();
    void SmallCircle();
    void MapFiles();
    void DesignFile();
    void PixelSize();
    // Three length texts trimmed together (km, statute, nautical).
    static void TrimLengths(std::string& km, std::string& sm, std::string& nm, size_t limit);
    void LengthLines(const std::string& prefix, const std::string& arc, const std::string& km, const std::string& sm,
                     const std::string& nm);

    DesignState& d_;
    ReportBuilder b_;
};

int32_t ParamReport::LabelStop(std::initializer_list<std::string_view> labels) const {
    std::vector<int32_t> widths;
    for (const std::string_view l : labels) widths.push_back(R(std::string(l) + " "));
    size_t pick = 0;
    if (widths.size() == 2) {
        pick = widths[0] > widths[1] ? 0 : 1;
    } else {
        const int32_t widest = *std::max_element(widths.begin(), widths.end());
        pick = static_cast<size_t>(std::find(widths.begin(), widths.end(), widest) - widths.begin());
    }
    return R(std::string(labels.begin()[pick]) + "  ");
}

ReportModel ParamReport::Build() {
    d_.ScaleErrLatText.assign(kMaxScaleRows + 1, {});
    d_.ScaleErrLonText.assign(kMaxScaleRows + 1, {});
    d_.ScaleErrMeridian.assign(kMaxScaleRows + 1, {});
    d_.ScaleErrParallel.assign(kMaxScaleRows + 1, {});
    d_.ScaleErrArea.assign(kMaxScaleRows + 1, {});
    d_.ScaleErrNote.assign(3, {});

    b_.Append(RunStyle::Bold, "Tellurax Version " + d_.VersionString + " Parameter Report\r\n\r\n");
    const size_t gridStart = d_.GridTypeText.find_first_not_of(' ');
    Normal("Projection Type: " + d_.ProjName + "\r\n\r\nGrid Type: " +
           (gridStart == std::string::npos ? std::string() : d_.GridTypeText.substr(gridStart)) + "\r\n\r\n");
    d_.RptWidth =
        ReportWidthOf(b_.W("Southernmost Latitude:  090 00 00 S" + Blanks(7) + "Westernmost Longitude:  180 00 00 W"));

    MapCoordinates();
    if (IsInterrupted(d_.ProjCode)) Interruptions();
    else Transformed();
    ScaleErrors();
    if (d_.GcDefined) GreatCircle();
    if (d_.ScDefined) SmallCircle();
    MapFiles();
    DesignFile();
    PixelSize();
    return b_.Take();
}

void ParamReport::MapCoordinates() {
    b_.Header(" Map Coordinates ", "\r\n\r\n");
    switch (FamilyOf(d_.ProjCode)) {
    case ProjFamily::Cylindrical:
    case ProjFamily::World:
    case ProjFamily::Conic: Geographic(); break;
    case ProjFamily::Utm: Utm(); break;
    case ProjFamily::Azimuthal: Azimuthal(); break;
    default: break;
    }
}

void ParamReport::Geographic() {
    const int32_t t0 = LabelStop({"Northernmost Latitude:", "Southernmost Latitude:"});
    const int32_t t1 = t0 + R("000 00 00 N") + R(Blanks(7));
    const int32_t t2 = t1 + LabelStop({"Westernmost Longitude:", "Easternmost Longitude:"});
    Tabs({t0, t1, t2});
    LatAfterHiddenZero("Northernmost Latitude:",
                       d_.LatNorthText + "\tWesternmost Longitude:\t" + d_.LonWestText + "\r\n");
    LatAfterHiddenZero("Southernmost Latitude:",
                       d_.LatSouthText + "\tEasternmost Longitude:\t" + d_.LonEastText + "\r\n");
    Normal("Latitude Spacing:\t" + d_.LatSpacingText + "\tLongitude Spacing:\t" + d_.LonSpacingText + "\r\n\r\n");
    const bool stdPar = StdParallelCount(d_.ProjCode) > 0;
    if (stdPar) {
        LatAfterHiddenZero("Central Latitude:", d_.CentLatText + "\tNorthern Std Parallel:");
        Hidden("\t0");
        Normal(LatForm(d_.StdParNorthText) + "\r\n");
        Normal("Central Longitude:\t" + d_.CentLonText + "\tSouthern Std Parallel:");
        Hidden("\t0");
        Normal(LatForm(d_.StdParSouthText) + "\r\n\r\n");
    } else {
        LatAfterHiddenZero("Central Latitude:", d_.CentLatText + "\r\n");
        Normal("Central Longitude:\t" + d_.CentLonText + "\r\n\r\n");
    }
}

void ParamReport::Utm() {
    const auto value = [this](size_t k, std::string_view mask) {
        return FormatMask(LeadingNumber(d_.UtmText[k]), mask);
    };
    const int32_t t0 = LabelStop({"Northern Boundary (m):", "Southern Boundary (m):"});
    const int32_t t1 = t0 + R("00,000,000") + R(Blanks(7));
    const int32_t t2 = t1 + LabelStop({"Western Boundary (m):", "Eastern Boundary (m):", "Latitude of Map Origin:"});
    Tabs({t0, t1, t2});
    const std::string invF = d_.UtmFlattening != 0 ? FormatMask(1 / d_.UtmFlattening, "###.0000") : std::string();
    Normal("Spheroid: " + d_.UtmSpheroidName + Blanks(10) +
           "Eq Radius (m): " + FormatMask(d_.UtmSemiMajorAxis, "#,###,###") + Blanks(10) + "1/F: " + invF + "\r\n\r\n");
    Normal("Scale Factor of Central Longitude: " + WithUserSeparators(d_.UtmText[4]) + "\r\n\r\n");
    Normal("Northern Boundary (m):\t" + value(5, "00,000,000") + "\tWestern Boundary (m):\t" + value(8, "0,000,000") +
           "\r\n");
    Normal("Southern Boundary (m):\t" + value(6, "00,000,000") + "\tEastern Boundary (m):\t" + value(9, "0,000,000") +
           "\r\n");
    Normal("Grid Spacing (m):\t" + value(7, "00,000,000") + "\tGrid Spacing (m):\t" + value(10, "0,000,000") +
           "\r\n\r\n");
    LatAfterHiddenZero("False Easting (m):",
                       value(2, "0,000,000") + "\tCentral Longitude:\t" + LonForm(d_.UtmText[0]) + "\r\n");
    Normal("False Northing (m):\t" + value(3, "00,000,000") + "\tLatitude of Map Origin:");
    Hidden("\t0");
    Normal(LatForm(d_.UtmText[1]) + "\r\n\r\n");
}

void ParamReport::LengthLines(const std::string& prefix, const std::string& arc, const std::string& km,
                              const std::string& sm, const std::string& nm) {
    Normal(prefix + "(deg min sec):\t" + arc + "\r\n");
    Hidden(prefix);
    Normal("(kilometers):\t" + km + "\r\n");
    Hidden(prefix);
    Normal("(statute miles):\t" + sm + "\r\n");
    Hidden(prefix);
    Normal("(nautical miles):\t" + nm + "\r\n\r\n");
}

void ParamReport::Azimuthal() {
    if (HasTrait(d_.ProjCode, kViewpoint)) {
        const std::string prefix = "Distance above earth's surface ";
        Tabs({LabelStop(
            {"Distance above earth's surface (kilometers):", "Distance above earth's surface (statute miles):",
             "Distance above earth's surface (nautical miles):"})});
        Normal(prefix + "(kilometers):\t" + FormatMask(d_.VpDistanceKm, "##,###,###") + "\r\n");
        Hidden(prefix);
        Normal("(statute miles):\t" + FormatMask(d_.VpDistanceKm * kStatuteMilesPerKm, "##,###,###") + "\r\n");
        Hidden(prefix);
        Normal("(nautical miles):\t" + FormatMask(d_.VpDistanceKm / kKmPerNauticalMile, "##,###,###") + "\r\n\r\n");
    }
    const int32_t t0 = LabelStop({"Range of Projection:", "Central Latitude:", "Central Longitude:"});
    const int32_t t1 = t0 + R("000 00 00 N") + R(Blanks(7));
    const int32_t t2 = t1 + LabelStop({"Latitude Spacing:", "Longitude Spacing:"});
    Tabs({t0, t1, t2});
    std::string range;
    DegMinSec(d_.SecPerDeg != 0 ? double(d_.AzRangeSec) / d_.SecPerDeg : 0.0, range, "LON", 1);
    if (range.size() >= 2) range.resize(range.size() - 2);
    Normal("Range of Projection:\t" + range + "\r\n\r\n");
    LatAfterHiddenZero("Central Latitude:", d_.CentLatText + "\tLatitude Spacing:\t" + d_.LatSpacingText + "\r\n");
    Normal("Central Longitude:\t" + d_.CentLonText + "\tLongitude Spacing:\t" + d_.LonSpacingText + "\r\n\r\n");
}

void ParamReport::Interruptions() {
    b_.Header(" Longitude Interruptions ", "\r\n\r\n");
    const int32_t t0 = LabelStop({"Northern Hemisphere:", "Southern Hemisphere:"});
    const int32_t t1 = t0 + R("000 00 00 W") + R(Blanks(5));
    const int32_t t2 = t1 + R("000 00 00 W") + R(Blanks(5));
    Tabs({t0, t1, t2});
    // The dialog allows 0 to 3 interruptions a hemisphere; a damaged design
    // can hold more, which are left out.
    const auto count = [](const std::string& text) {
        return std::clamp(static_cast<int>(std::nearbyint(LeadingNumber(text))), 0, 3);
    };
    const int n = count(d_.InterruptText[0]);
    const int s = count(d_.InterruptText[1]);
    std::string north = "Northern Hemisphere:";
    if (n == 0) north += "None";
    for (int i = 1; i <= n; ++i) north += "\t" + LonForm(d_.LobeEdgeText[size_t(i)]);
    Normal(north + "\r\n");
    std::string south = "Southern Hemisphere:";
    if (s == 0) south += "None";
    for (int i = 3 + n; i <= 3 + n + s - 1; ++i) south += "\t" + LonForm(d_.LobeEdgeText[size_t(i)]);
    Normal(south + "\r\n\r\n");
}

// Brings a maximum and a minimum text to equal lengths; true when the pair
// straddles zero.
bool EqualLengths(double max, double min, std::string& a, std::string& b) {
    if (max >= 0 && min >= 0) {
        if (b.size() < a.size()) b.insert(0, a.size() - b.size(), '0');
    } else if (max < 0 && min < 0) {
        if (a.size() < b.size()) a.insert(1, b.size() - a.size(), '0');
    } else if (max > 0 && min < 0) {
        const std::string bare = b.substr(1);
        if (a.size() >= bare.size()) b = "-" + std::string(a.size() - bare.size(), '0') + bare;
        else a.insert(0, bare.size() - a.size(), '0');
        return true;
    }
    return false;
}

void ParamReport::Transformed() {
    b_.Header(" Transformed x,y Map Coordinates ", "\r\n");
    const char* mask = FamilyOf(d_.ProjCode) == ProjFamily::Utm ? "0,000,000" : "#########0.0000";
    std::string a = FormatMask(d_.MapXMax, mask), bx = FormatMask(d_.MapXMin, mask);
    std::string c = FormatMask(d_.MapYMax, mask), dy = FormatMask(d_.MapYMin, mask);
    const bool xStraddles = EqualLengths(d_.MapXMax, d_.MapXMin, a, bx);
    const bool yStraddles = EqualLengths(d_.MapYMax, d_.MapYMin, c, dy);
    const std::string rx = FormatMask(d_.RelMapWidth, "0.0000000");
    const double xRange = d_.MapXMax - d_.MapXMin;
    const std::string ry =
        FormatMask(xRange != 0 ? (d_.MapYMax - d_.MapYMin) * d_.RelMapWidth / xRange : 0.0, "#########0.0000000");
    const std::string pad(ry.size() > rx.size() ? ry.size() - rx.size() : 0, '0');

    const int32_t t0 = LabelStop({"Max x:", "Min x:"});
    const int32_t t1 = t0 + R(bx) + R(Blanks(7));
    const int32_t t2 = t1 + LabelStop({"Max y:", "Min y:"});
    const int32_t t3 = t2 + R(dy) + R(Blanks(14));
    const int32_t t4 =
        t3 + (R("x-axis Length: ") > R("y-axis Length: ") ? R("x-axis Length:  ") : R("y-axis Length: "));
    Tabs({t3});
    b_.Append(RunStyle::Bold, "Absolute Values\tRelative Axis Length\r\n\r\n");
    const int32_t dash = R("-");
    Tabs({xStraddles ? t0 + dash : t0, t1, yStraddles ? t2 + dash : t2, t3, t4});
    Normal("Max x:");
    Normal("\t" + a);
    Normal("\tMax y:");
    Normal("\t" + c);
    Normal("\tx-axis Length:");
    Hidden("\t" + pad);
    Normal(rx + "\r\n");
    Tabs({t0, t1, t2, t3, t4});
    Normal("Min x:");
    Normal("\t" + bx);
    Normal("\tMin y:");
    Normal("\t" + dy);
    Normal("\ty-axis Length:");
    Hidden("\t");
    Normal(ry + "\r\n\r\n");
}

void ParamReport::SampleScaleErrors() {
    DesignState& d = d_;
    d.ScaleErrRow = 0;
    const auto sample = [&d](double lat, double lon) {
        if (d.ScaleErrRow >= kMaxScaleRows) return;
        ++d.ScaleErrRow;
        d.ScaleErrLat = lat;
        d.ScaleErrLon = lon;
        DistErrSelect();
    };
    // Latitudes from lo up to hi in steps of s.
    const auto walk = [&sample](double lo, double hi, double s, double lon) {
        if (!(s > 0)) return;
        double lat = lo - s;
        while (lat < hi - 0.00006) {
            lat += s;
            sample(lat, lon);
        }
    };
    const double north = d.LatNorth, south = d.LatSouth;
    switch (FamilyOf(d.ProjCode)) {
    case ProjFamily::Utm: {
        const bool fine = d.NumLonDivisions < 14;
        const int n = fine ? d.NumLonDivisions : 10;
        const double step = fine ? d.LonSpacing : std::fabs(d.FrameEast - d.FrameWest) / 10;
        const double lat = d.CentLat * d.DegToRad + ((north + south) / 2 - d.UtmFalseNorthing) /
                                                        (d.UtmSemiMajorAxis != 0 ? d.UtmSemiMajorAxis : 1);
        for (int i = 0; i <= n; ++i) sample(lat, d.FrameWest + i * step - d.UtmFalseEasting);
        break;
    }
    case ProjFamily::World: {
        if (IsInterrupted(d.ProjCode)) break;  // no scale errors
        const auto sign = [](double v) { return (v > 0) - (v < 0); };
        for (const double lon :
             {d.FrameEast, d.CentralMeridian + (d.CentralMeridian - d.FrameWest) / 2, d.CentralMeridian}) {
            double lo = south, hi = north, s = std::fabs(north - south) / 3;
            if (sign(north) != sign(south)) {
                if (std::fabs(south) <= std::fabs(north)) {
                    lo = 0;
                    s = std::fabs(north) / 3;
                } else {
                    hi = 0;
                    s = std::fabs(south) / 3;
                }
            }
            walk(lo, hi, s, lon);
        }
        break;
    }
    case ProjFamily::Cylindrical:
        if (d.NumLatDivisions < 14) {
            walk(south, north, d.LatSpacing, d.CentLon);
        } else if ((north >= 0) == (south >= 0) || north == 0 || south == 0) {
            walk(south, north, std::fabs(north - south) / 10, d.CentLon);
        } else {
            const bool northern = std::fabs(south) <= std::fabs(north);
            const double edge = northern ? north : south;
            const int32_t edgeSec = std::abs(northern ? d.LatNorthSec : d.LatSouthSec);
            const bool onGrid = d.LatSpacingSec != 0 && edgeSec % d.LatSpacingSec == 0 && d.LatSpacing != 0 &&
                                std::fabs(edge / d.LatSpacing) <= 13;
            const double s = onGrid ? d.LatSpacing : std::fabs(edge / 10);
            if (northern) walk(0, edge, s, d.CentLon);
            else walk(edge, 0, s, d.CentLon);
        }
        break;
    case ProjFamily::Conic:
        walk(south, north, d.NumLatDivisions > 13 ? std::fabs(north - south) / 10 : d.LatSpacing, d.CentLon);
        break;
    case ProjFamily::Azimuthal: {
        int n = d.LatSpacingSec > 0 ? d.AzRangeSec / d.LatSpacingSec + 1 : 0;
        double s = d.LatSpacing;
        if (n > 13) {
            n = 11;
            s = double(d.AzRangeSec) / d.SecPerDeg / 10;
        }
        if (d.CentLat == 90) s = -s;
        for (int r = 1; r <= n; ++r) {
            double lat = d.CentLat + (r - 1) * s;
            if (r == n && d.AzRangeSec == d.ArcSec180 && lat != -d.CentLat) lat = -d.CentLat;
            double lon = d.CentLon;
            if (lat > 90.00006) {
                lat = 180 - lat;
                lon = d.CentLon > 0 ? d.CentLon - 180 : d.CentLon + 180;
            }
            sample(lat, lon);
        }
        break;
    }
    default: break;
    }
}

void ParamReport::ScaleErrors() {
    b_.Header(" Scale Errors ", "\r\n\r\n");
    if (IsInterrupted(d_.ProjCode)) {
        Normal(
            "The scale is true along latitudes 40\u00B044' North and South.  The scale is constant\r\n"
            "along parallels, symmetrical about the equator, and symmetrical about the central\r\n"
            "meridian of each lobe.\r\n"
            "\r\n"
            "Scale errors may differ for each lobe of the interrupted projection.  To determine\r\n"
            "scale errors for a particular lobe; draw a Normal Mollweide projection; and set\r\n"
            "the latitude, longitude boundaries of the map to the latitude, longitude limits of\r\n"
            "the lobe of interest.  The Parameter Report for the Normal Mollweide projection\r\n"
            "will list scale errors for the lobe of interest.\r\n"
            "\r\n");
        return;
    }
    SampleScaleErrors();
    Normal(d_.ScaleErrNote[1] + "\r\n" + d_.ScaleErrNote[2] + "\r\n\r\n");
    const int32_t t0 = R("00" + Blanks(4));
    const int32_t t1 = t0 + R("00 00 00 S" + Blanks(3));
    const int32_t t2 = t1 + R("000 00 00 W" + Blanks(7));
    const int32_t ratio = R("0.0000E+00" + Blanks(4));
    Tabs({t0, t1, t2, t2 + ratio, t2 + 2 * ratio});
    const bool utm = FamilyOf(d_.ProjCode) == ProjFamily::Utm;
    const std::string lat = utm ? "Northing" : "Latitude", lon = utm ? "Easting" : "Longitude";
    b_.Append(RunStyle::Bold, "\t\t\tRatio (map value/true value)\r\n#\t" + lat + "\t" + lon + "\t" + lat + "\t" + lon +
                                  "\tArea\r\n\r\n");
    const bool world = FamilyOf(d_.ProjCode) == ProjFamily::World;
    for (int r = 1; r <= d_.ScaleErrRow && r <= kMaxScaleRows; ++r) {
        const size_t i = size_t(r);
        // The computed texts hold "," and "." as the masks do.
        Normal((world && (r == 5 || r == 9) ? "\r\n" : "") + FormatMask(r, "00") + "\t" +
               WithUserSeparators(d_.ScaleErrLatText[i]) + "\t" + WithUserSeparators(d_.ScaleErrLonText[i]) + "\t" +
               WithUserSeparators(d_.ScaleErrMeridian[i]) + "\t" + WithUserSeparators(d_.ScaleErrParallel[i]) + "\t" +
               WithUserSeparators(d_.ScaleErrArea[i]) + "\r\n");
    }
    Normal("\r\n");
}

void ParamReport::TrimLengths(std::string& km, std::string& sm, std::string& nm, size_t limit) {
    const char g = km.size() >= 3 ? km[2] : '\0';
    while (!km.empty() && ((km[0] == '0' && km.size() > limit) || km[0] == g)) {
        km.erase(0, 1);
        if (!sm.empty()) sm.erase(0, 1);
        if (!nm.empty()) nm.erase(0, 1);
    }
}

void ParamReport::GreatCircle() {
    b_.Header(" Great Circle Information ", "\r\n\r\n");
    const int32_t t0 = LabelStop({"Starting latitude:", "Starting longitude:"});
    const int32_t t1 = t0 + R("000 00 00 W") + R(Blanks(10));
    const int32_t t2 = t1 + LabelStop({"Ending latitude:", "Ending longitude:"});
    Tabs({t0, t1, t2});
    LatAfterHiddenZero("Starting latitude:", LatForm(d_.GcEndText[0]) + "\tEnding latitude:");
    Hidden("\t0");
    Normal(LatForm(d_.GcEndText[2]) + "\r\n");
    Normal("Starting longitude:\t" + LonForm(d_.GcEndText[1]) + "\tEnding longitude:\t" + LonForm(d_.GcEndText[3]) +
           "\r\n\r\n");
    Tabs({LabelStop({"Length of great circle (deg min sec):", "Length of great circle (kilometers):",
                     "Length of great circle (statute miles):", "Length of great circle (nautical miles):"})});
    const double length = d_.GcLast >= 0 && size_t(d_.GcLast) < d_.GcDist.size() ? d_.GcDist[size_t(d_.GcLast)] : 0.0;
    std::string km = FormatMask(kKmPerNauticalMile * length, "00,000");
    std::string sm = FormatMask(kStatuteMilesPerKm * kKmPerNauticalMile * length, "00,000");
    std::string nm = FormatMask(length, "00,000");
    TrimLengths(km, sm, nm, 1);
    std::string arc;
    DegMinSec(d_.MinPerDeg != 0 ? length / d_.MinPerDeg : 0.0, arc, "ARC", 1);
    LengthLines("Length of great circle ", arc, km, sm, nm);
}

void ParamReport::SmallCircle() {
    b_.Header(" Small Circle Information ", "\r\n\r\n");
    Tabs({LabelStop({"Latitude of circle center:", "Longitude of circle center:"})});
    LatAfterHiddenZero("Latitude of circle center:", LatForm(d_.ScText[0]) + "\r\n");
    Normal("Longitude of circle center:\t" + LonForm(d_.ScText[1]) + "\r\n\r\n");
    Tabs({R("Number of concentric circles:  ")});
    Normal("Number of concentric circles:\t" + std::to_string(d_.ScCount) + "\r\n\r\n");
    Tabs({LabelStop({"Radius of outer circle (deg min sec):", "Radius of outer circle (kilometers):",
                     "Radius of outer circle (statute miles):", "Radius of outer circle (nautical miles):"})});
    const double radius = 60 * d_.ScRadius;
    std::string km = FormatMask(kKmPerNauticalMile * radius, "00,000.0");
    std::string sm = FormatMask(kStatuteMilesPerKm * kKmPerNauticalMile * radius, "00,000.0");
    std::string nm = FormatMask(radius, "00,000.0");
    TrimLengths(km, sm, nm, 3);
    LengthLines("Radius of outer circle ", ArcForm(d_.ScText[2]), km, sm, nm);
}

void ParamReport::MapFiles() {
    b_.Header(" List of Digital Map Files ", "\r\n\r\n");
    std::string text;
    if (d_.MaxInputFile() <= 0 || d_.NumInputFiles <= 0) {
        text = "There are no digital map input files!\r\n";
    } else {
        for (int i = 1; i <= d_.NumInputFiles && i <= d_.MaxInputFile(); ++i) text += d_.InputFileName(i) + "\r\n";
    }
    Normal(text + "\r\n");
}

void ParamReport::DesignFile() {
    b_.Header(" Name of Map Design Configuration File ", "\r\n\r\n");
    const std::string& name = Plot().CnfFileName;
    Normal((name.empty() ? std::string("No map design CNF file has been loaded!") : name) + "\r\n\r\n");
}

// A single-precision number as general text: no blanks, no decimals when whole.
std::string GeneralText(float v) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, double(v), std::chars_format::general, 7).ptr;
    return WithUserSeparators(std::string_view(buf, static_cast<size_t>(end - buf)));
}

void ParamReport::PixelSize() {
    b_.Header(" x, y Pixel Size of Map Drawing Area ", "\r\n\r\n");
    Tabs({LabelStop({"Horizontal pixel size:", "Vertical pixel size:"})});
    const Host& window = MainWindow();
    const float tx = d_.TwipsPerPixelX > 0 ? d_.TwipsPerPixelX : 15.0f;
    const float ty = d_.TwipsPerPixelY > 0 ? d_.TwipsPerPixelY : 15.0f;
    const std::string h = GeneralText(window.ScaleWidth() / tx);
    const std::string v = GeneralText(window.ScaleHeight() / ty);
    const std::string hz(v.size() > h.size() ? v.size() - h.size() : 0, '0');
    const std::string vz(h.size() > v.size() ? h.size() - v.size() : 0, '0');
    Normal("Horizontal pixel size:");
    Hidden("\t" + hz);
    Normal(h + "\r\n");
    Normal("Vertical pixel size:");
    Hidden("\t" + vz);
    Normal(v + "\r\n");
}

}  // namespace

ReportModel BuildParamReport() { return ParamReport().Build(); }

}  // namespace tlrx
