// The angle field: its masks, the texts it gives with and without blanks,
// and the checks every angle field makes when it is left.

#include <gtest/gtest.h>

#include <QTest>
#include <optional>
#include <string>

#include "dialogs/common/AngleField.h"

namespace tlrx {
namespace {

struct FaultCase {
    const char* name;
    AngleKind kind;
    const char* plainText;
    const char* fault;  // nullptr: passes
};

class CommonAngleFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(CommonAngleFaultTest, FirstFailingCheckAnswers) {
    const FaultCase& c = GetParam();
    const std::optional<std::string> fault = CommonAngleFault(c.kind, c.plainText);
    if (c.fault) {
        ASSERT_TRUE(fault) << c.name;
        EXPECT_EQ(*fault, c.fault) << c.name;
    } else {
        EXPECT_FALSE(fault) << c.name << ": " << fault.value_or("");
    }
}

using enum AngleKind;
INSTANTIATE_TEST_SUITE_P(
    Table, CommonAngleFaultTest,
    ::testing::Values(
        FaultCase{"latitude of exactly 90 passes", Latitude, "900000N", nullptr},
        FaultCase{"latitude one second past 90", Latitude, "900001N", "Latitude cannot be > 90  00  00"},
        FaultCase{"latitude of 91", Latitude, "910000S", "Degrees must be <= 90"},
        FaultCase{"wrong letter wins over bad seconds", Latitude, "450075E", "Hemisphere must be N or S"},
        FaultCase{"no letter", Latitude, "450000 ", "Hemisphere must be N or S"},
        FaultCase{"seconds before minutes", Latitude, "456060N", "Seconds must be <= 59"},
        FaultCase{"minutes", Latitude, "456000N", "Minutes must be <= 59"},
        FaultCase{"minutes before degrees", Latitude, "996000N", "Minutes must be <= 59"},
        FaultCase{"zero latitude passes", Latitude, "000000S", nullptr},
        FaultCase{"longitude of exactly 180 E passes", Longitude, "1800000E", nullptr},
        FaultCase{"longitude 30 seconds past 180", Longitude, "1800030W", "Longitude cannot be > 180  00  00"},
        FaultCase{"longitude of 181", Longitude, "1810000W", "Degrees must be <= 180"},
        FaultCase{"longitude with a latitude letter", Longitude, "0100000N", "Hemisphere must be W or E"},
        FaultCase{"latitude spacing of zero", LatSpacing, "0000000",
                  "The DEGREES OF LATITUDE BETWEEN GRID MARKS must be greater than zero."},
        FaultCase{"latitude spacing of blanks is zero", LatSpacing, "       ",
                  "The DEGREES OF LATITUDE BETWEEN GRID MARKS must be greater than zero."},
        FaultCase{"latitude spacing partly typed zeros", LatSpacing, "0  0 0 ",
                  "The DEGREES OF LATITUDE BETWEEN GRID MARKS must be greater than zero."},
        FaultCase{"latitude spacing of 180 passes", LatSpacing, "1800000", nullptr},
        FaultCase{"latitude spacing of one second passes", LatSpacing, "0000001", nullptr},
        FaultCase{"latitude spacing past 180", LatSpacing, "1800100", "Latitude cannot be > 180  00  00"},
        FaultCase{"latitude spacing of 181", LatSpacing, "1810000", "Degrees must be <= 180"},
        FaultCase{"longitude spacing of 360 passes", LonSpacing, "3600000", nullptr},
        FaultCase{"longitude spacing past 360", LonSpacing, "3600001", "Longitude cannot be > 360  00  00"},
        FaultCase{"longitude spacing of 361", LonSpacing, "3610000", "Degrees must be <= 360"},
        FaultCase{"longitude spacing of zero", LonSpacing, "000 0  ",
                  "The DEGREES OF LONGITUDE BETWEEN GRID MARKS must be greater than zero."},
        FaultCase{"range of 180 passes", Range, "1800000", nullptr},
        FaultCase{"range seconds", Range, "0905900", nullptr},
        FaultCase{"range bad seconds", Range, "0900060", "Seconds must be <= 59."},
        FaultCase{"range bad minutes", Range, "0906000", "Minutes must be <= 59."},
        FaultCase{"range of 181", Range, "1810000", "Degrees must be <= 180°."},
        FaultCase{"range past 180", Range, "1800001", "RANGE OF MAP IN DEGREES must be <= 180°."},
        FaultCase{"range of zero", Range, "0000000", "RANGE OF MAP IN DEGREES must be > 0°."}),
    [](const ::testing::TestParamInfo<FaultCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

TEST(AngleFieldTest, GivesItsTextWithAndWithoutBlanksAndItsValue) {
    AngleField lat(AngleKind::Latitude, nullptr);
    lat.SetText("37    47    30    s");
    EXPECT_EQ(lat.Text(), "37    47    30    S");  // the letter place upper-cases
    EXPECT_EQ(lat.PlainText(), "374730S");
    EXPECT_EQ(lat.Degrees(), 37);
    EXPECT_EQ(lat.Minutes(), 47);
    EXPECT_EQ(lat.Seconds(), 30);
    EXPECT_EQ(lat.Hemisphere(), 'S');
    EXPECT_DOUBLE_EQ(lat.Value(), -(37 + 47 / 60.0 + 30 / 3600.0));

    AngleField lon(AngleKind::Longitude, nullptr);
    lon.SetText("122    26    00    W");
    EXPECT_EQ(lon.PlainText(), "1222600W");
    EXPECT_DOUBLE_EQ(lon.Value(), -(122 + 26 / 60.0));

    // Places not filled in read as blanks, in their columns.
    AngleField spacing(AngleKind::LatSpacing, nullptr);
    spacing.SetText("3");
    EXPECT_EQ(spacing.Text(),
              "3      "
              "        ");
    EXPECT_EQ(spacing.PlainText(), "3      ");
    EXPECT_EQ(spacing.Degrees(), 3);
    EXPECT_EQ(spacing.Hemisphere(), ' ');
}

TEST(AngleFieldTest, TypingFillsThePlacesAndSkipsTheFixedBlanks) {
    AngleField lat(AngleKind::Latitude, nullptr);
    lat.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&lat));
    lat.setFocus();
    lat.home(false);
    QTest::keyClicks(&lat, "451530n");
    EXPECT_EQ(lat.Text(), "45    15    30    N");
}

}  // namespace
}  // namespace tlrx
