// What the map file readers share: only regular files are opened, and
// reading that hands the pass no point still yields.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "MapReaderTestSupport.h"
#include "plot/mapfiles/MapFileInput.h"
#include "plot/mapfiles/MapReaders.h"
#include "plot/RunFiles.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;
using test::CountingSink;

using Reader = void (*)(const std::string&, int16_t, MapPointSink&);

struct Kind {
    const char* extension;
    Reader read;
};

const Kind kKinds[] = {{"map", ReadMwdbFile},        {"pkd", ReadPackedFile}, {"grf", ReadFixedRecordFile},
                       {"dat", ReadFixedRecordFile}, {"mps", ReadWorldFile},  {"mp1", ReadWorldFile},
                       {"prn", ReadAsciiFile}};

// `count` copies of `unit` between `head` and `tail`, written in pieces.
void WriteRepeated(const std::string& path, const std::string& head, const std::string& unit, int64_t count,
                   const std::string& tail) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << head;
    std::string block;
    for (int i = 0; i < 4096; ++i) block += unit;
    for (; count >= 4096; count -= 4096) out << block;
    for (; count > 0; --count) out << unit;
    out << tail;
}

class MapFileInputTest : public test::MapReaderTest {};

// A named pipe would block the open until a writer comes, a device may never
// end: neither is opened, by any reader, and the error names the path. A
// guard releases a reader stuck in the open, so that a regression fails
// instead of hanging.
TEST_F(MapFileInputTest, OnlyRegularFilesAreOpened) {
    for (const Kind& kind : kKinds) {
        const std::string pipe = dir + "/pipe." + kind.extension;
        const std::string device = dir + "/null." + kind.extension;
        ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
        fs::create_symlink("/dev/null", device);
        for (const std::string& path : {pipe, device, std::string("/dev/null")}) {
            SCOPED_TRACE(path);
            CountingSink sink;
            sink.SelectAll();
            auto reading = std::async(std::launch::async, [&] { return ErrorOf([&] { kind.read(path, 1, sink); }); });
            if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
                const int writer = open(path.c_str(), O_WRONLY | O_NONBLOCK);  // lets the open return
                if (writer >= 0) close(writer);
                reading.wait();
                ADD_FAILURE() << "the open blocked";
                continue;
            }
            EXPECT_EQ(reading.get(), path + " is not a regular file");
            EXPECT_FALSE(Files().InputOpen());
            EXPECT_TRUE(sink.points.empty());
        }
    }
    // A link to a regular file is one.
    fs::create_symlink(test::SamplePath("nw.mp1"), dir + "/link.mp1");
    CountingSink sink;
    sink.selected = {1};
    ReadWorldFile(dir + "/link.mp1", 1, sink);
    EXPECT_EQ(sink.points.size(), 936u);
}

// Headers, points outside any drawn segment, separator lines, trailer bytes
// and empty lines hand the pass nothing: each reader yields once every
// kIdleYieldEvery of them, and a stop seen at such a yield ends the reading.
TEST_F(MapFileInputTest, ReadingThatHandsNothingYields) {
    const int64_t n = 3 * kIdleYieldEvery + 10;
    const std::string point = "100000N0100000E     ";
    const std::string drawnHeader = "       01     0   30";  // code 3001, row 1
    struct Case {
        const char* what;
        const char* name;
        Reader read;
        std::string head, unit, tail;
        size_t points;  // handed over when read to the end
    } const cases[] = {
        {"DAT headers", "a.dat", ReadFixedRecordFile, "", "         1          ", point, 1},
        {"GRF headers of a drawn row", "a.grf", ReadFixedRecordFile, "", drawnHeader, point, 1},
        {"GRF points before any header", "b.grf", ReadFixedRecordFile, "", point, drawnHeader + point, 1},
        {"MP1 separator lines", "a.mp1", ReadWorldFile, "", "# a separator\r\n", "1 2\n", 1},
        {"MPS trailer bytes", "a.mps", ReadWorldFile, std::string(8, '\0'), "x", "\n", 1},
        {"PRN empty lines", "a.prn", ReadAsciiFile, "-1 1 1\n", "\r\n", "0 2 2\n", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir + "/" + c.name;
        WriteRepeated(path, c.head, c.unit, n, c.tail);
        CountingSink whole;
        whole.selected = {1};
        EXPECT_EQ(ErrorOf([&] { c.read(path, 1, whole); }), "");
        EXPECT_EQ(whole.segmentYields, 3);
        EXPECT_EQ(whole.points.size(), c.points);

        CountingSink stopped;
        stopped.selected = {1};
        stopped.stopAtYield = 2;
        c.read(path, 1, stopped);
        EXPECT_EQ(stopped.segmentYields, 2);
        EXPECT_EQ(stopped.points.size(), c.points - 1);  // nothing after the stop
        Files().CloseInput();
    }
}

}  // namespace
}  // namespace tlrx
