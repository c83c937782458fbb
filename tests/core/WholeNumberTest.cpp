#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>

#include "core/Errors.h"

namespace tlrx {
namespace {

// What the whole-number conversions gave when they rounded through the C
// library; the inline rounding must agree with it for every double.
std::optional<int32_t> LibraryInt32(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) return std::nullopt;
    return static_cast<int32_t>(r);
}

std::optional<int16_t> LibraryInt16(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
    return static_cast<int16_t>(r);
}

// The rounding of this build, and the one for arithmetic carried in a wider
// format, which every build runs too.
struct Rounding {
    const char* name;
    double (*round)(double);
};
constexpr Rounding kRoundings[] = {{"RoundHalfEven", RoundHalfEven}, {"RoundHalfEvenPortable", RoundHalfEvenPortable}};

// The same double to the bit, or both no number.
bool SameDouble(double a, double b) {
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b) || (std::isnan(a) && std::isnan(b));
}

std::optional<int32_t> Int32Of(double v) {
    try {
        return ToInt32(v);
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "Overflow") << v;
        return std::nullopt;
    }
}

std::optional<int16_t> Int16Of(double v) {
    try {
        return ToInt16(v);
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "Overflow") << v;
        return std::nullopt;
    }
}

TEST(WholeNumberConversion, RoundsHalvesToEvenAndRaisesOverflowOutsideTheRange) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double v;
        std::optional<int32_t> expected;
    } cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {0.49999999999999994, 0},  // the double below a half: adding a half would round it up
        {-0.49999999999999994, 0},
        {0.5000000000000001, 1},  // the double above a half: in a wider sum it would be lost
        {2.4999999999999996, 2},
        {2.7, 3},
        {0.75, 1},
        {-2.7, -3},
        {4503599627370495.5, std::nullopt},  // 2^52 - 0.5: out of range, a tie even so
        {-0.0, 0},
        {1e-300, 0},
        {-1e-300, 0},
        {32767.5, 32768},  // the Integer bounds, checked against the library below
        {-32768.5, -32768},
        {-32768.500000000007, -32769},
        {2147483647.0, 2147483647},
        {2147483647.4, 2147483647},
        {2147483647.5, std::nullopt},  // rounds to 2^31
        {-2147483648.0, -2147483647 - 1},
        {-2147483648.5, -2147483647 - 1},  // a tie to the even -2^31
        {-2147483648.5000005, std::nullopt},
        {4503599627370496.0, std::nullopt},  // 2^52 and beyond are whole already
        {-9007199254740993.0, std::nullopt},
        {1e300, std::nullopt},
        {kInf, std::nullopt},
        {-kInf, std::nullopt},
        {kNaN, std::nullopt},
        {-kNaN, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Int32Of(c.v), c.expected) << c.v;
        EXPECT_EQ(Int32Of(c.v), LibraryInt32(c.v)) << c.v;
        EXPECT_EQ(Int16Of(c.v), LibraryInt16(c.v)) << c.v;
    }
    for (const Rounding& r : kRoundings) {
        SCOPED_TRACE(r.name);
        for (const auto& c : cases) EXPECT_TRUE(SameDouble(r.round(c.v), std::nearbyint(c.v))) << c.v;
        EXPECT_TRUE(std::signbit(r.round(-0.0)));
        EXPECT_TRUE(std::signbit(r.round(-0.4)));
        EXPECT_TRUE(std::signbit(r.round(-0.5)));
        EXPECT_FALSE(std::signbit(r.round(0.5)));
        EXPECT_EQ(r.round(4503599627370497.0), 4503599627370497.0);
        EXPECT_TRUE(std::isnan(r.round(kNaN)));
    }
}

// Many millions of doubles of every kind, through both roundings and the
// conversions, against the library rounding: uniform over the Long range and beyond, near halves and near whole
// numbers, and arbitrary bit patterns (NaNs, infinities, subnormals).
TEST(WholeNumberConversion, AgreesWithTheLibraryRoundingOverManyDoubles) {
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> wide(-2.2e9, 2.2e9);
    std::uniform_int_distribution<int64_t> whole(-2147483650LL, 2147483650LL);
    std::uniform_int_distribution<int64_t> small(-40000, 40000);  // beyond the Integer range too
    std::uniform_int_distribution<int> ulps(-3, 3);
    int64_t mismatches = 0;
    int64_t outside = 0;
    const auto check = [&](double v) {
        const double library = std::nearbyint(v);
        bool same = true;
        for (const Rounding& r : kRoundings) same = same && SameDouble(r.round(v), library);
        // The conversions themselves; the raising ones only now and then,
        // raising being slow.
        const std::optional<int32_t> library32 = LibraryInt32(v);
        if (library32 || ++outside % 64 == 0) same = same && Int32Of(v) == library32;
        const std::optional<int16_t> library16 = LibraryInt16(v);
        if (library16 || ++outside % 64 == 0) same = same && Int16Of(v) == library16;
        if (!same && ++mismatches <= 10) ADD_FAILURE() << std::hexfloat << v;
    };
    for (int i = 0; i < 2'000'000; ++i) {
        check(wide(random));
        const double half = static_cast<double>(i % 2 ? whole(random) : small(random)) + 0.5;
        double nearHalf = half;
        for (int k = ulps(random); k > 0; --k) nearHalf = std::nextafter(nearHalf, 1e300);
        for (int k = ulps(random); k < 0; ++k) nearHalf = std::nextafter(nearHalf, -1e300);
        check(nearHalf);
        check(-nearHalf);
        check(std::nextafter(static_cast<double>(whole(random)), 0.0));
        check(std::bit_cast<double>(random()));
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace tlrx
