// Saving a design: designs of every projection family saved, recalled and
// saved again to the same bytes; texts the file cannot carry refused before
// the file is touched; a failed write that leaves the old file as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "../plot/FileSizeLimit.h"
#include "CnfTestSupport.h"
#include "core/DesignState.h"
#include "core/Graticule.h"
#include "core/GreatCircle.h"
#include "core/ProjParams.h"
#include "core/ProjectionTable.h"
#include "core/SharedRoutines.h"
#include "core/SmallCircle.h"
#include "core/Utm.h"
#include "core/UtmGrid.h"
#include "plot/PlotState.h"
#include "support/CLocale.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;
using test::CnfTest;

class CnfSaveTest : public CnfTest {
protected:
    // The projection with its boundaries, graticule and parameters computed
    // as its dialogs compute them.
    static void Project(int16_t code, const std::array<std::string, 10>& bounds) {
        DesignState& d = Design();
        d.ProjCode = code;
        d.ProjName = std::string(FindProjection(code)->name);
        if (code == ProjUtm) {
            CalcUtmZone();
            CalcUtmGrid(d.UtmText);
        } else {
            d.BoundsText = bounds;
            if (code == ProjInterruptedMollweide) {
                d.InterruptText[0] = "2";
                d.InterruptText[1] = "1";
                // clang-format off
                d.LobeEdgeText = {"180    00    00    W", "045    00    00    W", "090    00    00    E",
                                  "180    00    00    E", "180    00    00    W", "000    00    00    W",
                                  "180    00    00    E", "", "", ""};
                // clang-format on
                d.LobeOffset = {0, 0, -0.5, 0.25, 1.125, 0, 0, 0, 0, 0};
            }
            CalcGraticule(d.BoundsText);
            ParamStdParallel();
        }
        ParamSelect();
        ASSERT_FALSE(d.CalcError) << code;
    }
    // Three map files with symbology of their own, label fonts, the circles
    // and text items with commas and quotes.
    static void Content() {
        DesignState& d = Design();
        PlotState& p = Plot();
        d.NumInputFiles = 3;
        ResizeInputFiles(3);
        const char* names[] = {"", "/maps/world.map", "/maps/rivers, lakes.all", "/maps/Zürich cities.prn"};
        for (int i = 1; i <= 3; ++i) {
            d.InputFileName(i) = names[i];
            d.InputFileSymbolType(i) = static_cast<int16_t>(i == 3 ? SymCircleFilled : SymLine);
            d.InputFileLabelFontName(i) = i == 2 ? "Times, Roman" : "Liberation Sans";
            d.InputFileLabelFontSize(i) = static_cast<int16_t>(8 + i);
            d.InputFileLabelFontItalic(i) = i == 3;
            for (int j = 1; j <= d.NumGeoFeatures; ++j) {
                d.FeatureSelected(j, i) = (i + j) % 3 != 0;
                d.FeatureColor(j, i) = PaletteRgb(RgbColor(j * 3, i * 40, 255 - j));
                d.FeatureLineWidth(j, i) = static_cast<int16_t>(15 * (1 + j % 4));
                d.FeatureSymbolRadius(j, i) = static_cast<int16_t>(15 * (1 + (i + j) % 5));
                d.FeatureBorderWidth(j, i) = static_cast<int16_t>(15 * (j % 2));
            }
        }
        p.GridOutputCount = 2;
        p.AscFileName = {"", "points.txt", "lines.txt", "world.txt", "", "cities.txt"};
        p.BmpFileName = "/out/map.bmp";
        p.GcFileName = "/out/route, 1.prn";
        d.GcDefined = true;
        GcCalc();
        d.ScDefined = true;
        d.ScCount = 2;
        ScCalc();
        const char* texts[] = {"", "Lake \"Tahoe\", CA", "\"Quoted\"", " leading, blank", ""};
        d.NumTextItems = 4;
        ResizeTextItems(4);
        for (int i = 1; i <= 4; ++i) {
            const auto k = static_cast<size_t>(i);
            d.TextItems[k].TextItemText = texts[i];
            d.TextItems[k].TextItemFontName = i == 2 ? " Courier New" : "Liberation Serif";
            d.TextItems[k].TextItemFontSize = static_cast<int16_t>(10 + i);
            d.TextItems[k].TextItemRotation = static_cast<int16_t>(45 * i);
            d.TextItems[k].TextItemColor = PaletteRgb(RgbColor(0, 0, 128));
            d.TextItems[k].TextItemBold = i % 2 == 0;
            d.TextItems[k].TextItemX = 1500 * i - 2000;
            d.TextItems[k].TextItemY = 900 * i;
            d.TextItems[k].TextItemAscent = 11;
            d.TextItems[k].TextItemDescent = 3;
            d.TextItems[k].TextItemCharWidth = 7;
            d.TextItems[k].TextItemFromLabel = i == 4;
        }
    }
    static size_t LineCount(const std::string& text) {
        return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    }
};

