#pragma once
// What the readers of version 2 and version 1 design files share: list input
// that names the line and the field of a fault, and small conversions.
// Used by CnfVersion2.cpp and CnfVersion1.cpp only.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/SharedRoutines.h"
#include "designfile/CnfOld.h"
#include "plot/PlotState.h"
#include "plot/mapfiles/MapFeatureTables.h"
#include "plot/mapfiles/MapFileTypes.h"

namespace tlrx::oldcnf {

// List input that names the line and the field of a fault.
class OldInput {
public:
    explicit OldInput(ListInput& in) : in_(in) {}

    int16_t Integer(std::string what) {
        return Take(std::move(what), [&] { return in_.Integer(); });
    }
    int32_t Long(std::string what) {
        return Take(std::move(what), [&] { return in_.Long(); });
    }
    bool Flag(std::string what) { return Integer(std::move(what)) != 0; }
    float Single(std::string what) {
        return Take(std::move(what), [&] { return in_.Single(); });
    }
    double Double(std::string what) {
        return Take(std::move(what), [&] { return in_.Number(); });
    }
    std::string Text(std::string what) {
        return Take(std::move(what), [&] { return in_.Text(); });
    }
    // A number's text that a decimal-comma locale may have stored with a comma.
    std::string DecimalText(std::string what) {
        return Take(std::move(what), [&] { return in_.DecimalText(); });
    }
    // A whole line without its first and last characters: empty when it
    // has two or fewer; shorter tells whether it had fewer than two.
    std::string InnerLine(std::string what, bool& shorter) {
        std::optional<std::string> inner = WithoutEnds(Take(std::move(what), [&] { return in_.Line(); }));
        shorter = !inner;
        return inner ? std::move(*inner) : std::string();
    }
    // Runs a conversion of the field read last; its fault names that field.
    template <typename Op>
    auto Convert(Op op) {
        try {
            return op();
        } catch (const RuntimeError& e) {
            Fail(e.what());
        }
    }
    void Check(bool ok, std::string_view why) {
        if (!ok) Fail(why);
    }
    // A count whose elements take fieldsEach fields of at least a byte each.
    void Count(int32_t count, int32_t fieldsEach, std::string_view what) {
        if (count < 0) Fail("Negative count");
        if (static_cast<int64_t>(count) * fieldsEach > static_cast<int64_t>(in_.Remaining()))
            Fail("The rest of the file cannot hold " + std::to_string(count) + " " + std::string(what));
    }
    // Where the field read last lies: " in line N, field F (name)", F
    // counting the fields of its line from 1.
    std::string Place() const {
        return " in line " + std::to_string(line_) + ", field " + std::to_string(field_) + " (" + name_ + ")";
    }
    [[noreturn]] void Fail(std::string_view why) { Raise(std::string(why) + Place()); }

private:
    template <typename Op>
    std::invoke_result_t<Op> Take(std::string what, Op op) {
        name_ = std::move(what);
        try {
            auto value = op();
            Count();
            return value;
        } catch (const RuntimeError& e) {
            Count();
            Fail(e.what());
        }
    }
    // Numbers the field just read (or failing) within its line.
    void Count() {
        const int32_t line = in_.FieldLine();
        field_ = line == line_ ? field_ + 1 : 1;
        line_ = line;
    }

