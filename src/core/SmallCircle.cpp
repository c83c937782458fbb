#include "core/SmallCircle.h"

#include <cmath>
#include <cstdint>

#include "core/DesignState.h"
#include "core/Errors.h"

namespace tlrx {

namespace {

constexpr double kNearZeroX = 0.000003;  // below this |x| the point lies due east or west
constexpr double kMinGap = 20;           // degrees of longitude that call for filling

// Appends a point of circle k, its longitude brought into -180..180.
void AppendPoint(DesignState& d, int k, double lat, double lon) {
    if (lon < -180) {
        lon += 360;
    } else if (lon > 180) {
        lon -= 360;
    }
    const int16_t count = ToInt16(static_cast<double>(d.ScLat.size()));  // Overflow past 32767
    d.ScLat.push_back(lat);
    d.ScLon.push_back(lon);
    d.ScCircleEnd[k] = count;
}

}  // namespace

void ComputeSmallCircles(DesignState& d) {
    d.ScLat.assign(1, 0);
    d.ScLon.assign(1, 0);
    if (d.ScCount < 0) Raise(kSubscriptOutOfRange);
    d.ScCircleEnd.assign(static_cast<size_t>(d.ScCount) + 1, 0);
    for (double v : {d.ScCenterLat, d.ScCenterLon, d.ScRadius}) {
        if (!std::isfinite(v)) Raise(kOverflow);  // no circle about a value that is not a number
    }

    const double latC = d.ScCenterLat * d.DegToRad;
    const double lonC = d.ScCenterLon;
    const double sinC = std::sin(latC);
    const double cosC = std::cos(latC);
    for (int k = 1; k <= d.ScCount; ++k) {
        const double r = d.ScRadius * d.DegToRad * k / d.ScCount;
        const double sinR = std::sin(r);
        const double cosR = std::cos(r);
        // Unless the circle passes over a pole, the points due north and
        // due south lie on the centre's meridian, else on the far one.
        const bool northNear = (r + latC) / d.DegToRad <= 90;
        const bool southNear = (latC - r) / d.DegToRad >= -90;
        double prevLat = 0;
        double prevLon = 0;
        for (int a = 0; a <= 360; ++a) {
            const double az = a * d.DegToRad;
            const double s = sinC * cosR + cosC * sinR * std::cos(az);
            double lat;
            if (s >= 1) {
                lat = 90;
            } else if (s <= -1) {
                lat = -90;
            } else {
                lat = std::atan(CheckedDiv(s, std::sqrt(1 - s * s))) / d.DegToRad;
            }

            // The longitude followed round the circle, possibly beyond +-180.
            const double x = cosC * cosR - sinC * sinR * std::cos(az);
            double lon;
            if (a == 0) {
                lon = northNear ? lonC : lonC + 180;
            } else if (a == 360) {
                lon = northNear ? lonC : lonC - 180;
            } else if (a == 180) {
                lon = southNear ? lonC : lonC + 180;
            } else if (std::fabs(x) < kNearZeroX) {
                lon = a < 180 ? lonC + 90 : lonC - 90;
            } else {
                lon = lonC + std::atan(sinR * std::sin(az) / x) / d.DegToRad;
                if (x < 0) lon += a < 180 ? 180 : -180;
            }

            if (a > 0) {
                // The step from the previous point, taken the short way:
                // a raw step of more than 180 degrees passes the far
                // meridian (lonC +- 180), where the raw longitude of a
                // circle round the South Pole jumps by a whole turn.
                const double gap = std::remainder(lon - prevLon, 360.0);
                if (std::fabs(gap) >= kMinGap) {
                    const int m = static_cast<int>(RoundHalfEven(std::fabs(gap))) / 20 + 1;
                    for (int j = 1; j < m; ++j) {
                        const double f = static_cast<double>(j) / m;
                        // Past the far meridian the fill point is taken back
                        // by a turn, into the raw range of the circle's points.
                        double fillLon = prevLon + f * gap;
                        if (fillLon > lonC + 180) {
                            fillLon -= 360;
                        } else if (fillLon < lonC - 180) {
                            fillLon += 360;
                        }
                        AppendPoint(d, k, prevLat + f * (lat - prevLat), fillLon);
                    }
                }
            }
            AppendPoint(d, k, lat, lon);
            prevLat = lat;
            prevLon = lon;
        }
    }
}

void ScCalc() {
    try {
        ComputeSmallCircles(Design());
    } catch (const RuntimeError& e) {
        ShowProcError("ScCalc", e.what());
    }
}

}  // namespace tlrx