// A design of each family saved, recalled into a fresh program and saved
// again: the same bytes, the fields as they were (computed numbers to the
// file's digits), and the line count of the layout.
TEST_F(CnfSaveTest, EveryProjectionFamilyComesBackAsSaved) {
    struct Case {
        int16_t code;
        std::array<std::string, 10> bounds;
    };
    // clang-format off
    const std::array<std::string, 10> world = {"80    00    00    N", "80    00    00    S", "020    00    00",
                                               "180    00    00    W", "180    00    00    E", "030    00    00",
                                               "40    00    00    N", "000    00    00    W", "180    00    00",
                                               "00035840"};
    // clang-format on
    std::array<std::string, 10> region = world;
    region[0] = "55    00    00    N";
    region[1] = "25    00    00    N";
    region[2] = "005    00    00";
    region[3] = "130    00    00    W";
    region[4] = "060    00    00    W";
    region[5] = "010    00    00";
    std::array<std::string, 10> centred = world;
    centred[6] = "47    30    00    N";
    centred[7] = "122    15    00    W";
    centred[8] = "060    00    00";
    const Case cases[] = {
        {ProjMercator, world},
        {ProjCylEqualArea, world},
        {ProjRobinson, world},
        {ProjInterruptedMollweide, world},
        {ProjConformalConic, region},
        {ProjAlbers, region},
        {ProjStereographic, centred},
        {ProjVerticalPerspective, centred},
        {ProjUtm, world},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ResetDesignState();
        ResetPlotState();
        Project(c.code, c.bounds);
        Content();
        ASSERT_TRUE(boxes.log.empty()) << boxes.log[0].title << ": " << boxes.log[0].text;
        const DesignState original = Design();
        const std::string first = Path("first.cnf");
        ASSERT_TRUE(Save(first));
        const std::string saved = Contents(first);
        EXPECT_EQ(LineCount(saved), 20u + 3 * 3 + (2 + 3) + 63 + 7 * 4);

        ResetDesignState();
        ResetPlotState();
        ASSERT_TRUE(Recall(first));
        ASSERT_TRUE(boxes.log.empty()) << boxes.log[0].title << ": " << boxes.log[0].text;
        const DesignState& d = Design();
        EXPECT_EQ(d.ProjCode, c.code);
        EXPECT_EQ(d.ProjName, original.ProjName);
        EXPECT_EQ(d.BoundsText, original.BoundsText);
        EXPECT_EQ(d.UtmText, original.UtmText);
        ASSERT_EQ(d.MaxInputFile(), original.MaxInputFile());
        for (int i = 0; i <= d.MaxInputFile(); ++i) {
            EXPECT_EQ(d.InputFileName(i), original.InputFileName(i));
            EXPECT_EQ(d.InputFileLabelFontName(i), original.InputFileLabelFontName(i));
        }
        EXPECT_EQ(d.TextItems, original.TextItems);
        for (int j = 1; j <= 72; ++j) {
            EXPECT_EQ(d.FeatureSelected(j, 2), original.FeatureSelected(j, 2));
            EXPECT_EQ(d.FeatureColor(j, 3), original.FeatureColor(j, 3));
            EXPECT_EQ(d.FeatureSymbolRadius(j, 1), original.FeatureSymbolRadius(j, 1));
        }
        EXPECT_NEAR(d.ConicN, original.ConicN, 1e-14);
        EXPECT_NEAR(d.MapXMax, original.MapXMax, 1e-14 * std::fabs(original.MapXMax));
        EXPECT_NEAR(d.UtmM0, original.UtmM0, 1e-14 * std::fabs(original.UtmM0) + 1e-300);
        EXPECT_EQ(d.CosCentLat, std::cos(d.CentLat * d.DegToRad));  // derived again
        EXPECT_EQ(d.GcLat, original.GcLat);
        EXPECT_EQ(d.ScLat, original.ScLat);
        EXPECT_EQ(Plot().AscFileName,
                  (std::vector<std::string>{"", "points.txt", "lines.txt", "world.txt", "", "cities.txt"}));

        ASSERT_TRUE(Save(Path("second.cnf")));
        std::string again = Contents(Path("second.cnf"));
        const std::string firstPath = first, secondPath = Path("second.cnf");
        again.replace(again.find(secondPath), secondPath.size(), firstPath);
        EXPECT_EQ(again, saved);
    }
}

