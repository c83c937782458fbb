#include "core/projections/Azimuthal.h"

#include <cmath>
#include <optional>
#include <string>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/ProjectionTable.h"
#include "core/projections/Extent.h"
#include "core/projections/KernelMath.h"
#include "core/projections/ScaleMath.h"

namespace tlrx {

using namespace kernel;

namespace {

// Code 29: the viewpoint, its horizon and the disc of the visible cap.
void PrepareVerticalPerspective(DesignState& d) {
    d.VpP = d.VpDistanceKm / 6371 + 1;
    const double inv = 1 / d.VpP;
    const double h = std::atan(std::sqrt(1 - inv * inv) / inv) / d.DegToRad;
    d.AzRangeSec = ToInt32(h * 3600);
    d.CosAzRange = std::cos(h * d.DegToRad);
    DegMinSec(h, d.BoundsText[8], "LON", 4);
    d.MapXMax = d.MapYMax = std::sqrt((d.VpP - 1) / (d.VpP + 1));
    d.MapXMin = d.MapYMin = -d.MapXMax;
}

// The radial policy of each projection. K(vpP, cosC) is k at cos c (vpP:
// the vertical perspective's viewpoint distance), taking values, not the
// set-up, so that the set-up of the per-point step stays in registers.
// CosLimit(vpP) is the visibility limit on cos c: a point at or below it is
// not visible. Stretch(c) is the largest scale (the greater of the radial and
// the tangential one) at angular distances up to c radians from the centre,
// infinite where it is unbounded. ScaleK(d, B, cosc, sinc, kr, dkr) gives k'
// and its derivative along the meridian for the scale values, or a fixed row
// where they are singular.
using ScaleRow = std::optional<ScaleFactors>;

// The projections that reach the antipode stop just short of it. There cos c
// is rounded (by a few 1e-16) and misses -1, while the radial factor divides
// by sin c or 1 + cos c and the direction comes from rounding alone: the
// antipode would land anywhere, even at the centre. Within 1e-13 of -1 (0.09
// arc-second from the antipode) a point is not visible; beyond, the rounding
// moves a point by less than 0.3 percent of its distance from the centre, and
// the graticule's own points 0.00003 degree from the antipode
// (1 + cos c = 1.37e-13) stay on the map.
constexpr double kAntipodeLimit = -1 + 1E-13;

struct GnomonicRadial {
    static double K(double, double cosC) { return Div(1, cosC); }
    static double CosLimit(double) { return 0; }  // the horizon
    static double Stretch(double c) {
        const double cosC = std::cos(c);
        return cosC > 0 ? 1 / (cosC * cosC) : INFINITY;
    }
    static ScaleRow ScaleK(const DesignState&, double B, double cosc, double, double& kr, double& dkr) {
        kr = scale::Div(1, cosc);
        dkr = scale::Div(-B, cosc * cosc);
        return std::nullopt;
    }
};

struct StereographicRadial {
    static double K(double, double cosC) { return Div(2, 1 + cosC); }
    static double CosLimit(double) { return kAntipodeLimit; }
    static double Stretch(double c) { return 2 / (1 + std::cos(c)); }
    static ScaleRow ScaleK(const DesignState&, double B, double cosc, double, double& kr, double& dkr) {
        kr = scale::Div(2, 1 + cosc);
        dkr = scale::Div(-2 * B, (1 + cosc) * (1 + cosc));
        return std::nullopt;
    }
};

struct OrthographicRadial {
    static double K(double, double) { return 1; }
    static double CosLimit(double) { return -0.00000001; }  // just beyond the horizon
    static double Stretch(double) { return 1; }
    static ScaleRow ScaleK(const DesignState&, double, double, double, double&, double&) { return std::nullopt; }
};

struct PerspectiveRadial {
    static double K(double vpP, double cosC) { return Div(vpP - 1, vpP - cosC); }
    static double CosLimit(double vpP) { return 1 / (vpP + 0.0000000001); }  // just below the horizon 1 / P
    static double Stretch(double) { return 1; }
    static ScaleRow ScaleK(const DesignState& d, double B, double cosc, double, double& kr, double& dkr) {
        kr = scale::Div(d.VpP - 1, d.VpP - cosc);
        dkr = scale::Div((d.VpP - 1) * B, (d.VpP - cosc) * (d.VpP - cosc));
        return std::nullopt;
    }
};

struct EquidistantRadial {
    static double K(double, double cosC) {
        if (cosC == 1) return 1;
        const double sinC = Sqrt(1 - cosC * cosC);
        double c = 0;
        if (std::fabs(cosC) < 0.00000001) {
            c = 2 * kPiOver4;
        } else {
            c = std::atan(Div(sinC, cosC));
            if (c < 0) c = c + kPi;
        }
        return Div(c, sinC);
    }
    static double CosLimit(double) { return kAntipodeLimit; }
    static double Stretch(double c) { return c > 0 ? (std::sin(c) > 0 ? c / std::sin(c) : INFINITY) : 1; }
    static ScaleRow ScaleK(const DesignState& d, double B, double cosc, double sinc, double& kr, double& dkr) {
        if (cosc == -1) return scale::Singular(kScaleOne, kScaleInfinite, kScaleInfinite);
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
        return std::nullopt;
    }
};

struct EqualAreaRadial {
    static double K(double, double cosC) { return Sqrt(Div(2, 1 + cosC)); }
    static double CosLimit(double) { return kAntipodeLimit; }
    static double Stretch(double c) { return std::cos(c / 2) > 0 ? 1 / std::cos(c / 2) : INFINITY; }
    static ScaleRow ScaleK(const DesignState& d, double B, double cosc, double, double& kr, double& dkr) {
        if (cosc == -1) return scale::Singular(kScaleZero, kScaleInfinite, kScaleInfinite);
        kr = scale::Div(d.Sqrt2, scale::Sqrt(1 + cosc));
        dkr = scale::Div(-B, d.Sqrt2 * scale::Pow(1 + cosc, 1.5));
        return std::nullopt;
    }
};

template <typename Radial>
ProjectionSetup Setup(const DesignState& d) {
    ProjectionSetup s = CentredSetup(d);
    s.azimuth.cosCentLat = d.CosCentLat;
    s.azimuth.sinCentLat = d.SinCentLat;
    s.azimuth.cosLimit = Radial::CosLimit(d.VpP);
    s.azimuth.cosRange = d.CosAzRange;
    s.azimuth.vpP = d.VpP;
    return s;
}

// ---- Scale factors, on the central meridian and beyond the pole ----

template <typename Radial>
ScaleFactors Scale(const DesignState& d, double lat, double lon) {
    const double phi = lat * d.DegToRad;
    const double s0 = d.SinCentLat, c0 = d.CosCentLat;
    const double cphi = std::cos(phi), sphi = std::sin(phi);
    const double cl = std::cos((lon - d.CentLon) * d.DegToRad);
    const double A = c0 * cphi + s0 * sphi * cl;
    double cosc = s0 * sphi + c0 * cphi * cl;
    if (cosc > 1) cosc = 1;
    if (cosc < -1) cosc = -1;
    const double B = s0 * cphi - c0 * sphi * cl;
    double sinc = std::sqrt(1 - cosc * cosc);

    double kr = 1, dkr = 0;  // radial factor k' and its derivative along the meridian
    if (ScaleRow fixed = Radial::ScaleK(d, B, cosc, sinc, kr, dkr)) return *fixed;
    const double h = std::fabs(kr * A + (c0 * sphi - s0 * cphi * cl) * dkr);
    const double k = std::fabs(kr * cl);
    return scale::Numbers(h, k, h * k);
}

// x and y of a visible place, written to out in that order.
template <typename Radial, typename Out>
void MapPlace(const ProjectionSetup& s, const AzimuthalPoint& a, Out& out) {
    const double k = Finite(Radial::K(s.azimuth.vpP, a.cosC));
    out.x = Finite(k * a.cosLat * a.sinDLon);
    out.y = Finite(k * (a.sinLat * s.azimuth.cosCentLat - a.cosLat * s.azimuth.sinCentLat * a.cosDLon));
}

// ProjectSelect's step, with the range query (AzQueryMode -1) and the reuse
// of its place (2). A Failure leaves what was written and goes on to
// ProjectSelect.
template <typename Radial>
void Select(DesignState& d, AzimuthalPoint& kept) {
    const ProjectionSetup s = Setup<Radial>(d);
    AzimuthalPoint place;
    if (d.AzQueryMode == 2) {
        d.AzQueryMode = 0;
        place = kept;
    } else {
        place = AzimuthalPlace(s, d.ProjInLat, d.ProjInLon);
        kept = place;
        if (!AzimuthalVisible(s, place)) {
            d.PlotStatus = 2;
            d.CalcError = true;
            return;
        }
        if (d.AzQueryMode != 0) {
            d.PlotStatus = AzimuthalWithinRange(s, place) ? 4 : 5;
            d.CalcError = true;
            return;
        }
    }
    DesignOut out{d.ProjOutX, d.ProjOutY};
    MapPlace<Radial>(s, place, out);  // one call, so that it inlines
}

template <typename Radial>
ProjectedPoint Project(const ProjectionSetup& s, const AzimuthalPoint& a) {
    return Guarded([&](ProjectedPoint& p) { MapPlace<Radial>(s, a, p); });
}

template <typename Radial>
ProjectedPoint Forward(const ProjectionSetup& s, double lat, double lon) {
    const AzimuthalPoint a = AzimuthalPlace(s, lat, lon);
    if (!AzimuthalVisible(s, a)) return NotProjected(PointStatus::BeyondLimit);
    return Project<Radial>(s, a);
}

}  // namespace

AzimuthalPoint AzimuthalPlace(const ProjectionSetup& s, double lat, double lon) {
    AzimuthalPoint p;
    const double phi = lat * kDegToRad;
    p.cosLat = std::cos(phi);
    p.sinLat = std::sin(phi);
    p.dLon = (lon - s.centralMeridian) * kDegToRad;
    p.cosDLon = std::cos(p.dLon);
    p.sinDLon = std::sin(p.dLon);  // beside the cosine: one sincos
    double cosC = p.cosLat * s.azimuth.cosCentLat * p.cosDLon + p.sinLat * s.azimuth.sinCentLat;
    if (cosC > 1) cosC = 1;
    if (cosC < -1) cosC = -1;
    p.cosC = cosC;
    return p;
}

ProjectedPoint AzimuthalProject(const ProjectionSetup& s, const AzimuthalPoint& a) {
    return KernelOf(s.code)->projectPlace(s, a);
}

ProjectedPoint AzimuthalForward(const ProjectionSetup& s, double lat, double lon) {
    const AzimuthalPoint a = AzimuthalPlace(s, lat, lon);
    if (!AzimuthalVisible(s, a)) return NotProjected(PointStatus::BeyondLimit);
    return AzimuthalProject(s, a);
}

namespace {

// The azimuthal kernels differ in their radial policy, in how the extent is
// prepared, in the first note of the scale report and in whether the whole
// sphere fits (equidistant: a disc of radius pi; equal-area: 2).
template <typename Radial>
constexpr ProjectionKernel AzimuthalKernel(PrepareFn prepare, std::string_view noteFirst,
                                           double wholeSphereRadius = 0) {
    return {.prepare = prepare,
            .setup = Setup<Radial>,
            .forward = Forward<Radial>,
            .select = Select<Radial>,
            .scale = Scale<Radial>,
            .noteFirst = noteFirst,
            .noteSecond = {},
            .prepareScale = nullptr,
            .wholeSphereRadius = wholeSphereRadius,
            .projectPlace = Project<Radial>,
            .largestStretch = Radial::Stretch};
}

constexpr std::string_view kTrueAtCentre = "The scale is only true at the central point of the projection.";

}  // namespace

const ProjectionKernel kGnomonicKernel = AzimuthalKernel<GnomonicRadial>(AzimuthalExtent, kTrueAtCentre);
const ProjectionKernel kStereographicKernel = AzimuthalKernel<StereographicRadial>(
    AzimuthalExtent, "The scale is constant along any circle centered on the central point.");
const ProjectionKernel kOrthographicKernel = AzimuthalKernel<OrthographicRadial>(AzimuthalExtent, kTrueAtCentre);
const ProjectionKernel kVerticalPerspectiveKernel =
    AzimuthalKernel<PerspectiveRadial>(PrepareVerticalPerspective, kTrueAtCentre);
const ProjectionKernel kAzEquidistantKernel =
    AzimuthalKernel<EquidistantRadial>(AzimuthalExtent, kTrueAtCentre, 4 * kPiOver4);
const ProjectionKernel kAzEqualAreaKernel = AzimuthalKernel<EqualAreaRadial>(AzimuthalExtent, kTrueAtCentre, 4 * 0.5);

}  // namespace tlrx
