// The printing run of the real main window: Print Map prints the design on
// one page in the layout's box; Stop and Esc, a failing run and a printer
// that cannot be opened print nothing and leave the next print working;
// Print Setup measures the chosen printer. The pages are PDF files written
// through QPrinter (scripted printers), read back with poppler. One test
// prints to a real print queue, when check_print.sh provides one.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QPageLayout>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "../PdfTools.h"
#include "AppTestSupport.h"
#include "app/PrintMap.h"
#include "app/Tellurax.h"
#include "core/Graticule.h"
#include "core/ProjParams.h"
#include "platform/qt/QtPrinterSurface.h"
#include "platform/qt/QtPrinters.h"
#include "plot/MapPlot.h"
#include "plot/PlotState.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;
using test::AppTest;
using test::WhenShown;

class CountingWindow : public Tellurax {
public:
    void Beep() override { ++beeps; }
    int beeps = 0;
};

// Letter paper at 600 dpi, printable from (0.25, 0.2) in, 8.0 x 10.6 in.
constexpr PrinterPage kLetter{600, 600, 5100, 6600, 150, 120, 4800, 6360};

// The printed map's box on the paper, in inches.
struct Box {
    double left, top, right, bottom;
};

Box PrintedBox() {
    const PlotState& p = Plot();
    return {p.PrnMapLeft, p.PrnMapTop, p.PrnMapLeft + p.PrnMapWidth, p.PrnMapTop + p.DrawHeightTwips / 1440.0};
}

// The dark pixels of a page rendered at dpi: their bounding box in inches
// and their number.
struct Ink {
    Box box{1e9, 1e9, -1, -1};
    int pixels = 0;
};

Ink InkOf(const QImage& page, int dpi) {
    Ink ink;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) >= 128) continue;
            ++ink.pixels;
            ink.box.left = std::min(ink.box.left, double(x) / dpi);
            ink.box.top = std::min(ink.box.top, double(y) / dpi);
            ink.box.right = std::max(ink.box.right, double(x + 1) / dpi);
            ink.box.bottom = std::max(ink.box.bottom, double(y + 1) / dpi);
        }
    }
    return ink;
}

// What the printer of the running print job is doing.
QtPrinterSurface::JobStage JobStage() {
    const auto* dc = dynamic_cast<const QtPrinterSurface*>(Plot().PrinterDC);
    return dc ? dc->Stage() : QtPrinterSurface::JobStage::None;
}

class PrintingRunTest : public AppTest {
protected:
    PrintingRunTest() {
        pdf = Path("map.pdf");
        printers.printers = {{"Office", kLetter, {}, pdf}};
    }

    // Print Map, accepted with the layout the dialog shows.
    static void Print(Tellurax& window) {
        WhenShown<PrintMap>([](PrintMap& dlg) { dlg.OK->click(); });
        window.mnuInput[2]->trigger();
    }
    static void UseWorldMap() { Design().InputFileName(1) = std::string(TLRX_TEST_DATA_DIR) + "/../../data/Tlrx4.map"; }
    // A pass that draws a thick black line right across the printer's page,
    // through the middle of the map's box.
    static void LineAcrossThePage() {
        const PlotState& p = Plot();
        Surface& dc = *p.PrinterDC;
        const GdiObject pen = dc.CreatePen(PenStyle::Solid, 30, 0);
        const GdiObject old = dc.SelectObject(pen);
        const int32_t y =
            static_cast<int32_t>(((p.PrnMapTop - p.PrnMinTop) * 1440 + p.DrawHeightTwips / 2) / p.PrnTwipsPerPixelY);
        dc.MoveToEx(-1000, y);
        dc.LineTo(10000, y);
        dc.SelectObject(old);
        dc.DeleteObject(pen);
    }
    // What every end of a printing run leaves.
    static void ExpectIdle(const CountingWindow& window) {
        const PlotState& p = Plot();
        EXPECT_FALSE(p.Printing);
        EXPECT_FALSE(p.PrintAbort);
        EXPECT_FALSE(window.Spooling);
        EXPECT_EQ(p.PrinterDC, nullptr);
        EXPECT_EQ(p.DrawPen, 0u);
        EXPECT_EQ(Design().PlotStopText, "");
        EXPECT_FALSE(Design().DialogCancelled);
        EXPECT_EQ(window.windowTitle(), "Tellurax: Equirectangular projection");
        for (int i = 0; i <= 4; ++i) EXPECT_TRUE(window.mnuBar[static_cast<size_t>(i)]->isEnabled()) << i;
        EXPECT_FALSE(window.mnuBar[5]->isEnabled());
        EXPECT_FALSE(QApplication::overrideCursor());
    }
    // The printed file: one page whose ink lies within the box.
    void ExpectPrintedWithin(const Box& box) {
        ASSERT_TRUE(fs::exists(pdf));
        if (!test::HavePopplerTools()) GTEST_SKIP() << "pdfinfo and pdftoppm (poppler-utils) are not installed";
        const QString file = QString::fromStdString(pdf);
        EXPECT_EQ(test::PdfPageCount(file), 1);
        const QImage page = test::PdfFirstPage(file, 100);
        ASSERT_EQ(page.size(), QSize(850, 1100));  // letter at 100 dpi
        const Ink ink = InkOf(page, 100);
        EXPECT_GT(ink.pixels, 1000);
        EXPECT_GE(ink.box.left, box.left - 0.03);
        EXPECT_GE(ink.box.top, box.top - 0.03);
        EXPECT_LE(ink.box.right, box.right + 0.03);
        EXPECT_LE(ink.box.bottom, box.bottom + 0.03);
    }

