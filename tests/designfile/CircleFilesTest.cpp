// The great and small circle files: their lines, their segments, the map
// they give when read back as an ASCII map file, and what a failure leaves.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "core/GreatCircle.h"
#include "core/SmallCircle.h"
#include "designfile/CircleFiles.h"
#include "plot/FileSizeLimit.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/mapfiles/MapReaders.h"
#include "support/CLocale.h"
#include "support/FakeHost.h"
#include "support/TestFixture.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCaption = "Tellurax: Mercator projection";

// A main window that keeps every caption it is given.
struct CaptionedHost : FakeHost {
    using FakeHost::FakeHost;
    void SetCaption(std::string_view c) override {
        FakeHost::SetCaption(c);
        captions.emplace_back(c);
    }
    std::vector<std::string> captions;
};

class CircleFilesTest : public test::TlrxTest {
protected:
    CircleFilesTest() : TlrxTest(fs::path(TLRX_TEST_OUT_DIR) / "circle-files") {
        host.caption = kCaption;
        SetMainWindow(&host);
    }
    ~CircleFilesTest() override { SetMainWindow(nullptr); }

    // The great circle as these points, listed first to last.
    static void SetGreatCircle(const std::vector<std::pair<double, double>>& points) {
        DesignState& d = Design();
        d.GcDefined = true;
        d.GcLat.assign(1, 0);
        d.GcLon.assign(1, 0);
        for (const auto& [lat, lon] : points) {
            d.GcLat.push_back(lat);
            d.GcLon.push_back(lon);
        }
        d.GcFirst = 1;
        d.GcLast = static_cast<int16_t>(points.size());
        d.GcStep = 1;
    }
    static void ComputeGreatCircle(double lat1, double lon1, double lat2, double lon2) {
        DesignState& d = Design();
        d.GcStartLat = lat1;
        d.GcStartLon = lon1;
        d.GcEndLat = lat2;
        d.GcEndLon = lon2;
        GcCalc();
        d.GcDefined = true;
    }
    static void ComputeSmallCircles(double lat, double lon, double radius, int16_t count) {
        DesignState& d = Design();
        d.ScCenterLat = lat;
        d.ScCenterLon = lon;
        d.ScRadius = radius;
        d.ScCount = count;
        ScCalc();
        d.ScDefined = true;
    }
    void SaveGreatCircle(const std::string& path) {
        Plot().GcFileName = path;
        Plot().OutGc = true;
        GcSave();
    }
    void SaveSmallCircles(const std::string& path) {
        Plot().ScFileName = path;
        Plot().OutSc = true;
        ScSave();
    }
    // The lines of a file, each without its CR LF; a last line without one
    // comes back as "<unended> ...".
    static std::vector<std::string> Lines(const std::string& path) {
        const std::string text = Contents(path);
        std::vector<std::string> lines;
        size_t start = 0;
        while (start < text.size()) {
            const size_t end = text.find("\r\n", start);
            if (end == std::string::npos) {
                lines.push_back("<unended> " + text.substr(start));
                break;
            }
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        return names;
    }

    CaptionedHost host{64, 48};
};

// Every line: the marker, two blanks, the latitude and the longitude after
// their sign positions, two blanks between.
TEST_F(CircleFilesTest, EachPointIsOneLineInFixedFields) {
    const struct {
        double lat, lon;
        const char* line;  // after the marker
    } cases[] = {
        {37 + 47 / 60.0, -(122 + 26 / 60.0), "   37.7833  -122.4333"},
        {0, 0, "   00.0000   000.0000"},
        {-0.0, -0.0, "   00.0000   000.0000"},  // zero has no sign
        {-0.00001, 0.00004, "  -00.0000   000.0000"},
        {-0.00005001, 0.00005001, "  -00.0001   000.0001"},
        {-90, -180, "  -90.0000  -180.0000"},
        {90, 180, "   90.0000   180.0000"},
        {5.25, -7.5, "   05.2500  -007.5000"},
    };
    std::vector<std::pair<double, double>> points;
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        points.emplace_back(c.lat, c.lon);
        expected.push_back((expected.empty() ? "-1" : " 0") + std::string(c.line));
    }
    SetGreatCircle(points);
    SaveGreatCircle(Path("route.prn"));
    EXPECT_EQ(Lines(Path("route.prn")), expected);
    EXPECT_FALSE(Plot().OutGc);
    EXPECT_EQ(host.captions, (std::vector<std::string>{"Tellurax: printing Great Circle", kCaption}));
    EXPECT_FALSE(Files().OutputOpen());
    EXPECT_TRUE(boxes.log.empty());

    // A circle listed backwards (stored west to east, entered east to west)
    // is written as entered and replaces the earlier file.
    DesignState& d = Design();
    d.GcFirst = d.GcLast;
    d.GcLast = 1;
    d.GcStep = -1;
    SaveGreatCircle(Path("route.prn"));
    const std::vector<std::string> lines = Lines(Path("route.prn"));
    ASSERT_EQ(lines.size(), expected.size());
    EXPECT_EQ(lines.front(), "-1" + expected.back().substr(2));
    EXPECT_EQ(lines.back(), " 0" + expected.front().substr(2));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"route.prn"});
}

