#pragma once
// Designs and the drawing run's set-up for the graticule tests, and readers
// of the ASCII export.

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "core/Graticule.h"
#include "core/GraticuleInterrupt.h"
#include "core/ProjParams.h"
#include "core/Projection.h"
#include "platform/Events.h"
#include "platform/FakeHost.h"
#include "plot/PlotGrid.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/Scaling.h"

namespace tlrx::test {

// A test's drawing surroundings: fresh design and run states, the window
// host, yields that do nothing (counted from 0); undone when it goes.
class DrawingSetUp {
public:
    explicit DrawingSetUp(Host& host) {
        ResetDesignState();
        ResetPlotState();
        SetMainWindow(&host);
        SetDoEventsHook([](int64_t) {});
        ResetDoEventsCount();
    }
    ~DrawingSetUp() {
        SetDoEventsHook({});
        SetMainWindow(nullptr);
        Files().CloseOutputQuietly();
    }
    DrawingSetUp(const DrawingSetUp&) = delete;
    DrawingSetUp& operator=(const DrawingSetUp&) = delete;
};

// A non-azimuthal design with the given boundary texts (spacings default to
// 30 and 45 degrees).
inline void UseDesign(int16_t code, const char* north = "90    00    00    N",
                      const char* south = "90    00    00    S", const char* west = "180    00    00    W",
                      const char* east = "180    00    00    E", const char* latSpacing = "030    00    00",
                      const char* lonSpacing = "045    00    00") {
    DesignState& d = Design();
    d.ProjCode = code;
    d.BoundsText[0] = north;
    d.BoundsText[1] = south;
    d.BoundsText[2] = latSpacing;
    d.BoundsText[3] = west;
    d.BoundsText[4] = east;
    d.BoundsText[5] = lonSpacing;
    CalcGraticule({});
    ParamStdParallel();
    ParamSelect();
}

// An azimuthal design: centre latitude text, range text, spacings.
inline void UseAzimuthal(int16_t code, const char* centreLat, const char* range,
                         const char* latSpacing = "030    00    00", const char* lonSpacing = "045    00    00") {
    DesignState& d = Design();
    d.ProjCode = code;
    d.BoundsText[2] = latSpacing;
    d.BoundsText[5] = lonSpacing;
    d.BoundsText[6] = centreLat;
    d.BoundsText[8] = range;
    CalcGraticule({});
    ParamSelect();
}

// The default UTM grid in metres (northings 5,600,000 to 6,200,000 every
// 100,000 m, eastings 300,000 to 800,000 every 100,000 m), as the UTM grid
// computation leaves it.
inline void UseUtm() {
    DesignState& d = Design();
    d.ProjCode = ProjUtm;
    d.LatNorthSec = 6200000;
    d.LatSouthSec = 5600000;
    d.LatSpacingSec = 100000;
    d.LonWestSec = d.FrameWestSec = 300000;
    d.LonEastSec = d.FrameEastSec = 800000;
    d.LonSpacingSec = 100000;
    d.NumLatDivisions = 6;
    d.NumLonDivisions = 5;
    d.LatNorth = 6200000;
    d.LatSouth = 5600000;
    d.LatSpacing = 100000;
    d.LonWest = d.FrameWest = 300000;
    d.LonEast = d.FrameEast = 800000;
    d.LonSpacing = 100000;
    ParamSelect();
}

// What the drawing run does before its passes.
inline void PrepareDrawingRun() {
    DesignState& d = Design();
    PlotState& p = Plot();
    p.AsciiScale = d.RelMapWidth / (d.MapXMax - d.MapXMin);
    p.AscFileName.resize(static_cast<size_t>(d.NumInputFiles + p.GridOutputCount + 1));
    p.PenWidth = 1;
    p.DxfNoPolyline = false;
    p.DxfSeqEndPos = 0;
    ScaleScreen();
}

// One drawing pass of a one-pass run.
inline void DrawSinglePass() {
    PrepareDrawingRun();
    Design().FirstPass = Design().LastPass = true;
    PlotGrid();
}

// The interrupted Mollweide world with northern interruptions at 45W and 90E
// and one southern at 0; each lobe is shifted to where it lies on the
// uninterrupted map.
inline void UseInterruptedWorld(const char* north = "90    00    00    N",
                                const char* south = "90    00    00    S") {
    DesignState& d = Design();
    UseDesign(ProjInterruptedMollweide, north, south);
    d.InterruptText[0] = "2";
    d.InterruptText[1] = "1";
    d.LobeEdgeText = {"180    00    00    W", "045    00    00    W", "090    00    00    E",
                      "180    00    00    E", "180    00    00    W", "000    00    00    W",
                      "180    00    00    E", "", "", ""};
    const double edges[] = {-180, -45, 90, 180, -180, 0, 180};
    for (int lobe : {1, 2, 3, 5, 6}) {
        const double centre = (edges[lobe - 1] + edges[lobe]) / 2;
        d.LobeOffset[static_cast<size_t>(lobe)] = 2 * d.Sqrt2 * centre * d.DegToRad / d.Pi;
    }
}

// The lobes of the interrupted world, as the drawing run draws them.
inline void DrawLobes(const std::vector<int16_t>& lobes = {1, 2, 3, 5, 6}) {
    DesignState& d = Design();
    PrepareDrawingRun();
    for (size_t i = 0; i < lobes.size(); ++i) {
        CalcGraticuleInterrupt(lobes[i]);
        d.CurLobeOffset = d.LobeOffset[static_cast<size_t>(lobes[i])];
        d.FirstPass = i == 0;
        d.LastPass = i + 1 == lobes.size();
        PlotGrid();
        if (!d.PlotStopText.empty()) break;
    }
    d.CurLobeOffset = 0;
}

// The bytes of a file.
inline std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The lines of a text file, without their CR LF ends; a line not ended by CR
// LF is kept with what it has.
inline std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

struct AsciiPoint {
    double x = 0;
    double y = 0;
};

// The polylines of an ASCII export: the points between pen-up markers.
inline std::vector<std::vector<AsciiPoint>> ReadPolylines(const std::string& path) {
    std::vector<std::vector<AsciiPoint>> lines(1);
    for (const std::string& text : ReadLines(path)) {
        if (text == "5.0000000  05.0000000") {
            lines.emplace_back();
            continue;
        }
        AsciiPoint pt;
        std::istringstream(text) >> pt.x >> pt.y;
        lines.back().push_back(pt);
    }
    if (lines.back().empty()) lines.pop_back();  // after the last marker
    return lines;
}

// A fresh folder for the files of the running test (tests may run in parallel).
inline std::string TestFolder() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path dir = std::filesystem::path(TLRX_TEST_OUT_DIR) / "grid-files" /
                                      (std::string(test->test_suite_name()) + "." + test->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

}  // namespace tlrx::test