    std::string pdf;
};

TEST_F(PrintingRunTest, PrintMapPrintsTheDefaultWorldInTheLayoutsBox) {
    std::vector<std::string> captions;
    int runTexts = 0;
    SetPrintTextPass([&] { ++runTexts; });
    SetMapPlotPass([&] {
        auto& window = dynamic_cast<Tellurax&>(MainWindow());
        captions.push_back(window.Caption());
        // Only Stop is enabled while the page is drawn.
        EXPECT_FALSE(window.mnuBar[0]->isEnabled());
        EXPECT_FALSE(window.mnuBar[3]->isEnabled());
        EXPECT_TRUE(window.mnuBar[5]->isEnabled());
        EXPECT_TRUE(Plot().Printing);
        EXPECT_EQ(Plot().DrawDC, Plot().PrinterDC);
        MapPlot();
    });
    CountingWindow window;
    UseWorldMap();
    Plot().PlotTime = -1;
    Print(window);

    EXPECT_EQ(captions, (std::vector<std::string>{"Tellurax: click on Stop or press Esc to stop printing"}));
    EXPECT_EQ(runTexts, 0);  // the map text is the plotting pass's
    EXPECT_EQ(window.beeps, 1);
    EXPECT_GE(Plot().PlotTime, 0.0f);
    EXPECT_TRUE(boxes.log.empty()) << boxes.log[0].text;
    ExpectIdle(window);
    // Centred on the paper at the window's aspect.
    const Box box = PrintedBox();
    EXPECT_NEAR(box.left + box.right, 8.5, 1e-3);
    EXPECT_NEAR(box.top + box.bottom, 11.0, 0.01);
    ExpectPrintedWithin(box);
}

// The page is clipped to the map's box, two pixels more to the right and
// below, where the printer can clip; elsewhere a line runs on beyond it.
TEST_F(PrintingRunTest, ThePrintedMapIsClippedToItsBoxWhereThePrinterCanClip) {
    SetMapPlotPass(LineAcrossThePage);
    for (const int clipCaps : {1, 0}) {
        SCOPED_TRACE(clipCaps ? "a printer that clips" : "a printer that cannot clip");
        fs::remove(pdf);
        PrinterPage page = kLetter;
        page.ClipCaps = clipCaps;
        printers.printers[0].Page = page;
        CountingWindow window;
        Print(window);
        ASSERT_TRUE(fs::exists(pdf));
        if (!test::HavePopplerTools()) GTEST_SKIP() << "poppler-utils are not installed";
        const Ink ink = InkOf(test::PdfFirstPage(QString::fromStdString(pdf), 100), 100);
        const Box box = PrintedBox();
        if (clipCaps) {
            EXPECT_NEAR(ink.box.left, box.left, 0.02);
            EXPECT_NEAR(ink.box.right, box.right, 0.02);
        } else {
            EXPECT_LT(ink.box.left, box.left - 0.5);
            EXPECT_GT(ink.box.right, box.right + 0.5);
        }
        EXPECT_TRUE(boxes.log.empty());
    }
}