// Qt sets the C library's locale from the environment: a locale with a
// decimal comma changes no byte of the file, which reads back anywhere.
TEST_F(CircleFilesTest, TheFileIsTheSameInEveryLocale) {
    TLRX_REQUIRE_COMMA_LOCALES();
    SetGreatCircle({{37 + 47 / 60.0, -(122 + 26 / 60.0)}, {-0.00005001, 5.25}});
    SaveGreatCircle(Path("c.prn"));
    const std::string expected = "-1   37.7833  -122.4333\r\n 0  -00.0001   005.2500\r\n";
    ASSERT_EQ(Contents(Path("c.prn")), expected);
    for (const std::string& name : test::CommaLocales()) {
        SCOPED_TRACE(name);
        test::ScopedCLocale locale(name);
        SaveGreatCircle(Path("route.prn"));
        EXPECT_EQ(Contents(Path("route.prn")), expected);
    }
}

// Three concentric circles are three segments, innermost first; a circle
// without points writes nothing.
TEST_F(CircleFilesTest, EachSmallCircleIsASegmentOfItsOwn) {
    ComputeSmallCircles(37.78, -122.43, 30, 3);
    const DesignState& d = Design();
    ASSERT_EQ(d.ScCircleEnd.size(), 4u);
    SaveSmallCircles(Path("rings.prn"));
    const std::vector<std::string> lines = Lines(Path("rings.prn"));
    ASSERT_EQ(lines.size(), static_cast<size_t>(d.ScCircleEnd[3]));
    std::vector<size_t> starts;
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].size(), 23u) << lines[i];
        if (lines[i].starts_with("-1")) starts.push_back(i + 1);
        else EXPECT_TRUE(lines[i].starts_with(" 0  ")) << lines[i];
    }
    EXPECT_EQ(starts, (std::vector<size_t>{1, static_cast<size_t>(d.ScCircleEnd[1]) + 1,
                                           static_cast<size_t>(d.ScCircleEnd[2]) + 1}));
    EXPECT_FALSE(Plot().OutSc);
    EXPECT_EQ(host.captions, (std::vector<std::string>{"Tellurax: printing Small Circle", kCaption}));

    // The first circle without points: two segments, the same points.
    Design().ScCircleEnd[1] = 0;
    SaveSmallCircles(Path("rings.prn"));
    const std::vector<std::string> fewer = Lines(Path("rings.prn"));
    EXPECT_EQ(fewer.size(), lines.size());
    EXPECT_EQ(std::count_if(fewer.begin(), fewer.end(), [](const std::string& l) { return l.starts_with("-1"); }), 2);
}

// Read back through the ASCII map reader, a file gives the circle's segments
// and points, to the second of arc.
TEST_F(CircleFilesTest, AFileReadsBackAsTheCircleItWasWrittenFrom) {
    struct Recorder : MapPointSink {
        std::vector<std::vector<std::pair<int32_t, int32_t>>> segments;
        void SetRow(int16_t) override {}
        bool RowSelected(int16_t row) const override { return row == 1; }
        void Point(int32_t lat, int32_t lon, bool start) override {
            if (start || segments.empty()) segments.emplace_back();
            segments.back().emplace_back(lat, lon);
        }
        void UtmPoint(int32_t, int32_t, bool) override { ADD_FAILURE() << "a UTM point"; }
        void CountPassedOver(int32_t) override {}
        void YieldOnce() override {}
        void Label(const std::string& text) override { ADD_FAILURE() << "a label: " << text; }
        bool Stopped() const override { return false; }
    };
    const auto expectSegment = [](const std::vector<std::pair<int32_t, int32_t>>& read, const std::vector<double>& lat,
                                  const std::vector<double>& lon, int32_t first, int32_t last, int32_t step) {
        ASSERT_EQ(read.size(), static_cast<size_t>((last - first) / step + 1));
        size_t n = 0;
        for (int32_t i = first; step > 0 ? i <= last : i >= last; i += step, ++n) {
            EXPECT_NEAR(read[n].first, lat[static_cast<size_t>(i)] * 3600, 1.0) << i;
            EXPECT_NEAR(read[n].second, lon[static_cast<size_t>(i)] * 3600, 1.0) << i;
        }
    };
    const DesignState& d = Design();

    // San Francisco to Tokyo, entered east to west across the 180th meridian.
    ComputeGreatCircle(37.78, -122.43, 35.68, 139.69);
    ASSERT_GT(d.GcLat.size(), 100u);
    SaveGreatCircle(Path("route.prn"));
    Recorder route;
    ReadAsciiFile(Path("route.prn"), 1, route);
    ASSERT_EQ(route.segments.size(), 1u);
    expectSegment(route.segments[0], d.GcLat, d.GcLon, d.GcFirst, d.GcLast, d.GcStep);
    EXPECT_NEAR(route.segments[0].front().second, -122.43 * 3600, 1.0);

    ComputeSmallCircles(80, 10, 20, 3);  // over the pole
    SaveSmallCircles(Path("rings.prn"));
    Recorder rings;
    ReadAsciiFile(Path("rings.prn"), 1, rings);
    ASSERT_EQ(rings.segments.size(), 3u);
    for (int k = 1; k <= 3; ++k)
        expectSegment(rings.segments[static_cast<size_t>(k - 1)], d.ScLat, d.ScLon, d.ScCircleEnd[k - 1] + 1,
                      d.ScCircleEnd[k], 1);
}

