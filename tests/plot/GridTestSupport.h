#pragma once
// Designs and the drawing run's set-up for the graticule and map drawing
// tests, the sample map files, and readers of the ASCII export.

#include <gtest/gtest.h>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "core/Graticule.h"
#include "core/GraticuleInterrupt.h"
#include "core/ProjParams.h"
#include "core/Projection.h"
#include "platform/Events.h"
#include "platform/Surface.h"
#include "plot/MapPlot.h"
#include "plot/PlotGrid.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/Scaling.h"
#include "plot/mapfiles/MapReaders.h"
#include "support/FakeHost.h"
#include "support/ScriptedSurface.h"

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
        Files().EndStaging();
        Files().CloseInput();
    }
    DrawingSetUp(const DrawingSetUp&) = delete;
    DrawingSetUp& operator=(const DrawingSetUp&) = delete;
};

// The main window with a recording surface over its picture.
class ScriptedHost : public FakeHost {
public:
    using FakeHost::FakeHost;
    Surface& DC() override { return scripted; }
    QtSurface& Real() { return RealDC(); }
    ScriptedSurface scripted{FakeHost::DC()};
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
    if (p.Printing) ScalePrinter();
    else ScaleScreen();
}

// One drawing pass of a one-pass run: the graticule and, with withMap, the
// map files and circles after it, as the drawing run calls them.
inline void DrawSinglePass(bool withMap = false) {
    PrepareDrawingRun();
    Design().FirstPass = Design().LastPass = true;
    PlotGrid();
    if (withMap && Design().PlotStopText.empty()) MapPlot();
}

// The interrupted Mollweide world with northern interruptions at 45W and 90E
// and one southern at 0; each lobe is shifted to where it lies on the
// uninterrupted map.
inline void UseInterruptedWorld(const char* north = "90    00    00    N", const char* south = "90    00    00    S") {
    DesignState& d = Design();
    UseDesign(ProjInterruptedMollweide, north, south);
    d.InterruptText[0] = "2";
    d.InterruptText[1] = "1";
    // clang-format off
    d.LobeEdgeText = {"180    00    00    W", "045    00    00    W", "090    00    00    E",
                      "180    00    00    E", "180    00    00    W", "000    00    00    W",
                      "180    00    00    E", "", "", ""};
    // clang-format on
    const double edges[] = {-180, -45, 90, 180, -180, 0, 180};
    for (int lobe : {1, 2, 3, 5, 6}) {
        const double centre = (edges[lobe - 1] + edges[lobe]) / 2;
        d.LobeOffset[static_cast<size_t>(lobe)] = 2 * d.Sqrt2 * centre * d.DegToRad / d.Pi;
    }
}

// The lobes of the interrupted world, as the drawing run draws them (with
// withMap the map files after each lobe's graticule).
inline void DrawLobes(const std::vector<int16_t>& lobes = {1, 2, 3, 5, 6}, bool withMap = false) {
    DesignState& d = Design();
    PrepareDrawingRun();
    for (size_t i = 0; i < lobes.size(); ++i) {
        CalcGraticuleInterrupt(lobes[i]);
        d.CurLobeOffset = d.LobeOffset[static_cast<size_t>(lobes[i])];
        d.FirstPass = i == 0;
        d.LastPass = i + 1 == lobes.size();
        PlotGrid();
        if (!d.PlotStopText.empty()) break;
        if (withMap) {
            MapPlot();
            if (!d.PlotStopText.empty()) break;
        }
    }
    d.CurLobeOffset = 0;
}

// A sample map file of data/samples.
inline std::string SamplePath(const std::string& name) {
    return std::string(TLRX_TEST_DATA_DIR) + "/../../data/samples/" + name;
}

// The default world map, data/Tlrx4.map.
inline std::string WorldMapPath() { return std::string(TLRX_TEST_DATA_DIR) + "/../../data/Tlrx4.map"; }

// Makes `path` the design's only map file, drawn as symbolType, with the
// symbology of the default file 1; with allRows every feature row selected.
inline void UseMapFile(const std::string& path, int16_t symbolType = SymLine, bool allRows = false) {
    DesignState& d = Design();
    d.InputFileName(1) = path;
    d.InputFileSymbolType(1) = symbolType;
    if (allRows)
        for (int row = 1; row <= d.NumGeoFeatures; ++row) {
            d.FeatureSelected(row, 1) = true;
            d.FeatureLineWidth(row, 1) = d.FeatureLineWidth(1, 1);
        }
}

// Writes a file of the given bytes.
inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// One MWDB record: code, latitude and longitude in arc-minutes.
struct MwdbRecord {
    int16_t code = 0;
    int16_t lat = 0;
    int16_t lon = 0;
};

// The bytes of MWDB records, 16-bit little-endian.
inline std::string MwdbBytes(const std::vector<MwdbRecord>& records) {
    std::string bytes;
    for (const MwdbRecord& r : records)
        for (int16_t v : {r.code, r.lat, r.lon}) {
            const auto u = static_cast<uint16_t>(v);
            bytes.push_back(static_cast<char>(u & 0xFF));
            bytes.push_back(static_cast<char>(u >> 8));
        }
    return bytes;
}

// A reader's sink that keeps what it is handed.
class RecordingSink : public MapPointSink {
public:
    struct Item {
        int16_t row = 0;  // the row set last
        int32_t lat = 0;  // arc-seconds (UTM: northing in metres)
        int32_t lon = 0;  // arc-seconds (UTM: easting)
        bool start = false;
        bool metres = false;
        std::string label;  // the label handed after the point
    };

    RecordingSink() {
        selected.assign(73, true);
        selected[0] = false;
    }

    void SetRow(int16_t r) override {
        row = r;
        rowsSet.push_back(r);
    }
    bool RowSelected(int16_t r) const override { return selected.at(static_cast<size_t>(r)); }
    void Point(int32_t lat, int32_t lon, bool start) override { items.push_back({row, lat, lon, start, false, {}}); }
    void UtmPoint(int32_t n, int32_t e, bool start) override { items.push_back({row, n, e, start, true, {}}); }
    void CountPassedOver(int32_t count) override { passedOver += count; }
    void YieldOnce() override { ++yields; }
    void Label(const std::string& text) override { items.back().label = text; }
    bool Stopped() const override { return false; }

    int Segments() const {
        int n = 0;
        for (const Item& i : items) n += i.start ? 1 : 0;
        return n;
    }

    std::vector<bool> selected;  // by row, 0..72
    std::vector<Item> items;
    std::vector<int16_t> rowsSet;
    int16_t row = -1;
    int32_t passedOver = 0;
    int yields = 0;
};

// The lines drawn on a recording surface: each MoveToEx starts one, and
// every LineTo adds its end point.
inline std::vector<std::vector<DevPoint>> SurfaceLines(const std::vector<std::string>& calls) {
    std::vector<std::vector<DevPoint>> lines;
    for (const std::string& call : calls) {
        int x = 0, y = 0;
        if (std::sscanf(call.c_str(), "MoveToEx(%d,%d)", &x, &y) == 2) {
            lines.emplace_back();
        } else if (std::sscanf(call.c_str(), "LineTo(%d,%d)", &x, &y) == 2) {
            if (lines.empty()) lines.emplace_back();
            lines.back().push_back({x, y});
        }
    }
    return lines;
}

// The bytes of a file.
inline std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// How many temporary files of replaced outputs are left in folder.
inline int TemporaryFiles(const std::string& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().rfind(".tlrx-", 0) == 0) ++count;
    return count;
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
