#pragma once
// Fitting the projected map extent into the drawing area, the printed map
// box and the file space of the vector exports: isotropic, centred, filling
// MapFillFraction of the area along the limiting direction.

#include <cstdint>

#include "core/Errors.h"

namespace tlrx {

// Twips of the drawing device to whole device pixels, as
// ToInt16(CheckedDiv(twips, twipsPerPixel)) rounds them (to nearest, halves
// to even; Overflow outside the 16-bit range, Division by zero for a device
// without pixels), by one multiplication and no library call. The product
// with the reciprocal lies within a few units in the last place of the
// quotient, so it rounds to the same pixel unless it lies within a hair of
// a half; those few values, and the failures, take the division.
class PixelScale {
public:
    PixelScale() = default;
    explicit PixelScale(float twipsPerPixel)
        : twipsPerPixel_(twipsPerPixel), inverse_(twipsPerPixel != 0 ? 1 / double(twipsPerPixel) : kNoInverse) {}

    float TwipsPerPixel() const { return twipsPerPixel_; }

    int16_t operator()(double twips) const {
        const double q = twips * inverse_;
        // Adding and taking away 1.5 * 2^52 rounds a double below 2^51 in
        // magnitude to a whole number, halves to even.
        const double r = (q + kRounder) - kRounder;
        const double off = q - r;
        if (off > -kSafe && off < kSafe && r >= -32768.0 && r <= 32767.0) return static_cast<int16_t>(r);
        return ToInt16(CheckedDiv(twips, twipsPerPixel_));
    }

private:
    static constexpr double kRounder = 6755399441055744.0;
    static constexpr double kSafe = 0.5 - 1e-6;
    static constexpr double kNoInverse = __builtin_nan("");

    float twipsPerPixel_ = 0;
    double inverse_ = kNoInverse;
};

// Fits the map into the main window (DevTransform) and into the file space
// of the vector exports (OutTransform, margins and AsciiScale excepted).
void ScaleScreen();

// Fits the map into the printed map box: PrnMapWidth print units wide, with
// the main window's aspect. Writes DevTransform only.
void ScalePrinter();

}  // namespace tlrx
