#include <string>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "reports/NumberMask.h"
#include "reports/ReportBuilder.h"
#include "reports/ReportTexts.h"

namespace tlrx {

namespace {

constexpr double kKmPerNauticalMile = 1.8532488;
constexpr double kStatuteMilesPerKm = 0.621371192;

}  // namespace

ReportModel BuildGcReport() {
    DesignState& d = Design();
    ReportBuilder b;
    b.Append(RunStyle::Bold, "Tellurax Version " + d.VersionString + " Great Circle Report\r\n\r\n");
    d.RptWidth =
        ReportWidthOf(b.W("000    00 00 00 S    000 00 00 W      Degrees      00,000    00,000    00,000    "));

    std::vector<int32_t> tabs;
    double stop = 0;
    for (const char* sample :
         {"000    ", "00 00 00 S    ", "000 00 00 W      ", "Degrees      ", "00,000    ", "00,000    "}) {
        stop = RoundTwips(stop + b.W(sample));
        tabs.push_back(static_cast<int32_t>(stop));
    }
    b.SetTabs(tabs);
    b.Append(RunStyle::Bold, "#\tLatitude\tLongitude\tCourse\tDistance\r\n");
    b.Append(RunStyle::Bold, "\t\t\tDegrees\tNM\tSM\tKM\r\n\r\n");

    const auto at = [](const std::vector<double>& v, int i) {
        return i >= 0 && size_t(i) < v.size() ? v[size_t(i)] : 0.0;
    };
    int row = 0;
    // Without a computed route (GcStep 0) there are no rows.
    const int step = d.GcStep;
    for (int i = d.GcFirst; step != 0 && (step > 0 ? i <= d.GcLast : i >= d.GcLast); i += step) {
        ++row;
        std::string lat, lon;
        DegMinSec(at(d.GcLat, i), lat, "LAT", 1);
        DegMinSec(at(d.GcLon, i), lon, "LON", 1);
        const double nm = at(d.GcDist, i);
        b.Append(RunStyle::Normal, FormatMask(row, "000") + "\t" + lat + "\t" + lon + "\t" +
                                       FormatMask(at(d.GcCourse, i), "000.0") + "\t" + FormatMask(nm, "00,000") + "\t" +
                                       FormatMask(kStatuteMilesPerKm * kKmPerNauticalMile * nm, "00,000") + "\t" +
                                       FormatMask(kKmPerNauticalMile * nm, "00,000") + "\r\n");
    }
    return b.Take();
}

}  // namespace tlrx