TEST_F(CircleFilesTest, AnUndefinedCircleIsExplainedAndNoFileWritten) {
    SaveGreatCircle(Path("route.prn"));
    SaveSmallCircles(Path("rings.prn"));
    ASSERT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(boxes.log[0].title, "Great Circle Not Defined");
    EXPECT_EQ(boxes.log[0].text,
              "You have not defined the endpoints of the great circle.\n\nTo define the endpoints, press OK, then "
              "select the Great Circle option from the Design Map menu.");
    EXPECT_EQ(boxes.log[1].title, "Small Circle Not Defined");
    EXPECT_EQ(boxes.log[1].text,
              "You have not defined the center of the small circle.\n\nTo define the center, press OK, then select "
              "the Small Circle option from the Design Map menu.");
    for (const auto& box : boxes.log) {
        EXPECT_EQ(box.icon, MsgIcon::Information);
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
    }

    // Without a request nothing happens, defined or not.
    boxes.log.clear();
    SetGreatCircle({{1, 2}});
    Plot().OutGc = false;
    Plot().OutSc = false;
    GcSave();
    ScSave();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_TRUE(fs::is_empty(dir));
    EXPECT_EQ(host.caption, kCaption);
}

// A file that cannot be written, or written whole, leaves an earlier file of
// that name as it was and nothing else behind: no file open, the caption
// restored (changed only once the file was begun), the request kept; the
// next save works.
TEST_F(CircleFilesTest, AFailureLeavesTheEarlierFileAndNothingOpen) {
    ComputeGreatCircle(37.78, -122.43, 35.68, 139.69);
    ComputeSmallCircles(0, 0, 10, 2);
    fs::create_directories(Path("folder.prn"));
    ASSERT_EQ(::mkfifo(Path("pipe.prn").c_str(), 0600), 0);
    const std::string earlier = "earlier circle\r\n";
    Put(Path("route.prn"), earlier);
    Put(Path("rings.prn"), earlier);
    enum Fault { None, DiskFull, PointsMissing };
    const struct {
        const char* name;
        bool great;
        std::string file;
        Fault fault;
        std::string message;
    } cases[] = {
        {"missing folder", true, Path("missing/route.prn"), None, "Error: No such file or directory"},
        {"missing folder", false, Path("missing/rings.prn"), None, "Error: No such file or directory"},
        {"a folder of that name", true, Path("folder.prn"), None, "Error: Is a directory"},
        // A pipe would wait for a reader for ever.
        {"a named pipe of that name", false, Path("pipe.prn"), None, "Error: Not a regular file"},
        {"disk full", true, Path("route.prn"), DiskFull, "Error: File too large"},
        {"points missing", false, Path("rings.prn"), PointsMissing, "Error: Subscript out of range"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<int16_t> ends = Design().ScCircleEnd;
        if (c.fault == PointsMissing) Design().ScCircleEnd[2] = 32000;
        boxes.log.clear();
        host.captions.clear();
        {
            test::FileSizeLimit limit(c.fault == DiskFull ? 100 : RLIM_INFINITY);
            if (c.great) SaveGreatCircle(c.file);
            else SaveSmallCircles(c.file);
        }
        Design().ScCircleEnd = ends;
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, c.message);
        EXPECT_EQ(boxes.log[0].title, c.great ? "Error in GcSave" : "Error in ScSave");
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
        const std::string writing = c.great ? "Tellurax: printing Great Circle" : "Tellurax: printing Small Circle";
        EXPECT_EQ(host.captions,
                  c.fault == None ? std::vector<std::string>{} : (std::vector<std::string>{writing, kCaption}));
        EXPECT_FALSE(Files().OutputOpen());
        EXPECT_TRUE(c.great ? Plot().OutGc : Plot().OutSc);
        EXPECT_EQ(Contents(Path("route.prn")), earlier);
        EXPECT_EQ(Contents(Path("rings.prn")), earlier);
    }
    std::vector<std::string> entries = FolderEntries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"folder.prn", "pipe.prn", "rings.prn", "route.prn"}));
    EXPECT_TRUE(fs::is_empty(Path("folder.prn")));

    boxes.log.clear();
    SaveGreatCircle(Path("route.prn"));
    SaveSmallCircles(Path("rings.prn"));
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(Lines(Path("route.prn")).size(), Design().GcLat.size() - 1);
    EXPECT_EQ(Lines(Path("rings.prn")).size(), static_cast<size_t>(Design().ScCircleEnd[2]));
}

}  // namespace
}  // namespace tlrx
