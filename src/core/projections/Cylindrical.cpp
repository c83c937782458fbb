#include "core/projections/Cylindrical.h"

#include <cmath>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/projections/Extent.h"
#include "core/projections/KernelMath.h"
#include "core/projections/ScaleMath.h"

namespace tlrx {

using namespace kernel;

namespace {

ProjectionSetup Setup(const DesignState& d) {
    ProjectionSetup s;
    s.code = d.ProjCode;
    s.frameWest = d.FrameWest;
    s.cosStdPar = d.CosStdParNorth;
    return s;
}

void PrepareMercator(DesignState& d) { RectangularExtent(d); }

void PrepareWithStdParallel(DesignState& d) {
    d.CosStdParNorth = std::cos(d.StdParNorth * d.DegToRad);
    RectangularExtent(d);
}

// ---- The formulas (KernelMath.h: ForwardOf) ----

struct MercatorPoint {
    template <typename Out>
    static PointStatus At(const ProjectionSetup& s, double lat, double lon, Out& out) {
        out.x = Finite((lon - s.frameWest) * kDegToRad);
        out.y = Finite(Log(std::tan(kPiOver4 + lat * kHalfDegToRad)));
        return PointStatus::Projected;
    }
};

struct EquirectangularPoint {
    template <typename Out>
    static PointStatus At(const ProjectionSetup& s, double lat, double lon, Out& out) {
        out.x = Finite((lon - s.frameWest) * kDegToRad * s.cosStdPar);
        out.y = Finite(lat * kDegToRad);
        return PointStatus::Projected;
    }
};

struct CylEqualAreaPoint {
    template <typename Out>
    static PointStatus At(const ProjectionSetup& s, double lat, double lon, Out& out) {
        out.x = Finite((lon - s.frameWest) * kDegToRad * s.cosStdPar);
        out.y = Finite(Div(std::sin(lat * kDegToRad), s.cosStdPar));
        return PointStatus::Projected;
    }
};

// ---- Scale factors ----

// Scales relative to the boundary parallel nearest the equator; plain
// sec(latitude) for a map that touches or spans the equator.
ScaleFactors MercatorScale(const DesignState& d, double lat, double) {
    const double phi = lat * d.DegToRad;
    double s = 1;
    if (d.LatNorth > 0 && d.LatSouth > 0) s = scale::Div(1, std::cos(d.LatSouth * d.DegToRad));
    if (d.LatNorth < 0 && d.LatSouth < 0) s = scale::Div(1, std::cos(d.LatNorth * d.DegToRad));
    const double k = scale::Div(scale::Div(1, std::cos(phi)), s);
    return scale::Numbers(k, k, k * k);
}

ScaleFactors EquirectangularScale(const DesignState& d, double lat, double) {
    const double phi = lat * d.DegToRad;
    if (std::fabs(lat) == 90) return scale::Singular(kScaleOne, kScaleInfinite, kScaleInfinite);
    const double k = scale::Div(std::cos(d.StdParNorth * d.DegToRad), std::cos(std::fabs(phi)));
    return scale::Numbers(1, k, k);
}

ScaleFactors CylEqualAreaScale(const DesignState& d, double lat, double) {
    const double phi = lat * d.DegToRad;
    if (std::fabs(lat) == 90) return scale::Singular(kScaleZero, kScaleInfinite, kScaleInfinite);
    const double cosStd = std::cos(d.StdParNorth * d.DegToRad);
    const double cosLat = std::cos(std::fabs(phi));
    const double h = scale::Div(cosLat, cosStd);
    const double k = scale::Div(cosStd, cosLat);
    return scale::Numbers(h, k, h * k);
}

}  // namespace

ProjectedPoint MercatorForward(const ProjectionSetup& s, double lat, double lon) {
    return ForwardOf<MercatorPoint>(s, lat, lon);
}

ProjectedPoint EquirectangularForward(const ProjectionSetup& s, double lat, double lon) {
    return ForwardOf<EquirectangularPoint>(s, lat, lon);
}

ProjectedPoint CylEqualAreaForward(const ProjectionSetup& s, double lat, double lon) {
    return ForwardOf<CylEqualAreaPoint>(s, lat, lon);
}

const ProjectionKernel kMercatorKernel = {
    .prepare = PrepareMercator,
    .setup = Setup,
    .forward = MercatorForward,
    .select = SelectPoint<Setup, MercatorPoint>,
    .scale = MercatorScale,
    .noteFirst = "Latitude and longitude scales are equal at any point on the projection.",
    .noteSecond = "The scale is symmetrical about the equator.",
    .prepareScale = nullptr,
    .wholeSphereRadius = 0,
};

const ProjectionKernel kEquirectangularKernel = {
    .prepare = PrepareWithStdParallel,
    .setup = Setup,
    .forward = EquirectangularForward,
    .select = SelectPoint<Setup, EquirectangularPoint>,
    .scale = EquirectangularScale,
    .noteFirst = "The scale is true along all meridians and along the two standard parallels;",
    .noteSecond = "and is symmetrical about the equator.",
    .prepareScale = nullptr,
    .wholeSphereRadius = 0,
};

const ProjectionKernel kCylEqualAreaKernel = {
    .prepare = PrepareWithStdParallel,
    .setup = Setup,
    .forward = CylEqualAreaForward,
    .select = SelectPoint<Setup, CylEqualAreaPoint>,
    .scale = CylEqualAreaScale,
    .noteFirst = "The scale is only true along the two standard parallels; and is symmetrical",
    .noteSecond = "about the equator.",
    .prepareScale = nullptr,
    .wholeSphereRadius = 0,
};

}  // namespace tlrx
