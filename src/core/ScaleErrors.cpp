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
#include "core/Projection.h"

namespace tlrx {

namespace {

constexpr std::string_view kInfinite = "Infinite";
constexpr std::string_view kOne = "1.0000E+00";
constexpr std::string_view kZero = "0.0000E+00";

// Within this distance of a pole (degrees) the Mollweide and Robinson
// parallels count as points: their parallel scale is unbounded.
constexpr double kPolarLat = 89.99994;

ScaleValue Num(double v) { return {v, {}}; }
ScaleValue Fixed(std::string_view text) { return {0, text}; }
ScaleFactors Singular(std::string_view h, std::string_view k, std::string_view area) {
    return {Fixed(h), Fixed(k), Fixed(area)};
}
ScaleFactors Numbers(double h, double k, double area) { return {Num(h), Num(k), Num(area)}; }

double Div(double a, double b) { return CheckedDiv(a, b); }

double Sqrt(double v) {
    if (v < 0) Raise(kInvalidCall);
    return std::sqrt(v);
}

double Pow(double base, double exponent) {
    if (base < 0 && exponent != std::floor(exponent)) Raise(kInvalidCall);
    if (base == 0 && exponent < 0) Raise(kDivisionByZero);
    return std::pow(base, exponent);
}

// The sentences about where the scale is true; second is null where the
// note has one line (its element is then left alone).
struct Note {
    const char* first;
    const char* second;
};

const Note* NoteOf(int16_t code) {
    static constexpr Note kMercator = {
        "Latitude and longitude scales are equal at any point on the projection.",
        "The scale is symmetrical about the equator."};
    static constexpr Note kEquirectangular = {
        "The scale is true along all meridians and along the two standard parallels;",
        "and is symmetrical about the equator."};
    static constexpr Note kCylEqualArea = {
        "The scale is only true along the two standard parallels; and is symmetrical",
        "about the equator."};
    static constexpr Note kHammer = {
        "The scale is only true at the intersection of the equator and the",
        "central meridian."};
    static constexpr Note kMollweide = {
        "The scale is true along latitudes 40°44' North and South.  The scale is constant",
        "along parallels, and symmetrical about the equator and the central meridian."};
    static constexpr Note kRobinson = {
        "The scale is true along latitudes 37°50' North and South.", nullptr};
    static constexpr Note kUtm = {
        "Northing and easting scales are equal at any point on the projection.",
        "The scale is symmetrical about the equator and the central meridian."};
    static constexpr Note kEquidistantConic = {
        "The scale is true along all meridians and along the two standard parallels.", nullptr};
    static constexpr Note kConformalConic = {
        "The scale is only true along the two standard parallels.  The scale is equal",
        "in all directions at any point on the projection."};
    static constexpr Note kAlbers = {
        "The scale is true along standard parallels.  At any point, the scale along a",
        "meridian is the reciprocal of the scale on the parallel through that point."};
    static constexpr Note kAzimuthal = {
        "The scale is only true at the central point of the projection.", nullptr};
    static constexpr Note kStereographic = {
        "The scale is constant along any circle centered on the central point.", nullptr};
    switch (code) {
        case ProjMercator: return &kMercator;
        case ProjEquirectangular: return &kEquirectangular;
        case ProjCylEqualArea: return &kCylEqualArea;
        case ProjHammer: return &kHammer;
        case ProjMollweide: return &kMollweide;
        case ProjRobinson: return &kRobinson;
        case ProjUtm: return &kUtm;
        case ProjEquidistantConic: return &kEquidistantConic;
        case ProjConformalConic: return &kConformalConic;
        case ProjAlbers: return &kAlbers;
        case ProjStereographic: return &kStereographic;
        case ProjGnomonic:
        case ProjOrthographic:
        case ProjVerticalPerspective:
        case ProjAzEquidistant:
        case ProjAzEqualArea: return &kAzimuthal;
        default: return nullptr;
    }
}

// ---- Cylindrical projections ----

// Scales relative to the boundary parallel nearest the equator; plain
// sec(latitude) for a map that touches or spans the equator.
ScaleFactors Mercator(const DesignState& d, double phi) {
    double s = 1;
    if (d.LatNorth > 0 && d.LatSouth > 0) s = Div(1, std::cos(d.LatSouth * d.DegToRad));
    if (d.LatNorth < 0 && d.LatSouth < 0) s = Div(1, std::cos(d.LatNorth * d.DegToRad));
    const double k = Div(Div(1, std::cos(phi)), s);
    return Numbers(k, k, k * k);
}

ScaleFactors Equirectangular(const DesignState& d, double phi, double absLat) {
    if (absLat == 90) return Singular(kOne, kInfinite, kInfinite);
    const double k = Div(std::cos(d.StdParNorth * d.DegToRad), std::cos(std::fabs(phi)));
    return Numbers(1, k, k);
}

ScaleFactors CylEqualArea(const DesignState& d, double phi, double absLat) {
    if (absLat == 90) return Singular(kZero, kInfinite, kInfinite);
    const double cosStd = std::cos(d.StdParNorth * d.DegToRad);
    const double cosLat = std::cos(std::fabs(phi));
    const double h = Div(cosLat, cosStd);
    const double k = Div(cosStd, cosLat);
    return Numbers(h, k, h * k);
}

// ---- World projections (delta: degrees from the central meridian) ----

ScaleFactors Hammer(const DesignState& d, double phi, double delta) {
    constexpr double B = 0.5;
    const double cphi = std::cos(phi), sphi = std::sin(phi);
    const double cl = std::cos(delta * B * d.DegToRad), sl = std::sin(delta * B * d.DegToRad);
    const double w = 1 + cphi * cl;
    const double r = Sqrt(Div(2, w));
    const double w2r = w * w * r;

    const double dxdphi = -(r / B) * sl * sphi + Div(cphi * sl * sphi * cl, w2r * B);
    const double dydphi = r * cphi + Div(sphi * sphi * cl, w2r);
    const double h = std::sqrt(dxdphi * dxdphi + dydphi * dydphi);

    double dxdlam, dydlam, k;
    if (std::fabs(d.ScaleErrLat) == 90) {
        // The limits of the derivatives divided by cos phi.
        dxdlam = r * cl;
        dydlam = Div(B * sphi * sl, r);
        k = std::sqrt(dxdlam * dxdlam + dydlam * dydlam);
    } else {
        dxdlam = r * cphi * cl + Div(cphi * cphi * sl * sl, w2r);
        dydlam = Div(B * sphi * cphi * sl, w2r);
        k = Div(std::sqrt(dxdlam * dxdlam + dydlam * dydlam), cphi);
    }
    // Sine of the angle between meridian and parallel.
    double sinAngle = 1;
    if (delta != 0 && d.ScaleErrLat != 0)
        sinAngle = std::sin(std::atan(std::fabs(Div(dydphi, dxdphi))) +
                            std::atan(std::fabs(Div(dydlam, dxdlam))));
    return Numbers(h, k, h * k * sinAngle);
}

ScaleFactors Mollweide(const DesignState& d, double phi, double absLat, double delta) {
    const bool polar = absLat >= kPolarLat;
    const double theta = polar || d.ScaleErrLat == 0 ? phi : MollweideTheta(phi);
    const double cphi = std::cos(phi);
    const double onePlusCos2t = 1 + std::cos(2 * theta);
    double dxdphi = 1, dydphi = 1;
    if (!polar) {
        dxdphi = -Div(delta * d.Sqrt2 * d.DegToRad * std::sin(theta) * cphi, onePlusCos2t);
        dydphi = Div(d.Pi * std::cos(theta) * cphi, onePlusCos2t * d.Sqrt2);
    }
    const double h = std::sqrt(dxdphi * dxdphi + dydphi * dydphi);
    const double dxdlam = 2 * d.Sqrt2 / d.Pi * std::cos(theta);
    const double k = polar ? 1 : Div(std::fabs(dxdlam), cphi);
    const double sinAngle = delta != 0 && d.ScaleErrLat != 0 ? Div(dydphi, h) : 1;
    ScaleFactors f = Numbers(h, k, h * k * sinAngle);
    if (polar) {
        // The pole is a line on this projection.
        f.meridian = delta == 0 ? Fixed(kZero) : Fixed(kInfinite);
        f.parallel = Fixed(kInfinite);
        f.area = Fixed(kOne);
    }
    return f;
}

// The polynomials of the projection in the absolute latitude p (degrees):
// relative parallel length X and ordinate Y, with their derivatives.
constexpr double kA[] = {0.0007658862163,   6.7797484678e-05, 5.2131392009e-06,
                         1.0474391018e-07,  1.066164359e-09,  4.2800356557e-12};
constexpr double kB[] = {0.012684924808,   4.8919970056e-05, 2.7603657836e-06,
                         6.7236660474e-08, 7.3846103164e-10, 3.211233692e-12};

ScaleFactors Robinson(const DesignState& d, double phi, double absLat, double delta) {
    const double p = absLat;
    const double p2 = p * p, p3 = p2 * p, p4 = p3 * p, p5 = p4 * p, p6 = p5 * p;
    const double X = 1 - kA[0] * p + kA[1] * p2 - kA[2] * p3 + kA[3] * p4 - kA[4] * p5 + kA[5] * p6;
    const double dX = -kA[0] + 2 * kA[1] * p - 3 * kA[2] * p2 + 4 * kA[3] * p3 - 5 * kA[4] * p4 +
                      6 * kA[5] * p5;
    const double dY = kB[0] - 2 * kB[1] * p + 3 * kB[2] * p2 - 4 * kB[3] * p3 + 5 * kB[4] * p4 -
                      6 * kB[5] * p5;
    const bool polar = absLat >= kPolarLat;

    const double dxdphi = delta * 0.8487 * dX;
    const double dydphi = Div(dY * 1.3523, d.DegToRad);
    const double h = std::sqrt(dxdphi * dxdphi + dydphi * dydphi);
    const double dxdlam = 0.8487 * X;
    const double k = polar ? 1 : Div(std::fabs(dxdlam), std::cos(phi));
    // The angle between meridian and parallel, also on the equator, where
    // the meridians bend (the polynomials take |latitude|) and the one-sided
    // dx/dphi is not 0: the area is then the ratio of the areas.
    const double sinAngle = Div(dydphi, h);
    ScaleFactors f = Numbers(h, k, h * k * sinAngle);
    if (polar) {
        f.parallel = Fixed(kInfinite);
        f.area = Fixed(kInfinite);
    }
    return f;
}

// ---- UTM (phi in radians, easting in metres from the central meridian) ----

ScaleFactors Utm(const DesignState& d, double phi, double easting) {
    const double k0 = d.UtmScaleFactor, a = d.UtmSemiMajorAxis;
    const double c = std::cos(phi), s = std::sin(phi);
    const double k = k0 * (1 + Div((1 + d.UtmEccPrimeSq * c * c) * (1 - d.UtmEccSq * s * s) *
                                       easting * easting,
                                   2 * k0 * k0 * a * a));
    return Numbers(k, k, k * k);
}

// ---- Conic projections ----

// Latitude in degrees where the radius of the equidistant cone would be 0.
double EquidistantG(const DesignState& d) {
    const double c1 = std::cos(d.StdParNorth * d.DegToRad);
    const double c2 = std::cos(d.StdParSouth * d.DegToRad);
    return Div(d.StdParNorth * c2 - d.StdParSouth * c1, c2 - c1);
}

ScaleFactors EquidistantConic(const DesignState& d, double phi, double absLat) {
    const double G = EquidistantG(d);
    if (absLat == 90) return Singular(kOne, kInfinite, kInfinite);
    const double cosRatio = Div(std::cos(phi), std::cos(d.StdParNorth * d.DegToRad));
    const double k = Div(G - d.ScaleErrLat, (G - d.StdParNorth) * cosRatio);
    return Numbers(1, k, k);
}

ScaleFactors ConformalConic(const DesignState& d, double phi, double absLat) {
    if (absLat == 90) return Singular(kInfinite, kInfinite, kInfinite);
    const double n = d.ConicN;
    const auto angle = [&](double lat) { return d.PiOver4 + lat * d.HalfDegToRad; };
    const auto T = [&](double lat) { return std::tan(angle(lat)); };
    const auto M = [&](double lat) {
        const double c = std::cos(angle(lat));
        return Div(Pow(T(lat), -n - 1), c * c);
    };
    const double h = Div(M(d.ScaleErrLat), M(d.StdParNorth));
    const double cosRatio = Div(std::cos(phi), std::cos(d.StdParNorth * d.DegToRad));
    const double k = Div(Pow(T(d.ScaleErrLat), -n), Pow(T(d.StdParNorth), -n) * cosRatio);
    return Numbers(h, k, h * k);
}

ScaleFactors Albers(const DesignState& d, double phi, double absLat) {
    if (absLat == 90) return Singular(kZero, kInfinite, kInfinite);
    const auto r = [&](double x) { return Sqrt(d.ConicC - 2 * d.ConicN * std::sin(x)); };
    const double phi1 = d.StdParNorth * d.DegToRad;
    const double h = Div(Div(std::cos(phi), r(phi)), Div(std::cos(phi1), r(phi1)));
    const double k = Div(r(phi), r(phi1) * Div(std::cos(phi), std::cos(phi1)));
    return Numbers(h, k, h * k);
}

// ---- Azimuthal projections: on the central meridian and beyond the pole ----

ScaleFactors Azimuthal(const DesignState& d, int16_t code, double phi) {
    const double s0 = d.SinCentLat, c0 = d.CosCentLat;
    const double cphi = std::cos(phi), sphi = std::sin(phi);
    const double cl = std::cos((d.ScaleErrLon - d.CentLon) * d.DegToRad);
    const double A = c0 * cphi + s0 * sphi * cl;
    double cosc = s0 * sphi + c0 * cphi * cl;
    if (cosc > 1) cosc = 1;
    if (cosc < -1) cosc = -1;
    const double B = s0 * cphi - c0 * sphi * cl;
    double sinc = std::sqrt(1 - cosc * cosc);

    double kr = 1, dkr = 0;  // radial factor k' and its derivative along the meridian
    switch (code) {
        case ProjGnomonic:
            kr = Div(1, cosc);
            dkr = Div(-B, cosc * cosc);
            break;
        case ProjStereographic:
            kr = Div(2, 1 + cosc);
            dkr = Div(-2 * B, (1 + cosc) * (1 + cosc));
            break;
        case ProjOrthographic:
            break;
        case ProjVerticalPerspective:
            kr = Div(d.VpP - 1, d.VpP - cosc);
            dkr = Div((d.VpP - 1) * B, (d.VpP - cosc) * (d.VpP - cosc));
            break;
        case ProjAzEquidistant: {
            if (cosc == -1) return Singular(kOne, kInfinite, kInfinite);
            double c;
            if (std::fabs(cosc) < 1e-08) {
                cosc = 0;
                sinc = 1;
                c = 2 * d.PiOver4;
            } else {
                c = std::atan(sinc / cosc);
                if (c < 0) c += 4 * d.PiOver4;
            }
            if (sinc != 0) {
                kr = c / sinc;
                dkr = B * c * cosc / (sinc * sinc * sinc) + 1 / sinc;
            }
            break;
        }
        case ProjAzEqualArea:
            if (cosc == -1) return Singular(kZero, kInfinite, kInfinite);
            kr = Div(d.Sqrt2, Sqrt(1 + cosc));
            dkr = Div(-B, d.Sqrt2 * Pow(1 + cosc, 1.5));
            break;
        default:
            break;
    }
    const double h = std::fabs(kr * A + (c0 * sphi - s0 * cphi * cl) * dkr);
    const double k = std::fabs(kr * cl);
    return Numbers(h, k, h * k);
}

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
    const int16_t code = d.ProjCode;
    std::string& latText = Item(d.ScaleErrLatText, row);
    std::string& lonText = Item(d.ScaleErrLonText, row);
    if (code == ProjUtm) {
        // The mean northing and the easting, in metres.
        latText = GroupedText((int64_t{d.LatNorthSec} + d.LatSouthSec) / 2, 8);
        lonText = GroupedText(ToInt32(d.ScaleErrLon + d.UtmFalseEasting), 7);
        return;
    }
    DegMinSec(d.ScaleErrLat, latText, "LAT", 1);
    if (code == ProjHammer || code == ProjRobinson || code == ProjMollweide) {
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
    const int16_t code = d.ProjCode;
    const double lat = d.ScaleErrLat;
    const double absLat = std::fabs(lat);
    const double phi = code == ProjUtm ? lat : lat * d.DegToRad;
    const double delta = d.ScaleErrLon - d.CentralMeridian;  // world projections
    ScaleFactors f;
    switch (code) {
        case ProjMercator: f = Mercator(d, phi); break;
        case ProjEquirectangular: f = Equirectangular(d, phi, absLat); break;
        case ProjCylEqualArea: f = CylEqualArea(d, phi, absLat); break;
        case ProjHammer: f = Hammer(d, phi, delta); break;
        case ProjMollweide: f = Mollweide(d, phi, absLat, delta); break;
        case ProjRobinson: f = Robinson(d, phi, absLat, delta); break;
        case ProjUtm: f = Utm(d, phi, d.ScaleErrLon); break;
        case ProjEquidistantConic: f = EquidistantConic(d, phi, absLat); break;
        case ProjConformalConic: f = ConformalConic(d, phi, absLat); break;
        case ProjAlbers: f = Albers(d, phi, absLat); break;
        case ProjGnomonic:
        case ProjStereographic:
        case ProjOrthographic:
        case ProjVerticalPerspective:
        case ProjAzEquidistant:
        case ProjAzEqualArea: f = Azimuthal(d, code, phi); break;
        default: return std::nullopt;
    }
    CheckFinite(f.meridian);
    CheckFinite(f.parallel);
    CheckFinite(f.area);
    return f;
}

void DistErrSelect() {
    DesignState& d = Design();
    try {
        const Note* note = NoteOf(d.ProjCode);
        if (!note) return;  // no scale errors for this code
        Item(d.ScaleErrNote, 1) = note->first;
        if (note->second) Item(d.ScaleErrNote, 2) = note->second;
        if (d.ProjCode == ProjEquidistantConic) d.ConicG = EquidistantG(d);

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
