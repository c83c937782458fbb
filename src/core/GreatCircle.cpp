#include "core/GreatCircle.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/Errors.h"

namespace tlrx {

namespace {

constexpr double kMaxSegment = 240;        // nautical miles between neighbours before densifying
constexpr double kDegTolerance = 0.00001;  // degrees: a whole degree, an equal longitude, a latitude off 0
constexpr double kEndTolerance = 0.0006;   // minutes of arc short of the end that count as the end
constexpr int kMaxPoints = 32767;          // the listing indices are 16-bit; this also bounds every walk

// Route points, numbered from 1 like the design's lists.
struct RoutePoints {
    std::vector<double> lat{0}, lon{0}, course{0}, dist{0}, latRad{0}, dLonRad{0};

    int Count() const { return static_cast<int>(lat.size()) - 1; }

    void Append(double latDeg, double lonDeg, double courseDeg, double distMin, double latR = 0, double dLonR = 0) {
        if (Count() >= kMaxPoints) Raise(kOverflow);
        lat.push_back(latDeg);
        lon.push_back(lonDeg);
        course.push_back(courseDeg);
        dist.push_back(distMin);
        latRad.push_back(latR);
        dLonRad.push_back(dLonR);
    }
};

// Distance in minutes of arc from (lat1, 0) to (latP, dLon), all in radians,
// by the haversine formula.
double Distance(double lat1, double latP, double dLon) {
    const auto& d = Design();
    const double sLat = std::sin((lat1 - latP) / 2);
    const double sLon = std::sin(dLon / 2);
    double a = sLat * sLat + std::cos(lat1) * std::cos(latP) * sLon * sLon;
    if (a < 0) a = 0;
    const double s = std::sqrt(a);
    double c = 1 - s * s;
    if (c < 0) c = 0;
    const double angle = c == 0 ? d.Pi : 2 * std::atan(s / std::sqrt(c));
    return angle * 60 / d.DegToRad;
}

// Course in radians, 0 <= course < pi, from latitude latP towards latitude
// latT lying dL radians of longitude away: the course of eastward travel.
double CourseRad(double latP, double latT, double dL) {
    const auto& d = Design();
    const double y = std::cos(latP) * std::sin(latT) - std::sin(latP) * std::cos(latT) * std::cos(dL);
    if (y == 0) return d.Pi / 2;
    const double q = std::sin(dL) * std::cos(latT) / y;
    if (std::isinf(q)) Raise(kOverflow);
    double c = std::atan(q);
    if (c < 0) c += d.Pi;
    return c;
}

// The general case: the route from its western end eastward over at most 180
// degrees of longitude, through whole degrees of longitude, densified.
class EastwardRoute {
public:
    // lat and lon in degrees, as entered; the ends neither on one meridian
    // nor on opposite ones. Works on copies: an end latitude of 0 is taken
    // as kDegTolerance, and the ends are taken west to east.
    EastwardRoute(double lat1, double lon1, double lat2, double lon2) : d_(Design()) {
        if (lat1 == 0) lat1 = kDegTolerance;
        if (lat2 == 0) lat2 = kDegTolerance;
        if (lon1 > lon2) {
            std::swap(lat1, lat2);
            std::swap(lon1, lon2);
            exchanged_ = true;
        }
        span_ = lon2 - lon1;
        if (span_ < kDegTolerance) span_ = 0;
        if (span_ > 180) {
            span_ = 360 - span_;
            std::swap(lat1, lat2);
            std::swap(lon1, lon2);
            exchanged_ = !exchanged_;
        }
        lon1_ = lon1;
        lat1_ = lat1 * d_.DegToRad;
        lat2_ = lat2 * d_.DegToRad;
        spanRad_ = span_ * d_.DegToRad;
        total_ = Distance(lat1_, lat2_, spanRad_);

        // The vertex: cv and sv are the cosine and sine of its latitude (the
        // sine taken in the start's hemisphere), tv its tangent, v its
        // longitude offset east of the start. The offset's sine is
        // cos(C1) / sv and its cosine tan(lat1) / tv (the route passes the
        // start); taking both keeps v accurate where the sine comes out as
        // +-1, as it does for routes leaving the equator or running nearly
        // along a meridian.
        const double c1 = CourseRad(lat1_, lat2_, spanRad_);
        const double cv = std::cos(lat1_) * std::sin(c1);
        double sv = std::sqrt(1 - cv * cv);
        if (lat1_ < 0) sv = -sv;
        tv_ = CheckedDiv(sv, cv);
        const double sinV = CheckedDiv(std::cos(c1), sv);
        const double cosV = CheckedDiv(std::tan(lat1_) * cv, sv);
        v_ = std::atan2(sinV, cosV);
    }

