#include "core/projections/Mollweide.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/DesignState.h"
#include "core/projections/Extent.h"
#include "core/projections/KernelMath.h"
#include "core/projections/ScaleMath.h"

namespace tlrx {

using namespace kernel;

namespace {

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
// of the result, the iteration starts from theta = phi: another start changes
// those digits, and with them the recorded projection outputs and every
// picture and export near the poles. Elsewhere the two starts end within a
// few units in the last place of each other.
double BoundedMollweideTheta(double phi) {
    constexpr double kTolerance = 0.00000000000001;
    constexpr int kMaxSteps = 100;
    constexpr double kEstimateLimit = 89 * 3.14159265358979 / 180;
    const double sinPhi = std::sin(phi);
    const double target = kPi * sinPhi;
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

ProjectionSetup Setup(const DesignState& d) {
    ProjectionSetup s = CentredSetup(d);
    s.lobeOffset = d.CurLobeOffset;
    return s;
}

struct MollweidePoint {
    template <typename Out>
    static PointStatus At(const ProjectionSetup& s, double lat, double lon, Out& out) {
        const double phi = lat * kDegToRad;
        const double dLon = (lon - s.centralMeridian) * kDegToRad;
        const double theta = (lat == 0 || std::fabs(lat) == 90 ? phi : BoundedMollweideTheta(phi));
        out.x = Finite(2 * kSqrt2 * dLon * std::cos(theta) / kPi + s.lobeOffset);
        out.y = Finite(kSqrt2 * std::sin(theta));
        return PointStatus::Projected;
    }
};

ScaleFactors Scale(const DesignState& d, double lat, double lon) {
    const double phi = lat * d.DegToRad;
    const double absLat = std::fabs(lat);
    const double delta = lon - d.CentralMeridian;
    const bool polar = absLat >= scale::kPolarLat;
    const double theta = polar || lat == 0 ? phi : MollweideTheta(phi);
    const double cphi = std::cos(phi);
    const double onePlusCos2t = 1 + std::cos(2 * theta);
    double dxdphi = 1, dydphi = 1;
    if (!polar) {
        dxdphi = -scale::Div(delta * d.Sqrt2 * d.DegToRad * std::sin(theta) * cphi, onePlusCos2t);
        dydphi = scale::Div(d.Pi * std::cos(theta) * cphi, onePlusCos2t * d.Sqrt2);
    }
    const double h = std::sqrt(dxdphi * dxdphi + dydphi * dydphi);
    const double dxdlam = 2 * d.Sqrt2 / d.Pi * std::cos(theta);
    const double k = polar ? 1 : scale::Div(std::fabs(dxdlam), cphi);
    const double sinAngle = delta != 0 && lat != 0 ? scale::Div(dydphi, h) : 1;
    ScaleFactors f = scale::Numbers(h, k, h * k * sinAngle);
    if (polar) {
        // The pole is a line on this projection.
        f.meridian = delta == 0 ? scale::Fixed(kScaleZero) : scale::Fixed(kScaleInfinite);
        f.parallel = scale::Fixed(kScaleInfinite);
        f.area = scale::Fixed(kScaleOne);
    }
    return f;
}

}  // namespace

double MollweideTheta(double phi) { return BoundedMollweideTheta(phi); }

ProjectedPoint MollweideForward(const ProjectionSetup& s, double lat, double lon) {
    return ForwardOf<MollweidePoint>(s, lat, lon);
}

const ProjectionKernel kMollweideKernel = {
    .prepare = WorldExtent,
    .setup = Setup,
    .forward = MollweideForward,
    .select = SelectPoint<Setup, MollweidePoint>,
    .scale = Scale,
    .noteFirst = "The scale is true along latitudes 40°44' North and South.  The scale is constant",
    .noteSecond = "along parallels, and symmetrical about the equator and the central meridian.",
    .prepareScale = nullptr,
    .wholeSphereRadius = 0,
};

const ProjectionKernel kInterruptedMollweideKernel = {
    .prepare = WorldExtent,
    .setup = Setup,
    .forward = MollweideForward,
    .select = SelectPoint<Setup, MollweidePoint>,
    .scale = nullptr,
    .noteFirst = {},
    .noteSecond = {},
    .prepareScale = nullptr,
    .wholeSphereRadius = 0,
};

}  // namespace tlrx
