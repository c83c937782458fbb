#include "Geo.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tlrx::convert {

int64_t DivFloor(int64_t num, int64_t den) {
    int64_t q = num / den;
    if ((num % den != 0) && (num < 0)) --q;
    return q;
}

int64_t DivRoundHalfEven(int64_t num, int64_t den) {
    const int64_t q = DivFloor(num, den);
    const int64_t twiceRest = 2 * (num - q * den);  // 0 <= rest < den
    if (twiceRest > den) return q + 1;
    if (twiceRest == den) return (q % 2 == 0) ? q : q + 1;
    return q;
}

std::string FormatDegrees(int32_t units) {
    const int64_t a = std::llabs(int64_t{units});
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%lld.%05lld", units < 0 ? "-" : "", static_cast<long long>(a / kUnitsPerDegree),
                  static_cast<long long>(a % kUnitsPerDegree));
    return buf;
}

const char* FeatureClassName(int row) {
    static const char* const kNames[] = {"",
                                         "Coastlines",
                                         "Islands",
                                         "Lakes",
                                         "Rivers",
                                         "Countries",
                                         "Australia",
                                         "Canada",
                                         "Mexico",
                                         "United States",
                                         "Other Provinces/States"};
    return (row >= 1 && row <= 10) ? kNames[row] : "";
}

double LengthKm(const Polyline& line) {
    constexpr double kRadiusKm = 6371.0;
    constexpr double kDegToRad = 3.14159265358979 / 180.0;
    double km = 0.0;
    for (size_t i = 1; i < line.points.size(); ++i) {
        const double la1 = ToDegrees(line.points[i - 1].lat) * kDegToRad;
        const double la2 = ToDegrees(line.points[i].lat) * kDegToRad;
        const double dla = la2 - la1;
        const double dlo = ToDegrees(line.points[i].lon - line.points[i - 1].lon) * kDegToRad;
        const double h = std::sin(dla / 2) * std::sin(dla / 2) +
                         std::cos(la1) * std::cos(la2) * std::sin(dlo / 2) * std::sin(dlo / 2);
        km += 2 * kRadiusKm * std::asin(std::sqrt(std::fmin(1.0, h)));
    }
    return km;
}

}  // namespace tlrx::convert
