#include "core/projections/Hammer.h"

#include <cmath>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/projections/Extent.h"
#include "core/projections/KernelMath.h"
#include "core/projections/ScaleMath.h"

namespace tlrx {

using namespace kernel;

namespace {

ProjectionSetup Setup(const DesignState& d) { return CentredSetup(d); }

struct HammerPoint {
    template <typename Out>
    static PointStatus At(const ProjectionSetup& s, double lat, double lon, Out& out) {
        const double phi = lat * kDegToRad;
        const double dLon = (lon - s.centralMeridian) * kHalfDegToRad;
        const double cosLat = std::cos(phi);
        const double D = Sqrt(Div(2, cosLat * std::cos(dLon) + 1));
        out.x = Finite(2 * D * cosLat * std::sin(dLon));
        out.y = Finite(D * std::sin(phi));
        return PointStatus::Projected;
    }
};

ScaleFactors Scale(const DesignState& d, double lat, double lon) {
    const double phi = lat * d.DegToRad;
    const double delta = lon - d.CentralMeridian;
    constexpr double B = 0.5;
    const double cphi = std::cos(phi), sphi = std::sin(phi);
    const double cl = std::cos(delta * B * d.DegToRad), sl = std::sin(delta * B * d.DegToRad);
    const double w = 1 + cphi * cl;
    const double r = scale::Sqrt(scale::Div(2, w));
    const double w2r = w * w * r;

    const double dxdphi = -(r / B) * sl * sphi + scale::Div(cphi * sl * sphi * cl, w2r * B);
    const double dydphi = r * cphi + scale::Div(sphi * sphi * cl, w2r);
    const double h = std::sqrt(dxdphi * dxdphi + dydphi * dydphi);

    double dxdlam, dydlam, k;
    if (std::fabs(lat) == 90) {
        // The limits of the derivatives divided by cos phi.
        dxdlam = r * cl;
        dydlam = scale::Div(B * sphi * sl, r);
        k = std::sqrt(dxdlam * dxdlam + dydlam * dydlam);
    } else {
        dxdlam = r * cphi * cl + scale::Div(cphi * cphi * sl * sl, w2r);
        dydlam = scale::Div(B * sphi * cphi * sl, w2r);
        k = scale::Div(std::sqrt(dxdlam * dxdlam + dydlam * dydlam), cphi);
    }
    // Sine of the angle between meridian and parallel.
    double sinAngle = 1;
    if (delta != 0 && lat != 0)
        sinAngle = std::sin(std::atan(std::fabs(scale::Div(dydphi, dxdphi))) +
                            std::atan(std::fabs(scale::Div(dydlam, dxdlam))));
    return scale::Numbers(h, k, h * k * sinAngle);
}

}  // namespace

ProjectedPoint HammerForward(const ProjectionSetup& s, double lat, double lon) {
    return ForwardOf<HammerPoint>(s, lat, lon);
}

const ProjectionKernel kHammerKernel = {
    .prepare = WorldExtent,
    .setup = Setup,
    .forward = HammerForward,
    .select = SelectPoint<Setup, HammerPoint>,
    .scale = Scale,
    .noteFirst = "The scale is only true at the intersection of the equator and the",
    .noteSecond = "central meridian.",
    .prepareScale = nullptr,
    .wholeSphereRadius = 0,
};

}  // namespace tlrx
