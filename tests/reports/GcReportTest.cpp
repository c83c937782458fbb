// The great circle report: its title, headings, tab stops and rows.

#include <gtest/gtest.h>

#include <QLocale>

#include "ReportTestSupport.h"
#include "reports/ReportBuilder.h"
#include "reports/ReportTexts.h"
#include "support/CLocale.h"

namespace tlrx {
namespace {

using test::ReportTest;
using Strings = std::vector<std::string>;

class GcReportTest : public ReportTest {
protected:
    // Points given as latitude, longitude, course, distance, listed from
    // `first` to `last`.
    static void Points(const std::vector<std::array<double, 4>>& points, int16_t first, int16_t last) {
        DesignState& d = Design();
        d.GcLat = d.GcLon = d.GcCourse = d.GcDist = {0};
        for (const auto& p : points) {
            d.GcLat.push_back(p[0]);
            d.GcLon.push_back(p[1]);
            d.GcCourse.push_back(p[2]);
            d.GcDist.push_back(p[3]);
        }
        d.GcFirst = first;
        d.GcLast = last;
        d.GcStep = first <= last ? 1 : -1;
        d.GcDefined = true;
    }
};

TEST_F(GcReportTest, ListsEveryPointWithCourseAndDistances) {
    Points({{37.7833, -122.4333, 7.5, 0}, {40.5, -100.25, 270, 1000}, {-10, 5, 359.96, 12345.6}}, 1, 3);
    const ReportModel r = BuildGcReport();
    EXPECT_EQ(Lines(r), (Strings{"Tellurax Version " + Design().VersionString + " Great Circle Report", "",
                                 "#\tLatitude\tLongitude\tCourse\tDistance", "\t\t\tDegrees\tNM\tSM\tKM", "",
                                 "001\t37 47 00 N\t122 26 00 W\t007.5\t00,000\t00,000\t00,000",
                                 "002\t40 30 00 N\t100 15 00 W\t270.0\t01,000\t01,152\t01,853",
                                 "003\t10 00 00 S\t005 00 00 E\t360.0\t12,346\t14,217\t22,879"}));
    EXPECT_TRUE(r.paragraphs[0].runs[0].bold);
    EXPECT_TRUE(r.paragraphs[3].runs[0].bold);
    EXPECT_FALSE(r.paragraphs[5].runs[0].bold);
}

// The numbers follow the user's separators, never the C library's locale
// (Qt sets a decimal comma there under de_DE and fr_FR).
TEST_F(GcReportTest, NumbersFollowTheUsersSeparatorsOnly) {
    TLRX_REQUIRE_COMMA_LOCALES();
    Points({{37.7833, -122.4333, 9, 1000}}, 1, 1);
    const std::string row = "001\t37 47 00 N\t122 26 00 W\t009.0\t01,000\t01,152\t01,853";
    for (const std::string& name : test::CommaLocales()) {
        SCOPED_TRACE(name);
        test::ScopedCLocale locale(name);
        EXPECT_EQ(Lines(BuildGcReport()).back(), row);
    }
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(Lines(BuildGcReport()).back(), "001\t37 47 00 N\t122 26 00 W\t009,0\t01.000\t01.152\t01.853");
    QLocale::setDefault(saved);
}

TEST_F(GcReportTest, ABackwardListingIsStillNumberedFromOne) {
    Points({{1, 1, 0, 0}, {2, 2, 0, 60}, {3, 3, 0, 120}}, 3, 1);
    const Strings lines = Lines(BuildGcReport());
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[5].substr(0, 14), "001\t03 00 00 N");
    EXPECT_EQ(lines[7].substr(0, 14), "003\t01 00 00 N");
}

TEST_F(GcReportTest, TabStopsAndWidthFollowTheReportFont) {
    Points({{1, 1, 0, 0}}, 1, 1);
    std::vector<int32_t> stops[2];
    int16_t widths[2];
    for (int k = 0; k < 2; ++k) {
        Design().RptFontSize = k == 0 ? 10 : 14;
        const ReportModel r = BuildGcReport();
        ReportBuilder b;
        double stop = 0;
        std::vector<int32_t> expected;
        for (const char* s :
             {"000    ", "00 00 00 S    ", "000 00 00 W      ", "Degrees      ", "00,000    ", "00,000    "})
            expected.push_back(static_cast<int32_t>(stop = RoundTwips(stop + b.W(s))));
        EXPECT_EQ(r.paragraphs[2].tabs, expected);
        EXPECT_EQ(r.paragraphs[5].tabs, expected);
        EXPECT_TRUE(r.paragraphs[0].tabs.empty());
        widths[k] = Design().RptWidth;
        EXPECT_EQ(widths[k], RoundTwips(b.W("000    00 00 00 S    000 00 00 W      Degrees      00,000    00,000    "
                                            "00,000    ")));
        stops[k] = expected;
    }
    EXPECT_GT(widths[1], widths[0]);
    EXPECT_GT(stops[1].back(), stops[0].back());
}

TEST_F(GcReportTest, RebuildingGivesTheSameReport) {
    Points({{1, 1, 0, 0}, {2, 2, 0, 60}}, 1, 2);
    EXPECT_EQ(BuildGcReport().PlainText(), BuildGcReport().PlainText());
}

TEST_F(GcReportTest, AHugeFontHoldsTheWidthAtTheLargestInteger) {
    Points({{1, 1, 0, 0}}, 1, 1);
    Design().RptFontSize = 400;
    BuildGcReport();
    EXPECT_EQ(Design().RptWidth, 32767);
}

}  // namespace
}  // namespace tlrx
