#pragma once
// Helpers of the scale-factor functions: scale values, and checked square
// roots and powers raising the run-time errors DistErrSelect reports.

#include <cmath>
#include <string_view>

#include "core/Errors.h"
#include "core/projections/ProjectionKernel.h"

namespace tlrx::scale {

inline ScaleValue Num(double v) { return {v, {}}; }
inline ScaleValue Fixed(std::string_view text) { return {0, text}; }
inline ScaleFactors Singular(std::string_view h, std::string_view k, std::string_view area) {
    return {Fixed(h), Fixed(k), Fixed(area)};
}
inline ScaleFactors Numbers(double h, double k, double area) { return {Num(h), Num(k), Num(area)}; }

inline double Div(double a, double b) { return CheckedDiv(a, b); }

// Within this distance of a pole (degrees) the Mollweide and Robinson
// parallels count as points: their parallel scale is unbounded.
inline constexpr double kPolarLat = 89.99994;

inline double Sqrt(double v) {
    if (v < 0) Raise(kInvalidCall);
    return std::sqrt(v);
}

inline double Pow(double base, double exponent) {
    if (base < 0 && exponent != std::floor(exponent)) Raise(kInvalidCall);
    if (base == 0 && exponent < 0) Raise(kDivisionByZero);
    return std::pow(base, exponent);
}

}  // namespace tlrx::scale
