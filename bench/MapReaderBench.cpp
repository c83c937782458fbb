// Reading speed of the map file readers: every file named is read whole
// through its reader into a sink that only counts and digests the points,
// several times; the median time and points per second are printed, with the
// digest, so that two builds can be checked for handing over the same points.
//
//   bench/make-reader-files.py build-bench/tools/tlrx-convert /tmp/reader-files
//   build-bench/bench/map_reader_bench [-n RUNS] /tmp/reader-files/world.prn ...

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/mapfiles/AsciiRecordReader.h"
#include "plot/mapfiles/MapFileTypes.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx {
namespace {

class DigestSink final : public MapPointSink {
public:
    int64_t points = 0;
    uint64_t digest = 14695981039346656037ull;

    void SetRow(int16_t row) override { Mix(static_cast<uint64_t>(row) << 40); }
    bool RowSelected(int16_t) const override { return true; }
    void Point(int32_t latSec, int32_t lonSec, bool segmentStart) override {
        ++points;
        Mix((static_cast<uint64_t>(static_cast<uint32_t>(latSec)) << 32 | static_cast<uint32_t>(lonSec)) ^
            (segmentStart ? 1ull << 63 : 0));
    }
    void UtmPoint(int32_t northing, int32_t easting, bool segmentStart) override {
        Point(northing, easting, segmentStart);
    }
    void CountPassedOver(int32_t count) override { Mix(static_cast<uint64_t>(count)); }
    void YieldOnce() override {}
    void Label(const std::string& text) override {
        for (const char c : text) Mix(static_cast<unsigned char>(c));
    }
    bool Stopped() const override { return false; }

private:
    void Mix(uint64_t v) { digest = (digest ^ v) * 1099511628211ull; }
};

// The ASCII kinds are read as the plotting pass reads them, with the sink's
// own calls per point.
void ReadWhole(const std::string& path, DigestSink& sink) {
    switch (MapFileTypeOf(path).reader) {
    case MapReader::FixedRecord: ReadFixedRecordFile(path, 1, sink); break;
    case MapReader::Packed: ReadPackedFile(path, 1, sink); break;
    case MapReader::Mwdb: ReadMwdbFile(path, 1, sink); break;
    case MapReader::World: ReadWorldFile(path, 1, sink); break;
    case MapReader::Ascii: ReadAsciiRecords(path, sink); break;
    }
    Files().CloseInput();
}

}  // namespace
}  // namespace tlrx

int main(int argc, char** argv) {
    using namespace tlrx;
    int runs = 7;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-n" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else paths.push_back(arg);
    }
    if (paths.empty()) {
        std::fprintf(stderr, "usage: map_reader_bench [-n RUNS] MAPFILE...\n");
        return 2;
    }
    ResetDesignState();
    ResetPlotState();
    DesignState& d = Design();  // the whole world, so that the packed kinds pass over nothing
    d.ProjCode = ProjEquirectangular;
    d.LatNorthSec = 324000;
    d.LatSouthSec = -324000;
    d.LonWestSec = -648000;
    d.FrameWestSec = 0;
    d.FrameEastSec = 1296000;
    for (const std::string& path : paths) {
        std::vector<double> seconds;
        DigestSink first;
        try {
            for (int r = 0; r < runs; ++r) {
                DigestSink sink;
                const auto start = std::chrono::steady_clock::now();
                ReadWhole(path, sink);
                seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
                if (r == 0) first = sink;
            }
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: %s\n", path.c_str(), e.what());
            return 1;
        }
        std::sort(seconds.begin(), seconds.end());
        const double median = seconds[seconds.size() / 2];
        std::printf("%s: %lld points, median %.4f s (min %.4f, max %.4f) of %d, %.1f M points/s, digest %016llx\n",
                    path.c_str(), static_cast<long long>(first.points), median, seconds.front(), seconds.back(), runs,
                    static_cast<double>(first.points) / median / 1e6, static_cast<unsigned long long>(first.digest));
    }
    return 0;
}
