// ASCII point files (.prn, .utm): one record per line, "flag lat lon" in
// decimal degrees (.prn, 5 decimals) or "flag easting northing" in whole
// metres (.utm), separated by blanks; the flag is -1 on the first point of a
// segment and 0 on the others. A labelled point is written with commas and the
// label in double quotes right after the comma that ends the third number:
// -1,47.60620,-122.33210,"Seattle". A label cannot hold a double quote.
// .utm points that repeat at whole metres are dropped, and a polyline that
// shrinks to one point is left out.

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "Writers.h"

namespace tlrx::convert {
namespace {

struct Spheroid {
    const char* name;
    double a, inverseFlattening;
};
// clang-format off
constexpr Spheroid kSpheroids[] = {
    {"WGS84 1984", 6378137.0, 298.257223563},       {"Australian 1965", 6378160.0, 298.25},
    {"Krasovsky 1940", 6378245.0, 298.3},           {"International 1924", 6378388.0, 297.0},
    {"Clarke 1880", 6378249.145, 293.465},          {"Clarke 1866", 6378206.4, 294.9786982},
    {"Bessel 1841", 6377397.155, 299.1528128},      {"Everest 1830", 6377276.345, 300.8017},
    {"Airy 1830", 6377563.396, 299.3249646},
};
// clang-format on

struct MetrePoint {
    long easting = 0, northing = 0;
    bool operator==(const MetrePoint&) const = default;
};

}  // namespace

bool SpheroidByName(const std::string& name, double& a, double& f) {
    for (const Spheroid& s : kSpheroids)
        if (name == s.name) {
            a = s.a;
            f = 1.0 / s.inverseFlattening;
            return true;
        }
    return false;
}

// The forward transverse Mercator series to the sixth power of A, with the
// meridian arc in the nested form the program uses, so that a file written
// here lands where the program itself would project the same point.
void UtmForward(const UtmSetup& setup, double latDeg, double lonDeg, double& easting, double& northing) {
    constexpr double kDegToRad = 3.14159265358979 / 180.0;
    constexpr double k0 = 0.9996, fe = 500000.0, fn = 0.0;
    double a = 0, f = 0;
    if (!SpheroidByName(setup.spheroid, a, f)) throw std::runtime_error("unknown spheroid \"" + setup.spheroid + "\"");
    const double e2 = 2 * f - f * f, e4 = e2 * e2, e6 = e4 * e2;
    const double ep2 = e2 / (1 - e2);
    const double a0 = 1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256;
    const double a2 = -(3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024);
    const double a4 = 15 * e4 / 256 + 45 * e6 / 1024;
    const double a6 = -35 * e6 / 3072;
    const double b1 = a2 - a6, b2 = 2 * a4, b3 = 4 * a6;
    const double m0 = 0.0;  // latitude of origin 0

    const double phi = latDeg * kDegToRad;
    const double s = std::sin(phi), c = std::cos(phi), t = std::tan(phi);
    const double tt = t * t, tt2 = tt * tt;
    const double m = a * (a0 * phi + std::sin(2 * phi) * (b1 + std::cos(2 * phi) * (b2 + b3 * std::cos(2 * phi))));
    const double n = a / std::sqrt(1 - e2 * s * s);
    const double cc = ep2 * c * c;
    double delta = lonDeg - setup.centralMeridian;
    if (delta > 180) delta -= 360;
    else if (delta < -180) delta += 360;
    const double aa = delta * kDegToRad * c;
    const double aa2 = aa * aa, aa3 = aa2 * aa, aa4 = aa2 * aa2, aa5 = aa4 * aa, aa6 = aa4 * aa2;
    easting = fe + k0 * n * (aa + (1 - tt + cc) * aa3 / 6 + (5 - 18 * tt + tt2 + 72 * cc - 58 * ep2) * aa5 / 120);
    northing = fn + k0 * (m - m0 +
                          n * t *
                              (aa2 / 2 + (5 - tt + 9 * cc + 4 * cc * cc) * aa4 / 24 +
                               (61 - 58 * tt + tt2 + 600 * cc - 330 * ep2) * aa6 / 720));
}

WriteStats WriteAscii(std::ostream& out, const std::vector<Layer>& layers, const UtmSetup* utm) {
    WriteStats stats;
    const auto putRecord = [&](bool start, const std::string& x, const std::string& y, const std::string& label) {
        if (label.empty()) out << (start ? "-1 " : "0 ") << x << ' ' << y << '\n';
        else out << (start ? "-1," : "0,") << x << ',' << y << ",\"" << label << "\"\n";
    };
    for (const Layer& layer : layers) {
        for (const Polyline& line : layer.lines) {
            if (line.label.find('"') != std::string::npos)
                throw std::runtime_error(layer.path + ": the label " + line.label + " holds a double quote");
            if (utm) {
                const auto pts = ToFileUnits<MetrePoint>(line, [&](const Point& p) {
                    double e = 0, n = 0;
                    UtmForward(*utm, ToDegrees(p.lat), ToDegrees(p.lon), e, n);
                    return MetrePoint{std::lround(std::nearbyint(e)), std::lround(std::nearbyint(n))};
                });
                if (pts.empty()) {
                    ++stats.collapsed;
                    continue;
                }
                for (size_t i = 0; i < pts.size(); ++i)
                    putRecord(i == 0, std::to_string(pts[i].easting), std::to_string(pts[i].northing),
                              i == 0 ? line.label : std::string{});
                stats.points += static_cast<long>(pts.size());
            } else {
                const auto pts = ToFileUnits<Point>(line, [](const Point& p) { return p; });
                if (pts.empty()) {
                    ++stats.collapsed;
                    continue;
                }
                for (size_t i = 0; i < pts.size(); ++i)
                    putRecord(i == 0, FormatDegrees(pts[i].lat), FormatDegrees(pts[i].lon),
                              i == 0 ? line.label : std::string{});
                stats.points += static_cast<long>(pts.size());
            }
            ++stats.segments;
        }
    }
    return stats;
}

}  // namespace tlrx::convert
