#include "core/RangeCircle.h"

#include <algorithm>
#include <cmath>

#include "core/DesignState.h"
#include "core/Errors.h"

namespace tlrx {

namespace {

constexpr int kMaxSteps = 20;

struct ValueAndSlope {
    double value;
    double slope;
};

// Newton iteration on one coordinate v: at most kMaxSteps steps
// v <- v - F / F', stopping before a step once the last change is no more
// than tolerance. Without convergence the last value is returned.
template <typename Fn>
double Newton(double v, double tolerance, Fn fn) {
    double change = 60;
    for (int step = 0; step < kMaxSteps && change > tolerance; ++step) {
        const ValueAndSlope f = fn(v);
        if (f.slope == 0) Raise(kDivisionByZero);
        const double next = v - f.value / f.slope;
        if (!std::isfinite(next)) Raise(kOverflow);
        change = std::fabs(next - v);
        v = next;
    }
    return v;
}

}  // namespace

void AzInterpolate(int32_t& lat, int32_t& lon) {
    const auto& d = Design();
    try {
        const double secToRad = d.DegToRad / d.SecPerDeg;
        const double phi1 = d.PrevLatSec * secToRad;
        const double lam1 = d.PrevLonSec * secToRad;
        const double phi2 = d.PointLatSec * secToRad;
        const double lam2 = d.PointLonSec * secToRad;
        const double phiC = d.CentLatRad;
        const double lamC = d.CentralMeridian * d.DegToRad;
        const double cosC = d.CosCentLat;
        const double sinHalfRange = std::sin(d.AzRangeSec * d.HalfDegToRad / d.SecPerDeg);
        const double havRange = sinHalfRange * sinHalfRange;
        const double tolerance = 0.00003 * d.DegToRad;
        const double lonStep = std::fabs(lam1 - lam2);
        const bool acrossEdge = lonStep > 1.8 * d.Pi;  // more than 324 degrees

        // F = hav(distance from the centre) - hav(range): zero on the circle,
        // negative inside. a and b are half the latitude and longitude
        // differences from the centre.
        auto excess = [&](double a, double b, double phi) {
            const double sa = std::sin(a);
            const double sb = std::sin(b);
            return sa * sa + cosC * std::cos(phi) * sb * sb - havRange;
        };

        double phi = 0;
        double lam = 0;
        if (d.PrevLatSec == d.PointLatSec && d.PrevLonSec != d.PointLonSec) {
            // Along a parallel: only the longitude moves. Across the frame
            // edge, start in the middle of the short way round, beside the
            // smaller longitude: the distance is symmetric about the edge, so
            // a start at an end could converge to the mirror crossing on the
            // other side of the edge, off the segment.
            phi = phi2;
            lam = acrossEdge ? std::min(lam1, lam2) - (2 * d.Pi - lonStep) / 2 : (lam1 + lam2) / 2;
            const double a = (phi - phiC) / 2;
            const double cosPhi = std::cos(phi);
            lam = Newton(lam, tolerance, [&](double v) {
                const double b = (v - lamC) / 2;
                return ValueAndSlope{excess(a, b, phi), cosC * cosPhi * std::sin(b) * std::cos(b)};
            });
        } else if (d.PrevLonSec == d.PointLonSec && d.PrevLatSec != d.PointLatSec) {
            // Along a meridian: only the latitude moves.
            lam = lam2;
            const double b = (lam - lamC) / 2;
            const double sb = std::sin(b);
            phi = Newton((phi1 + phi2) / 2, tolerance, [&](double v) {
                const double a = (v - phiC) / 2;
                return ValueAndSlope{excess(a, b, v), std::sin(a) * std::cos(a) - cosC * std::sin(v) * sb * sb};
            });
        } else {
            // Any other segment: lam(phi) = lam2 + m (phi - phi2), the
            // longitude difference taken across the frame edge when needed.
            double lonDiff = lam1 - lam2;
            if (acrossEdge) lonDiff += lam1 > lam2 ? -2 * d.Pi : 2 * d.Pi;
            const double latDiff = phi1 - phi2;
            if (latDiff == 0) Raise(kDivisionByZero);  // identical ends
            const double m = lonDiff / latDiff;
            phi = Newton((phi1 + phi2) / 2, tolerance, [&](double v) {
                const double a = (v - phiC) / 2;
                const double b = (lam2 + m * (v - phi2) - lamC) / 2;
                const double sb = std::sin(b);
                const double slope = std::sin(a) * std::cos(a) - cosC * std::sin(v) * sb * sb +
                                     m * cosC * std::cos(v) * sb * std::cos(b);
                return ValueAndSlope{excess(a, b, v), slope};
            });
            lam = lam2 + m * (phi - phi2);
        }

        const int32_t latSec = ToInt32(d.SecPerDeg * (phi / d.DegToRad));
        const int32_t lonSec = ToInt32(d.SecPerDeg * (lam / d.DegToRad));
        lat = latSec;
        lon = lonSec;
    } catch (const RuntimeError& e) {
        ShowProcError("AzInterpolate", e.what());
    }
}

}  // namespace tlrx
