#include "core/Utm.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/NumberText.h"
#include "core/projections/UtmPlane.h"

namespace tlrx {

namespace {

struct Spheroid {
    std::string_view name;
    double a;  // equatorial radius, metres
    double invFlattening;
};

// Compared in this order, exactly and case-sensitively.
constexpr Spheroid kSpheroids[] = {
    {"WGS84 1984", 6378137.0, 298.257223563},  {"Australian 1965", 6378160.0, 298.25},
    {"Krasovsky 1940", 6378245.0, 298.3},      {"International 1924", 6378388.0, 297.0},
    {"Clarke 1880", 6378249.145, 293.465},     {"Clarke 1866", 6378206.4, 294.9786982},
    {"Bessel 1841", 6377397.155, 299.1528128}, {"Everest 1830", 6377276.345, 300.8017},
    {"Airy 1830", 6377563.396, 299.3249646},
};

// Raises Overflow when a computed value is not a finite number.
double Finite(double v) {
    if (!std::isfinite(v)) Raise(kOverflow);
    return v;
}

}  // namespace

void CalcUtmZone() {
    auto& d = Design();
    try {
        // Central meridian, absolute and signed.
        d.CentLonSec = LonTextToSec(d.UtmText[0]);
        d.CentralMeridian = static_cast<double>(d.CentLonSec) / d.SecPerDeg;
        DegMinSec(d.CentralMeridian, d.CentLonText, "LON", 4);
        d.CentLon = d.CentralMeridian;

        // Latitude of origin.
        d.CentLatSec = LatTextToSec(d.UtmText[1]);
        const double lat0 = static_cast<double>(d.CentLatSec) / d.SecPerDeg;
        DegMinSec(lat0, d.CentLatText, "LAT", 4);
        d.CentLat = lat0;

        for (const auto& s : kSpheroids) {
            if (s.name == d.UtmSpheroidName) {
                d.UtmSemiMajorAxis = s.a;
                d.UtmFlattening = 1 / s.invFlattening;
                break;
            }
        }

        d.UtmFalseEasting = LeadingNumber(d.UtmText[2]);
        d.UtmFalseNorthing = LeadingNumber(d.UtmText[3]);
        d.UtmScaleFactor = LeadingNumber(d.UtmText[4]);

        const double f = d.UtmFlattening;
        const double e2 = 2 * f - f * f;
        d.UtmEccSq = e2;
        if (1 - e2 == 0) Raise(kDivisionByZero);
        d.UtmEccPrimeSq = Finite(e2 / (1 - e2));
        const double e4 = e2 * e2;
        const double e6 = e4 * e2;
        d.UtmArcA0 = 1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256;
        const double a2 = -(3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024);
        const double a4 = 15 * e4 / 256 + 45 * e6 / 1024;
        const double a6 = -35 * e6 / 3072;
        d.UtmArcB1 = a2 - a6;
        d.UtmArcB2 = 2 * a4;
        d.UtmArcB3 = 4 * a6;

        d.UtmM0 = Finite(UtmMeridianDistance(kUtmKernel.setup(d).utm, lat0 * d.DegToRad));
    } catch (const RuntimeError& e) {
        ShowProcError("CalcUtmZone", e.what());
    }
}

}  // namespace tlrx
