// The default design exported as a user exports it: the graticule, the
// world map, a point file with labels and two map text items (one turned by
// 30 degrees), through the calls the File menu makes, to a CGM, DXF, WMF and
// BMP file in the build folder. check_end_to_end.sh then opens the files in
// independent readers (ezdxf, wmf2svg, ImageMagick, LibreOffice).

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "GridTestSupport.h"
#include "core/DesignState.h"
#include "platform/MessageBox.h"
#include "plot/MapLabels.h"
#include "plot/MapPlot.h"
#include "plot/MapText.h"
#include "plot/PlotGrid.h"
#include "plot/PlotState.h"
#include "plot/export/Bmp.h"
#include "plot/export/WmfExport.h"
#include "support/FakeHost.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;

// The files go to TLRX_END_TO_END_OUT when set (the reader check's own
// folder), else to end-to-end/ in the build folder.
fs::path OutFolder() {
    const char* chosen = std::getenv("TLRX_END_TO_END_OUT");
    const fs::path folder = chosen && *chosen ? fs::path(chosen) : fs::path(TLRX_TEST_OUT_DIR) / "end-to-end";
    fs::create_directories(folder);
    return folder;
}

const std::vector<std::string> kPlaces = {"Seattle",   "Tacoma",         "Olympia", "Portland",
                                          "Vancouver", "Victoria, B.C.", "Spokane", "Kelowna"};

class ExportEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        // The default design, whose input file 1 is the world map beside the program.
        const fs::path besideProgram = fs::path(TLRX_TEST_OUT_DIR) / ".." / "..";
        if (fs::exists(besideProgram / "Tlrx4.map")) ResetDesignState(besideProgram.string() + "/");
        else test::UseMapFile(test::WorldMapPath());
        DesignState& d = Design();
        // What the first activation of the window sets.
        d.DefaultFontName = "Liberation Sans";
        d.FontSlotName[FontSlotText] = "Liberation Sans";

        // The labelled places of the sample point file as hollow squares.
        const int16_t file = ++d.NumInputFiles;
        ResizeInputFiles(file);
        d.InputFileName(file) = test::SamplePath("nw.prn");
        d.InputFileSymbolType(file) = SymSquare;
        d.FeatureSelected(1, file) = true;
        d.FeatureColor(1, file) = MakeRgb(128, 0, 128);
        d.FeatureLineWidth(1, file) = 15;
        d.FeatureSymbolRadius(1, file) = 45;
        d.FeatureBorderWidth(1, file) = 15;
        d.InputFileLabelFontName(file) = "Liberation Sans";
        d.InputFileLabelFontSize(file) = 8;
        d.InputFileLabelFontColor(file) = MakeRgb(0, 0, 160);
        ASSERT_TRUE(d.DisplayLabels);

        test::PrepareDrawingRun();
        // Near the top and away from the left edge: LibreOffice shows a CGM
        // picture on a wide slide that cuts off the bottom of the map, and
        // centres CGM text on its point.
        AddItem("Default design", 0, 0.12, 0.05, 14, MakeRgb(128, 0, 0), false);
        AddItem("Tellurax world", 30, 0.36, 0.62, 20, MakeRgb(0, 0, 128), true);
    }

    // A text item as the window's text placement leaves it: at a fraction
    // of the drawing area, with the ascent of its font in twips.
    void AddItem(const std::string& text, int16_t rotation, double fx, double fy, int16_t size, int32_t color,
                 bool bold) {
        DesignState& d = Design();
        const PlotState& p = Plot();
        const auto i = static_cast<size_t>(++d.NumTextItems);
        ResizeTextItems(d.NumTextItems);
        d.TextItems[i].TextItemText = text;
        d.TextItems[i].TextItemRotation = rotation;
        d.TextItems[i].TextItemX = static_cast<int32_t>(fx * p.DrawWidthTwips);
        d.TextItems[i].TextItemY = static_cast<int32_t>(fy * p.DrawHeightTwips);
        d.TextItems[i].TextItemFontName = "Liberation Sans";
        d.TextItems[i].TextItemFontSize = size;
        d.TextItems[i].TextItemColor = color;
        d.TextItems[i].TextItemBold = bold;
        host.FontName = "Liberation Sans";
        host.FontSize = size;
        host.FontBold = bold;
        TextMetric metric;
        ASSERT_TRUE(host.GetTextMetrics(metric));
        d.TextItems[i].TextItemAscent = static_cast<int16_t>(metric.ascent * FakeHost::kTwipsPerPixel);
        d.TextItems[i].TextItemDescent = static_cast<int16_t>(metric.descent * FakeHost::kTwipsPerPixel);
    }

    // The drawing run as the main window makes it: one pass of the graticule
    // and the map, the text items on the window after it, and the end of the
    // run, which clears the exports and takes away any label items left.
    void DrawingRun() {
        DesignState& d = Design();
        PlotState& p = Plot();
        test::PrepareDrawingRun();
        host.caption = "Tellurax: click on Stop or press Esc to stop plotting";
        d.FirstPass = d.LastPass = true;
        bool stopped = false;
        PlotGrid();
        if (d.PlotStopText == "Escape" || d.PlotStopText == "GridDiskError") {
            stopped = true;
        } else {
            MapPlot();
            stopped = d.PlotStopText == "Escape";
        }
        d.PlotStopText.clear();
        if (!stopped) PrintText();
        p.OutAscii = p.OutCgm = p.OutDxf = p.OutWmf = p.OutGc = false;
        p.CgmPos = 1;
        RemoveTemporaryLabelItems();
    }

    void ExpectCleanRun(int32_t items) {
        EXPECT_TRUE(boxes.log.empty()) << boxes.log[0].title << ": " << boxes.log[0].text;
        // The labels were temporary items only.
        EXPECT_EQ(Design().NumTextItems, items);
        EXPECT_EQ(Design().TextItems.size(), static_cast<size_t>(items) + 1);
        EXPECT_EQ(Plot().MapLabels.size(), kPlaces.size() + 1);
    }

    static int Occurrences(const std::string& bytes, const std::string& text) {
        int n = 0;
        for (size_t at = bytes.find(text); at != std::string::npos; at = bytes.find(text, at + 1)) ++n;
        return n;
    }

    FakeHost host{1024, 768};
    test::DrawingSetUp setUp{host};
    ScopedScriptedMessageBox boxes;
    fs::path folder = OutFolder();
};

