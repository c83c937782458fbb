#pragma once
// What the projection files share inside: the checked arithmetic of the
// forward functions (a failure ends the point with the description of the
// run-time error the procedures show; it throws no RuntimeError and
// allocates nothing), the pure forward function of a formula, and
// ProjectSelect's step built from a set-up and the same formula.

#include <cmath>
#include <limits>
#include <string_view>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/projections/ProjectionKernel.h"

namespace tlrx::kernel {

// Thrown by the checks below; caught by Guarded inside a pure forward
// function, or by ProjectSelect after its step.
struct Failure {
    std::string_view description;
};

[[noreturn]] inline void Fail(std::string_view description) { throw Failure{description}; }

// a / b: "Division by zero", or "Overflow" for 0 / 0.
inline double Div(double a, double b) {
    if (b == 0) Fail(a == 0 ? kOverflow : kDivisionByZero);
    return a / b;
}

inline double Log(double v) {
    if (!(v > 0)) Fail(kInvalidCall);
    return std::log(v);
}

inline double Sqrt(double v) {
    if (v < 0) Fail(kInvalidCall);
    return std::sqrt(v);
}

// A non-positive base has no real power for a general exponent.
inline double Pow(double base, double exponent) {
    if (!(base > 0)) Fail(kInvalidCall);
    return std::pow(base, exponent);
}

// A result that left the doubles (or never was one) is an overflow.
inline double Finite(double v) {
    if (!std::isfinite(v)) Fail(kOverflow);
    return v;
}

inline int Sign(double v) { return (v > 0) - (v < 0); }

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Runs body(point) on a point that starts unprojected (x, y NaN, status
// Projected); a Failure ends it as Failed with what the body had written.
template <typename Body>
inline ProjectedPoint Guarded(Body body) {
    ProjectedPoint p{kNaN, kNaN, PointStatus::Projected, {}};
    try {
        body(p);
    } catch (const Failure& f) {
        p.status = PointStatus::Failed;
        p.failure = f.description;
    }
    return p;
}

// Where ProjectSelect's step has a formula write: straight into ProjOutX and
// ProjOutY, so that the hot path keeps nothing aside for a failure.
struct DesignOut {
    double& x;
    double& y;
};

// The pure forward function of a formula: Point::At(setup, lat, lon, out)
// writes out.x and out.y (in its own order; a Failure stops it) and returns
// Projected or Refused.
template <typename Point>
inline ProjectedPoint ForwardOf(const ProjectionSetup& s, double lat, double lon) {
    PointStatus status = PointStatus::Projected;
    ProjectedPoint p = Guarded([&](ProjectedPoint& out) { status = Point::At(s, lat, lon, out); });
    if (p.status == PointStatus::Projected) p.status = status;
    return p;
}

// A point with no map position.
inline ProjectedPoint NotProjected(PointStatus status) { return {kNaN, kNaN, status, {}}; }

// The set-up shared by the projections centred on a meridian: the code and
// the central meridian; each family adds its own constants.
inline ProjectionSetup CentredSetup(const DesignState& d) {
    ProjectionSetup s;
    s.code = d.ProjCode;
    s.centralMeridian = d.CentralMeridian;
    return s;
}

// ProjectSelect's step for a projection without a query mode: its set-up and
// formula, both of the same file so that they inline. A Failure leaves what
// was written and goes on to ProjectSelect.
template <ProjectionSetup (*Setup)(const DesignState&), typename Point>
void SelectPoint(DesignState& d, AzimuthalPoint&) {
    DesignOut out{d.ProjOutX, d.ProjOutY};
    if (Point::At(Setup(d), d.ProjInLat, d.ProjInLon, out) == PointStatus::Refused) d.CalcError = true;
}

}  // namespace tlrx::kernel