    ListInput& in_;
    std::string name_;
    int32_t line_ = 0;
    int field_ = 0;
};

inline std::string Numbered(std::string_view what, int n) { return std::string(what) + " " + std::to_string(n); }
inline std::string OfFile(std::string_view what, int i) {
    return std::string(what) + " of input file " + std::to_string(i);
}

// Runs the fit into the present drawing area; a fault (a drawing area of no
// size) is named as the fit's.
template <typename Op>
auto Fitting(Op op) {
    try {
        return op();
    } catch (const RuntimeError& e) {
        Raise(std::string(e.what()) + " in fitting the design to this window");
    }
}

// Standard colour number n, the fault named when n lies outside 0 to 15.
inline int32_t CheckedStandardColor(OldInput& in, int32_t n) {
    in.Check(n >= 0 && n <= 15, "Colour number " + std::to_string(n) + " outside 0 to 15");
    return StandardColor(n);
}
inline int32_t StandardPaletteColor(OldInput& in, int32_t n) { return PaletteRgb(CheckedStandardColor(in, n)); }

// The text items sized anew to 0..count, emptied.
inline void FreshTextItems(DesignState& d, int32_t count) { d.TextItems.assign(static_cast<size_t>(count) + 1, {}); }

// The boundary and graticule fields both older versions hold in one order,
// from the northern boundary's text to the eastern boundary's.
inline void ReadBoundaryFields(OldInput& in, DesignState& d) {
    d.LatNorthText = in.Text("northern boundary text");
    d.LatSouthText = in.Text("southern boundary text");
    d.StdParNorthText = in.Text("northern standard parallel text");
    d.StdParSouthText = in.Text("southern standard parallel text");
    d.StdParNorth = in.Double("northern standard parallel");
    d.StdParSouth = in.Double("southern standard parallel");
    d.CosStdParNorth = in.Double("cosine of the northern standard parallel");
    d.LatNorth = in.Double("northern boundary");
    d.LatSouth = in.Double("southern boundary");
    d.LatSpacing = in.Double("latitude spacing");
    d.NumLatDivisions = in.Long("number of latitude divisions");
    d.FrameEast = in.Double("eastern frame edge");
    d.FrameWest = in.Double("western frame edge");
    d.LonSpacing = in.Double("longitude spacing");
    d.NumLonDivisions = in.Long("number of longitude divisions");
    d.CentLatText = in.Text("centre latitude text");
    d.CentLonText = in.Text("centre longitude text");
    d.CentLat = in.Double("centre latitude");
    d.CentLon = in.Double("centre longitude");
    d.CentralMeridian = in.Double("central meridian");
    d.LonEast = in.Double("eastern boundary");
    d.LonWest = in.Double("western boundary");
    d.LatSpacingText = in.Text("latitude spacing text");
    d.LonSpacingText = in.Text("longitude spacing text");
    d.LonWestText = in.Text("western boundary text");
    d.LonEastText = in.Text("eastern boundary text");
}

// The boundaries and spacings in whole arc-seconds, in the order both older
// versions hold them.
inline void ReadBoundarySeconds(OldInput& in, DesignState& d) {
    d.LatNorthSec = in.Long("northern boundary in arc-seconds");
    d.LatSouthSec = in.Long("southern boundary in arc-seconds");
    d.LatSpacingSec = in.Long("latitude spacing in arc-seconds");
    d.FrameEastSec = in.Long("eastern frame edge in arc-seconds");
    d.FrameWestSec = in.Long("western frame edge in arc-seconds");
    d.LonSpacingSec = in.Long("longitude spacing in arc-seconds");
    d.LonEastSec = in.Long("eastern boundary in arc-seconds");
    d.LonWestSec = in.Long("western boundary in arc-seconds");
}

// The map's extent and its scaling to the screen, in the order both older
// versions hold them.
inline void ReadMapExtent(OldInput& in, DesignState& d, PlotState& p) {
    d.MapXMax = in.Double("map extent x maximum");
    d.MapXMin = in.Double("map extent x minimum");
    in.Check(IsExtent(d.MapXMax, d.MapXMin), kEmptyExtent);
    d.MapYMax = in.Double("map extent y maximum");
    d.MapYMin = in.Double("map extent y minimum");
    in.Check(IsExtent(d.MapYMax, d.MapYMin), kEmptyExtent);
    p.DevOffsetX = in.Double("screen offset x");
    p.DevScaleX = in.Double("screen scale x");
    p.DevOffsetY = in.Double("screen offset y");
    p.DevScaleY = in.Double("screen scale y");
}

// The fill fraction, checked.
inline double ReadFillFraction(OldInput& in, bool single) {
    const double f = single ? double(in.Single("map fill fraction")) : in.Double("map fill fraction");
    in.Check(IsFillFraction(f), kFillFractionOutside);
    return f;
}

// The end points of the great circle in degrees, in the order both older
// versions hold them. Returns where the end longitude lies (OldInput::Place).
inline std::string ReadGreatCircleEnds(OldInput& in, DesignState& d) {
    const auto degrees = [&in](const char* what, bool latitude) {
        const double v = in.Double(what);
        if (latitude) in.Check(IsLatitude(v), kLatitudeOutside);
        else in.Check(IsLongitude(v), kLongitudeOutside);
        return v;
    };
    d.GcStartLat = degrees("great circle start latitude", true);
    d.GcStartLon = degrees("great circle start longitude", false);
    d.GcEndLat = degrees("great circle end latitude", true);
    d.GcEndLon = degrees("great circle end longitude", false);
    return in.Place();
}

// The UTM projection's parameters, which both older versions hold in one
// order, from the semi-major axis to the false northing.
inline void ReadUtmParameters(OldInput& in, DesignState& d) {
    d.UtmSemiMajorAxis = in.Double("UTM semi-major axis");
    d.UtmScaleFactor = in.Double("UTM scale factor");
    d.UtmEccSq = in.Double("UTM eccentricity squared");
    d.UtmEccPrimeSq = in.Double("UTM second eccentricity squared");
    d.UtmM0 = in.Double("UTM meridian distance of the origin");
    d.UtmArcA0 = in.Double("UTM meridian arc coefficient A0");
    d.UtmArcB1 = in.Double("UTM meridian arc coefficient B1");
    d.UtmArcB2 = in.Double("UTM meridian arc coefficient B2");
    d.UtmArcB3 = in.Double("UTM meridian arc coefficient B3");
    d.UtmFalseEasting = in.Double("UTM false easting");
    d.UtmFalseNorthing = in.Double("UTM false northing");
}

// Symbol types 1 to 12 are the ones the program draws.
inline void CheckSymbolType(OldInput& in, int16_t type) {
    in.Check(type >= SymLine && type <= SymCircleFilled, "Symbol type outside 1 to 12");
}

// The old row table a version 1 design kept an input file's feature settings
// in, by the map file table. Version 1 kept a PNT file's settings in the
// eight MWDB rows, as for the other files the MWDB reader reads; from version
// 2 on a PNT file has the one row "All features". That is the only place an
// older design parts from the table.
inline GeofeatureTable Version1FeatureRows(const std::string& path) {
    if (MapFileTypeOf(path).kind == MapKind::Pnt) return GeofeatureTable::MwdbFeatures;
    return GeofeatureTableOf(path);
}

}  // namespace tlrx::oldcnf
