#include "plot/AzimuthalGrid.h"

#include <algorithm>
#include <cmath>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/ProjectionTable.h"

namespace tlrx {

namespace {

constexpr double kDensifiedRangeSec = 612000;  // 170 degrees

double Rad(double deg) { return deg * Design().DegToRad; }
double Deg(double rad) { return rad / Design().DegToRad; }

// A sine or cosine beyond +-1 (from rounding) becomes its sign.
double ClampUnit(double v) { return v > 1 ? 1 : (v < -1 ? -1 : v); }

double CheckedSqrt(double v) {
    if (v < 0) Raise(kInvalidCall);
    return std::sqrt(v);
}

// asin and acos in degrees in their arc-tangent forms: asin e = atan(e /
// sqrt(1 - e^2)), acos u = atan(sqrt(1 - u^2) / u), so acos of a negative u
// is negative.
double AsinDeg(double e) {
    e = ClampUnit(e);
    return Deg(std::atan(CheckedDiv(e, std::sqrt(1 - e * e))));
}

double AcosDeg(double u) {
    u = ClampUnit(u);
    return Deg(std::atan(CheckedDiv(std::sqrt(1 - u * u), u)));
}

// A quarter turn in arc-seconds.
int32_t QuarterTurnSec() { return Design().ArcSec180 / 2; }

// A map wider than the densified range on a projection that can show the
// whole sphere, with grid type 3.
bool WideWholeSphereMap() {
    const DesignState& d = Design();
    return ShowsWholeSphere(d.ProjCode) && d.AzRangeSec > kDensifiedRangeSec && d.GridType == 3;
}

// Sines of the latitudes where the meridian with cos(dLon) = cosDLon crosses
// the boundary circle: the roots of sin(phi0) s + cos(phi0) sqrt(1 - s^2)
// cos(dLon) = cos R after squaring, upper first.
void BoundaryCrossings(double cosDLon, double& s1, double& s2) {
    const DesignState& d = Design();
    const double a0 = d.CosCentLat * cosDLon;
    const double p = CheckedDiv(d.CosAzRange, a0);
    const double q = CheckedDiv(d.SinCentLat, a0);
    const double a = 1 + q * q;
    const double b = -2 * p * q;
    const double c = p * p - 1;
    const double disc = std::max(0.0, b * b - 4 * a * c);
    s1 = ClampUnit((-b + std::sqrt(disc)) / (2 * a));
    s2 = ClampUnit((-b - std::sqrt(disc)) / (2 * a));
}

// How far the point of sine s on the meridian lies off the boundary circle:
// 0 for a true crossing, more for the false root that squaring brings in.
double CrossingError(double s, double cosDLon) {
    const DesignState& d = Design();
    return std::fabs(d.CosAzRange - (d.SinCentLat * s + d.CosCentLat * std::sqrt(1 - s * s) * cosDLon));
}

// One run of a densified parallel from x to end, the first step measured at m.
void DensifiedRun(double lat, double x, double m, double end, std::vector<double>& list) {
    const DesignState& d = Design();
    const double phi0 = d.CentLat;
    const double cosLat = std::cos(Rad(lat));
    const double sinLat = std::sin(Rad(lat));
    while (true) {
        const double dl = Rad(m - d.CentralMeridian);
        const double D = d.CosCentLat * sinLat - d.SinCentLat * cosLat * std::cos(dl);
        double next = 0;
        if (lat == 0 && phi0 == 0) {
            next = d.CentralMeridian;  // the equator of an equatorial map is straight
        } else if (D == 0) {
            next = d.CentralMeridian - std::fabs(AcosDeg(CheckedDiv(std::tan(Rad(lat)), std::tan(d.CentLatRad))));
        } else {
            // T: tangent of the direction from the centre; 1 / (k g): the
            // longitude advance that turns that direction by one degree.
            const double sinD = std::sin(dl);
            const double T = cosLat * sinD / D;
            const double k = 1 / (1 + T * T);
            const double g = cosLat * std::cos(dl) / D - cosLat * cosLat * d.SinCentLat * sinD * sinD / (D * D);
            next = x + std::min(3.0, std::fabs(CheckedDiv(1, k * g)));
        }
        // A step that does not move on would never reach the end.
        if (!(next > x)) next = x + 3;
        next = std::min(next, end);
        list.push_back(next);
        x = m = next;
        if (next == end) break;
    }
}

}  // namespace

CapGeometry AzGridPassLimits(GridLimits& lim) {
    const DesignState& d = Design();
    CapGeometry cap;
    cap.TanCentLat = std::tan(d.CentLatRad);
    cap.Range = double(d.AzRangeSec) / d.SecPerDeg;
    const double phi0 = d.CentLat;
    const double R = cap.Range;
    const int32_t Q = QuarterTurnSec();
    cap.NorthEdge = ToInt32(phi0 * 3600 + d.AzRangeSec);
    cap.SouthEdge = ToInt32(phi0 * 3600 - d.AzRangeSec);
    cap.FarMargin = ToInt32(d.AzRangeSec - std::fabs(phi0 * 3600));

    lim.LatLo = d.LatSouth;
    lim.LatHi = d.LatNorth;
    lim.LonLo = d.FrameWest;
    lim.LonHi = d.FrameEast;
    lim.CapClipping = false;

    if (d.AzRangeSec == d.ArcSec180) {
        // The whole sphere: nothing to cut.
    } else if (phi0 == 90) {
        lim.LatLo = d.LatNorth - R;
    } else if (phi0 == -90) {
        lim.LatHi = d.LatSouth + R;
    } else if (phi0 == 0 && d.AzRangeSec <= Q) {
        lim.CapClipping = true;
        lim.LatHi = R;
        lim.LatLo = -R;
        cap.H = R;
    } else if (cap.SouthEdge >= -Q && cap.NorthEdge <= Q) {
        // No pole inside: the meridians CM +- H touch the boundary circle at
        // the latitude whose sine is r.
        lim.CapClipping = true;
        lim.LatHi = phi0 + R;
        lim.LatLo = phi0 - R;
        const double r = ClampUnit(CheckedDiv(d.SinCentLat, d.CosAzRange));
        if (std::fabs(r) == 1) {
            cap.H = 90;
        } else {
            const double t = r / std::sqrt(1 - r * r);
            cap.H = AcosDeg(CheckedDiv(cap.TanCentLat, t));
        }
    } else {
        // A pole inside: one of the limits lies beyond +-90.
        lim.CapClipping = true;
        lim.LatHi = phi0 + R;
        lim.LatLo = phi0 - R;
        cap.H = 180;
    }
    return cap;
}

void AzParallelLimits(const CapGeometry& cap, GridLimits& lim, double lat, double cosLat) {
    const DesignState& d = Design();
    const double cm = d.CentralMeridian;
    if ((lim.LatHi > 90 && (lim.LatHi - 90) / (90 - lat) >= 1) ||
        (lim.LatLo < -90 && (-lim.LatLo - 90) / (90 + lat) >= 1)) {
        // The whole parallel lies inside the cap.
        lim.LonLo = cm - 180;
        lim.LonHi = cm + 180;
        return;
    }
    const double sinHalfR = std::sin(cap.Range * d.HalfDegToRad);
    const double sinHalfDLat = std::sin((lat - d.CentLat) * d.HalfDegToRad);
    double v = CheckedDiv(sinHalfR * sinHalfR - sinHalfDLat * sinHalfDLat, d.CosCentLat * cosLat);
    if (v < 0) v = 0;
    const double half = 2 * Deg(std::atan(CheckedDiv(std::sqrt(v), CheckedSqrt(1 - v))));
    lim.LonLo = cm - half;
    lim.LonHi = cm + half;
}

MeridianPieces AzMeridianLimits(const CapGeometry& cap, GridLimits& lim, double lon, double cosDLon) {
    const DesignState& d = Design();
    MeridianPieces pieces;
    const double phi0 = d.CentLat;
    const double R = cap.Range;
    const int32_t Q = QuarterTurnSec();
    const bool quarter = std::fabs(lon - d.CentralMeridian) == 90;
    const bool hemisphere = d.AzRangeSec == Q;

    if (quarter && phi0 != 0 && cap.NorthEdge >= Q && cap.SouthEdge <= -Q) {
        lim.LatHi = 90;
        lim.LatLo = -90;
    } else if (quarter && phi0 > 0 && cap.NorthEdge >= Q) {
        lim.LatHi = 90;
        const double e = ClampUnit(CheckedDiv(d.CosAzRange, d.SinCentLat));
        lim.LatLo = std::fabs(e) == 1 ? phi0 - R : AsinDeg(e);
    } else if (quarter && phi0 < 0 && cap.SouthEdge <= -Q) {
        lim.LatLo = -90;
        const double e = ClampUnit(CheckedDiv(d.CosAzRange, d.SinCentLat));
        lim.LatHi = std::fabs(e) == 1 ? phi0 + R : AsinDeg(e);
    } else if (hemisphere && phi0 > 0) {
        lim.LatHi = 90;
        lim.LatLo = Deg(std::atan(CheckedDiv(-d.CosCentLat * cosDLon, d.SinCentLat)));
    } else if (hemisphere && phi0 < 0) {
        lim.LatLo = -90;
        lim.LatHi = Deg(std::atan(CheckedDiv(-d.CosCentLat * cosDLon, d.SinCentLat)));
    } else if (hemisphere) {
        lim.LatHi = 90;
        lim.LatLo = -90;
    } else if (cap.FarMargin < Q) {
        // The cap does not reach the far pole: the meridian crosses the
        // boundary circle at most twice.
        double s1 = 0, s2 = 0;
        BoundaryCrossings(cosDLon, s1, s2);
        double e1 = 1, e2 = 1;
        if (cap.NorthEdge != Q) {
            lim.LatHi = AsinDeg(s1);
            e1 = CrossingError(s1, cosDLon);
        }
        if (cap.SouthEdge != -Q) {
            lim.LatLo = AsinDeg(s2);
            e2 = CrossingError(s2, cosDLon);
        }
        if (cap.NorthEdge >= Q) {
            // From the true crossing up to the north pole.
            if (e1 < 1E-08) lim.LatLo = lim.LatHi;
            lim.LatHi = 90;
        } else if (cap.SouthEdge <= -Q) {
            if (e2 < 1E-08) lim.LatHi = lim.LatLo;
            lim.LatLo = -90;
        }
    } else {
        // The cap holds both poles: the meridian is inside unless it passes
        // near the antipode, where it leaves the cap and comes back.
        const double g =
            quarter || d.CosCentLat == 0 ? 90 : Deg(std::atan(CheckedDiv(d.SinCentLat, d.CosCentLat * cosDLon)));
        const double gr = Rad(g);
        if (d.SinCentLat * std::sin(gr) + d.CosCentLat * std::cos(gr) * cosDLon >= d.CosAzRange) {
            lim.LatHi = 90;
            lim.LatLo = -90;
        } else {
            double s1 = 0, s2 = 0;
            BoundaryCrossings(cosDLon, s1, s2);
            const double upper = std::sqrt(1 - s1 * s1) == 0 ? 90 : AsinDeg(s1);
            const double lower = std::sqrt(1 - s2 * s2) == 0 ? -90 : AsinDeg(s2);
            if (cap.NorthEdge == Q) {
                lim.LatHi = lower;
                lim.LatLo = -90;
            } else if (cap.SouthEdge == -Q) {
                lim.LatHi = 90;
                lim.LatLo = upper;
            } else {
                lim.LatHi = 90;
                lim.LatLo = upper;
                pieces.Split = true;
                pieces.LowerPieceLimit = lower;
            }
        }
    }
    return pieces;
}

bool IsDensifiedParallel(double lat) { return std::fabs(lat + Design().CentLat) < 16 && WideWholeSphereMap(); }

void DensifiedParallel(const GridLimits& lim, double lat, std::vector<double>& westHalf) {
    const DesignState& d = Design();
    const double phi0 = d.CentLat;
    const double cm = d.CentralMeridian;
    const double tanLat = std::tan(Rad(lat));
    const double tanPhi0 = std::tan(d.CentLatRad);
    westHalf.clear();

    double x0 = lim.LonLo;
    // The parallel through the antipode starts clear of the antipode itself.
    if (d.AzRangeSec == d.ArcSec180 && lat == -phi0) x0 = lim.LonLo + 0.00056;

    // Where the direction from the centre turns back, the parallel is split.
    bool split = false;
    double l0 = 0;
    if (tanLat != 0 && std::fabs(tanPhi0 / tanLat) < 1 && lat != -phi0) {
        l0 = tanPhi0 == 0 ? 90 : std::fabs(AcosDeg(tanPhi0 / tanLat));
        const double latRad = Rad(lat);
        split =
            d.SinCentLat * std::sin(latRad) + d.CosCentLat * std::cos(latRad) * std::cos(Rad(l0 - cm)) > d.CosAzRange;
    }

    westHalf.push_back(x0);
    if (split) {
        DensifiedRun(lat, x0, x0, l0, westHalf);
        DensifiedRun(lat, l0, std::min(l0 + 0.1, cm), cm, westHalf);
    } else {
        DensifiedRun(lat, x0, x0, cm, westHalf);
    }
}

bool MakeDirectionWalk(const GridLimits& lim, double lon, double dLon, double cosDLon, double sinDLon,
                       DirectionWalk& walk) {
    const DesignState& d = Design();
    const double phi0 = d.CentLat;
    if (std::fabs(dLon) == 180 || dLon == 0 || std::fabs(phi0) == 90 || !WideWholeSphereMap()) return false;

    // Direction from the centre to the meridian's point at latitude lat, in 0..180.
    const auto direction = [&](double lat) {
        const double r = Rad(lat);
        double az = Deg(std::atan(
            CheckedDiv(std::cos(r) * sinDLon, d.CosCentLat * std::sin(r) - d.SinCentLat * std::cos(r) * cosDLon)));
        if (az < 0) az += 180;
        return az;
    };
    const bool west = lon < d.CentralMeridian;
    if (lim.LatLo == -90 && lim.LatHi == 90) {
        walk.Az0 = 180;
        walk.N = 180;
    } else if (lim.LatHi == 90) {
        walk.Az0 = direction(lim.LatLo);
        walk.N = static_cast<int32_t>(std::floor(walk.Az0)) + 1;
        if (west) {
            walk.Az0 += 180;
            walk.N = static_cast<int32_t>(std::floor(std::fabs(360 - walk.Az0))) + 1;
        }
    } else if (lim.LatLo == -90) {
        walk.Az0 = direction(lim.LatHi);
        walk.N = static_cast<int32_t>(std::floor(std::fabs(180 - walk.Az0)));
        if (west) {
            walk.Az0 += 180;
            walk.N = static_cast<int32_t>(std::floor(std::fabs(walk.Az0 - 180)));
        }
    } else {
        return false;
    }
    walk.Sense = dLon > 0 ? 1 : -1;
    if ((lim.LatLo == -90 && phi0 < 0) || (phi0 > 0 && lim.LatHi < 90)) walk.Sense = -walk.Sense;
    return true;
}

double DirectionWalkLat(const DirectionWalk& walk, const GridLimits& lim, int32_t i, double cosDLon, double sinDLon) {
    const DesignState& d = Design();
    const double phi0 = d.CentLat;
    double az = walk.Az0 - walk.Sense * double(i);
    if (i == walk.N) {
        // The last point lies exactly on the pole the meridian runs to.
        az = lim.LatHi < 90 && ((lim.LatLo == -90 && phi0 < 0) || phi0 > 0) ? 180 : 0;
    }
    while (az < 0) az += 360;
    while (az >= 360) az -= 360;
    const bool swapped = lim.LatLo == -90 && phi0 < 0 && lim.LatHi == 90;
    double lat = 0;
    if (az == 0) {
        lat = swapped ? -90 : 90;
    } else if (az == 180) {
        lat = swapped ? 90 : -90;
    } else {
        lat = Deg(std::atan(CheckedDiv(d.SinCentLat * cosDLon + CheckedDiv(sinDLon, std::tan(Rad(az))), d.CosCentLat)));
    }
    if (lat > lim.LatHi) lat = lim.LatHi;
    if (lat < lim.LatLo) lat = lim.LatLo;
    return lat;
}

bool TwoPointMeridian(const GridLimits& lim, double lon, double& lat1, double& lat2, double& drawLon) {
    const DesignState& d = Design();
    const double phi0 = d.CentLat;
    if (d.AzRangeSec != d.ArcSec180 || !WideWholeSphereMap()) return false;
    if (std::fabs(phi0) != 90) {
        // The meridian opposite the central one, north and south of the antipode.
        drawLon = 360;
        if (lon == 0) {
            lat1 = -phi0 + 0.00003;
            lat2 = lim.LatHi;
            return true;
        }
        if (lon == 360) {
            lat1 = lim.LatLo;
            lat2 = -phi0 - 0.00003;
            return true;
        }
        return false;
    }
    // Polar centre: every meridian, from the opposite pole to the centre.
    drawLon = lon == 0 ? 360 : lon;
    if (phi0 == 90) {
        lat1 = lim.LatLo + 0.00003;
        lat2 = lim.LatHi;
    } else {
        lat1 = lim.LatHi - 0.00003;
        lat2 = lim.LatLo;
    }
    return true;
}

}  // namespace tlrx
