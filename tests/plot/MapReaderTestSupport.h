#pragma once
// A recording plotting pass for the map file reader tests, the sample files
// and small fixture files.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx::test {

struct RecordedPoint {
    int32_t lat = 0;  // arc-seconds (UTM: northing)
    int32_t lon = 0;  // arc-seconds (UTM: easting)
    bool start = false;
    int16_t row = 0;           // the row set last
    int16_t segmentState = 0;  // SegmentState when the point was handed over
    bool operator==(const RecordedPoint& o) const { return lat == o.lat && lon == o.lon && start == o.start; }
    friend void PrintTo(const RecordedPoint& p, std::ostream* os) {
        *os << "(" << p.lat << ", " << p.lon << (p.start ? ", start)" : ")");
    }
};

// Records what a reader hands over. Counts points and passed-over records
// like the pass, yielding at every 800th, and reports a stop from the
// `stopAtYield`-th yield on. With `drawStarts` it plays the device layer
// drawing a line inside the window: a segment start clears SegmentState.
class CountingSink : public MapPointSink {
public:
    std::set<int16_t> selected;
    int stopAtYield = 0;  // 0: never
    bool drawStarts = true;

    std::vector<int16_t> rows;
    std::vector<RecordedPoint> points;
    std::vector<int32_t> passedOver;
    int yields = 0;         // every yield
    int segmentYields = 0;  // YieldOnce only

    void SelectAll() {
        for (int16_t r = 1; r <= 72; ++r) selected.insert(r);
    }

    void SetRow(int16_t row) override { rows.push_back(row), row_ = row; }
    bool RowSelected(int16_t row) const override { return selected.count(row) > 0; }
    void Point(int32_t latSec, int32_t lonSec, bool segmentStart) override {
        EXPECT_FALSE(Stopped()) << "a point after the stop";
        points.push_back({latSec, lonSec, segmentStart, row_, Plot().SegmentState});
        if (segmentStart && drawStarts) Plot().SegmentState = 0;
        Count(1);
    }
    void UtmPoint(int32_t northing, int32_t easting, bool segmentStart) override {
        Point(northing, easting, segmentStart);
    }
    void CountPassedOver(int32_t count) override {
        EXPECT_FALSE(Stopped()) << "passing over after the stop";
        passedOver.push_back(count);
        Count(count);
    }
    void YieldOnce() override {
        EXPECT_FALSE(Stopped()) << "a yield after the stop";
        ++segmentYields;
        ++yields;
    }
    void Label(const std::string&) override {}
    bool Stopped() const override { return stopAtYield > 0 && yields >= stopAtYield; }

    // The points split into segments at their segment starts.
    std::vector<std::vector<RecordedPoint>> Segments() const {
        std::vector<std::vector<RecordedPoint>> segs;
        for (const RecordedPoint& p : points) {
            if (p.start || segs.empty()) segs.emplace_back();
            segs.back().push_back(p);
        }
        return segs;
    }

private:
    void Count(int32_t n) {
        for (int32_t i = 0; i < n; ++i)
            if (++counter_ % 800 == 0) ++yields;
    }
    int16_t row_ = 0;
    int64_t counter_ = 0;
};

// A world map window: 90 S to 90 N, 180 W to 180 E, equirectangular.
inline void UseWorldWindow() {
    DesignState& d = Design();
    d.ProjCode = ProjEquirectangular;
    d.LatNorthSec = 324000;
    d.LatSouthSec = -324000;
    d.LonWestSec = -648000;
    d.FrameWestSec = 0;
    d.FrameEastSec = 1296000;
}

// The path of a sample map file.
inline std::string SamplePath(const std::string& name) {
    return std::string(TLRX_TEST_DATA_DIR "/../../data/samples/") + name;
}

// A fresh folder for the files of the running test.
inline std::string ReaderTestFolder() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path dir = std::filesystem::path(TLRX_TEST_OUT_DIR) / "reader-files" /
                                      (std::string(test->test_suite_name()) + "." + test->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// An independent decode of a 20-character-record file: per segment its
// points (latitude, longitude in arc-seconds), a header (character 7 a
// blank) starting each segment.
inline std::vector<std::vector<std::pair<int32_t, int32_t>>> DecodeRecords(const std::string& path) {
    const std::string bytes = ReadBytes(path);
    std::vector<std::vector<std::pair<int32_t, int32_t>>> segs;
    for (size_t at = 0; at + 20 <= bytes.size(); at += 20) {
        const std::string rec = bytes.substr(at, 20);
        if (rec[6] == ' ') {
            segs.emplace_back();
            continue;
        }
        int latD, latM, latS, lonD, lonM, lonS;
        char ns, ew;
        EXPECT_EQ(
            std::sscanf(rec.c_str(), "%2d%2d%2d%c%3d%2d%2d%c", &latD, &latM, &latS, &ns, &lonD, &lonM, &lonS, &ew), 8)
            << rec;
        const int32_t lat = (latD * 3600 + latM * 60 + latS) * (ns == 'S' ? -1 : 1);
        const int32_t lon = (lonD * 3600 + lonM * 60 + lonS) * (ew == 'W' ? -1 : 1);
        segs.back().emplace_back(lat, lon);
    }
    return segs;
}

// Fresh design and run states; the input file closed afterwards.
class MapReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        ResetPlotState();
        UseWorldWindow();
        dir = ReaderTestFolder();
    }
    void TearDown() override { Files().CloseInput(); }

    // The message of the RuntimeError that `read` raises, or "" when none.
    template <class F>
    static std::string ErrorOf(F read) {
        try {
            read();
        } catch (const RuntimeError& e) {
            return e.what();
        }
        return "";
    }

    std::string dir;
};

}  // namespace tlrx::test
