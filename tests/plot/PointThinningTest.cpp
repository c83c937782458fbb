// Points that land within a quarter pixel of the last point drawn are left out
// of the screen's and the printer's drawing: the picture and the printed page
// stay those of every point, and the exports still get every point.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "../PdfTools.h"
#include "GridTestSupport.h"
#include "core/projections/ProjectionKernel.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPrinterSurface.h"
#include "plot/MapPlot.h"
#include "plot/PointPipeline.h"
#include "plot/Scaling.h"
#include "plot/export/WmfExport.h"
#include "plot/mapfiles/MapReaders.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedSurface.h"

namespace tlrx {
namespace {

// Draws on the printer surface given as a print run would: a map PrnMapWidth
// 7 inches wide at (left, left) inches, twipsPerPixel of the printer's pixel.
void PrintOn(Surface& printer, float twipsPerPixel, float left, const std::function<void()>& draw) {
    PlotState& p = Plot();
    p.PrnTwipsPerPixelX = p.PrnTwipsPerPixelY = twipsPerPixel;
    p.PrinterUnits = 1440;
    p.PrnMapWidth = 7.0f;
    p.PrnMapLeft = p.PrnMapTop = left;
    p.PrnMinLeft = p.PrnMinTop = 0.0f;
    p.Printing = true;
    p.PrinterDC = &printer;
    draw();
    p.Printing = false;
    p.PrinterDC = nullptr;
}

// The lines of the default world map with nine points put between each two
// (none across the 180th meridian) as an ASCII map file: points a few
// hundredths of a pixel to a few pixels apart, as in a detailed coastline.
std::string DenseWorld(const std::string& folder) {
    test::RecordingSink sink;
    RebuildMwdbRankRow();
    ReadMwdbFile(test::WorldMapPath(), 1, sink);
    const std::string file = folder + "/dense-world.prn";
    std::ofstream out(file);
    char text[64];
    const auto write = [&](bool start, double lat, double lon) {
        std::snprintf(text, sizeof text, "%d %.6f %.6f\n", start ? -1 : 0, lat / 3600, lon / 3600);
        out << text;
    };
    for (size_t i = 0; i < sink.items.size(); ++i) {
        const test::RecordingSink::Item& b = sink.items[i];
        if (!b.start && i > 0 && std::abs(b.lon - sink.items[i - 1].lon) < 180 * 3600) {
            const test::RecordingSink::Item& a = sink.items[i - 1];
            for (int k = 1; k < 10; ++k)
                write(false, a.lat + (b.lat - a.lat) * k / 10.0, a.lon + (b.lon - a.lon) * k / 10.0);
        }
        write(b.start, b.lat, b.lon);
    }
    return file;
}

struct Drawing {
    QImage picture;
    long lineTos = 0;
};

struct ThinningCase {
    const char* name;
    std::function<void()> design;
    bool lobes = false;  // the interrupted Mollweide, lobe by lobe
};

void PrintTo(const ThinningCase& c, std::ostream* os) { *os << c.name; }

long LineTos(const std::vector<std::string>& calls) {
    return std::count_if(calls.begin(), calls.end(),
                         [](const std::string& call) { return call.rfind("LineTo(", 0) == 0; });
}

// The dense world map alone (no graticule) on a 1024 x 768 window, with
// thinning on or off; printed, on a letter page at 300 dpi instead, the map
// 7 inches wide (2100 printer pixels) an inch from the page's corner.
Drawing DrawWorld(const ThinningCase& c, const std::string& map, bool thinning, bool printed = false) {
    test::ScriptedHost host{1024, 768};
    test::DrawingSetUp setUp{host};
    ScopedScriptedMessageBox boxes;
    c.design();
    test::UseMapFile(map);
    Design().GridType = 5;
    const auto draw = [&] {
        SetPointThinning(thinning);
        if (c.lobes) test::DrawLobes({1, 2, 3, 5, 6}, true);
        else test::DrawSinglePass(true);
        SetPointThinning(true);
    };
    Drawing drawing;
    if (printed) {
        QImage page(2550, 3300, QImage::Format_RGB32);
        page.fill(Qt::white);
        {
            QtSurface pageSurface(page);
            ScriptedSurface printer(pageSurface);
            PrintOn(printer, 4.8f, 1.0f, draw);
            drawing.lineTos = LineTos(printer.calls);
        }
        drawing.picture = page;
    } else {
        draw();
        drawing.lineTos = LineTos(host.scripted.calls);
        drawing.picture = host.Picture().copy();
    }
    EXPECT_TRUE(boxes.log.empty()) << boxes.log[0].text;
    return drawing;
}

bool Inked(const QImage& image, int x, int y) {
    return x >= 0 && y >= 0 && x < image.width() && y < image.height() && (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
}

class PointThinningTest : public ::testing::TestWithParam<ThinningCase> {};

// At most 2 % of the inked pixels differ, none more than a pixel from the
// exact drawing's ink, and thinning took place.
void ExpectLikeEveryPoint(const Drawing& exact, const Drawing& thinned) {
    EXPECT_LT(thinned.lineTos, exact.lineTos);

    long inked = 0, differing = 0, astray = 0;
    for (int y = 0; y < exact.picture.height(); ++y)
        for (int x = 0; x < exact.picture.width(); ++x) {
            inked += Inked(exact.picture, x, y);
            if (exact.picture.pixel(x, y) == thinned.picture.pixel(x, y)) continue;
            ++differing;
            bool nearInk = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) nearInk = nearInk || Inked(exact.picture, x + dx, y + dy);
            astray += !nearInk;
        }
    ASSERT_GT(inked, 1000);
    EXPECT_LE(differing * 50, inked) << differing << " of " << inked << " inked pixels differ";
    EXPECT_EQ(astray, 0) << "pixels more than one pixel from the exact drawing's ink";
}

TEST_P(PointThinningTest, PictureStaysThatOfEveryPoint) {
    const std::string map = DenseWorld(test::TestFolder());
    ExpectLikeEveryPoint(DrawWorld(GetParam(), map, false), DrawWorld(GetParam(), map, true));
}

TEST_P(PointThinningTest, PrintedPageStaysThatOfEveryPoint) {
    const std::string map = DenseWorld(test::TestFolder());
    ExpectLikeEveryPoint(DrawWorld(GetParam(), map, false, true), DrawWorld(GetParam(), map, true, true));
}

INSTANTIATE_TEST_SUITE_P(
    Maps, PointThinningTest,
    ::testing::Values(ThinningCase{"robinson_world", [] { test::UseDesign(ProjRobinson); }},
                      ThinningCase{"interrupted_mollweide", [] { test::UseInterruptedWorld(); }, true},
                      ThinningCase{"equirectangular_europe",
                                   [] {
                                       test::UseDesign(ProjEquirectangular, "60    00    00    N",
                                                       "35    00    00    N", "010    00    00    W",
                                                       "030    00    00    E", "005    00    00", "010    00    00");
                                   }},
                      ThinningCase{"conformal_conic_north_america",
                                   [] {
                                       test::UseDesign(ProjConformalConic, "60    00    00    N", "20    00    00    N",
                                                       "130    00    00    W", "060    00    00    W",
                                                       "010    00    00", "010    00    00");
                                   }},
                      ThinningCase{
                          "orthographic_45n",
                          [] { test::UseAzimuthal(ProjOrthographic, "45    00    00    N", "080    00    00"); }},
                      ThinningCase{"gnomonic_pole",
                                   [] { test::UseAzimuthal(ProjGnomonic, "90    00    00    N", "050    00    00"); }}),
    [](const ::testing::TestParamInfo<ThinningCase>& info) { return std::string(info.param.name); });

// Tiny islands: closed rings of points around, on a Robinson world
// printed 7 inches wide at 600 dpi (a printer pixel is some 260 seconds of
// arc). The smallest lie within the thinning of their first point: the
// exact page inks them wherever their points round to two pixels, so the
// thinned page must too.
TEST(PointThinningIslandTest, PrintedTinyIslandsStay) {
    if (!test::HavePopplerTools()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const std::string folder = test::TestFolder();
    const std::string map = folder + "/islands.prn";
    {
        std::ofstream out(map);
        char text[64];
        uint32_t seed = 11;
        const auto next = [&seed](int range) {
            seed = seed * 1103515245u + 12345u;
            return int((seed >> 8) % uint32_t(range));
        };
        // Across in seconds of arc (a tenth of a printer pixel, one and two)
        // and points around.
        const struct {
            double across;
            int points;
        } rings[] = {{26, 8}, {26, 48}, {260, 8}, {520, 8}};
        for (const auto [across, points] : rings) {
            for (int i = 0; i < 300; ++i) {
                const double lat = next(120 * 3600) - 60 * 3600 + next(1000) / 1000.0;
                const double lon = next(340 * 3600) - 170 * 3600 + next(1000) / 1000.0;
                for (int k = 0; k <= points; ++k) {
                    const double a = k % points * 2 * kPi / points;
                    std::snprintf(text, sizeof text, "%d %.6f %.6f\n", k == 0 ? -1 : 0,
                                  (lat + across / 2 * std::sin(a)) / 3600, (lon + across / 2 * std::cos(a)) / 3600);
                    out << text;
                }
            }
        }
    }
    const auto print = [&](bool thinning) {
        const QString file = QString::fromStdString(folder + (thinning ? "/thinned.pdf" : "/exact.pdf"));
        test::ScriptedHost host{1024, 768};
        test::DrawingSetUp setUp{host};
        ScopedScriptedMessageBox boxes;
        test::UseDesign(ProjRobinson);
        test::UseMapFile(map);
        Design().GridType = 5;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFileName(file);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setFullPage(true);
        printer->setResolution(600);
        printer->setPageSize(QPageSize(QSizeF(8, 4.5), QPageSize::Inch));
        {
            QtPrinterSurface dc(std::move(printer), {600, 600, 4800, 2700, 0, 0, 4800, 2700});
            EXPECT_TRUE(dc.StartDoc("Islands"));
            EXPECT_TRUE(dc.StartPage());
            PrintOn(dc, 2.4f, 0.5f, [&] {
                SetPointThinning(thinning);
                test::DrawSinglePass(true);
                SetPointThinning(true);
            });
            EXPECT_GT(dc.EndPage(), 0);
            EXPECT_TRUE(dc.EndDoc());
        }
        EXPECT_TRUE(boxes.log.empty()) << boxes.log[0].text;
        return test::PdfFirstPage(file, 600);
    };
    const QImage exact = print(false);
    const QImage thinned = print(true);
    ASSERT_EQ(exact.size(), QSize(4800, 2700));
    ASSERT_EQ(thinned.size(), exact.size());
    // Inked pixels of a with no ink of b within a pixel.
    const auto strays = [](const QImage& a, const QImage& b) {
        const test::InkStrays ink = test::InkMissingNearby(a, b);
        EXPECT_GT(ink.inked, 10000);
        return ink.strays;
    };
    EXPECT_EQ(strays(exact, thinned), 0) << "ink of the exact page missing from the thinned one";
    EXPECT_EQ(strays(thinned, exact), 0) << "ink of the thinned page missing from the exact one";
}

// The world map on a Robinson map exported to the kind of file given, with
// thinning on or off: the file's bytes.
std::string ExportWorld(const std::string& kind, const std::string& folder, const std::string& map, bool thinning) {
    FakeHost host{1024, 768};
    test::DrawingSetUp setUp{host};
    ScopedScriptedMessageBox boxes;
    test::UseDesign(ProjRobinson);
    test::UseMapFile(map);
    Design().GridType = 5;
    PlotState& p = Plot();
    const std::string path = folder + "/world." + kind;
    if (kind == "txt") {
        p.GridOutputCount = 0;
        p.OutAscii = true;
        p.AscFileName = {"", path};
    } else if (kind == "cgm") {
        p.CgmFileName = path;
        p.OutCgm = true;
    } else if (kind == "dxf") {
        p.DxfFileName = path;
        p.OutDxf = true;
    } else {
        StartWmfRecording(path);
    }
    SetPointThinning(thinning);
    test::DrawSinglePass(true);
    SetPointThinning(true);
    EXPECT_TRUE(boxes.log.empty()) << boxes.log[0].text;
    return test::FileBytes(path);
}

TEST(PointThinningExportTest, ExportsGetEveryPoint) {
    const std::string folder = test::TestFolder();
    const std::string map = DenseWorld(folder);
    for (const std::string kind : {"txt", "cgm", "dxf", "wmf"}) {
        const std::string every = ExportWorld(kind, folder, map, false);
        EXPECT_GT(every.size(), 100000u) << kind;
        EXPECT_TRUE(ExportWorld(kind, folder, map, true) == every) << kind;
    }
}

}  // namespace
}  // namespace tlrx