// However a run ends before its page is handed over, nothing is printed,
// the job and the printer are let go, and the next Print Map prints.
TEST_F(PrintingRunTest, EveryStopEndsTheJobAndTheNextPrintWorks) {
    struct Case {
        const char* name;
        std::function<void(CountingWindow&, int& passes)> setUp;
        int passes;       // map plotting passes run
        bool printed;     // the page reached the printer
        std::string box;  // the message shown, if any
    };
    const Case cases[] = {
        // Three lobes: 1 and 2 in the north, 4 in the south.
        {"Esc while the second of three lobes is drawn",
         [](CountingWindow& window, int& passes) {
             DesignState& d = Design();
             d.ProjCode = ProjInterruptedMollweide;
             CalcGraticule({});
             ParamSelect();
             d.InterruptText[0] = "1";
             d.InterruptText[1] = "0";
             d.LobeEdgeText = {"180    00    00    W",
                               "000    00    00    W",
                               "180    00    00    E",
                               "180    00    00    W",
                               "180    00    00    E",
                               "",
                               "",
                               "",
                               "",
                               ""};
             SetMapPlotPass([&window, &passes] {
                 if (++passes == 2) QTest::keyClick(&window, Qt::Key_Escape);
             });
         },
         2, false, ""},
        {"Stop while the graticule is drawn",
         [](CountingWindow& window, int& passes) {
             SetMapPlotPass([&passes] { ++passes; });
             SetDoEventsHook([&window](int64_t n) {
                 if (n != 3) return;
                 window.mnuBar[5]->trigger();
                 QCoreApplication::processEvents();  // the Esc that Stop sends
             });
         },
         0, false, ""},
        {"Esc while the page is handed to the printer",
         [](CountingWindow& window, int& passes) {
             SetMapPlotPass([&passes] {
                 ++passes;
                 LineAcrossThePage();
             });
             SetDoEventsHook([&window](int64_t) {
                 if (window.Spooling) QTest::keyClick(&window, Qt::Key_Escape);
             });
         },
         1, false, ""},
        // A page of some megabytes is handed over in pieces, the program
        // answering between them: Esc after the second piece still stops it.
        {"Esc late in handing a large page to the printer",
         [](CountingWindow& window, int& passes) {
             SetMapPlotPass([&passes] {
                 ++passes;
                 Surface& dc = *Plot().PrinterDC;
                 for (int32_t i = 0; i < 200000; ++i) {
                     dc.MoveToEx(300 + i % 4000, 300 + i % 5000);
                     dc.LineTo(310 + i % 4000, 320 + i % 5000);
                 }
             });
             SetDoEventsHook([&window, spoolingYields = 0](int64_t) mutable {
                 if (window.Spooling && ++spoolingYields == 3) QTest::keyClick(&window, Qt::Key_Escape);
             });
         },
         1, false, ""},
        // The job's file is written, and handed over, only after the last
        // piece: Esc then still cancels it.
        {"Esc while the job's file is written",
         [](CountingWindow& window, int& passes) {
             SetMapPlotPass([&passes] {
                 ++passes;
                 LineAcrossThePage();
             });
             SetDoEventsHook([&window](int64_t) {
                 if (JobStage() == QtPrinterSurface::JobStage::Finishing) QTest::keyClick(&window, Qt::Key_Escape);
             });
         },
         1, false, ""},
        {"Esc when the job's file is written, before it is handed over",
         [](CountingWindow& window, int& passes) {
             SetMapPlotPass([&passes] {
                 ++passes;
                 LineAcrossThePage();
             });
             SetDoEventsHook([&window](int64_t) {
                 if (JobStage() == QtPrinterSurface::JobStage::Written) QTest::keyClick(&window, Qt::Key_Escape);
             });
         },
         1, false, ""},
        {"an error in the run",
         [](CountingWindow&, int& passes) {
             SetMapPlotPass([&passes] {
                 ++passes;
                 LineAcrossThePage();
                 throw std::runtime_error("Out of memory");
             });
         },
         1, false, "Error: Out of memory"},
        // A graticule that fails ends the lobes, but the page drawn so far
        // is printed.
        {"a graticule failure",
         [](CountingWindow&, int& passes) {
             SetMapPlotPass([&passes] { ++passes; });
             SetDoEventsHook([](int64_t n) {
                 if (n == 2) Design().PlotStopText = "GridDiskError";
             });
         },
         0, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        ResetPlotState();
        ResetDoEventsCount();
        fs::remove(pdf);
        boxes.log.clear();
        int passes = 0;
        CountingWindow window;
        c.setUp(window, passes);
        Print(window);
        EXPECT_EQ(passes, c.passes);
        EXPECT_EQ(fs::exists(pdf), c.printed);
        QtPrinterSurface::WaitForCancelledJobs();
        int jobFiles = 0;  // the printer's file, and any of the job's beside it
        for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(pdf).parent_path()))
            jobFiles += entry.path().filename().string().find("map.pdf") != std::string::npos;
        EXPECT_EQ(jobFiles, c.printed ? 1 : 0);
        if (c.box.empty()) {
            EXPECT_TRUE(boxes.log.empty()) << boxes.log[0].text;
        } else {
            ASSERT_EQ(boxes.log.size(), 1u);
            EXPECT_EQ(boxes.log[0].text, c.box);
            EXPECT_EQ(boxes.log[0].title, "Error in MapPrint");
        }
        EXPECT_EQ(window.beeps, 1);
        ExpectIdle(window);

        SetDoEventsHook([](int64_t) {});
        SetMapPlotPass(LineAcrossThePage);
        fs::remove(pdf);
        boxes.log.clear();
        Print(window);
        EXPECT_TRUE(fs::exists(pdf));
        EXPECT_TRUE(boxes.log.empty());
        EXPECT_EQ(window.beeps, 2);
        ExpectIdle(window);
    }
}

