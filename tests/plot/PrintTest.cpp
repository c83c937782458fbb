#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "../PdfTools.h"
#include "core/DesignState.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "plot/DeviceLayer.h"
#include "plot/PlotState.h"
#include "plot/PrinterMetrics.h"
#include "plot/Scaling.h"
#include "support/FakeHost.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedPrinters.h"

namespace tlrx {
namespace {

// A small map printed the way the printing run prints: the page measured,
// the map box fitted, every point through the device layer onto a print job,
// here a PDF file, which poppler then reads back.
class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        ResetPlotState();
        SetMainWindow(&host);
        QFile::remove(pdf);
        printers.printers = {{"PDF Printer", {600, 600, 5100, 6600, 150, 120, 4800, 6360}, {}, pdf.toStdString()}};
    }
    void TearDown() override {
        ResetPlotState();
        SetMainWindow(nullptr);
    }

    void PlotPoint(int16_t mode, double x, double y, int16_t status = 0) {
        Plot().PlotMode = mode;
        Design().ProjOutX = x;
        Design().ProjOutY = y;
        Design().PlotStatus = status;
        PrintToScreen();
    }

    const QString pdf = TLRX_TEST_OUT_DIR "/printed_map.pdf";
    FakeHost host{1024, 768};  // 15360 x 11520 twips
    ScopedScriptedPrinters printers;
    ScopedScriptedMessageBox boxes;
};

TEST_F(PrintTest, MapLandsInThePrintedMapBoxOnOnePage) {
    PrinterDialogInit();
    GetPrnPageMetrics();
    DesignState& d = Design();
    d.MapXMin = -2;
    d.MapXMax = 2;
    d.MapYMin = -1;
    d.MapYMax = 1;
    PlotState& p = Plot();
    p.PrnMapLeft = 1.0f;
    p.PrnMapTop = 1.0f;
    p.PrnMapWidth = 6.5f;
    // The box is 6.5 x 4.875 in; the 2:1 map fills its width, centred:
    // 1.0 to 7.5 in across, 1.8125 to 5.0625 in down the paper.
    ScalePrinter();

    std::unique_ptr<PrinterSurface> dc = Printers().CreateDC(p.PrnDlg->PrinterName, p.PrnDlg->Settings);
    ASSERT_NE(dc, nullptr);
    p.PrinterDC = dc.get();
    p.DrawDC = p.PrinterDC;
    p.DevTwipsPerPixelX = p.PrnTwipsPerPixelX;
    p.DevTwipsPerPixelY = p.PrnTwipsPerPixelY;
    p.Printing = true;
    ASSERT_TRUE(dc->StartDoc("Tellurax"));
    ASSERT_TRUE(dc->StartPage());
    const GdiObject pen = dc->CreatePen(PenStyle::Solid, 10, 0);
    const GdiObject oldPen = dc->SelectObject(pen);

    // The map's frame, a coast inside it, and two filled symbols.
    PlotPoint(SymLine, -2, -1, 1);
    PlotPoint(SymLine, 2, -1);
    PlotPoint(SymLine, 2, 1);
    PlotPoint(SymLine, -2, 1);
    PlotPoint(SymLine, -2, -1);
    p.SegmentState = 3;
    PlotPoint(SymLine, -1.5, -0.5);
    PlotPoint(SymLine, -1.0, 0.5);
    PlotPoint(SymLine, -0.5, -0.5);
    p.SymbolHalfW = p.SymbolHalfH = 90;
    PlotPoint(SymCircleFilled, 0, 0);
    PlotPoint(SymSquareFilled, 1, 0.5);

    dc->SelectObject(oldPen);
    dc->DeleteObject(pen);
    ASSERT_GT(dc->EndPage(), 0);
    ASSERT_TRUE(dc->EndDoc());
    dc.reset();
    EXPECT_TRUE(boxes.log.empty());

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));
    if (!test::HavePopplerTools()) GTEST_SKIP() << "pdfinfo and pdftoppm (poppler-utils) are not installed";

    EXPECT_EQ(test::PdfPageCount(pdf), 1);
    const QImage page = test::PdfFirstPage(pdf, 100);
    ASSERT_FALSE(page.isNull());
    ASSERT_EQ(page.size(), QSize(850, 1100));  // letter at 100 pixels per inch
    const auto dark = [&page](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    int left = page.width(), right = -1, top = page.height(), bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (!dark(x, y)) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    // Everything drawn lies on the map's frame or inside it (the pen is
    // under 2 pixels wide here).
    EXPECT_NEAR(left, 100, 2);
    EXPECT_NEAR(right, 750, 2);
    EXPECT_NEAR(top, 181.25, 2);
    EXPECT_NEAR(bottom, 506.25, 2);
    EXPECT_TRUE(dark(425, 344));   // the circle at the map's centre (4.25 in, 3.4375 in)
    EXPECT_TRUE(dark(588, 263));   // the square at (1, 0.5)
    EXPECT_FALSE(dark(300, 420));  // open map between them
}

}  // namespace
}  // namespace tlrx