    bool Exchanged() const { return exchanged_; }

    RoutePoints Points() const {
        RoutePoints p;
        WholeDegrees(p);
        return Densified(p);
    }

private:
    enum class Kind { First, Inner, Last };

    // Latitude in radians of the route at offset dLon radians east of the start.
    double LatAt(double dLon) const { return std::atan(tv_ * std::cos(v_ - dLon)); }

    // Appends the point at latitude lat and offset dLon (radians) with its
    // distance from the entered start and its course in the entered direction.
    void AppendPoint(RoutePoints& p, double lat, double dLon, Kind kind) const {
        const double dl = dLon / d_.DegToRad < kDegTolerance ? 0 : dLon;
        double dist = Distance(lat1_, lat, dl);
        double course = 0;
        switch (kind) {
        case Kind::First: course = CourseRad(lat, lat2_, spanRad_); break;
        case Kind::Last: course = CourseRad(lat2_, lat1_, -spanRad_); break;  // arrival
        case Kind::Inner: course = CourseRad(lat, lat2_, spanRad_ - dl); break;
        }
        course /= d_.DegToRad;
        if (exchanged_) {
            course += 180;
            if (course >= 360) course = 0;
            dist = total_ - dist;
        }
        double lon = dLon / d_.DegToRad + lon1_;
        if (lon > 180) lon -= 360;
        p.Append(lat / d_.DegToRad, lon, course, dist, lat, dLon);
    }

    // The start, every whole degree of longitude more than kDegTolerance short
    // of the end, and the end (at most 182 points).
    void WholeDegrees(RoutePoints& p) const {
        double dLon = 0;
        double lat = LatAt(0);
        for (bool first = true;; first = false) {
            const bool last = dLon / d_.DegToRad > span_ - kDegTolerance;
            if (last) {
                lat = lat2_;
                dLon = spanRad_;
            }
            AppendPoint(p, lat, dLon, first ? Kind::First : last ? Kind::Last : Kind::Inner);
            if (last) return;
            dLon = first ? (std::floor(lon1_ + 1) - lon1_) * d_.DegToRad : dLon + d_.DegToRad;
            lat = LatAt(dLon);
        }
    }

    // A copy of p with points inserted between neighbours more than
    // kMaxSegment apart, at a standard step of whole minutes of longitude
    // (30, 20, 15, 10, 5 or 1 to 4) near the longitude 240 nautical miles
    // cover there. The first segment is counted back from its eastern end,
    // the others forward from their western end.
    RoutePoints Densified(const RoutePoints& p) const {
        RoutePoints out;
        out.Append(p.lat[1], p.lon[1], p.course[1], p.dist[1], p.latRad[1], p.dLonRad[1]);
        for (int i = 2; i <= p.Count(); ++i) {
            const double gap = p.dist[i] - p.dist[i - 1];
            if (std::fabs(gap) > kMaxSegment) {
                const double spanDeg = (p.dLonRad[i] - p.dLonRad[i - 1]) / d_.DegToRad;
                double minutes = std::floor(std::fabs(kMaxSegment / gap * 60 * spanDeg));
                if (minutes == 0) minutes = 1;
                for (double standard : {30.0, 20.0, 15.0, 10.0, 5.0}) {
                    if (minutes >= standard) {
                        minutes = standard;
                        break;
                    }
                }
                const double step = minutes * d_.DegToRad / 60;
                const int32_t n = ToInt32(60 / minutes * spanDeg);
                for (int32_t k = 1; k < n; ++k) {
                    const double dLon = i == 2 ? p.dLonRad[i] - (n - k) * step : p.dLonRad[i - 1] + k * step;
                    AppendPoint(out, LatAt(dLon), dLon, Kind::Inner);
                }
            }
            out.Append(p.lat[i], p.lon[i], p.course[i], p.dist[i], p.latRad[i], p.dLonRad[i]);
        }
        return out;
    }