// Closing the window while a page is drawn stops the print first (nothing
// is printed); the window closes once the run has ended.
TEST_F(PrintingRunTest, ClosingTheWindowDuringAPrintStopsItAndThenCloses) {
    CountingWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    SetMapPlotPass([&window] { window.close(); });
    Print(window);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(fs::exists(pdf));
    ExpectIdle(window);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(fs::exists(SettingsFile()));
    EXPECT_TRUE(boxes.log.empty());
}

// A printer that is gone, or cannot take a job, is named in a message; the
// run ends as any other, and nothing looks printed.
TEST_F(PrintingRunTest, APrinterThatCannotBeOpenedIsReported) {
    struct Case {
        const char* name;
        std::function<void()> setUp;
        std::string printer;
    };
    const Case cases[] = {
        {"removed since it was chosen", [] { Plot().PrnDlg->PrinterName = "Gone"; }, "Gone"},
        {"a PDF printer without a file", [this] { printers.printers[0].OutputFile.clear(); }, "Office"},
        {"a file that cannot be written", [this] { printers.printers[0].OutputFile = Path("no such folder/map.pdf"); },
         "Office"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printers.printers[0].OutputFile = pdf;
        boxes.log.clear();
        CountingWindow window;
        window.mnuBar_Click(0);  // the File menu opened: its printer is chosen
        c.setUp();
        Print(window);
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].title, "Error in MapPrint");
        EXPECT_EQ(boxes.log[0].text, "Error: The printer \"" + c.printer +
                                         "\" cannot be opened. Make sure that it is installed and ready, or "
                                         "choose another printer with Print Setup.");
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
        EXPECT_FALSE(fs::exists(pdf));
        EXPECT_FALSE(fs::exists(Path("no such folder")));
        EXPECT_EQ(window.beeps, 1);
        ExpectIdle(window);
    }
}

TEST_F(PrintingRunTest, CancelInTheLayoutPrintsNothing) {
    CountingWindow window;
    int passes = 0;
    SetMapPlotPass([&] { ++passes; });
    WhenShown<PrintMap>([](PrintMap& dlg) { dlg.Cancel->click(); });
    window.mnuInput[2]->trigger();
    EXPECT_FALSE(Design().DialogCancelled);
    EXPECT_EQ(passes, 0);
    EXPECT_EQ(window.beeps, 0);
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_TRUE(window.mnuInput[2]->isChecked());
}