// No file is touched when a text cannot be carried; the box names the field.
TEST_F(CnfSaveTest, TextsTheFileCannotCarryAreRefusedBeforeWriting) {
    struct Case {
        void (*set)();
        const char* error;
    };
    const Case cases[] = {
        {[] { Design().InputFileName(1) = "/maps/a\"b, c.map"; },
         "Path of input file 1 holds a double quote and needs quotes (a comma, or a leading blank or quote), which a "
         "design file cannot carry"},
        {[] {
             Design().NumTextItems = 1;
             Design().TextItems[1].TextItemText = "two\nlines";
         },
         "Text of text item 1 holds a line break, which a design file cannot carry"},
        {[] { Design().RptFontName = "\"Bold\", Inc"; },
         "Report font name holds a double quote and needs quotes (a comma, or a leading blank or quote), which a "
         "design file cannot carry"},
        {[] { Design().BoundsText[0] = "\xE5\x8C"; },
         "Boundary text 0 is not valid UTF-8 text, which a design file cannot carry"},
        {[] { Design().GridTypeText = " Grid \"lines\""; },
         "Grid type text holds a double quote, which a design file cannot carry"},
        {[] { Plot().MapFillFraction = std::numeric_limits<double>::quiet_NaN(); },
         "Map fill fraction is not a finite number"},
    };
    const std::string path = Path("kept.cnf");
    for (const Case& c : cases) {
        ResetDesignState();
        ResetPlotState();
        boxes.log.clear();
        window.captions.clear();
        Put(path, "the old design\r\n");
        c.set();
        EXPECT_FALSE(Save(path)) << c.error;
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, std::string("Error: ") + c.error);
        EXPECT_EQ(boxes.log[0].title, "Error in CnfSave");
        EXPECT_EQ(Contents(path), "the old design\r\n");
        EXPECT_EQ(window.captions, (std::vector<std::string>{"Tellurax: printing configuration file",
                                                             "Tellurax: Equirectangular projection"}));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

// A design with a character beyond Windows-1252 anywhere (a Greek text item,
// a folder with a Cyrillic name) is saved in UTF-8 behind the byte-order
// mark and comes back as it was; one that fits the code page is saved in it,
// without the mark. A path with a double quote is carried unquoted.
TEST_F(CnfSaveTest, ADesignBeyondTheCodePageIsSavedInUtf8) {
    struct Case {
        const char* what;
        void (*set)();
        bool utf8;
    };
    const Case cases[] = {
        {"Greek text",
         [] { Design().TextItems[1].TextItemText = "\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1, \"\xCE\xB7\""; }, true},
        {"Cyrillic folder",
         [] { Design().InputFileName(1) = "/home/\xD0\xBA\xD0\xB0\xD1\x80\xD1\x82\xD1\x8B/world.map"; }, true},
        {"Windows-1252 only", [] { Design().TextItems[1].TextItemText = "Z\xC3\xBCrich \xE2\x82\xAC"; }, false},
        {"a path with a double quote", [] { Plot().AscFileName[1] = "/out/\"grid\".txt"; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetDesignState();
        ResetPlotState();
        Content();
        c.set();
        const DesignState original = Design();
        const std::vector<std::string> names = Plot().AscFileName;
        const std::string first = Path("first.cnf");
        ASSERT_TRUE(Save(first));
        ASSERT_TRUE(boxes.log.empty()) << boxes.log[0].text;
        const std::string saved = Contents(first);
        EXPECT_EQ(saved.compare(0, 3, "\xEF\xBB\xBF") == 0, c.utf8);
        // The rest of the file is the same either way, but for the texts.
        EXPECT_EQ(saved.compare(c.utf8 ? 3 : 0, 37, "Tellurax configuration file version 3"), 0);

        ResetDesignState();
        ResetPlotState();
        ASSERT_TRUE(Recall(first));
        ASSERT_TRUE(boxes.log.empty()) << boxes.log[0].text;
        EXPECT_EQ(Design().TextItems, original.TextItems);
        EXPECT_EQ(Design().InputFileName(1), original.InputFileName(1));
        EXPECT_EQ(Plot().AscFileName, names);
        ASSERT_TRUE(Save(Path("second.cnf")));
        std::string again = Contents(Path("second.cnf"));
        again.replace(again.find(Path("second.cnf")), Path("second.cnf").size(), first);
        EXPECT_EQ(again, saved);
    }
}

// The numbers of a design file are the same under a decimal-comma locale.
TEST_F(CnfSaveTest, TheFileIsTheSameInEveryLocale) {
    TLRX_REQUIRE_COMMA_LOCALES();
    Project(ProjUtm, {});
    Content();
    ASSERT_TRUE(Save(Path("c.cnf")));
    const std::string expected = Contents(Path("c.cnf"));
    for (const std::string& name : test::CommaLocales()) {
        SCOPED_TRACE(name);
        test::ScopedCLocale locale(name);
        ASSERT_TRUE(Save(Path("c.cnf")));
        EXPECT_EQ(Contents(Path("c.cnf")), expected);
    }
}

TEST_F(CnfSaveTest, AFailedWriteLeavesTheOldFileAsItWas) {
    const std::string path = Path("design.cnf");
    Put(path, "the old design\r\n");
    {
        test::FileSizeLimit limit(1000);  // the default design takes some 2000 bytes
        EXPECT_FALSE(Save(path));
    }
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: File too large");
    EXPECT_EQ(Contents(path), "the old design\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no temporary file left

    boxes.log.clear();
    EXPECT_FALSE(Save(Path("no-such-folder/design.cnf")));
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: No such file or directory");
    EXPECT_EQ(window.caption, "Tellurax: Equirectangular projection");

    // A complete file replaces the old one.
    boxes.log.clear();
    EXPECT_TRUE(Save(path));
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(Contents(path).substr(0, 42), "Tellurax configuration file version 3.01\r\n");
}

// The ASCII output names follow the design's outputs: missing ones are
// written empty, surplus ones dropped.
TEST_F(CnfSaveTest, TheAsciiOutputNamesAreSizedToTheOutputs) {
    PlotState& p = Plot();
    p.AscFileName = {"", "grid.txt"};
    p.GridOutputCount = 2;
    ASSERT_TRUE(Save(Path("short.cnf")));
    EXPECT_EQ(p.AscFileName, (std::vector<std::string>{"", "grid.txt", "", ""}));
    std::vector<std::string> lines = Lines(Contents(Path("short.cnf")));
    EXPECT_EQ(lines.size(), 20u + 3 + 3 + 63);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 23, lines.begin() + 26),
              (std::vector<std::string>{"grid.txt", "", ""}));

    p.AscFileName = {"", "a", "b", "c", "d", "e"};
    p.GridOutputCount = 0;
    ASSERT_TRUE(Save(Path("long.cnf")));
    EXPECT_EQ(p.AscFileName, (std::vector<std::string>{"", "a"}));
}

}  // namespace
}  // namespace tlrx
