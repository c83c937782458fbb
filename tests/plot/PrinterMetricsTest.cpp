#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "core/Errors.h"
#include "platform/Printer.h"
#include "plot/PlotState.h"
#include "plot/PrinterMetrics.h"
#include "support/ScriptedPrinters.h"

namespace tlrx {
namespace {

// 600 pixels per inch on letter paper: 5100 x 6600 pixels, printable
// 4800 x 6360 at (150, 120).
constexpr PrinterPage kLetter600{600, 600, 5100, 6600, 150, 120, 4800, 6360};
// 300 pixels per inch on A4: 2480 x 3508 pixels, printable 2400 x 3400 at (40, 54).
constexpr PrinterPage kA4At300{300, 300, 2480, 3508, 40, 54, 2400, 3400};

class PrinterMetricsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetPlotState();
        printers.printers = {
            {"Office Laser", kLetter600, {7, 2, 1, 1, 1, 1, 600}, ""},
            {"Plotter A4", kA4At300, {4, 1, 2, 3, 2, 9, 300}, ""},
        };
    }
    void TearDown() override { ResetPlotState(); }

    // The twelve page metrics, in the order of the group.
    static std::vector<float> Metrics() {
        const PlotState& p = Plot();
        // clang-format off
        return {p.PrnTwipsPerPixelX, p.PrnTwipsPerPixelY, p.PrnMinLeft,        p.PrnMinTop,
                p.PrnMinRight,       p.PrnMinBottom,      p.PrnPrintableRight, p.PrnPrintableBottom,
                p.PrnPrintableWidth, p.PrnPrintableHeight, p.PaperWidth,       p.PaperHeight};
        // clang-format on
    }

    ScopedScriptedPrinters printers;
};

TEST_F(PrinterMetricsTest, InitGivesTheComponentTheSystemPrinter) {
    PrinterDialogInit();
    const PrinterDialog& dlg = *Plot().PrnDlg;
    EXPECT_EQ(dlg.PrinterName, "Office Laser");
    EXPECT_EQ(dlg.Settings, (DevModeSettings{7, 2, 1, 1, 1, 1, 600}));
    EXPECT_EQ(dlg.Flags, 0x40140u);
    EXPECT_EQ(dlg.hDC(), nullptr);  // no printer chosen yet: measuring uses the system printer
    EXPECT_EQ(&GetPrinterDc(), printers.CurrentPrinterDC());
}

TEST_F(PrinterMetricsTest, LetterAt600PixelsPerInchInInchesAndCentimetres) {
    PrinterDialogInit();
    GetPrnPageMetrics();
    const std::vector<float> inches{2.4f, 2.4f, 0.25f, 0.2f, 0.25f, 0.2f, 8.25f, 10.8f, 8.0f, 10.6f, 8.5f, 11.0f};
    const std::vector<float> got = Metrics();
    for (size_t i = 0; i < inches.size(); ++i) EXPECT_FLOAT_EQ(got[i], inches[i]) << "metric " << i;

    Plot().PrinterUnits = 567;
    GetPrnPageMetrics();
    EXPECT_NEAR(Plot().PaperWidth, 21.587, 0.0005);  // 12240 twips / 567
    EXPECT_NEAR(Plot().PaperHeight, 27.937, 0.0005);
    EXPECT_FLOAT_EQ(Plot().PrnMinLeft, float(double(2.4f) * 150 / 567));
    EXPECT_FLOAT_EQ(Plot().PrnTwipsPerPixelX, 2.4f);  // twips per pixel do not depend on the units
}

TEST_F(PrinterMetricsTest, ConfirmedChoiceIsMeasuredNextAndCancelKeepsIt) {
    PrinterDialogInit();
    GetPrnPageMetrics();
    PrinterDialog& dlg = *Plot().PrnDlg;

    printers.choices = {"Plotter A4"};
    ASSERT_TRUE(dlg.ShowPrinter(nullptr));
    EXPECT_EQ(dlg.PrinterName, "Plotter A4");
    ASSERT_NE(dlg.hDC(), nullptr);
    EXPECT_EQ(&GetPrinterDc(), dlg.hDC());
    GetPrnPageMetrics();
    EXPECT_FLOAT_EQ(Plot().PrnTwipsPerPixelX, 4.8f);
    EXPECT_NEAR(Plot().PaperWidth, 2480 / 300.0, 1e-5);
    EXPECT_NEAR(Plot().PrnMinTop, 54 / 300.0, 1e-6);
    EXPECT_NEAR(Plot().PrnMinBottom, (3508 - 3400 - 54) / 300.0, 1e-6);

    PrinterSurface* chosen = dlg.hDC();
    EXPECT_FALSE(dlg.ShowPrinter(nullptr));  // nothing queued: Cancel
    EXPECT_EQ(dlg.PrinterName, "Plotter A4");
    EXPECT_EQ(dlg.hDC(), chosen);
    EXPECT_EQ(printers.dialogOwners.size(), 2u);
}

TEST_F(PrinterMetricsTest, WithoutPrinterNothingIsMeasured) {
    printers.printers.clear();
    EXPECT_FALSE(Printers().PrintersInstalled());
    // Start-up skips both procedures: no component, the metrics stay 0.
    EXPECT_EQ(Plot().PrnDlg, nullptr);
    for (float m : Metrics()) EXPECT_EQ(m, 0.0f);
    // Called all the same, they fail to their caller.
    try {
        GetPrnPageMetrics();
        FAIL() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "Object variable or With block variable not set");
    }
    EXPECT_THROW(PrinterDialogInit(), RuntimeError);
    for (float m : Metrics()) EXPECT_EQ(m, 0.0f);
}

TEST_F(PrinterMetricsTest, FailuresGoToTheCallerAndKeepTheLaterFields) {
    struct Case {
        const char* name;
        std::function<void(PrinterPage&)> page;
        int16_t units;
        const char* error;
        size_t updated;  // the first metrics of Metrics() written before the failure
    };
    // clang-format off
    const Case cases[] = {
        {"no horizontal resolution", [](PrinterPage& pg) { pg.LogPixelsX = 0; }, 1440,
         "Division by zero", 0},
        {"no vertical resolution", [](PrinterPage& pg) { pg.LogPixelsY = 0; }, 1440,
         "Division by zero", 1},
        {"right margin beyond 32 bits",
         [](PrinterPage& pg) { pg.HorzRes = INT_MAX; pg.PhysicalOffsetX = INT_MAX; }, 1440, "Overflow", 0},
        {"printable right end beyond 32 bits",
         [](PrinterPage& pg) { pg.PhysicalOffsetX = INT_MAX; pg.HorzRes = 1; }, 1440, "Overflow", 3},
        {"no print units", [](PrinterPage&) {}, 0, "Division by zero", 2},
        {"no print units, no left margin", [](PrinterPage& pg) { pg.PhysicalOffsetX = 0; }, 0,
         "Overflow", 2},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetPlotState();
        PrinterPage page = kLetter600;
        c.page(page);
        ScopedScriptedPrinters local;
        local.printers = {{"Odd", page, {}, ""}};
        PrinterDialogInit();
        Plot().PrinterUnits = c.units;
        std::string error;
        try {
            GetPrnPageMetrics();
        } catch (const RuntimeError& e) {
            error = e.what();
        }
        EXPECT_EQ(error, c.error);
        const std::vector<float> got = Metrics();
        for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i] != 0.0f, i < c.updated) << "metric " << i;
        ResetPlotState();  // the component goes before its service
    }
}

}  // namespace
}  // namespace tlrx