// Print Setup shows the set-up dialog over the window; a confirmed printer
// is measured at once, a cancelled dialog changes nothing. A printer
// installed after start-up is found by the printing commands.
TEST_F(PrintingRunTest, PrintSetupMeasuresTheChosenPrinter) {
    printers.printers.clear();
    CountingWindow window;
    PlotState& p = Plot();
    EXPECT_EQ(p.PrnDlg, nullptr);

    printers.printers = {{"Office", kLetter, {}, pdf},
                         {"Legal", {300, 300, 2550, 4200, 75, 60, 2400, 4080}, {}, Path("legal.pdf")}};
    printers.choices = {"Legal"};
    window.mnuInput[3]->trigger();
    ASSERT_NE(p.PrnDlg, nullptr);
    EXPECT_EQ(p.PrnDlg->PrinterName, "Legal");
    EXPECT_EQ(printers.dialogOwners, (std::vector<QWidget*>{&window}));
    EXPECT_FLOAT_EQ(p.PaperHeight, 14.0f);
    EXPECT_FLOAT_EQ(p.PrnMinLeft, 0.25f);

    printers.choices = {};  // Cancel
    p.PaperHeight = -1;
    window.mnuInput[3]->trigger();
    EXPECT_EQ(p.PrnDlg->PrinterName, "Legal");
    EXPECT_EQ(p.PaperHeight, -1);
    EXPECT_TRUE(boxes.log.empty());
}

// The printers are looked up whenever the File menu opens and a printing
// command starts: one added after start-up can be used at once, a changed
// unprintable border is measured as it is now, and printing with no printer
// left says so.
TEST_F(PrintingRunTest, TheFileMenuFollowsPrintersAddedChangedOrRemoved) {
    printers.printers.clear();
    CountingWindow window;
    const auto openFileMenu = [&window] { emit window.mnuBar[0]->menu()->aboutToShow(); };
    openFileMenu();
    EXPECT_FALSE(window.mnuInput[2]->isEnabled());
    EXPECT_FALSE(window.mnuInput[3]->isEnabled());

    printers.printers = {{"Office", kLetter, {}, pdf}};
    openFileMenu();
    EXPECT_TRUE(window.mnuInput[2]->isEnabled());
    EXPECT_TRUE(window.mnuInput[3]->isEnabled());

    std::vector<float> borders;
    const auto printMap = [&] {
        WhenShown<PrintMap>([&borders](PrintMap& dlg) {
            borders.push_back(Plot().PrnMinLeft);
            dlg.OK->click();
        });
        window.mnuInput_Click(2);
    };
    printMap();
    EXPECT_TRUE(fs::exists(pdf));
    PrinterPage wider = kLetter;
    wider.PhysicalOffsetX = 300;
    wider.HorzRes = 4500;
    printers.printers[0].Page = wider;
    printMap();
    EXPECT_EQ(borders, (std::vector<float>{0.25f, 0.5f}));
    EXPECT_TRUE(boxes.log.empty()) << boxes.log[0].text;

    printers.printers.clear();
    fs::remove(pdf);
    openFileMenu();
    EXPECT_FALSE(window.mnuInput[2]->isEnabled());
    window.mnuInput_Click(2);
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "No printer is installed. Add a printer to the system, then try again.");
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_EQ(window.beeps, 2);
}

// The machine's printers, the queue given being the system's current one.
class QueuePrinters : public QtPrinterService {
public:
    QueuePrinters(const QPrinterInfo& info, bool landscape)
        : dc_(std::make_unique<QPrinter>(info, QPrinter::HighResolution)) {
        if (landscape) dc_.Printer().setPageOrientation(QPageLayout::Landscape);
    }
    std::optional<PrinterInfo> CurrentPrinter() override {
        return PrinterInfo{dc_.Printer().printerName().toStdString(), "", "", ReadDevMode(dc_.Printer())};
    }
    PrinterSurface* CurrentPrinterDC() override { return &dc_; }

private:
    QtPrinterSurface dc_;
};

// The queue that check_print.sh adds, named in TLRX_PRINT_QUEUE; a null
// printer without one.
QPrinterInfo GivenQueue() {
    const char* queue = std::getenv("TLRX_PRINT_QUEUE");
    return queue ? QPrinterInfo::printerInfo(QString::fromLocal8Bit(queue)) : QPrinterInfo();
}

