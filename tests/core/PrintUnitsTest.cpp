#include <gtest/gtest.h>

#include "core/PrintUnits.h"

namespace tlrx {
namespace {

TEST(PrintUnits, OnlyInchesAndCentimetresAreUnitsAndAnyOtherValueIsTakenForInches) {
    struct Case {
        int16_t stored;
        bool known;
        int16_t taken;
    };
    const Case cases[] = {
        {1440, true, 1440},  {567, true, 567},    {0, false, 1440},
        {-567, false, 1440}, {1439, false, 1440}, {568, false, 1440},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(IsPrintUnits(c.stored), c.known);
        EXPECT_EQ(KnownPrintUnits(c.stored), c.taken);
    }
}

TEST(PrintUnits, LengthsConvertToTwipsAndBack) {
    struct Case {
        float length;
        int16_t units;
        float twips;
    };
    const Case cases[] = {
        {1.0f, kTwipsPerInch, 1440.0f},                                       // the default report margin
        {2.0f, kTwipsPerCm, 1134.0f},                                         // its centimetre counterpart
        {6.25f, kTwipsPerInch, 9000.0f}, {15.873016f, kTwipsPerCm, 9000.0f},  // 9000 twips shown in cm
        {0.0f, kTwipsPerCm, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.twips);
        EXPECT_FLOAT_EQ(PrintUnitsToTwips(c.length, c.units), c.twips);
        EXPECT_FLOAT_EQ(TwipsToPrintUnits(c.twips, c.units), c.length);
    }
}

}  // namespace
}  // namespace tlrx
