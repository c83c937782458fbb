// Recalling a design: the hand-made files read field by field and saved back
// byte for byte, the version dispatch, the window fit, the steps after
// reading, and bad files that change nothing.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "CnfTestSupport.h"
#include "core/DesignState.h"
#include "designfile/CircleFiles.h"
#include "plot/PlotState.h"
#include "support/FakeHost.h"

namespace tlrx {
namespace {

using test::CnfTest;

class CnfReadTest : public CnfTest {
protected:
    // The fixture with line `line` (1-based) replaced.
    static std::string WithLine(const std::string& fixture, size_t line, const std::string& text) {
        std::vector<std::string> lines = Lines(Fixture(fixture));
        lines.at(line - 1) = text;
        return Join(lines);
    }
    void ExpectOneBox(const std::string& text, const std::string& title) {
        ASSERT_EQ(boxes.log.size(), 1u) << (boxes.log.empty() ? "" : boxes.log[0].text);
        EXPECT_EQ(boxes.log[0].text, text);
        EXPECT_EQ(boxes.log[0].title, title);
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    }
};

TEST_F(CnfReadTest, AFileWithoutInputFilesOrTextItemsIsReadIntoItsFields) {
    ASSERT_TRUE(Recall(FixturePath("no-files.cnf")));
    EXPECT_TRUE(boxes.log.empty());
    const DesignState& d = Design();
    const PlotState& p = Plot();
    EXPECT_EQ(d.ProjName, "Mercator");
    EXPECT_EQ(d.ProjCode, 1);
    EXPECT_EQ(d.GridTypeText, " All grid points connected by lines");  // quoted: its blank kept
    EXPECT_EQ(p.MapFillFraction, 0.9);
    EXPECT_EQ(d.BackColor, 50331647);
    EXPECT_EQ(d.BackColorIndex, 15);
    EXPECT_TRUE(p.PrnCenterHorizontal);
    EXPECT_EQ(p.PrnMapHeight, 4.875f);
    EXPECT_EQ(d.ConicRho0, 1.875);
    EXPECT_EQ(d.ConicG, -2.5);
    EXPECT_EQ(p.GridOutputCount, 1);
    EXPECT_EQ(d.NumInputFiles, 0);
    EXPECT_EQ(d.MaxInputFile(), 0);
    EXPECT_EQ(d.MaxGeoFeature(), 72);
    EXPECT_EQ(p.AscFileName, std::vector<std::string>(2));
    // The path the design was saved under, not the one it came from.
    EXPECT_EQ(p.CnfFileName, "/home/ann/maps/world.cnf");
    EXPECT_EQ(p.BmpFileName, "");
    EXPECT_EQ(d.InterruptText[5], "");
    EXPECT_EQ(d.LobeEdgeText[3], "180 00 00 E");
    EXPECT_EQ(d.LobeOffset[3], -1.25);
    EXPECT_EQ(d.LatSouthSec, -324000);
    EXPECT_EQ(d.AzRangeSec, 648000);
    EXPECT_EQ(d.VpP, 1.15678);
    EXPECT_EQ(p.DevScaleY, 1E-05);
    EXPECT_EQ(d.UtmFlattening, 1.23456789012345E+15);
    EXPECT_EQ(d.UtmText[4], "0.9996");
    EXPECT_EQ(d.ScCount, 3);
    EXPECT_EQ(d.NumTextItems, 0);
    EXPECT_EQ(d.TextItems.size(), 1u);
    // Derived again: the centre's sine and cosine, the range's cosine.
    EXPECT_DOUBLE_EQ(d.CosCentLat, std::cos(40 * d.DegToRad));
    EXPECT_DOUBLE_EQ(d.CosAzRange, -1);
    // The great circle is computed again; the small circle is off.
    EXPECT_GT(d.GcLat.size(), 2u);
    EXPECT_TRUE(d.ScLat.empty());
    // Caption and menu name the projection; the window takes the saved size.
    EXPECT_EQ(window.caption, "Tellurax: Mercator projection");
    EXPECT_EQ(window.marked, 1);
    EXPECT_EQ(window.captions.front(), "Tellurax: reading configuration file");
    EXPECT_EQ(d.SavedCaption, "Tellurax: Equirectangular projection");
    EXPECT_EQ(window.state, 0);
    EXPECT_EQ(window.width, 12300);
    EXPECT_EQ(window.height, 9900);
}

TEST_F(CnfReadTest, InputFilesAndTextItemsKeepCommasQuotesAndBlanks) {
    Plot().PrnDlg = Printers().NewPrinterDialog();
    Plot().PrnDlg->Settings.Orientation = 1;
    ASSERT_TRUE(Recall(FixturePath("files-and-text.cnf")));
    const DesignState& d = Design();
    const PlotState& p = Plot();
    EXPECT_EQ(d.NumInputFiles, 2);
    EXPECT_EQ(d.InputFileName(1), "/maps/world.map");
    EXPECT_EQ(d.InputFileName(2), "/maps/cities, west.prn");
    EXPECT_EQ(d.InputFileSymbolType(2), 11);
    EXPECT_TRUE(d.FeatureSelected(10, 1));
    EXPECT_FALSE(d.FeatureSelected(11, 1));
    EXPECT_EQ(d.FeatureColor(72, 2), 33554504);
    EXPECT_EQ(d.FeatureLineWidth(72, 2), 15);
    EXPECT_EQ(d.FeatureSymbolRadius(72, 2), 45);
    EXPECT_EQ(d.FeatureBorderWidth(72, 2), 15);
    EXPECT_EQ(d.InputFileLabelFontName(2), " Courier");
    EXPECT_EQ(d.InputFileLabelFontColor(2), 255);
    EXPECT_TRUE(d.InputFileLabelFontBold(2));
    EXPECT_EQ(p.AscFileName,
              (std::vector<std::string>{"", "grid points.txt", "grid lines.txt", "", "/out/cities.txt"}));
    EXPECT_EQ(p.CgmFileName, "/out/map.cgm");
    EXPECT_EQ(p.DxfFileName, "");
    EXPECT_EQ(p.WmfFileName, "/out/map.wmf");
    EXPECT_EQ(p.ScFileName, "/out/sc.prn");
    ASSERT_EQ(d.NumTextItems, 2);
    EXPECT_EQ(d.TextItems[1].TextItemText, "Lake \"Tahoe\", CA");
    EXPECT_EQ(d.TextItems[1].TextItemColor, 255);
    EXPECT_EQ(d.TextItems[1].TextItemX, 3000);
    EXPECT_EQ(d.TextItems[1].TextItemDescent, 3);
    EXPECT_EQ(d.TextItems[1].TextItemY, 4500);
    EXPECT_TRUE(d.TextItems[1].TextItemBold);
    EXPECT_EQ(d.TextItems[2].TextItemText, "");
    EXPECT_EQ(d.TextItems[2].TextItemFontName, "Times, Roman");
    EXPECT_EQ(d.TextItems[2].TextItemX, -150);
    EXPECT_TRUE(d.TextItems[2].TextItemItalic && d.TextItems[2].TextItemUnderline &&
                !d.TextItems[2].TextItemStrikethru);
    EXPECT_TRUE(d.TextItems[2].TextItemFromLabel);
    EXPECT_EQ(window.caption, "Tellurax: Albers Equal-Area projection");
    EXPECT_EQ(window.marked, ProjAlbers);
    EXPECT_EQ(d.StdParProjCode, ProjAlbers);
    EXPECT_EQ(p.PrnDlg->Settings.Orientation, 2);  // the stored landscape
}

// Saving a recalled file gives the file's bytes again, but for the design
// file path, which names the file saved.
TEST_F(CnfReadTest, SavingARecalledFileGivesItsBytes) {
    struct Case {
        const char* name;
        const char* savedAs;
        bool printer;
    };
    const Case cases[] = {
        {"no-files.cnf", "/home/ann/maps/world.cnf", false},
        {"files-and-text.cnf", "/home/ann/maps/west.cnf", true},
    };
    for (const Case& c : cases) {
        ResetDesignState();
        ResetPlotState();
        if (c.printer) Plot().PrnDlg = Printers().NewPrinterDialog();
        ASSERT_TRUE(Recall(FixturePath(c.name))) << c.name;
        ASSERT_TRUE(Save(Path(c.name))) << c.name;
        std::string expected = Fixture(c.name);
        expected.replace(expected.find(c.savedAs), std::string(c.savedAs).size(), Path(c.name));
        EXPECT_EQ(Contents(Path(c.name)), expected) << c.name;
    }
}

TEST_F(CnfReadTest, TheHeaderChoosesTheReader) {
    struct Case {
        const char* header;
        const char* error;  // empty: read as the current version
    };
    const Case cases[] = {
        {"Tellurax configuration file version 4.00", ""},
        {"Tellurax configuration file version 3.00", ""},
        // A file of this version read by the older readers fails where
        // their layouts part: the fields name the reader.
        {"Configuration file version 2.50",
         "Error: Fill fraction of zero or less, or above 1 in line 10, field 1 (map fill fraction)"},
        {"Tellurax configuration file version 1.31", "Error: Grid type outside 1 to 5 in line 6, field 1 (grid type)"},
        {"Tellurax configuration file version x.yz", "Error: Grid type outside 1 to 5 in line 6, field 1 (grid type)"},
        // No header: the first line is the projection name of version 1.20.
        {"configuration file version 3.01", "Error: Type mismatch in line 2, field 1 (projection code)"},
        {"Mercator", "Error: Type mismatch in line 2, field 1 (projection code)"},
        {"Tellurax configuration file version 9999", "Error: Overflow in line 1, field 1 (header)"},
    };
    for (const Case& c : cases) {
        ResetDesignState();
        boxes.log.clear();
        const bool read = RecallText(WithLine("no-files.cnf", 1, c.header));
        EXPECT_EQ(read, *c.error == 0) << c.header;
        if (*c.error) ExpectOneBox(c.error, "Error in CnfRead");
    }
}

// Every bad file shows the box naming its line and field, puts the caption
// back and changes nothing: not the design, not the window, not the menu.
TEST_F(CnfReadTest, ABadFileChangesNothing) {
    struct Case {
        const char* what;
        size_t line;  // 0: the file ends after line `cut`
        std::string text;
        size_t cut;
        std::string error;
    };
    const std::string f = "files-and-text.cnf";
    const std::vector<Case> cases = {
        {"an early end", 0, "", 60, "Input past end of file in line 61, field 1 (centre latitude text)"},
        {"an end inside the text items", 0, "", 100,
         "Input past end of file in line 101, field 1 (text of text item 2)"},
        {"a number too large for its field", 3, " 70000 ", 0, "Overflow in line 3, field 1 (projection code)"},
        {"a Single out of range", 16, " 1E+39      1      6.5      4.875     -1     -1", 0,
         "Overflow in line 16, field 1 (printed map top margin)"},
        {"no number", 59, " 90      abc      30      6", 0, "Type mismatch in line 59, field 2 (southern boundary)"},
        {"a negative count", 20, " 2 -2 ", 0, "Negative count in line 20, field 2 (number of input files)"},
        {"a huge count of files", 20, " 2  30000 ", 0,
         "The rest of the file cannot hold 30000 input files in line 20, field 2 (number of input files)"},
        {"a huge count of text items", 93, " 100           2000000000 ", 0,
         "The rest of the file cannot hold 2000000000 text items in line 93, field 2 (number of text items)"},
        {"a zero size", 12, " 0      9000", 0, "Size of zero or less in line 12, field 1 (drawing area width)"},
        {"zero twips per pixel", 9, " 15      0", 0, "Size of zero or less in line 9, field 2 (twips per pixel down)"},
        {"a one-character text line", 94, "\xE9", 0,
         "Text line shorter than its two quotes in line 94, field 1 (text of text item 1)"},
        {"a palette cell outside the palette", 14, " 50331647  256  33554432  0 ", 0,
         "Palette cell outside 0 to 255 in line 14, field 2 (background palette cell)"},
        {"a negative great circle palette cell", 88,
         " 37.7833     -122.4333      29.3333      47.9833     -1      33554687     -1      45", 0,
         "Palette cell outside 0 to 255 in line 88, field 7 (great circle palette cell)"},
        {"a grid type outside 1 to 5", 5, " 9 ", 0, "Grid type outside 1 to 5 in line 5, field 1 (grid type)"},
        {"three grid outputs", 20, " 3  2 ", 0,
         "Number of grid outputs outside 0 to 2 in line 20, field 1 (number of grid outputs)"},
        {"a symbol type outside 1 to 12", 21, "/maps/world.map, 13 ", 0,
         "Symbol type outside 1 to 12 in line 21, field 2 (symbol type of input file 1)"},
        {"print units of neither kind", 17, " 1      1      1      1      100      2", 0,
         "Print units other than 1440 and 567 in line 17, field 5 (print units)"},
        {"an orientation of no kind", 17, " 1      1      1      1      1440      3", 0,
         "Printer orientation outside 0 to 2 in line 17, field 6 (printer orientation)"},
        {"a negative number of small circles", 92,
         " 37.7833     -122.4333      15      0      16711680      9      45     -3", 0,
         "Number of circles outside 1 to 10 in line 92, field 8 (number of small circles)"},
        // What the circles, the fit and the drawing are computed from: only
        // values the dialogs give, whether or not the circles are on.
        {"no small circle", 92, " 37.7833     -122.4333      15      0      16711680      9      45      0", 0,
         "Number of circles outside 1 to 10 in line 92, field 8 (number of small circles)"},
        {"eleven small circles", 92, " 37.7833     -122.4333      15     -1      16711680      9      45      11", 0,
         "Number of circles outside 1 to 10 in line 92, field 8 (number of small circles)"},
        {"a negative radius", 92, " 37.7833     -122.4333     -5     -1      16711680      9      45      3", 0,
         "Radius outside 0 to 180 in line 92, field 3 (small circle radius)"},
        {"a radius of 1E+300", 92, " 37.7833     -122.4333      1E+300     -1      16711680      9      45      3", 0,
         "Radius outside 0 to 180 in line 92, field 3 (small circle radius)"},
        {"a radius past the antipode", 92,
         " 37.7833     -122.4333      180.01      0      16711680      9      45      3", 0,
         "Radius outside 0 to 180 in line 92, field 3 (small circle radius)"},
        {"a centre beyond the pole", 92, " 90.5     -122.4333      15      0      16711680      9      45      3", 0,
         "Latitude outside -90 to 90 in line 92, field 1 (small circle centre latitude)"},
        {"a great circle end beyond the date line", 88,
         " 37.7833     -122.4333      29.3333      180.5     -1      33554687      9      45", 0,
         "Longitude outside -180 to 180 in line 88, field 4 (great circle end longitude)"},
        {"a great circle start beyond the pole", 88,
         "-1E+300     -122.4333      29.3333      47.9833      0      33554687      9      45", 0,
         "Latitude outside -90 to 90 in line 88, field 1 (great circle start latitude)"},
        {"a fill fraction of 0", 13, " 0", 0,
         "Fill fraction of zero or less, or above 1 in line 13, field 1 (map fill fraction)"},
        {"a fill fraction above 1", 13, " 1.5", 0,
         "Fill fraction of zero or less, or above 1 in line 13, field 1 (map fill fraction)"},
        {"a map extent of no width", 69, " 2.5     2.5      2.5     -2.5", 0,
         "Map extent of zero or less, or too large in line 69, field 2 (map extent x minimum)"},
        {"a map extent upside down", 69, " 3.14159265358979     -3.14159265358979     -2.5      2.5", 0,
         "Map extent of zero or less, or too large in line 69, field 4 (map extent y minimum)"},
        {"a map extent beyond any number", 69, " 1E+308     -1E+308      2.5     -2.5", 0,
         "Map extent of zero or less, or too large in line 69, field 2 (map extent x minimum)"},
        // In range, but a route the computation cannot give (ends a hair
        // either side of the equator): named by the end longitude's field.
        {"a great circle that cannot be computed", 88,
         " 1E-09      0     -1E-09      100     -1      33554687      9      45", 0,
         "Division by zero in line 88, field 4 (great circle end longitude)"},
    };
    for (const Case& c : cases) {
        ResetDesignState();
        ResetPlotState();
        boxes.log.clear();
        window = test::FakeDesignWindow{};
        std::string text;
        if (c.line) {
            text = WithLine(f, c.line, c.text);
        } else {
            std::vector<std::string> lines = Lines(Fixture(f));
            lines.resize(c.cut);
            text = Join(lines);
        }
        Design().SavedCaption = "kept";
        const std::string before = SaveText();
        EXPECT_FALSE(RecallText(text)) << c.what;
        ExpectOneBox("Error: " + c.error, "Error in CnfRead");
        EXPECT_EQ(window.caption, "Tellurax: Equirectangular projection") << c.what;
        EXPECT_EQ(window.changes, 0) << c.what;
        EXPECT_EQ(Design().SavedCaption, "kept") << c.what;
        EXPECT_EQ(SaveText(), before) << c.what;
    }
}

// A decimal-comma locale stored the UTM scale factor text as "0,9996": it
// is read as "0.9996", nothing after it shifts, and a comma that is no
// decimal comma is refused on its own line.
TEST_F(CnfReadTest, AScaleFactorWithADecimalCommaIsRead) {
    const std::string f = "files-and-text.cnf";
    ASSERT_EQ(Lines(Fixture(f)).at(76), "0.9996");
    ASSERT_TRUE(Recall(FixturePath(f)));
    const std::string expected = SaveText();
    ResetDesignState();
    ResetPlotState();
    ASSERT_TRUE(RecallText(WithLine(f, 77, "0,9996"))) << boxes.log[0].text;
    EXPECT_EQ(Design().UtmText[4], "0.9996");
    EXPECT_EQ(SaveText(), expected);

    for (const char* bad : {"0,99,96", "0,", ",9996", "0, 9996"}) {
        SCOPED_TRACE(bad);
        boxes.log.clear();
        EXPECT_FALSE(RecallText(WithLine(f, 77, bad)));
        ExpectOneBox("Error: Type mismatch in line 77, field 1 (UTM text 4)", "Error in CnfRead");
    }
}

TEST_F(CnfReadTest, AFileThatCannotBeOpenedIsReported) {
    EXPECT_FALSE(Recall(Path("missing.cnf")));
    ExpectOneBox("Error: No such file or directory", "Error in CnfRead");
    boxes.log.clear();
    EXPECT_FALSE(Recall(dir));
    ExpectOneBox("Error: Is a directory", "Error in CnfRead");
}

// A named pipe would wait for a writer for ever, a device never end: both
// are refused unopened, and the design stays.
TEST_F(CnfReadTest, APipeOrADeviceIsRefusedAtOnce) {
    const std::string pipe = Path("pipe.cnf");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {pipe, std::string("/dev/zero")}) {
        boxes.log.clear();
        const std::string before = SaveText();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(Recall(path)) << path;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << path;
        ExpectOneBox("Error: Not a regular file", "Error in CnfRead");
        EXPECT_EQ(window.changes, 0) << path;
        EXPECT_EQ(SaveText(), before) << path;
    }
}

// Files whose recall once changed the design and then failed, or carried a
// value no dialog gives into the design: refused, naming the line and field.
TEST_F(CnfReadTest, FilesWithValuesTheDesignCannotUseAreRefused) {
    struct Case {
        const char* fixture;
        std::string error;
    };
    const Case cases[] = {
        {"small-circle-count-0.cnf", "Number of circles outside 1 to 10 in line 82, field 8 (number of small circles)"},
        {"small-circle-overflow.cnf",
         "Number of circles outside 1 to 10 in line 82, field 8 (number of small circles)"},
        {"v2-zero-map-extent.cnf",
         "Map extent of zero or less, or too large in line 119, field 2 (map extent x minimum)"},
        {"nul-in-projection-name.cnf", "Text with a NUL character inside in line 2, field 1 (projection name)"},
    };
    for (const Case& c : cases) {
        ResetDesignState();
        ResetPlotState();
        boxes.log.clear();
        window = test::FakeDesignWindow{};
        const std::string before = SaveText();
        EXPECT_FALSE(Recall(FixturePath(c.fixture))) << c.fixture;
        ExpectOneBox("Error: " + c.error, "Error in CnfRead");
        EXPECT_EQ(window.caption, "Tellurax: Equirectangular projection") << c.fixture;
        EXPECT_EQ(window.changes, 0) << c.fixture;
        EXPECT_EQ(SaveText(), before) << c.fixture;
    }
}

// A recalled great circle's ends follow the rules the dialog stores them by:
// across the 180th meridian the end takes the start's side, a pole takes the
// other end's longitude, and the route runs along that one meridian.
TEST_F(CnfReadTest, ARecalledGreatCircleHasItsEndsAsTheDialogStoresThem) {
    struct Case {
        const char* fixture;
        std::array<std::string, 4> texts;
        std::array<double, 4> ends;
        size_t points;
        double length;  // nautical miles
    };
    const Case cases[] = {
        {"gc-180-near.cnf",
         {"10    00    00    N", "180    00    00    W", "20    00    00    N", "180    00    00    W"},
         {10, -180, 20, -180},
         11,
         600},
        {"gc-180-pole.cnf",
         {"90    00    00    N", "180    00    00    W", "90    00    00    S", "180    00    00    W"},
         {90, -180, -90, -180},
         181,
         10800},
        {"gc-pole-lon.cnf",
         {"90    00    00    N", "050    00    00    E", "10    00    00    N", "050    00    00    E"},
         {90, 50, 10, 50},
         81,
         4800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixture);
        ResetDesignState();
        boxes.log.clear();
        ASSERT_TRUE(Recall(FixturePath(c.fixture)));
        EXPECT_TRUE(boxes.log.empty());
        const DesignState& d = Design();
        EXPECT_EQ(d.GcEndText, c.texts);
        EXPECT_EQ((std::array<double, 4>{d.GcStartLat, d.GcStartLon, d.GcEndLat, d.GcEndLon}), c.ends);
        ASSERT_EQ(d.GcLat.size(), c.points + 1);
        for (size_t k = 1; k <= c.points; ++k) {
            EXPECT_EQ(d.GcLon[k], c.ends[1]) << k;
            EXPECT_EQ(d.GcDist[k], 60.0 * double(k - 1)) << k;
        }
        EXPECT_EQ(d.GcDist[c.points], c.length);
    }

    // The circle file of the route from the pole: one point on the pole,
    // then a degree of latitude at a time down the meridian.
    FakeHost host;
    SetMainWindow(&host);
    Plot().GcFileName = Path("pole.prn");
    Plot().OutGc = true;
    GcSave();
    SetMainWindow(nullptr);
    EXPECT_TRUE(boxes.log.empty());
    std::string expected;
    for (int lat = 90; lat >= 10; --lat)
        expected += (lat == 90 ? "-1   " : " 0   ") + std::to_string(lat) + ".0000   050.0000\r\n";
    EXPECT_EQ(Contents(Path("pole.prn")), expected);
}

// Saved on this screen with a maximised window: the window is maximised and
// nothing moves; symbol radii become whole pixels, at least one.
TEST_F(CnfReadTest, ADesignSavedFullScreenMaximisesTheWindow) {
    std::vector<std::string> lines = Lines(Fixture("files-and-text.cnf"));
    lines[11] = " 15360      10770";  // 1024 by 718 pixels, this screen's full-screen area
    std::string b2 = lines[21];
    b2.replace(b2.find(" 45 "), 4, " 0 ");   // class 1 of file 1: radius 0
    b2.replace(b2.find(" 45 "), 4, " 37 ");  // class 2: 2.47 pixels
    lines[21] = b2;
    ASSERT_TRUE(RecallText(Join(lines)));
    const DesignState& d = Design();
    EXPECT_EQ(window.state, 2);
    EXPECT_EQ(d.FeatureSymbolRadius(1, 1), 15);
    EXPECT_EQ(d.FeatureSymbolRadius(2, 1), 30);
    EXPECT_EQ(d.FeatureSymbolRadius(3, 1), 45);
    EXPECT_EQ(d.TextItems[1].TextItemX, 3000);
    EXPECT_EQ(d.TextItems[1].TextItemY, 4500);
    EXPECT_EQ(d.TextItems[1].TextItemFontSize, 12);
    EXPECT_EQ(Plot().MapFillFraction, 1.0);
}

// Saved with a drawing area larger than this screen's (9600 by 6000 twips
// when maximised): the window is maximised and the design shrinks by
// 6000 / 9000, centred across.
TEST_F(CnfReadTest, ADesignLargerThanTheScreenIsScaledIntoTheMaximisedWindow) {
    struct Case {
        const char* extent;
        double fill;
    };
    const Case cases[] = {
        {" 2     -2      1     -1", 5.0 / 6},  // M = 0.5: the map narrows like the text
        {" 2.5     -2.5      2     -2", 1.0},  // M = 0.8 >= A0 = 0.75: limited by its height already
    };
    for (const Case& c : cases) {
        ResetDesignState();
        Design().FullScreenWidthPx = 640;
        Design().FullScreenHeightPx = 400;
        window = test::FakeDesignWindow{};
        ASSERT_TRUE(RecallText(WithLine("files-and-text.cnf", 69, c.extent)));
        const DesignState& d = Design();
        EXPECT_EQ(window.state, 2);
        EXPECT_EQ(d.TextItems[1].TextItemX, 2800);
        EXPECT_EQ(d.TextItems[1].TextItemY, 3000);
        EXPECT_EQ(d.TextItems[1].TextItemFontSize, 8);
        EXPECT_EQ(d.TextItems[1].TextItemCharWidth, 5);
        EXPECT_EQ(d.TextItems[1].TextItemAscent, 7);
        EXPECT_EQ(d.TextItems[1].TextItemDescent, 2);
        EXPECT_EQ(d.TextItems[2].TextItemX, 700);  // -150 * 2/3 + 800
        EXPECT_EQ(d.InputFileLabelFontSize(1), 7);
        EXPECT_EQ(d.FeatureSymbolRadius(1, 1), 30);  // 45 twips * 2/3: 2 pixels
        EXPECT_EQ(d.FeatureLineWidth(1, 1), 15);     // widths stay
        EXPECT_NEAR(Plot().MapFillFraction, c.fill, 1e-6) << c.extent;
    }
}

// The text line loses its first and last characters, whatever they are.
TEST_F(CnfReadTest, ATextItemLineLosesItsFirstAndLastCharacters) {
    ASSERT_TRUE(RecallText(WithLine("files-and-text.cnf", 94,
                                    "\xABVille-Marie \xE0 Montr\xE9"
                                    "al\xBB")));
    EXPECT_EQ(Design().TextItems[1].TextItemText, "Ville-Marie à Montréal");
}

TEST_F(CnfReadTest, ADefinedSmallCircleIsComputedAgain) {
    ASSERT_TRUE(RecallText(
        WithLine("no-files.cnf", 83, " 37.7833     -122.4333      15     -1      16711680      9      45      3")));
    EXPECT_EQ(Design().ScCircleEnd.size(), 4u);
    EXPECT_GT(Design().ScCircleEnd[3], 3 * 360);
}

// The extremes the small circle dialog gives are recalled: a radius of 0 or
// 180 degrees, ten circles, a centre at a pole on the date line.
TEST_F(CnfReadTest, TheSmallCirclesAtTheDialogsLimitsAreRecalled) {
    for (const char* line : {" 90     -180      0     -1      16711680      9      45      10",
                             "-90      180      180     -1      16711680      9      45      1"}) {
        ResetDesignState();
        boxes.log.clear();
        ASSERT_TRUE(RecallText(WithLine("no-files.cnf", 83, line))) << line;
        EXPECT_TRUE(boxes.log.empty()) << line;
        const DesignState& d = Design();
        ASSERT_EQ(d.ScCircleEnd.size(), static_cast<size_t>(d.ScCount) + 1) << line;
        for (int k = 1; k <= d.ScCount; ++k) EXPECT_GT(d.ScCircleEnd[k], d.ScCircleEnd[k - 1]) << line;
    }
}

}  // namespace
}  // namespace tlrx
