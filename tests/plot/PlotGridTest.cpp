#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iomanip>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "GridTestSupport.h"
#include "platform/Events.h"
#include "platform/MessageBox.h"
#include "platform/QtSurface.h"
#include "plot/PlotGrid.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/StopRun.h"

namespace tlrx {
namespace {

// The main window with a recording surface over its picture.
class ScriptedHost : public FakeHost {
public:
    using FakeHost::FakeHost;
    Surface& DC() override { return scripted; }
    QtSurface& Real() { return static_cast<QtSurface&>(FakeHost::DC()); }
    ScriptedSurface scripted{FakeHost::DC()};
};


// An ASCII line as the export writes it, formatted here independently.
std::string Line(double x, double y) {
    std::ostringstream s;
    s.imbue(std::locale::classic());
    s << std::fixed << std::setprecision(7) << x << "  " << std::setw(10) << std::setfill('0') << y;
    return s.str();
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class PlotGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        ResetPlotState();
        SetMainWindow(&host);
        SetDoEventsHook([](int64_t) {});
        ResetDoEventsCount();
    }
    void TearDown() override {
        SetDoEventsHook({});
        SetMainWindow(nullptr);
        Files().CloseOutputQuietly();
    }

    // Requests the ASCII export into files 1 (and 2) of this test's folder.
    void ExportAscii() {
        PlotState& p = Plot();
        p.OutAscii = true;
        p.AscFileName = {"", dir + "/grid1.txt", dir + "/grid2.txt"};
    }
    std::string File(int i) const { return dir + "/grid" + std::to_string(i) + ".txt"; }

    // The state every return leaves: pens released, nothing left on the surface.
    void ExpectCleanSurface() {
        EXPECT_EQ(Plot().DrawPen, 0u);
        EXPECT_EQ(Plot().OldPen, 0u);
        EXPECT_EQ(host.Real().LiveObjects(), 0u);
    }

    ScriptedHost host{1024, 768};
    ScopedScriptedMessageBox boxes;
    std::string dir = test::TestFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(PlotGridTest, DefaultGraticuleAsciiExport) {
    ExportAscii();
    test::DrawSinglePass();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(Design().PlotStopText, "");
    EXPECT_FALSE(Files().OutputOpen());

    // Seven parallels of nine points, then nine meridians of seven points,
    // each line followed by the pen-up marker.
    const DesignState& d = Design();
    const double scale = Plot().AsciiScale;
    std::vector<std::string> expected;
    const std::string marker = "5.0000000  05.0000000";
    for (int k = 0; k <= 6; ++k) {
        for (int i = 0; i <= 8; ++i) expected.push_back(Line(i / 8.0, k * 30 * d.DegToRad * scale));
        expected.push_back(marker);
    }
    for (int m = 0; m <= 8; ++m) {
        for (int i = 0; i <= 6; ++i) expected.push_back(Line(m / 8.0, i * 30 * d.DegToRad * scale));
        expected.push_back(marker);
    }
    const std::vector<std::string> lines = test::ReadLines(File(1));
    ASSERT_EQ(lines.size(), 142u);
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(lines.front(), "0.0000000  00.0000000");
    EXPECT_EQ(lines[68], "1.0000000  00.7071068");  // the north-east corner

    const std::string bytes = FileBytes(File(1));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 142);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 142);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

    EXPECT_EQ(Plot().CurOutFile, File(1));
    EXPECT_EQ(DoEventsCount(), 16);  // one yield per line
    ExpectCleanSurface();
}

}  // namespace
}  // namespace tlrx
