#include "core/projections/Conic.h"

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
    ProjectionSetup s = CentredSetup(d);
    s.cone = {d.ConicN, d.ConicG, d.ConicF, d.ConicC, d.ConicRho0};
    return s;
}

// ---- Set-up: the cone constants, then the extent ----

void CheckCone(const DesignState& d) {
    if (!std::isfinite(d.ConicN) || !std::isfinite(d.ConicRho0)) Raise(kOverflow);
}

void PrepareEquidistant(DesignState& d) {
    const double n = d.StdParNorth * d.DegToRad;
    const double s = d.StdParSouth * d.DegToRad;
    d.ConicN = CheckedDiv(std::cos(s) - std::cos(n), n - s);
    d.ConicG = CheckedDiv(d.StdParNorth * std::cos(s) - d.StdParSouth * std::cos(n), std::cos(s) - std::cos(n));
    d.ConicRho0 = (d.ConicG - d.CentLat) * d.DegToRad;
    CheckCone(d);
    ConicExtent(d);
}

void PrepareConformal(DesignState& d) {
    const double n = d.StdParNorth * d.DegToRad;
    const double s = d.StdParSouth * d.DegToRad;
    const double tanN = std::tan(d.PiOver4 + d.StdParNorth * d.HalfDegToRad);
    const double tanS = std::tan(d.PiOver4 + d.StdParSouth * d.HalfDegToRad);
    d.ConicN = CheckedDiv(std::log(std::cos(s) / std::cos(n)), std::log(tanN / tanS));
    d.ConicF = CheckedDiv(std::cos(s) * std::pow(tanS, d.ConicN), d.ConicN);
    d.ConicRho0 = d.ConicF / std::pow(std::tan(d.PiOver4 + d.CentLat * d.HalfDegToRad), d.ConicN);
    CheckCone(d);
    ConicExtent(d);
}

void PrepareAlbers(DesignState& d) {
    const double n = d.StdParNorth * d.DegToRad;
    const double s = d.StdParSouth * d.DegToRad;
    d.ConicN = (std::sin(n) + std::sin(s)) / 2;
    d.ConicC = std::cos(s) * std::cos(s) + 2 * d.ConicN * std::sin(s);
    d.ConicRho0 = CheckedDiv(std::sqrt(d.ConicC - 2 * d.ConicN * std::sin(d.CentLat * d.DegToRad)), d.ConicN);
    CheckCone(d);
    ConicExtent(d);
}

// The point at radius rho on the cone unrolled round its apex.
template <typename Out>
PointStatus ConePoint(const ProjectionSetup& s, double lon, double rho, Out& out) {
    const double theta = (lon - s.centralMeridian) * s.cone.n * kDegToRad;
    out.x = Finite(rho * std::sin(theta));
    out.y = Finite(s.cone.rho0 - rho * std::cos(theta));
    return PointStatus::Projected;
}

struct EquidistantPoint {
    template <typename Out>
    static PointStatus At(const ProjectionSetup& s, double lat, double lon, Out& out) {
        return ConePoint(s, lon, (s.cone.g - lat) * kDegToRad, out);
    }
};

// The pole on the apex side is the apex; the other pole is not projectable.
struct ConformalPoint {
    template <typename Out>
    static PointStatus At(const ProjectionSetup& s, double lat, double lon, Out& out) {
        if (std::fabs(lat) == 90) {
            if (Sign(lat) != Sign(s.cone.n)) return PointStatus::Refused;
            return ConePoint(s, lon, 0, out);
        }
        return ConePoint(s, lon, Div(s.cone.f, Pow(std::tan(kPiOver4 + lat * kHalfDegToRad), s.cone.n)), out);
    }
};

struct AlbersPoint {
    template <typename Out>
    static PointStatus At(const ProjectionSetup& s, double lat, double lon, Out& out) {
        return ConePoint(s, lon, Div(Sqrt(s.cone.c - 2 * s.cone.n * std::sin(lat * kDegToRad)), s.cone.n), out);
    }
};

// ---- Scale factors ----

ScaleFactors EquidistantScale(const DesignState& d, double lat, double) {
    using scale::Div;
    const double phi = lat * d.DegToRad;
    const double G = EquidistantConeApexLat(d);
    if (std::fabs(lat) == 90) return scale::Singular(kScaleOne, kScaleInfinite, kScaleInfinite);
    const double cosRatio = Div(std::cos(phi), std::cos(d.StdParNorth * d.DegToRad));
    const double k = Div(G - lat, (G - d.StdParNorth) * cosRatio);
    return scale::Numbers(1, k, k);
}