    const DesignState& d_;
    bool exchanged_ = false;
    double lon1_ = 0;  // degrees, the western end
    double lat1_ = 0;  // radians, the western end
    double lat2_ = 0;  // radians, the eastern end
    double span_ = 0;  // degrees of longitude, 0..180
    double spanRad_ = 0;
    double total_ = 0;  // minutes of arc
    double tv_ = 0;
    double v_ = 0;
};

// Whole-degree walks of the equator and meridian rules. A start within
// kDegTolerance of a whole degree walks on from that whole degree, so that the
// walk meets the 180th meridian and the poles exactly.
double NearestWhole(double v) { return RoundHalfEven(v); }

// Both ends on the equator: east or west the shorter way, course 90 or 270.
RoutePoints EquatorRoute(double lon1, double lon2) {
    enum class Way { East, West, EastAcross180, WestAcross180 };
    Way way;
    double total;
    if (lon1 <= lon2) {
        way = lon2 - lon1 <= 180 ? Way::East : Way::WestAcross180;
        total = way == Way::East ? (lon2 - lon1) * 60 : ((180 + lon1) + (180 - lon2)) * 60;
    } else {
        way = lon1 - lon2 <= 180 ? Way::West : Way::EastAcross180;
        total = way == Way::West ? (lon1 - lon2) * 60 : ((180 - lon1) + (180 + lon2)) * 60;
    }
    const bool east = way == Way::East || way == Way::EastAcross180;
    const double course = east ? 90 : 270;
    const double step = east ? 1 : -1;

    double lon = lon1;
    double dist = 0;
    // From a whole degree on: across the 180th meridian to its other name
    // at the same distance, else one degree on.
    auto advance = [&] {
        if (way == Way::EastAcross180 && lon == 180) {
            lon = -180;
        } else if (way == Way::WestAcross180 && lon == -180) {
            lon = 180;
        } else {
            lon += step;
            dist += 60;
        }
    };
    RoutePoints p;
    for (bool first = true;; first = false) {
        bool last = false;
        if (dist > total - kEndTolerance) {
            // An end named -180 reached at 180 (or 180 at -180) is listed
            // under both names.
            const bool bothNames = (way == Way::EastAcross180 && lon2 == -180 && lon == 180) ||
                                   (way == Way::WestAcross180 && lon2 == 180 && lon == -180);
            if (!bothNames) {
                lon = lon2;
                dist = total;
                last = true;
            }
        }
        p.Append(0, lon, course, dist);
        if (last) return p;
        if (first && std::fabs(lon1 - NearestWhole(lon1)) > kDegTolerance) {
            lon = east ? std::floor(lon1 + 1) : std::floor(lon1);
            dist = 60 * std::fabs(lon - lon1);
        } else {
            if (first) lon = NearestWhole(lon1);
            advance();
        }
    }
}

// Longitudes equal, or 180 degrees apart: along the meridian, or over the
// nearer pole, listing the pole under both longitudes.
RoutePoints MeridianRoute(double lat1, double lon1, double lat2, double lon2, bool oneMeridian) {
    enum class Way { North, South, OverNorthPole, OverSouthPole };
    Way way;
    double total;
    if (oneMeridian) {
        way = lat1 <= lat2 ? Way::North : Way::South;
        total = std::fabs(lat2 - lat1) * 60;
    } else if ((90 - lat1) + (90 - lat2) <= 180 + kDegTolerance) {
        way = Way::OverNorthPole;
        total = ((90 - lat1) + (90 - lat2)) * 60;
    } else {
        way = Way::OverSouthPole;
        total = ((90 + lat1) + (90 + lat2)) * 60;
    }
    const bool north = way == Way::North || way == Way::OverNorthPole;
    double course = north ? 0 : 180;
    double step = north ? 1 : -1;

    double lat = lat1;
    double lon = lon1;
    double dist = 0;
    bool pastPole = false;
    // From a whole degree on: at the pole to the far meridian at the same
    // distance, turning back, else one degree on.
    auto advance = [&] {
        if (way == Way::OverNorthPole && lat == 90 && !pastPole) {
            lon = lon2;
            course = 180;
            step = -1;
            pastPole = true;
        } else if (way == Way::OverSouthPole && lat == -90 && !pastPole) {
            lon = lon2;
            course = 0;
            step = 1;
            pastPole = true;
        } else {
            lat += step;
            dist += 60;
        }
    };
    RoutePoints p;
    for (bool first = true;; first = false) {
        const bool last = dist > total - kEndTolerance;
        if (last) {
            lat = lat2;
            dist = total;
        }
        p.Append(lat, lon, course, dist);
        if (last) return p;
        if (first && std::fabs(lat1 - NearestWhole(lat1)) > kDegTolerance) {
            lat = north ? std::floor(lat1 + 1) : std::floor(lat1);
            dist = 60 * std::fabs(lat - lat1);
        } else {
            if (first) lat = NearestWhole(lat1);
            advance();
        }
    }
}

// Stores a computed route; the working lists only from the general case.
void Store(DesignState& d, RoutePoints&& p, bool workingLists, bool reversed) {
    const auto count = static_cast<int16_t>(p.Count());
    d.GcLat = std::move(p.lat);
    d.GcLon = std::move(p.lon);
    d.GcCourse = std::move(p.course);
    d.GcDist = std::move(p.dist);
    if (workingLists) {
        d.GcLatRad = std::move(p.latRad);
        d.GcDLonRad = std::move(p.dLonRad);
    }
    d.GcFirst = reversed ? count : int16_t{1};
    d.GcLast = reversed ? int16_t{1} : count;
    d.GcStep = reversed ? int16_t{-1} : int16_t{1};
}

// The two rules of SettleGreatCircleEnds on one form of the ends: isPole
// tells a latitude on a pole, west and east name the 180th meridian.
template <typename T, typename IsPole>
void SettleEnds(const T& lat1, T& lon1, const T& lat2, T& lon2, IsPole isPole, const T& west, const T& east) {
    if ((lon1 == west && lon2 == east) || (lon1 == east && lon2 == west)) lon2 = lon1;
    if (isPole(lat2)) lon2 = lon1;
    else if (isPole(lat1)) lon1 = lon2;
}

}  // namespace

void SettleGreatCircleEnds(DesignState& d) {
    auto& t = d.GcEndText;
    SettleEnds(
        t[0], t[1], t[2], t[3], [](const std::string& lat) { return std::abs(LatTextToSec(lat)) == 90 * 3600; },
        std::string("180    00    00    W"), std::string("180    00    00    E"));
    SettleEnds(
        d.GcStartLat, d.GcStartLon, d.GcEndLat, d.GcEndLon, [](double lat) { return std::fabs(lat) == 90; }, -180.0,
        180.0);
}

void ComputeGreatCircle(DesignState& d) {
    // Local copies: the entered end points stay as they are.
    const double lat1 = d.GcStartLat;
    const double lon1 = d.GcStartLon;
    const double lat2 = d.GcEndLat;
    const double lon2 = d.GcEndLon;
    for (double v : {lat1, lon1, lat2, lon2}) {
        if (!std::isfinite(v)) Raise(kOverflow);  // no route through a value that is not a number
    }
    const double lonGap = std::fabs(lon1 - lon2);
    if (lat1 == 0 && lat2 == 0) {
        Store(d, EquatorRoute(lon1, lon2), false, false);
    } else if (lonGap <= kDegTolerance || std::fabs(lonGap - 180) <= kDegTolerance) {
        Store(d, MeridianRoute(lat1, lon1, lat2, lon2, lonGap <= kDegTolerance), false, false);
    } else {
        const EastwardRoute route(lat1, lon1, lat2, lon2);
        Store(d, route.Points(), true, route.Exchanged());
    }
}

void GcCalc() {
    auto& d = Design();
    try {
        ComputeGreatCircle(d);
    } catch (const RuntimeError& e) {
        d.GcLat.assign(1, 0);
        d.GcLon.assign(1, 0);
        d.GcCourse.assign(1, 0);
        d.GcDist.assign(1, 0);
        d.GcLatRad.assign(1, 0);
        d.GcDLonRad.assign(1, 0);
        d.GcFirst = 1;
        d.GcLast = 0;
        d.GcStep = 1;
        ShowProcError("GcCalc", e.what());
    }
}

}  // namespace tlrx
