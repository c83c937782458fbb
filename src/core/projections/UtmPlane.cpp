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
};

}  // namespace tlrx
