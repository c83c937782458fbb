#include "core/projections/Robinson.h"

#include <cmath>

#include "core/DesignState.h"
#include "core/projections/Extent.h"
#include "core/projections/KernelMath.h"
#include "core/projections/ScaleMath.h"

namespace tlrx {

using namespace kernel;

namespace {

ProjectionSetup Setup(const DesignState& d) { return CentredSetup(d); }

// The polynomials of the projection in the absolute latitude p (degrees):
// relative parallel length X and ordinate Y, with their derivatives.
constexpr double kA[] = {0.0007658862163,  6.7797484678e-05, 5.2131392009e-06,
                         1.0474391018e-07, 1.066164359e-09,  4.2800356557e-12};
constexpr double kB[] = {0.012684924808,   4.8919970056e-05, 2.7603657836e-06,
                         6.7236660474e-08, 7.3846103164e-10, 3.211233692e-12};

// The powers are formed as a4 = a a3, a5 = a2 a3: another order changes the
// last bits of the result, and with them the recorded outputs of every
// Robinson map; y is written first.
struct RobinsonPoint {
    template <typename Out>
    static PointStatus At(const ProjectionSetup& s, double lat, double lon, Out& out) {
        const double a = std::fabs(lat);
        const double a2 = a * a;
        const double a3 = a2 * a;
        const double a4 = a * a3;
        const double a5 = a2 * a3;
        const double a6 = a3 * a3;
        const double X = 1 - kA[0] * a + kA[1] * a2 - kA[2] * a3 + kA[3] * a4 - kA[4] * a5 + kA[5] * a6;
        const double Y = kB[0] * a - kB[1] * a2 + kB[2] * a3 - kB[3] * a4 + kB[4] * a5 - kB[5] * a6;
        const double dLon = (lon - s.centralMeridian) * kDegToRad;
        double y = 1.3523 * Y;
        if (lat < 0) y = -y;
        out.y = Finite(y);
        out.x = Finite(0.8487 * X * dLon);
        return PointStatus::Projected;
    }
};

ScaleFactors Scale(const DesignState& d, double lat, double lon) {
    const double phi = lat * d.DegToRad;
    const double absLat = std::fabs(lat);
    const double delta = lon - d.CentralMeridian;
    const double p = absLat;
    const double p2 = p * p, p3 = p2 * p, p4 = p3 * p, p5 = p4 * p, p6 = p5 * p;
    const double X = 1 - kA[0] * p + kA[1] * p2 - kA[2] * p3 + kA[3] * p4 - kA[4] * p5 + kA[5] * p6;
    const double dX = -kA[0] + 2 * kA[1] * p - 3 * kA[2] * p2 + 4 * kA[3] * p3 - 5 * kA[4] * p4 + 6 * kA[5] * p5;
    const double dY = kB[0] - 2 * kB[1] * p + 3 * kB[2] * p2 - 4 * kB[3] * p3 + 5 * kB[4] * p4 - 6 * kB[5] * p5;
    const bool polar = absLat >= scale::kPolarLat;

    const double dxdphi = delta * 0.8487 * dX;
    const double dydphi = scale::Div(dY * 1.3523, d.DegToRad);
    const double h = std::sqrt(dxdphi * dxdphi + dydphi * dydphi);
    const double dxdlam = 0.8487 * X;
    const double k = polar ? 1 : scale::Div(std::fabs(dxdlam), std::cos(phi));
    // The angle between meridian and parallel, also on the equator, where
    // the meridians bend (the polynomials take |latitude|) and the one-sided
    // dx/dphi is not 0: the area is then the ratio of the areas.
    const double sinAngle = scale::Div(dydphi, h);
    ScaleFactors f = scale::Numbers(h, k, h * k * sinAngle);
    if (polar) {
        f.parallel = scale::Fixed(kScaleInfinite);
        f.area = scale::Fixed(kScaleInfinite);
    }
    return f;
}

}  // namespace

ProjectedPoint RobinsonForward(const ProjectionSetup& s, double lat, double lon) {
    return ForwardOf<RobinsonPoint>(s, lat, lon);
}

const ProjectionKernel kRobinsonKernel = {
    .prepare = WorldExtent,
    .setup = Setup,
    .forward = RobinsonForward,
    .select = SelectPoint<Setup, RobinsonPoint>,
    .scale = Scale,
    .noteFirst = "The scale is true along latitudes 37°50' North and South.",
    .noteSecond = {},
    .prepareScale = nullptr,
    .wholeSphereRadius = 0,
};

}  // namespace tlrx
