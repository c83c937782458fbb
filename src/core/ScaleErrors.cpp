#include "core/ScaleErrors.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/ProjectionTable.h"

namespace tlrx {

namespace {

// Raises the error a value that is not a number stands for.
void CheckFinite(const ScaleValue& v) {
    if (!v.fixed.empty()) return;
    if (std::isnan(v.number)) Raise(kInvalidCall);
    if (std::isinf(v.number)) Raise(kOverflow);
}

// The text of a scale value: the picture "0.0000E+00" (9.6572E-01,
// 1.4829E+02) or the fixed text.
std::string ScaleText(const ScaleValue& v) {
    if (!v.fixed.empty()) return std::string(v.fixed);
    // to_chars writes "." whatever the locale; "e-01" becomes "E-01".
    char buf[32];
    const auto end =
        std::to_chars(buf, buf + sizeof buf, v.number + 0.0, std::chars_format::scientific, 4).ptr;  // + 0.0: no "-0"
    std::string text(buf, end);
    text[text.find('e')] = 'E';
    return text;
}

// A whole number with at least minDigits digits (leading zeros) in groups of
// three separated by commas: the pictures "00,000,000" (minDigits 8) and
// "0,000,000" (7).
std::string GroupedText(int64_t value, int minDigits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld", minDigits, static_cast<long long>(std::llabs(value)));
    const std::string digits = buf;
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return value < 0 ? "-" + out : out;
}

// The position texts of row `row`.
void WritePositionTexts(DesignState& d, int row) {
    const ProjFamily family = FamilyOf(d.ProjCode);
    std::string& latText = Item(d.ScaleErrLatText, row);
    std::string& lonText = Item(d.ScaleErrLonText, row);
    if (family == ProjFamily::Utm) {
        // The mean northing and the easting, in metres.
        latText = GroupedText((int64_t{d.LatNorthSec} + d.LatSouthSec) / 2, 8);
        lonText = GroupedText(ToInt32(d.ScaleErrLon + d.UtmFalseEasting), 7);
        return;
    }
    DegMinSec(d.ScaleErrLat, latText, "LAT", 1);
    if (family == ProjFamily::World) {  // the interrupted Mollweide has no scale errors
        if (row >= 1 && row <= 4) {
            lonText = d.LonEastText;
        } else if (row >= 9 && row <= 12) {
            lonText = d.CentLonText;
        } else {
            // Halfway between the central meridian and the eastern boundary.
            const double half = (d.FrameEast - d.CentralMeridian) / 2;
            double t = half + d.CentLon;
            if (t > 180) t = d.LonEast - half;
            DegMinSec(t, lonText, "LON", 1);
        }
    } else {
        DegMinSec(d.ScaleErrLon, lonText, "LON", 1);
    }
}

}  // namespace

std::optional<ScaleFactors> ScaleFactorsAt() {
    const DesignState& d = Design();
    const ProjectionKernel* kernel = KernelOf(d.ProjCode);
    if (!kernel || !kernel->scale) return std::nullopt;
    const ScaleFactors f = kernel->scale(d, d.ScaleErrLat, d.ScaleErrLon);
    CheckFinite(f.meridian);
    CheckFinite(f.parallel);
    CheckFinite(f.area);
    return f;
}

void DistErrSelect() {
    DesignState& d = Design();
    try {
        const ProjectionKernel* kernel = KernelOf(d.ProjCode);
        if (!kernel || !kernel->scale) return;  // no scale errors for this code
        Item(d.ScaleErrNote, 1) = kernel->noteFirst;
        if (!kernel->noteSecond.empty()) Item(d.ScaleErrNote, 2) = kernel->noteSecond;
        if (kernel->prepareScale) kernel->prepareScale(d);

        const ScaleFactors f = *ScaleFactorsAt();
        const int row = d.ScaleErrRow;
        Item(d.ScaleErrMeridian, row) = ScaleText(f.meridian);
        Item(d.ScaleErrParallel, row) = ScaleText(f.parallel);
        Item(d.ScaleErrArea, row) = ScaleText(f.area);
        WritePositionTexts(d, row);
    } catch (const RuntimeError& e) {
        ShowProcError("DistErrSelect", e.what());
    }
}

}  // namespace tlrx