ScaleFactors ConformalScale(const DesignState& d, double lat, double) {
    using scale::Div;
    using scale::Pow;
    const double phi = lat * d.DegToRad;
    if (std::fabs(lat) == 90) return scale::Singular(kScaleInfinite, kScaleInfinite, kScaleInfinite);
    const double n = d.ConicN;
    const auto angle = [&](double at) { return d.PiOver4 + at * d.HalfDegToRad; };
    const auto T = [&](double at) { return std::tan(angle(at)); };
    const auto M = [&](double at) {
        const double c = std::cos(angle(at));
        return Div(Pow(T(at), -n - 1), c * c);
    };
    const double h = Div(M(lat), M(d.StdParNorth));
    const double cosRatio = Div(std::cos(phi), std::cos(d.StdParNorth * d.DegToRad));
    const double k = Div(Pow(T(lat), -n), Pow(T(d.StdParNorth), -n) * cosRatio);
    return scale::Numbers(h, k, h * k);
}

ScaleFactors AlbersScale(const DesignState& d, double lat, double) {
    using scale::Div;
    const double phi = lat * d.DegToRad;
    if (std::fabs(lat) == 90) return scale::Singular(kScaleZero, kScaleInfinite, kScaleInfinite);
    const auto r = [&](double x) { return scale::Sqrt(d.ConicC - 2 * d.ConicN * std::sin(x)); };
    const double phi1 = d.StdParNorth * d.DegToRad;
    const double h = Div(Div(std::cos(phi), r(phi)), Div(std::cos(phi1), r(phi1)));
    const double k = Div(r(phi), r(phi1) * Div(std::cos(phi), std::cos(phi1)));
    return scale::Numbers(h, k, h * k);
}

}  // namespace

double EquidistantConeApexLat(const DesignState& d) {
    const double c1 = std::cos(d.StdParNorth * d.DegToRad);
    const double c2 = std::cos(d.StdParSouth * d.DegToRad);
    return CheckedDiv(d.StdParNorth * c2 - d.StdParSouth * c1, c2 - c1);
}

ProjectedPoint EquidistantConicForward(const ProjectionSetup& s, double lat, double lon) {
    return ForwardOf<EquidistantPoint>(s, lat, lon);
}

ProjectedPoint ConformalConicForward(const ProjectionSetup& s, double lat, double lon) {
    return ForwardOf<ConformalPoint>(s, lat, lon);
}

ProjectedPoint AlbersForward(const ProjectionSetup& s, double lat, double lon) {
    return ForwardOf<AlbersPoint>(s, lat, lon);
}

const ProjectionKernel kEquidistantConicKernel = {
    .prepare = PrepareEquidistant,
    .setup = Setup,
    .forward = EquidistantConicForward,
    .select = SelectPoint<Setup, EquidistantPoint>,
    .scale = EquidistantScale,
    .noteFirst = "The scale is true along all meridians and along the two standard parallels.",
    .noteSecond = {},
    .prepareScale = [](DesignState& d) { d.ConicG = EquidistantConeApexLat(d); },
    .wholeSphereRadius = 0,
};

const ProjectionKernel kConformalConicKernel = {
    .prepare = PrepareConformal,
    .setup = Setup,
    .forward = ConformalConicForward,
    .select = SelectPoint<Setup, ConformalPoint>,
    .scale = ConformalScale,
    .noteFirst = "The scale is only true along the two standard parallels.  The scale is equal",
    .noteSecond = "in all directions at any point on the projection.",
    .prepareScale = nullptr,
    .wholeSphereRadius = 0,
};

const ProjectionKernel kAlbersKernel = {
    .prepare = PrepareAlbers,
    .setup = Setup,
    .forward = AlbersForward,
    .select = SelectPoint<Setup, AlbersPoint>,
    .scale = AlbersScale,
    .noteFirst = "The scale is true along standard parallels.  At any point, the scale along a",
    .noteSecond = "meridian is the reciprocal of the scale on the parallel through that point.",
    .prepareScale = nullptr,
    .wholeSphereRadius = 0,
};

}  // namespace tlrx