// LibreOffice 7.4 refuses a CGM whose TEXT carries a rotated character
// orientation (the file is valid CGM), so that the reader check can open
// this file it holds the unrotated text item only; the rotated one goes to
// the DXF and WMF files.
TEST_F(ExportEndToEnd, Cgm) {
    Design().NumTextItems = 1;
    ResizeTextItems(1);

    PlotState& p = Plot();
    p.CgmFileName = (folder / "tellurax.cgm").string();  // File menu, Save as CGM
    p.OutCgm = true;
    DrawingRun();
    ExpectCleanRun(1);

    const std::string bytes = test::FileBytes(p.CgmFileName);
    ASSERT_GT(bytes.size(), 100000u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\x00\x3F", 2));                      // BEGIN METAFILE
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\x00\xA0\x00\x40", 4));  // END PICTURE, END METAFILE
    EXPECT_EQ(Occurrences(bytes, "Default design"), 1);
    for (const std::string& place : kPlaces) EXPECT_EQ(Occurrences(bytes, place), 1) << place;
}

TEST_F(ExportEndToEnd, Dxf) {
    PlotState& p = Plot();
    p.DxfFileName = (folder / "tellurax.dxf").string();  // File menu, Save as DXF
    p.OutDxf = true;
    DrawingRun();
    ExpectCleanRun(2);

    // The TEXT entities: text and rotation.
    const std::vector<std::string> lines = test::ReadLines(p.DxfFileName);
    ASSERT_GT(lines.size(), 1000u);
    EXPECT_EQ(lines.back(), "EOF");
    std::vector<std::string> texts;
    std::vector<std::string> rotations;
    bool inText = false;
    for (size_t i = 0; i + 1 < lines.size(); i += 2) {
        if (lines[i] == "  0") inText = lines[i + 1] == "TEXT";
        else if (inText && lines[i] == "  1") texts.push_back(lines[i + 1]);
        else if (inText && lines[i] == " 50") rotations.push_back(lines[i + 1]);
    }
    std::vector<std::string> expected = {"Default design", "Tellurax world"};
    expected.insert(expected.end(), kPlaces.begin(), kPlaces.end());
    EXPECT_EQ(texts, expected);
    ASSERT_EQ(rotations.size(), expected.size());
    EXPECT_EQ(rotations[1], "30");
    EXPECT_EQ(std::count(rotations.begin(), rotations.end(), "0"), 9);
}

// The records of a WMF file after its placeable and standard headers:
// function number and parameter words.
struct WmfRecord {
    uint16_t function = 0;
    std::vector<int16_t> params;
};

std::vector<WmfRecord> WmfRecords(const std::string& bytes) {
    const auto word = [&](size_t at) {
        return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | (static_cast<uint8_t>(bytes[at + 1]) << 8));
    };
    std::vector<WmfRecord> records;
    size_t at = 22 + 18;
    while (at + 6 <= bytes.size()) {
        const uint32_t words = word(at) | (uint32_t{word(at + 2)} << 16);
        if (words < 3 || at + 2 * words > bytes.size()) break;
        WmfRecord r;
        r.function = word(at + 4);
        for (size_t k = 3; k < words; ++k) r.params.push_back(static_cast<int16_t>(word(at + 2 * k)));
        records.push_back(r);
        at += 2 * words;
    }
    return records;
}

TEST_F(ExportEndToEnd, Wmf) {
    const std::string path = (folder / "tellurax.wmf").string();
    StartWmfRecording(path);  // File menu, Save as WMF
    DrawingRun();
    ExpectCleanRun(2);

    const std::string bytes = test::FileBytes(path);
    ASSERT_GT(bytes.size(), 100000u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xD7\xCD\xC6\x9A", 4));
    const std::vector<WmfRecord> records = WmfRecords(bytes);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().function, 0);  // the end of the file
    std::vector<int16_t> escapements;
    int texts = 0;
    for (const WmfRecord& r : records) {
        if (r.function == 0x02FB) escapements.push_back(r.params.at(2));
        if (r.function == 0x0521) ++texts;
    }
    EXPECT_EQ(texts, 10);
    // One font turned by 30 degrees, counted for the upward y axis; the
    // others (and the recording's start font, selected back) unturned.
    EXPECT_EQ(std::count(escapements.begin(), escapements.end(), -300), 1);
    EXPECT_EQ(std::count(escapements.begin(), escapements.end(), 0), int(escapements.size()) - 1);
}

TEST_F(ExportEndToEnd, Bmp) {
    DrawingRun();
    ExpectCleanRun(2);
    Plot().BmpFileName = (folder / "tellurax.bmp").string();  // File menu, Save as BMP
    BmpSave(host);
    EXPECT_TRUE(boxes.log.empty());

    const std::string bytes = test::FileBytes(Plot().BmpFileName);
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    const QImage read(QString::fromStdString(Plot().BmpFileName));
    EXPECT_EQ(read.size(), QSize(1024, 768));
    // The window as drawn, text and labels included, beside it for looking at.
    const QImage& picture = host.Picture();
    picture.save(QString::fromStdString((folder / "tellurax-window.png").string()));
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));
}

}  // namespace
}  // namespace tlrx
