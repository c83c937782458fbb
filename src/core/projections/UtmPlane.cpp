#include "core/projections/UtmPlane.h"

#include <atomic>
#include <cmath>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/projections/Extent.h"
#include "core/projections/ScaleMath.h"

namespace tlrx {

namespace {

ProjectionSetup Setup(const DesignState& d) {
    ProjectionSetup s;
    s.code = d.ProjCode;
    s.centralMeridian = d.CentralMeridian;
    s.utm = {.a = d.UtmSemiMajorAxis,
             .k0 = d.UtmScaleFactor,
             .e2 = d.UtmEccSq,
             .ep2 = d.UtmEccPrimeSq,
             .arcA0 = d.UtmArcA0,
             .arcB1 = d.UtmArcB1,
             .arcB2 = d.UtmArcB2,
             .arcB3 = d.UtmArcB3,
             .m0 = d.UtmM0,
             .falseEasting = d.UtmFalseEasting,
             .falseNorthing = d.UtmFalseNorthing};
    return s;
}

void Prepare(DesignState& d) { RectangularExtent(d); }

ScaleFactors Scale(const DesignState& d, double phi, double easting) {
    const double k0 = d.UtmScaleFactor, a = d.UtmSemiMajorAxis;
    const double c = std::cos(phi), s = std::sin(phi);
    const double k = k0 * (1 + scale::Div((1 + d.UtmEccPrimeSq * c * c) * (1 - d.UtmEccSq * s * s) * easting * easting,
                                          2 * k0 * k0 * a * a));
    return scale::Numbers(k, k, k * k);
}

// The two fields are read one by one: the caller has just stored them one
// by one, and a single wide load of both (which the compiler would otherwise
// make of this copy) cannot be served from those two stores and stalls.
void Select(DesignState& d, AzimuthalPoint&) {
    const double easting = d.ProjInLon;
    std::atomic_signal_fence(std::memory_order_relaxed);
    const double northing = d.ProjInLat;
    d.ProjOutX = easting;
    d.ProjOutY = northing;
}

}  // namespace

double UtmMeridianDistance(const ProjectionSetup::Utm& u, double phi) {
    const double s2 = std::sin(2 * phi);
    const double c2 = std::cos(2 * phi);
    return u.a * (u.arcA0 * phi + s2 * (u.arcB1 + c2 * (u.arcB2 + c2 * u.arcB3)));
}

void UtmGridPoint(const ProjectionSetup& s, double latDeg, double lonDeg, double& easting, double& northing) {
    const ProjectionSetup::Utm& u = s.utm;
    const double a = u.a, k0 = u.k0, e2 = u.e2, ep2 = u.ep2;

    const double phi = latDeg * kDegToRad;
    const double sinPhi = std::sin(phi), c = std::cos(phi), t = std::tan(phi);
    const double tt = t * t, tt2 = tt * tt;
    const double m = UtmMeridianDistance(u, phi);
    const double n = CheckedDiv(a, std::sqrt(1 - e2 * sinPhi * sinPhi));
    const double cc = ep2 * c * c;

    double delta = lonDeg - s.centralMeridian;
    if (delta > 180) delta -= 360;
    else if (delta < -180) delta += 360;
    const double aa = delta * kDegToRad * c;
    const double aa2 = aa * aa, aa3 = aa2 * aa, aa4 = aa2 * aa2, aa5 = aa4 * aa, aa6 = aa4 * aa2;

    easting =
        u.falseEasting + k0 * n * (aa + (1 - tt + cc) * aa3 / 6 + (5 - 18 * tt + tt2 + 72 * cc - 58 * ep2) * aa5 / 120);
    northing = u.falseNorthing + k0 * (m - u.m0 +
                                       n * t *
                                           (aa2 / 2 + (5 - tt + 9 * cc + 4 * cc * cc) * aa4 / 24 +
                                            (61 - 58 * tt + tt2 + 600 * cc - 330 * ep2) * aa6 / 720));
}

ProjectedPoint UtmPassThrough(const ProjectionSetup&, double lat, double lon) {
    return {lon, lat, PointStatus::Projected, {}};
}

const ProjectionKernel kUtmKernel = {
    .prepare = Prepare,
    .setup = Setup,
    .forward = UtmPassThrough,
    .select = Select,
    .scale = Scale,
    .noteFirst = "Northing and easting scales are equal at any point on the projection.",
    .noteSecond = "The scale is symmetrical about the equator and the central meridian.",
    .prepareScale = nullptr,
    .wholeSphereRadius = 0,
    .plane = UtmGridPoint,
};

}  // namespace tlrx
