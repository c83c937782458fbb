// The map parameter report: its lines for every projection family, the
// scale-error rows as the core computes them, the transformed extent, the
// circles, the map files and the drawing area.

#include <gtest/gtest.h>

#include <QLocale>

#include <cmath>

#include "ReportTestSupport.h"
#include "core/Graticule.h"
#include "core/ProjParams.h"
#include "core/ProjectionTable.h"
#include "core/ScaleErrors.h"
#include "core/SmallCircle.h"
#include "core/Utm.h"
#include "core/UtmGrid.h"
#include "plot/PlotState.h"
#include "reports/ReportBuilder.h"
#include "reports/ReportTexts.h"

namespace tlrx {
namespace {

using test::ReportTest;
using Strings = std::vector<std::string>;

class ParamReportTest : public ReportTest {
protected:
    // The design on projection `code` with the given boundary texts (empty:
    // the default text).
    static void Use(int16_t code, std::array<std::string, 10> texts = {}) {
        DesignState& d = Design();
        d.ProjCode = code;
        d.ProjName = std::string(FindProjection(code)->name);
        for (size_t i = 0; i < 10; ++i)
            if (!texts[i].empty()) d.BoundsText[i] = texts[i];
        CalcGraticule(d.BoundsText);
        ASSERT_FALSE(d.CalcError);
        ParamStdParallel();
        ParamSelect();
    }
    // The scale-error rows of a report: the lines after the column headings.
    static Strings ScaleRows(const ReportModel& r) {
        Strings rows = LinesFrom(r, "#\t", 20);
        Strings out;
        for (size_t i = 2; i < rows.size() && !rows[i].starts_with("-"); ++i) out.push_back(rows[i]);
        while (!out.empty() && out.back().empty()) out.pop_back();
        return out;
    }
    // Column c (tab-separated) of each line.
    static Strings Column(const Strings& lines, size_t c) {
        Strings out;
        for (const std::string& l : lines) {
            size_t start = 0;
            for (size_t k = 0; k < c && start != std::string::npos; ++k) {
                start = l.find('\t', start);
                if (start != std::string::npos) ++start;
            }
            out.push_back(start == std::string::npos ? "" : l.substr(start, l.find('\t', start) - start));
        }
        return out;
    }
};

TEST_F(ParamReportTest, TheDefaultDesignShowsTitleAndGeographicCoordinatesWithBothParallels) {
    const ReportModel r = BuildParamReport();
    const Strings lines = Lines(r);
    ASSERT_GE(lines.size(), 18u);
    EXPECT_EQ(Strings(lines.begin(), lines.begin() + 6),
              (Strings{"Tellurax Version " + Design().VersionString + " Parameter Report", "",
                       "Projection Type: Equirectangular", "", "Grid Type: All grid points connected by lines", ""}));
    EXPECT_TRUE(r.paragraphs[0].runs[0].bold);
    EXPECT_FALSE(r.paragraphs[2].runs[0].bold);
    EXPECT_EQ(LinesFrom(r, "Northernmost", 7),
              (Strings{"Northernmost Latitude:\t090 00 00 N\tWesternmost Longitude:\t180 00 00 W",
                       "Southernmost Latitude:\t090 00 00 S\tEasternmost Longitude:\t180 00 00 E",
                       "Latitude Spacing:\t030 00 00\tLongitude Spacing:\t045 00 00", "",
                       "Central Latitude:\t000 00 00 N\tNorthern Std Parallel:\t045 00 00 N",
                       "Central Longitude:\t000 00 00 E\tSouthern Std Parallel:\t045 00 00 S", ""}));
    // The two-digit latitudes stand behind a hidden tab and "0".
    EXPECT_EQ(HiddenText(*Find(r, "Northernmost")), "\t0");
    EXPECT_EQ(HiddenText(*Find(r, "Central Latitude")), "\t0\t0");
    EXPECT_EQ(HiddenText(*Find(r, "Central Longitude")), "\t0");
    EXPECT_EQ(HiddenText(*Find(r, "Latitude Spacing")), "");
}

TEST_F(ParamReportTest, TabStopsAndHeadersFollowTheMeasuredWidths) {
    const ReportModel r = BuildParamReport();
    ReportBuilder b;
    const auto R = [&b](const std::string& s) { return RoundTwips(b.W(s)); };
    EXPECT_EQ(Design().RptWidth, R("Southernmost Latitude:  090 00 00 S       Westernmost Longitude:  180 00 00 W"));
    const int32_t t0 = R("Northernmost Latitude: ") > R("Southernmost Latitude: ") ? R("Northernmost Latitude:  ")
                                                                                   : R("Southernmost Latitude:  ");
    const int32_t t1 = t0 + R("000 00 00 N") + R("       ");
    const int32_t t2 =
        t1 + (R("Westernmost Longitude: ") > R("Easternmost Longitude: ") ? R("Westernmost Longitude:  ")
                                                                          : R("Easternmost Longitude:  "));
    EXPECT_EQ(Find(r, "Northernmost")->tabs, (std::vector<int32_t>{t0, t1, t2}));
    EXPECT_EQ(Find(r, "Central Longitude")->tabs, (std::vector<int32_t>{t0, t1, t2}));

    // A header: dashes each side, measured bold, to the reference width.
    const ReportParagraph* header = Find(r, "---");
    ASSERT_NE(header, nullptr);
    const std::string text = header->Text();
    const size_t n = text.find(' ');
    EXPECT_EQ(text, std::string(n, '-') + " Map Coordinates " + std::string(n, '-'));
    EXPECT_TRUE(header->runs[0].bold);
    b.SetMeasureBold(true);
    EXPECT_EQ(double(n), std::nearbyint((Design().RptWidth - b.W(" Map Coordinates ")) / (2 * b.W("-"))));
}

TEST_F(ParamReportTest, ABoldReportFontMeasuresTheReferenceBoldAndLaterStopsNot) {
    Design().RptFontBold = true;
    const ReportModel r = BuildParamReport();
    ReportBuilder b;  // bold, as the report font
    EXPECT_EQ(Design().RptWidth, RoundTwips(b.W("Southernmost Latitude:  090 00 00 S       Westernmost Longitude:  "
                                                "180 00 00 W")));
    b.SetMeasureBold(false);
    EXPECT_EQ(Find(r, "Horizontal pixel size")->tabs,
              (std::vector<int32_t>{RoundTwips(b.W("Horizontal pixel size:  "))}));
    // Normal text is bold too, hidden text as well.
    EXPECT_TRUE(Find(r, "Northernmost")->runs[0].bold);
    EXPECT_TRUE(Find(r, "Northernmost")->runs[1].bold);
}

TEST_F(ParamReportTest, MercatorEndsTheCentreLinesWithoutParallels) {
    Use(ProjMercator);
    EXPECT_EQ(LinesFrom(BuildParamReport(), "Central Latitude", 3),
              (Strings{"Central Latitude:\t000 00 00 N", "Central Longitude:\t000 00 00 E", ""}));
}

TEST_F(ParamReportTest, UtmShowsSpheroidBoundariesInMetresAndNorthingEastingHeadings) {
    DesignState& d = Design();
    d.UtmSpheroidName = "Clarke 1866";
    d.UtmText = {"123    00    00    W",
                 "00    00    00    N",
                 "0500000",
                 "00000000",
                 "0.9996",
                 "06200000",
                 "05600000",
                 "00100000",
                 "0300000",
                 "0800000",
                 "0100000"};
    d.ProjCode = ProjUtm;
    d.ProjName = std::string(FindProjection(ProjUtm)->name);
    CalcUtmZone();
    CalcUtmGrid(d.UtmText);
    ASSERT_FALSE(d.CalcError);
    ParamSelect();
    const ReportModel r = BuildParamReport();
    EXPECT_EQ(LinesFrom(r, "Spheroid", 11),
              (Strings{"Spheroid: Clarke 1866          Eq Radius (m): 6,378,206          1/F: 294.9787", "",
                       "Scale Factor of Central Longitude: 0.9996", "",
                       "Northern Boundary (m):\t06,200,000\tWestern Boundary (m):\t0,300,000",
                       "Southern Boundary (m):\t05,600,000\tEastern Boundary (m):\t0,800,000",
                       "Grid Spacing (m):\t00,100,000\tGrid Spacing (m):\t0,100,000", "",
                       "False Easting (m):\t00,500,000\tCentral Longitude:\t123 00 00 W",
                       "False Northing (m):\t00,000,000\tLatitude of Map Origin:\t000 00 00 N", ""}));
    EXPECT_EQ(HiddenText(*Find(r, "False Easting")), "\t0");
    EXPECT_NE(Find(r, "Max x:\t0,"), nullptr) << "the extent in metres";
    EXPECT_NE(Find(r, "#\tNorthing\tEasting\tNorthing\tEasting\tArea"), nullptr);
    // Five divisions of 100 km: six eastings on the mean northing.
    const Strings rows = ScaleRows(r);
    EXPECT_EQ(Column(rows, 1), Strings(6, "05,900,000"));
    EXPECT_EQ(Column(rows, 2), (Strings{"0,300,000", "0,400,000", "0,500,000", "0,600,000", "0,700,000", "0,800,000"}));

    // Every number of the report, the scale factor too, in the user's separators.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const ReportModel german = BuildParamReport();
    QLocale::setDefault(saved);
    EXPECT_EQ(LinesFrom(german, "Spheroid", 3),
              (Strings{"Spheroid: Clarke 1866          Eq Radius (m): 6.378.206          1/F: 294,9787", "",
                       "Scale Factor of Central Longitude: 0,9996"}));
}

TEST_F(ParamReportTest, AzimuthalRowsWalkFromTheCentreAcrossThePole) {
    struct Case {
        const char* name;
        std::array<std::string, 10> texts;
        Strings lats, lons;
    };
    const Case cases[] = {
        {"north pole centre, 180 degrees, 30-degree spacing",
         {"", "", "030    00    00", "", "", "", "90    00    00    N", "000    00    00    E", "180    00    00", ""},
         {"90 00 00 N", "60 00 00 N", "30 00 00 N", "00 00 00 N", "30 00 00 S", "60 00 00 S", "90 00 00 S"},
         Strings(7, "000 00 00 E")},
        {"40 N centre, 90 degrees, 15-degree spacing",
         {"", "", "015    00    00", "", "", "", "40    00    00    N", "010    00    00    E", "090    00    00", ""},
         {"40 00 00 N", "55 00 00 N", "70 00 00 N", "85 00 00 N", "80 00 00 N", "65 00 00 N", "50 00 00 N"},
         {"010 00 00 E", "010 00 00 E", "010 00 00 E", "010 00 00 E", "170 00 00 W", "170 00 00 W", "170 00 00 W"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        boxes.log.clear();
        Use(ProjAzEquidistant, c.texts);
        const ReportModel r = BuildParamReport();
        const Strings rows = ScaleRows(r);
        for (const auto& b : boxes.log) ADD_FAILURE() << b.title << ": " << b.text;
        EXPECT_EQ(Column(rows, 1), c.lats);
        EXPECT_EQ(Column(rows, 2), c.lons);
        EXPECT_EQ(LinesFrom(r, "Range of Projection", 1),
                  Strings{"Range of Projection:\t" + c.texts[8].substr(0, 3) + " 00 00"});
    }
}

TEST_F(ParamReportTest, VerticalPerspectiveListsTheHeightInThreeUnitsFirst) {
    Use(ProjVerticalPerspective);
    const ReportModel r = BuildParamReport();
    EXPECT_EQ(LinesFrom(r, "Distance above", 5), (Strings{"Distance above earth's surface (kilometers):\t35,840",
                                                          "Distance above earth's surface (statute miles):\t22,270",
                                                          "Distance above earth's surface (nautical miles):\t19,339",
                                                          "", "Range of Projection:\t081 19 09"}));
    // The later lines show only their unit; the prefix is hidden.
    const ReportParagraph* statute = Find(r, "Distance above earth's surface (statute");
    ASSERT_NE(statute, nullptr);
    EXPECT_EQ(HiddenText(*statute), "Distance above earth's surface ");
}

TEST_F(ParamReportTest, WorldProjectionsSampleThreeLongitudesInGroupsOfFour) {
    Use(ProjHammer);
    const ReportModel r = BuildParamReport();
    const Strings rows = ScaleRows(r);
    ASSERT_EQ(rows.size(), 14u);
    EXPECT_TRUE(rows[4].empty());
    EXPECT_TRUE(rows[9].empty());
    EXPECT_EQ(Column(Strings{rows[0], rows[5], rows[10]}, 2), (Strings{"180 00 00 E", "090 00 00 E", "000 00 00 E"}));
    EXPECT_EQ(Column(Strings(rows.begin(), rows.begin() + 4), 1),
              (Strings{"00 00 00 N", "30 00 00 N", "60 00 00 N", "90 00 00 N"}));
    EXPECT_EQ(Column(Strings{rows.back()}, 0), Strings{"12"});
}

TEST_F(ParamReportTest, CylindricalMapsWithManyDivisionsSampleTheLargerHemisphere) {
    struct Case {
        const char* south;
        Strings first, last;
    };
    const std::string north = "80    00    00    N";
    for (const auto& [southText, northText, firstLat, lastLat] :
         {std::array<std::string, 4>{"80    00    00    S", north, "00 00 00 N", "80 00 00 N"},
          std::array<std::string, 4>{"80    00    00    S", "70    00    00    N", "80 00 00 S", "00 00 00 N"}}) {
        SCOPED_TRACE(northText);
        ResetDesignState();
        Use(ProjEquirectangular, {northText, southText, "010    00    00"});
        const Strings rows = ScaleRows(BuildParamReport());
        ASSERT_EQ(rows.size(), 9u);
        EXPECT_EQ(Column(Strings{rows.front()}, 1)[0], firstLat);
        EXPECT_EQ(Column(Strings{rows.back()}, 1)[0], lastLat);
    }
}

TEST_F(ParamReportTest, TheScaleErrorRowsAreTheCoresValues) {
    const ReportModel r = BuildParamReport();
    const Strings rows = ScaleRows(r);
    ASSERT_EQ(rows.size(), 7u);
    DesignState& d = Design();
    const Strings reported = Column(rows, 3);
    for (int i = 0; i < 7; ++i) {
        d.ScaleErrRow = static_cast<int16_t>(i + 1);
        d.ScaleErrLat = -90 + 30 * i;
        d.ScaleErrLon = d.CentLon;
        const std::optional<ScaleFactors> f = ScaleFactorsAt();
        ASSERT_TRUE(f);
        DistErrSelect();
        EXPECT_EQ(rows[size_t(i)], (i + 1 < 10 ? "0" : "") + std::to_string(i + 1) + "\t" +
                                       d.ScaleErrLatText[size_t(i + 1)] + "\t" + d.ScaleErrLonText[size_t(i + 1)] +
                                       "\t" + d.ScaleErrMeridian[size_t(i + 1)] + "\t" +
                                       d.ScaleErrParallel[size_t(i + 1)] + "\t" + d.ScaleErrArea[size_t(i + 1)]);
    }
    EXPECT_EQ(LinesFrom(r, "The scale is true", 2), (Strings{d.ScaleErrNote[1], d.ScaleErrNote[2]}));
}

TEST_F(ParamReportTest, TheInterruptedMollweideListsItsInterruptionsAndFixedScaleText) {
    Use(ProjInterruptedMollweide);
    DesignState& d = Design();
    d.InterruptText[0] = "2";
    d.InterruptText[1] = "1";
    d.LobeEdgeText[1] = "060    00    00    W";
    d.LobeEdgeText[2] = "020    00    00    E";
    d.LobeEdgeText[5] = "100    00    00    E";
    ReportModel r = BuildParamReport();
    EXPECT_EQ(LinesFrom(r, "Northern Hemisphere", 3),
              (Strings{"Northern Hemisphere:\t060 00 00 W\t020 00 00 E", "Southern Hemisphere:\t100 00 00 E", ""}));
    EXPECT_EQ(Find(r, "Max x:"), nullptr);
    EXPECT_EQ(LinesFrom(r, "The scale is true along latitudes", 1),
              Strings{"The scale is true along latitudes 40\u00B044' North and South.  The scale is constant"});
    EXPECT_EQ(LinesFrom(r, "will list", 3)[1], "");
    EXPECT_EQ(Find(r, "#\t"), nullptr);

    d.InterruptText[0] = "0";
    r = BuildParamReport();
    EXPECT_EQ(LinesFrom(r, "Northern Hemisphere", 1), Strings{"Northern Hemisphere:None"});
}

TEST_F(ParamReportTest, AnExtentAcrossZeroLinesUpItsDigitsAfterTheMinusSign) {
    DesignState& d = Design();
    d.MapXMin = -2.5;
    d.MapXMax = 2.5;
    d.MapYMin = 0.5;
    d.MapYMax = 12.25;
    ReportModel r = BuildParamReport();
    const ReportParagraph* max = Find(r, "Max x:");
    const ReportParagraph* min = Find(r, "Min x:");
    ASSERT_TRUE(max && min);
    EXPECT_EQ(max->Text(), "Max x:\t2.5000\tMax y:\t12.2500\tx-axis Length:\t1.0000000");
    EXPECT_EQ(min->Text(), "Min x:\t-2.5000\tMin y:\t00.5000\ty-axis Length:\t2.3500000");
    EXPECT_EQ(HiddenText(*max), "\t");
    ReportBuilder b;
    EXPECT_EQ(max->tabs[0], min->tabs[0] + RoundTwips(b.W("-")));
    EXPECT_EQ(max->tabs[2], min->tabs[2]);
}

TEST_F(ParamReportTest, CirclesShowTheirEndsCentreAndTrimmedLengths) {
    DesignState& d = Design();
    d.GcDefined = true;
    d.GcEndText = {"37    47    00    N", "122    26    00    W", "35    41    00    N", "139    46    00    E"};
    d.GcDist = {0, 0, 100};
    d.GcLast = 2;
    ScCalc();
    d.ScDefined = true;
    ReportModel r = BuildParamReport();
    EXPECT_EQ(
        LinesFrom(r, "Starting latitude", 8),
        (Strings{"Starting latitude:\t037 47 00 N\tEnding latitude:\t035 41 00 N",
                 "Starting longitude:\t122 26 00 W\tEnding longitude:\t139 46 00 E", "",
                 "Length of great circle (deg min sec):\t001 40 00", "Length of great circle (kilometers):\t185",
                 "Length of great circle (statute miles):\t115", "Length of great circle (nautical miles):\t100", ""}));
    EXPECT_EQ(HiddenText(*Find(r, "Length of great circle (kilometers)")), "Length of great circle ");
    d.GcDist = {0, 0, 540};
    r = BuildParamReport();
    EXPECT_EQ(Column(LinesFrom(r, "Length of great circle (kilometers)", 3), 1), (Strings{"1,001", "0,622", "0,540"}));

    EXPECT_EQ(
        LinesFrom(r, "Latitude of circle center", 10),
        (Strings{"Latitude of circle center:\t0" + LatDisplayText(d.ScText[0]),
                 "Longitude of circle center:\t" + LonDisplayText(d.ScText[1]), "", "Number of concentric circles:\t3",
                 "", "Radius of outer circle (deg min sec):\t015 00 00",
                 "Radius of outer circle (kilometers):\t1,667.9", "Radius of outer circle (statute miles):\t1,036.4",
                 "Radius of outer circle (nautical miles):\t0,900.0", ""}));
}

TEST_F(ParamReportTest, FilesDesignFileAndDrawingAreaCloseTheReport) {
    DesignState& d = Design();
    d.ResizeInputFiles(2);
    d.InputFileName(1) = "/maps/world.map";
    d.InputFileName(2) = "/maps/rivers.dat";
    d.NumInputFiles = 2;
    ReportModel r = BuildParamReport();
    const Strings lines = Lines(r);
    EXPECT_EQ(LinesFrom(r, "/maps/world.map", 3), (Strings{"/maps/world.map", "/maps/rivers.dat", ""}));
    EXPECT_NE(Find(r, "No map design CNF file has been loaded!"), nullptr);
    EXPECT_EQ(Strings(lines.end() - 2, lines.end()),
              (Strings{"Horizontal pixel size:\t1016", "Vertical pixel size:\t0705"}));
    EXPECT_EQ(HiddenText(*Find(r, "Vertical pixel size")), "\t0");
    EXPECT_EQ(HiddenText(*Find(r, "Horizontal pixel size")), "\t");
    // With no great or small circle the file list follows the scale errors.
    EXPECT_EQ(LinesFrom(r, "07\t", 3)[2].find(" List of Digital Map Files ") != std::string::npos, true);

    // Every file deleted from the list: the records remain, the count is 0.
    d.NumInputFiles = 0;
    Plot().CnfFileName = "/designs/europe.cnf";
    r = BuildParamReport();
    EXPECT_NE(Find(r, "There are no digital map input files!"), nullptr);
    d.ResizeInputFiles(0);
    r = BuildParamReport();
    EXPECT_NE(Find(r, "There are no digital map input files!"), nullptr);
    EXPECT_NE(Find(r, "/designs/europe.cnf"), nullptr);
}

TEST_F(ParamReportTest, ALargerFontWidensTheStops) {
    const ReportModel small = BuildParamReport();
    const int16_t smallWidth = Design().RptWidth;
    Design().RptFontSize = 14;
    const ReportModel large = BuildParamReport();
    EXPECT_GT(Design().RptWidth, smallWidth);
    EXPECT_GT(Find(large, "Northernmost")->tabs[2], Find(small, "Northernmost")->tabs[2]);
    EXPECT_EQ(Lines(large), Lines(small));
}

}  // namespace
}  // namespace tlrx