// Printing to a real print queue (check_print.sh adds a PDF queue and names
// it in TLRX_PRINT_QUEUE): the default world goes to that queue, centred,
// in the units of TLRX_PRINT_UNITS ("cm" switches to centimetres in the
// layout dialog) on paper turned as TLRX_PRINT_ORIENTATION says
// ("landscape"); the paper and the layout's box, in inches, are left in
// TLRX_PRINT_OUT/box.txt for the script to hold the printed PDF against.
// Skipped without a queue.
TEST_F(PrintingRunTest, PrintsTheDefaultWorldOnAPrintQueue) {
    const char* out = std::getenv("TLRX_PRINT_OUT");
    if (!std::getenv("TLRX_PRINT_QUEUE") || !out) GTEST_SKIP() << "no print queue given (check_print.sh gives one)";
    const QPrinterInfo info = GivenQueue();
    ASSERT_FALSE(info.isNull()) << "Qt does not see the queue " << std::getenv("TLRX_PRINT_QUEUE");
    const auto env = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    const bool cm = env("TLRX_PRINT_UNITS") == "cm";
    const bool landscape = env("TLRX_PRINT_ORIENTATION") == "landscape";

    QueuePrinters machine(info, landscape);
    PrinterService* scripted = SetPrinterService(&machine);

    SetMapPlotPass({});
    SetPrintTextPass({});
    {
        CountingWindow window;
        UseWorldMap();
        WhenShown<PrintMap>([cm](PrintMap& dlg) {
            if (cm) dlg.Centimeters->click();
            dlg.OK->click();
        });
        window.mnuInput[2]->trigger();
        EXPECT_TRUE(boxes.log.empty()) << boxes.log[0].text;
        EXPECT_EQ(window.beeps, 1);
        ExpectIdle(window);
    }
    SetPrinterService(scripted);

    const PlotState& p = Plot();
    ASSERT_EQ(p.PrinterUnits, cm ? 567 : 1440);
    ASSERT_EQ(p.PrnDlg->Settings.Orientation, landscape ? 2 : 1);
    EXPECT_TRUE(p.PrnCenterHorizontal && p.PrnCenterVertical);
    const double inch = p.PrinterUnits / 1440.0;
    const double left = p.PrnMapLeft * inch;
    const double top = p.PrnMapTop * inch;
    std::ofstream(fs::path(out) / "box.txt")
        << p.PaperWidth * inch << " " << p.PaperHeight * inch << " " << left << " " << top << " "
        << left + p.PrnMapWidth * inch << " " << top + p.DrawHeightTwips / 1440.0 << "\n";
}

// A stop while a large page is handed to a real print queue, or while the
// job's file is written, sends the queue nothing; the next print goes to it
// (check_print.sh counts the jobs).
TEST_F(PrintingRunTest, AStopWhileAPageIsHandedToAPrintQueueSendsItNothing) {
    if (!std::getenv("TLRX_PRINT_QUEUE")) GTEST_SKIP() << "no print queue given (check_print.sh gives one)";
    const QPrinterInfo info = GivenQueue();
    ASSERT_FALSE(info.isNull()) << "Qt does not see the queue " << std::getenv("TLRX_PRINT_QUEUE");
    QueuePrinters machine(info, false);
    PrinterService* scripted = SetPrinterService(&machine);
    {
        CountingWindow window;
        SetMapPlotPass([] {
            Surface& dc = *Plot().PrinterDC;
            for (int32_t i = 0; i < 200000; ++i) {
                dc.MoveToEx(300 + i % 4000, 300 + i % 5000);
                dc.LineTo(310 + i % 4000, 320 + i % 5000);
            }
        });
        int spoolingYields = 0;
        SetDoEventsHook([&window, &spoolingYields](int64_t) {
            if (window.Spooling && ++spoolingYields == 3) QTest::keyClick(&window, Qt::Key_Escape);
        });
        Print(window);
        EXPECT_EQ(spoolingYields, 3);
        bool finishing = false;
        SetDoEventsHook([&window, &finishing](int64_t) {
            if (JobStage() != QtPrinterSurface::JobStage::Finishing || finishing) return;
            finishing = true;
            QTest::keyClick(&window, Qt::Key_Escape);
        });
        Print(window);
        EXPECT_TRUE(finishing);
        EXPECT_TRUE(boxes.log.empty()) << boxes.log[0].text;
        ExpectIdle(window);

        SetDoEventsHook([](int64_t) {});
        SetMapPlotPass(LineAcrossThePage);
        Print(window);
        EXPECT_TRUE(boxes.log.empty()) << boxes.log[0].text;
        EXPECT_EQ(window.beeps, 3);
        ExpectIdle(window);
    }
    QtPrinterSurface::WaitForCancelledJobs();
    SetPrinterService(scripted);
}

}  // namespace
}  // namespace tlrx
