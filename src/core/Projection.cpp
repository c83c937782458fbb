#include "core/Projection.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>

#include "core/DesignState.h"
#include "core/Errors.h"

// The forward projections on the unit sphere. Each projection (or family)
// has one small forward function that reads the point and its constants from
// the design state and writes ProjOutX, then ProjOutY; ProjectSelect looks
// the function up by ProjCode and turns an arithmetic failure into the
// procedure's error box. Every formula keeps the order of operations that
// defines its results (with the fifteen-digit Pi), so a rewrite for speed
// must keep the same roundings.

namespace tlrx {
namespace {

// Values kept from one call to the next; the azimuthal reuse mode (2)
// projects from them without recomputing the point's trigonometry.
struct ProjWorkValues {
    double DLon = 0;     // longitude difference, radians (Hammer: half of it)
    double CosLat = 0;
    double SinLat = 0;
    double CosDLon = 0;
    double CosC = 0;     // cosine of the distance from the azimuthal centre, in [-1, 1]
};

ProjWorkValues ProjWork;

// ---- Checked arithmetic: a failure raises the description of its box ----

double CheckedLog(double v) {
    if (!(v > 0)) Raise(kInvalidCall);
    return std::log(v);
}

double CheckedSqrt(double v) {
    if (v < 0) Raise(kInvalidCall);
    return std::sqrt(v);
}

double CheckedPow(double base, double exponent) {
    // A non-positive base has no real power for a general exponent.
    if (!(base > 0)) Raise(kInvalidCall);
    return std::pow(base, exponent);
}

// A result that left the doubles (or never was one) is an overflow.
double Finite(double v) {
    if (!std::isfinite(v)) Raise(kOverflow);
    return v;
}

int Sign(double v) { return (v > 0) - (v < 0); }

// ---- Cylindrical: x from the western edge of the frame ----

void Mercator(DesignState& d) {
    d.ProjOutX = Finite((d.ProjInLon - d.FrameWest) * d.DegToRad);
    d.ProjOutY = Finite(CheckedLog(std::tan(d.PiOver4 + d.ProjInLat * d.HalfDegToRad)));
}

// UTM points arrive as metres already. The two fields are read one by one:
// the caller has just stored them one by one, and a single wide load of both
// (which the compiler would otherwise make of this copy) cannot be served
// from those two stores and stalls.
void Utm(DesignState& d) {
    const double easting = d.ProjInLon;
    std::atomic_signal_fence(std::memory_order_relaxed);
    const double northing = d.ProjInLat;
    d.ProjOutX = easting;
    d.ProjOutY = northing;
}

void Equirectangular(DesignState& d) {
    d.ProjOutX = Finite((d.ProjInLon - d.FrameWest) * d.DegToRad * d.CosStdParNorth);
    d.ProjOutY = Finite(d.ProjInLat * d.DegToRad);
}

void CylEqualArea(DesignState& d) {
    d.ProjOutX = Finite((d.ProjInLon - d.FrameWest) * d.DegToRad * d.CosStdParNorth);
    d.ProjOutY = Finite(CheckedDiv(std::sin(d.ProjInLat * d.DegToRad), d.CosStdParNorth));
}

// ---- World projections: longitude difference from the central meridian ----

void Hammer(DesignState& d) {
    const double phi = d.ProjInLat * d.DegToRad;
    ProjWork.DLon = (d.ProjInLon - d.CentralMeridian) * d.HalfDegToRad;
    ProjWork.CosLat = std::cos(phi);
    const double D = CheckedSqrt(CheckedDiv(2, ProjWork.CosLat * std::cos(ProjWork.DLon) + 1));
    d.ProjOutX = Finite(2 * D * ProjWork.CosLat * std::sin(ProjWork.DLon));
    d.ProjOutY = Finite(D * std::sin(phi));
}

// A first estimate of the Mollweide auxiliary angle theta for a = |sin phi|,
// within a few units in the last place of the root of
// 2 theta + sin 2 theta = pi a. Near the equator theta is a polynomial in
// a^2; towards the pole it approaches pi/2 as the cube root of 1 - a, and
// with t = cbrt(1 - a) the equation becomes w - sin w = pi t^3 for
// w = pi - 2 theta, where w / t is a polynomial in t^2. The coefficients are
// Chebyshev interpolants of the root, printed by scripts/mollweide_start.py.
// clang-format off
constexpr double kStartNear0[] = {
    0.8069376971024611,
    0.1840906859152921,
    0.10254591286166449,
    0.07351373352634939,
    0.05947209429180584,
    0.051656397419226424,
    0.04701852764418111,
    0.04424018878060764,
    0.04263093479880803,
    0.04190957016487087,
    0.04396565785503997,
    0.04448044406141977,
};
constexpr double kStartMid[] = {
    1.4131586174235677,
    0.21555608442743593,
    0.0886088320563288,
    0.047897052556191366,
    0.029458355315283135,
    0.019530764309747366,
    0.013600297739325053,
    0.009804082785830854,
    0.0072425098979713555,
    0.005447396568071246,
    0.004426785665825113,
    0.003651040704080996,
};
constexpr double kStartNearPole[] = {
    1.3306700394914688,
    0.1570796326794032,
    0.047680833713398214,
    0.018761694869729974,
    0.008348415668304276,
    0.003991489446000666,
    0.002004097619730518,
    0.0010172540970207272,
    0.0006318003699587445,
    0.00010152645778562666,
    0.00041465047899871317,
};
// clang-format on

// The polynomial with coefficients c, lowest degree first, at x.
template <size_t N>
double Polynomial(const double (&c)[N], double x) {
    double r = c[N - 1];
    for (size_t i = N - 1; i-- > 0;) r = r * x + c[i];
    return r;
}

double MollweideStart(double a) {
    constexpr double kHalfPi = 1.5707963267948966;
    if (a <= 0.5) return a * Polynomial(kStartNear0, a * a - 0.125);
    const double t = std::cbrt(1 - a);
    const double z = t * t;
    return kHalfPi - t * (a <= 0.85 ? Polynomial(kStartMid, z - 0.45) : Polynomial(kStartNearPole, z));
}

// The auxiliary angle theta of the Mollweide projection, solving
// 2 theta + sin 2 theta = Pi sin phi by Newton steps until a step is below
// the tolerance. The root lies between 0 and phi, and in exact arithmetic the
// steps shrink and stay there. Starting from MollweideStart, the first step
// is already below the tolerance up to about 81 degrees of latitude and
// only confirms the root; below 89 degrees two steps at most are taken. Near
// the poles the equation is ill-conditioned (its derivative vanishes at
// theta = +-pi/2): the steps can settle into rounding noise above the
// tolerance, and within about 1e-6 degrees of a pole a noisy step can throw
// theta far off. So the iteration also ends, keeping the current theta,
// before a step that is not smaller than the one before or that would leave
// the interval from 0 to phi, when the derivative is 0, and after kMaxSteps
// steps. Within a degree of a pole, where that noise decides the last digits
// of the result, the iteration starts from theta = phi, so that they stay the
// digits it has always given there; elsewhere the two starts end within a
// few units in the last place of each other.
double BoundedMollweideTheta(const DesignState& d, double phi) {
    constexpr double kTolerance = 0.00000000000001;
    constexpr int kMaxSteps = 100;
    constexpr double kEstimateLimit = 89 * 3.14159265358979 / 180;
    const double sinPhi = std::sin(phi);
    const double target = d.Pi * sinPhi;
    const double low = phi > 0 ? 0 : phi;
    const double high = phi > 0 ? phi : 0;
    double theta = phi;
    if (std::fabs(phi) < kEstimateLimit)
        theta = std::clamp(std::copysign(MollweideStart(std::fabs(sinPhi)), phi), low, high);
    double previous = INFINITY;
    for (int step = 0; step < kMaxSteps; ++step) {
        const double slope = 2 * std::cos(2 * theta) + 2;
        if (slope == 0) break;
        const double delta = (target - 2 * theta - std::sin(2 * theta)) / slope;
        const double size = std::fabs(delta);
        const double next = theta + delta;
        if (!(size < previous) || !(next >= low && next <= high)) break;
        theta = next;
        if (size < kTolerance) break;
        previous = size;
    }
    return theta;
}

// Codes 41 and 42; the lobe offset is 0 except while a lobe is drawn.
void Mollweide(DesignState& d) {
    const double phi = d.ProjInLat * d.DegToRad;
    ProjWork.DLon = (d.ProjInLon - d.CentralMeridian) * d.DegToRad;
    const double theta = (d.ProjInLat == 0 || std::fabs(d.ProjInLat) == 90 ? phi : BoundedMollweideTheta(d, phi));
    d.ProjOutX = Finite(2 * d.Sqrt2 * ProjWork.DLon * std::cos(theta) / d.Pi + d.CurLobeOffset);
    d.ProjOutY = Finite(d.Sqrt2 * std::sin(theta));
}

// Relative parallel length and ordinate as polynomials of degree six in the
// absolute latitude in degrees, added from the lowest degree up.
void Robinson(DesignState& d) {
    const double a = std::fabs(d.ProjInLat);
    const double a2 = a * a;
    const double a3 = a2 * a;
    const double a4 = a * a3;
    const double a5 = a2 * a3;
    const double a6 = a3 * a3;
    const double X = 1 - 0.0007658862163 * a + 0.000067797484678 * a2
                     - 0.0000052131392009 * a3 + 0.00000010474391018 * a4
                     - 0.000000001066164359 * a5 + 0.0000000000042800356557 * a6;
    const double Y = 0.012684924808 * a - 0.000048919970056 * a2
                     + 0.0000027603657836 * a3 - 0.000000067236660474 * a4
                     + 0.00000000073846103164 * a5 - 0.000000000003211233692 * a6;
    ProjWork.DLon = (d.ProjInLon - d.CentralMeridian) * d.DegToRad;
    double y = 1.3523 * Y;
    if (d.ProjInLat < 0) y = -y;
    d.ProjOutY = Finite(y);
    d.ProjOutX = Finite(0.8487 * X * ProjWork.DLon);
}

// ---- Conic projections: the radius of the point's parallel, then the cone ----

// The point at radius rho on the cone unrolled round its apex.
void ConePoint(DesignState& d, double rho) {
    const double theta = (d.ProjInLon - d.CentralMeridian) * d.ConicN * d.DegToRad;
    d.ProjOutX = Finite(rho * std::sin(theta));
    d.ProjOutY = Finite(d.ConicRho0 - rho * std::cos(theta));
}

void EquidistantConic(DesignState& d) { ConePoint(d, (d.ConicG - d.ProjInLat) * d.DegToRad); }

// The pole on the apex side is the apex; the other pole is not projectable.
void ConformalConic(DesignState& d) {
    if (std::fabs(d.ProjInLat) == 90) {
        if (Sign(d.ProjInLat) != Sign(d.ConicN)) {
            d.CalcError = true;
            return;
        }
        ConePoint(d, 0);
        return;
    }
    ConePoint(d, CheckedDiv(d.ConicF, CheckedPow(std::tan(d.PiOver4 + d.ProjInLat * d.HalfDegToRad),
                                               d.ConicN)));
}

void Albers(DesignState& d) {
    ConePoint(d, CheckedDiv(CheckedSqrt(d.ConicC - 2 * d.ConicN * std::sin(d.ProjInLat * d.DegToRad)),
                          d.ConicN));
}

// ---- Azimuthal projections: centre (CentLat, CentralMeridian) ----

// The radial factor k of the projection at cos c = ProjWork.CosC.
double RadialFactor(const DesignState& d) {
    const double cosC = ProjWork.CosC;
    switch (d.ProjCode) {
    case ProjGnomonic:
        return CheckedDiv(1, cosC);
    case ProjStereographic:
        return CheckedDiv(2, 1 + cosC);
    case ProjOrthographic:
        return 1;
    case ProjVerticalPerspective:
        return CheckedDiv(d.VpP - 1, d.VpP - cosC);
    case ProjAzEquidistant: {
        if (cosC == 1) return 1;
        const double s = CheckedSqrt(1 - cosC * cosC);
        double c = 0;
        if (std::fabs(cosC) < 0.00000001) {
            c = 2 * d.PiOver4;
        } else {
            c = std::atan(CheckedDiv(s, cosC));
            if (c < 0) c = c + d.Pi;
        }
        return CheckedDiv(c, s);
    }
    default:  // ProjAzEqualArea
        return CheckedSqrt(CheckedDiv(2, 1 + cosC));
    }
}

void Azimuthal(DesignState& d) {
    double sinDLon = 0;
    if (d.AzQueryMode == 2) {
        // Reuse of the point the range query has just tested.
        d.AzQueryMode = 0;
        sinDLon = std::sin(ProjWork.DLon);
    } else {
        const double phi = d.ProjInLat * d.DegToRad;
        ProjWork.CosLat = std::cos(phi);
        ProjWork.SinLat = std::sin(phi);
        ProjWork.DLon = (d.ProjInLon - d.CentralMeridian) * d.DegToRad;
        ProjWork.CosDLon = std::cos(ProjWork.DLon);
        sinDLon = std::sin(ProjWork.DLon);  // beside the cosine: one sincos
        double cosC = ProjWork.CosLat * d.CosCentLat * ProjWork.CosDLon + ProjWork.SinLat * d.SinCentLat;
        if (cosC > 1) cosC = 1;
        if (cosC < -1) cosC = -1;
        ProjWork.CosC = cosC;

        if (cosC <= Item(d.AzCosLimit, d.ProjCode - ProjGnomonic)) {
            d.PlotStatus = 2;
            d.CalcError = true;
            return;
        }
        if (d.AzQueryMode != 0) {
            d.PlotStatus = cosC >= d.CosAzRange ? 4 : 5;
            d.CalcError = true;
            return;
        }
    }
    const double k = Finite(RadialFactor(d));
    d.ProjOutX = Finite(k * ProjWork.CosLat * sinDLon);
    d.ProjOutY = Finite(k * (ProjWork.SinLat * d.CosCentLat
                             - ProjWork.CosLat * d.SinCentLat * ProjWork.CosDLon));
}

// The forward function of each projection code, indexed by ProjCode.
using ForwardFn = void (*)(DesignState&);
constexpr size_t kCodeCount = 43;

constexpr std::array<ForwardFn, kCodeCount> MakeRegistry() {
    std::array<ForwardFn, kCodeCount> r{};
    r[ProjMercator] = Mercator;
    r[ProjUtm] = Utm;
    r[ProjEquirectangular] = Equirectangular;
    r[ProjCylEqualArea] = CylEqualArea;
    r[ProjHammer] = Hammer;
    r[ProjMollweide] = r[ProjInterruptedMollweide] = Mollweide;
    r[ProjRobinson] = Robinson;
    r[ProjEquidistantConic] = EquidistantConic;
    r[ProjConformalConic] = ConformalConic;
    r[ProjAlbers] = Albers;
    r[ProjGnomonic] = r[ProjStereographic] = r[ProjOrthographic] = r[ProjVerticalPerspective] = Azimuthal;
    r[ProjAzEquidistant] = r[ProjAzEqualArea] = Azimuthal;
    return r;
}

constexpr std::array<ForwardFn, kCodeCount> kRegistry = MakeRegistry();

}  // namespace

double MollweideTheta(double phi) { return BoundedMollweideTheta(Design(), phi); }

void ProjectSelect() {
    DesignState& d = Design();
    d.CalcError = false;
    const auto code = static_cast<size_t>(d.ProjCode);
    if (code >= kCodeCount || !kRegistry[code]) return;  // not a projection
    try {
        kRegistry[code](d);
    } catch (const RuntimeError& e) {
        ShowProcError("ProjectSelect", e.what());
    }
}

void ResetProjWork() { ProjWork = ProjWorkValues{}; }

}  // namespace tlrx
