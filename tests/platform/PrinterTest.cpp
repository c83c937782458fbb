#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "../PdfTools.h"
#include "platform/Printer.h"
#include "platform/PrinterSurface.h"
#include "platform/qt/QtPrinterSurface.h"
#include "platform/qt/QtPrinters.h"
#include "support/ScriptedPrinters.h"

namespace tlrx {
namespace {

// A PDF printer at 600 dpi on letter paper with margins of 18, 9, 36 and
// 27 points (left, top, right, bottom): 150, 75, 300 and 225 pixels. It
// stays a PDF printer without a file too (an empty file name alone would
// choose the machine's default printer).
std::unique_ptr<QPrinter> LetterPdf(const QString& file = {}) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFileName(file);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(600);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setPageMargins(QMarginsF(18, 9, 36, 27), QPageLayout::Point);
    return printer;
}

// A PDF printer whose page, width by height inches at dpi, is all printable.
std::unique_ptr<QPrinter> FullPagePdf(const QString& file, int dpi, double width, double height) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFileName(file);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setFullPage(true);
    printer->setResolution(dpi);
    printer->setPageSize(QPageSize(QSizeF(width, height), QPageSize::Inch));
    return printer;
}

std::vector<int32_t> Caps(Surface& s) {
    std::vector<int32_t> caps;
    for (DeviceCap cap :
         {DeviceCap::LogPixelsX, DeviceCap::LogPixelsY, DeviceCap::HorzRes, DeviceCap::VertRes,
          DeviceCap::PhysicalWidth, DeviceCap::PhysicalHeight, DeviceCap::PhysicalOffsetX, DeviceCap::PhysicalOffsetY})
        caps.push_back(s.GetDeviceCaps(cap));
    return caps;
}

TEST(PrinterTest, PrinterCapsAreTheSheetAndItsPaintableArea) {
    struct Case {
        const char* name;
        std::function<void(QPrinter&)> setUp;
        std::vector<int32_t> caps;  // dpi x, y; printable w, h; sheet w, h; offset x, y
    };
    const Case cases[] = {
        {"portrait", [](QPrinter&) {}, {600, 600, 4650, 6300, 5100, 6600, 150, 75}},
        {"full page", [](QPrinter& p) { p.setFullPage(true); }, {600, 600, 5100, 6600, 5100, 6600, 0, 0}},
        // The margins stay where they were on the turned sheet; 4 pixels a point.
        {"landscape from the settings",
         [](QPrinter& p) { ApplyDevMode(p, DevModeSettings{.Orientation = 2, .PrintQuality = 288}); },
         {288, 288, 2952, 2304, 3168, 2448, 72, 36}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto printer = LetterPdf();
        c.setUp(*printer);
        QtPrinterSurface dc(std::move(printer));
        EXPECT_EQ(Caps(dc), c.caps);
    }
}

TEST(PrinterTest, DevModeSettingsSurviveTheQtPrinter) {
    // A PDF printer prints one-sided only (Qt keeps duplex for real printers).
    const DevModeSettings cases[] = {
        {7, 2, 1, 1, 1, 1, 600},    // automatic source, colour, letter portrait
        {4, 1, 3, 1, 2, 9, 300},    // manual feed, monochrome, 3 copies, A4 landscape
        {14, 2, 2, 1, 1, 5, 1200},  // cassette, legal
        {2, 1, 1, 1, 1, 8, 150},    // lower tray, A3
    };
    for (const DevModeSettings& s : cases) {
        SCOPED_TRACE(s.PaperSize);
        auto printer = LetterPdf();
        ApplyDevMode(*printer, s);
        EXPECT_EQ(ReadDevMode(*printer), s);
    }
    // Values Qt has no word for leave the printer's own.
    auto printer = LetterPdf();
    ApplyDevMode(*printer, DevModeSettings{.DefaultSource = 99, .Copies = 0, .PaperSize = 256, .PrintQuality = -4});
    const DevModeSettings read = ReadDevMode(*printer);
    EXPECT_EQ(read.PaperSize, 1);
    EXPECT_EQ(read.Copies, 1);
    EXPECT_EQ(read.PrintQuality, 600);
}

TEST(PrinterTest, PrintJobDrawsOnlyBetweenStartDocAndEndDoc) {
    const QString file = TLRX_TEST_OUT_DIR "/two_pages.pdf";
    QFile::remove(file);
    QtPrinterSurface dc(LetterPdf(file));
    // Before the job: objects and settings yes, drawing no.
    const GdiObject pen = dc.CreatePen(PenStyle::Solid, 20, MakeRgb(0, 0, 0));
    ASSERT_NE(pen, 0u);
    const GdiObject old = dc.SelectObject(pen);
    EXPECT_FALSE(dc.Rectangle(0, 0, 100, 100));
    EXPECT_FALSE(dc.StartPage());

    ASSERT_TRUE(dc.StartDoc("Two pages"));
    EXPECT_FALSE(dc.StartDoc("again"));
    for (int page = 0; page < 2; ++page) {
        ASSERT_TRUE(dc.StartPage());
        EXPECT_TRUE(dc.Rectangle(100, 100, 1000, 1000));
        ASSERT_GT(dc.EndPage(), 0);
    }
    ASSERT_TRUE(dc.EndDoc());
    EXPECT_FALSE(dc.InDoc());
    EXPECT_FALSE(dc.LineTo(10, 10));
    dc.SelectObject(old);
    EXPECT_TRUE(dc.DeleteObject(pen));

    ASSERT_TRUE(QFile::exists(file));
    if (!test::HavePopplerTools()) GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    EXPECT_EQ(test::PdfPageCount(file), 2);
}

// Lines drawn on a page are on that page, not on the next one, however
// the surface collects them.
TEST(PrinterTest, APagesLinesAreOnThatPage) {
    const QString file = TLRX_TEST_OUT_DIR "/lines_on_page_one.pdf";
    QFile::remove(file);
    {
        QtPrinterSurface dc(LetterPdf(file));
        const GdiObject old = dc.SelectObject(dc.CreatePen(PenStyle::Solid, 20, MakeRgb(0, 0, 0)));
        ASSERT_TRUE(dc.StartDoc("Lines"));
        ASSERT_TRUE(dc.StartPage());
        dc.MoveToEx(600, 600);
        EXPECT_TRUE(dc.LineTo(3000, 600));
        EXPECT_TRUE(dc.LineTo(3000, 3000));
        ASSERT_GT(dc.EndPage(), 0);
        ASSERT_TRUE(dc.StartPage());
        ASSERT_TRUE(dc.EndDoc());
        dc.DeleteObject(dc.SelectObject(old));
    }
    if (!test::HavePopplerTools()) GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    ASSERT_EQ(test::PdfPageCount(file), 2);
    // At 100 dpi the lines run from (100, 100) by way of (500, 100) to (500,
    // 500) of the printable area, whose corner is at (25, 12.5).
    const QImage page = test::PdfFirstPage(file, 100);
    ASSERT_FALSE(page.isNull());
    EXPECT_LT(qGray(page.pixel(25 + 300, 12 + 100)), 128);
    EXPECT_LT(qGray(page.pixel(25 + 500, 12 + 300)), 128);
}

// A dense map's lines on a printer's page leave out points, but the page
// looks as the one drawn through all of them to a printer pixel: a
// smooth circle of points a third of a pixel apart, a walk in single-pixel
// steps, and lines that turn back on themselves (a spike out and back, a
// hairpin narrower than a pixel, islands of one and two pixels), whose far
// ends must stay.
TEST(PrinterTest, ADenseLineIsPrintedAsThroughAllItsPointsToAPixel) {
    if (!test::HavePopplerTools()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    std::vector<std::vector<DevPoint>> lines;
    std::vector<DevPoint> circle;
    for (int i = 0; i <= 9000; ++i) {
        const double a = i * 2 * M_PI / 9000;
        circle.push_back({static_cast<int32_t>(std::lround(600 + 450 * std::cos(a))),
                          static_cast<int32_t>(std::lround(600 + 450 * std::sin(a)))});
    }
    lines.push_back(circle);
    std::vector<DevPoint> walk{{600, 600}};
    uint32_t seed = 7;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const DevPoint& last = walk.back();
        walk.push_back({std::clamp(last.x + int32_t(seed >> 16) % 3 - 1, 200, 1000),
                        std::clamp(last.y + int32_t(seed >> 20) % 3 - 1, 200, 1000)});
    }
    lines.push_back(walk);
    lines.push_back({{100, 100}, {400, 100}, {250, 100}, {250, 101}, {1100, 101}, {700, 100}, {1100, 100}});
    lines.push_back({{100, 1100}, {101, 1100}, {102, 1100}, {103, 1101}, {104, 1100}, {105, 1100}, {106, 1100}});
    // Islands of one and two pixels across, every point within the
    // tolerance of the first or of the line back to it.
    lines.push_back({{1100, 300}, {1101, 300}, {1101, 301}, {1100, 301}, {1100, 300}});
    lines.push_back({{1100, 400}, {1102, 401}, {1101, 402}, {1100, 401}, {1100, 400}});

    // Through LineTo, as the map is drawn (reduced), and as one Polyline of
    // all the points each (as given).
    const auto print = [&lines](const QString& file, bool lineTo) {
        QFile::remove(file);
        QtPrinterSurface dc(FullPagePdf(file, 600, 2, 2), {600, 600, 1200, 1200, 0, 0, 1200, 1200});
        const GdiObject old = dc.SelectObject(dc.CreatePen(PenStyle::Solid, 1, MakeRgb(0, 0, 0)));
        EXPECT_TRUE(dc.StartDoc("Dense"));
        EXPECT_TRUE(dc.StartPage());
        for (const std::vector<DevPoint>& line : lines) {
            if (!lineTo) {
                dc.Polyline(line.data(), static_cast<int32_t>(line.size()));
                continue;
            }
            dc.MoveToEx(line[0].x, line[0].y);
            for (const DevPoint& p : line) dc.LineTo(p.x, p.y);
        }
        EXPECT_GT(dc.EndPage(), 0);
        EXPECT_TRUE(dc.EndDoc());
        dc.DeleteObject(dc.SelectObject(old));
        return QFileInfo(file).size();
    };
    const QString reducedFile = TLRX_TEST_OUT_DIR "/dense_reduced.pdf";
    const QString fullFile = TLRX_TEST_OUT_DIR "/dense_full.pdf";
    const qint64 reducedSize = print(reducedFile, true);
    const qint64 fullSize = print(fullFile, false);
    EXPECT_LT(reducedSize, fullSize * 3 / 4);  // points were left out

    // Every dark pixel of either page has one of the other within a pixel.
    const QImage reduced = test::PdfFirstPage(reducedFile, 600);
    const QImage full = test::PdfFirstPage(fullFile, 600);
    ASSERT_EQ(reduced.size(), QSize(1200, 1200));
    ASSERT_EQ(full.size(), reduced.size());
    const auto dark = [](const QImage& page, int x, int y) {
        return x >= 0 && y >= 0 && x < page.width() && y < page.height() && qGray(page.pixel(x, y)) < 128;
    };
    const auto strays = [](const QImage& a, const QImage& b) {
        const test::InkStrays ink = test::InkMissingNearby(a, b);
        EXPECT_GT(ink.inked, 5000);
        return ink.strays;
    };
    EXPECT_EQ(strays(reduced, full), 0);
    EXPECT_EQ(strays(full, reduced), 0);
    // The far ends of the spike and of the hairpin are printed.
    EXPECT_TRUE(dark(reduced, 400, 100) || dark(reduced, 399, 100));
    EXPECT_TRUE(dark(reduced, 1100, 101) || dark(reduced, 1099, 101));
    EXPECT_TRUE(dark(reduced, 106, 1100) || dark(reduced, 105, 1100));
    EXPECT_TRUE(dark(reduced, 1101, 301) || dark(reduced, 1100, 301));
    EXPECT_TRUE(dark(reduced, 1102, 401) || dark(reduced, 1101, 402));
}

// Lines and the other drawing reach the page in the order they were drawn:
// a white box over a line hides it there, a line over the box shows; and
// the lines keep their pens and their clip.
TEST(PrinterTest, LinesAndShapesKeepTheirOrderPensAndClip) {
    if (!test::HavePopplerTools()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const QString file = TLRX_TEST_OUT_DIR "/order.pdf";
    QFile::remove(file);
    {
        QtPrinterSurface dc(FullPagePdf(file, 100, 6, 3), {100, 100, 600, 300, 0, 0, 600, 300});
        const GdiObject black = dc.CreatePen(PenStyle::Solid, 10, MakeRgb(0, 0, 0));
        const GdiObject red = dc.CreatePen(PenStyle::Solid, 10, MakeRgb(255, 0, 0));
        const GdiObject old = dc.SelectObject(black);
        ASSERT_TRUE(dc.StartDoc("Order"));
        ASSERT_TRUE(dc.StartPage());
        dc.MoveToEx(50, 100);
        for (int x = 60; x <= 550; x += 10) dc.LineTo(x, 100);
        dc.SelectObject(dc.GetStockObject(StockObject::NullPen));
        dc.SelectObject(dc.GetStockObject(StockObject::WhiteBrush));
        dc.Rectangle(200, 50, 300, 150);
        dc.SelectObject(red);
        dc.MoveToEx(250, 60);
        for (int y = 70; y <= 140; y += 10) dc.LineTo(250, y);
        // Clipped to the right half: the line shows from x = 400 on.
        ASSERT_TRUE(dc.SetClipRect(400, 0, 600, 300));
        dc.MoveToEx(350, 200);
        for (int x = 360; x <= 550; x += 10) dc.LineTo(x, 200);
        ASSERT_GT(dc.EndPage(), 0);
        ASSERT_TRUE(dc.EndDoc());
        dc.SelectObject(old);
        dc.DeleteObject(black);
        dc.DeleteObject(red);
    }
    const QImage page = test::PdfFirstPage(file, 100);
    ASSERT_EQ(page.size(), QSize(600, 300));
    EXPECT_LT(qGray(page.pixel(100, 100)), 128);  // the black line
    EXPECT_GT(qGray(page.pixel(220, 100)), 200);  // hidden by the box
    EXPECT_LT(qGray(page.pixel(250, 100)), 200);  // the red line over it
    EXPECT_GT(qGray(page.pixel(370, 200)), 200);  // clipped away
    EXPECT_LT(qGray(page.pixel(450, 200)), 200);
}

// The lines of a map that each select their own pen, equal to the one
// before, and give it up again after them: the page holds one pen for them
// all (not two changes per line), and every line.
TEST(PrinterTest, AnEqualPenSelectedAgainChangesNothingOnThePage) {
    const QString file = TLRX_TEST_OUT_DIR "/equal_pens.pdf";
    QFile::remove(file);
    constexpr int kLines = 300;
    {
        QtPrinterSurface dc(LetterPdf(file));
        ASSERT_TRUE(dc.StartDoc("Pens"));
        ASSERT_TRUE(dc.StartPage());
        for (int i = 0; i < kLines; ++i) {
            const GdiObject pen = dc.CreatePen(PenStyle::Solid, 2, MakeRgb(0, 0, 255));
            const GdiObject old = dc.SelectObject(pen);
            const int y = 100 + 10 * i;
            dc.MoveToEx(100, y);
            dc.LineTo(300, y + 5);
            dc.LineTo(500, y);
            dc.LineTo(700, y + 5);
            dc.SelectObject(old);
            EXPECT_TRUE(dc.DeleteObject(pen));
        }
        ASSERT_GT(dc.EndPage(), 0);
        ASSERT_TRUE(dc.EndDoc());
    }
    const QByteArray content = test::PdfInflatedStreams(file);
    ASSERT_FALSE(content.isEmpty());
    EXPECT_EQ(content.count(" m\n"), kLines);
    EXPECT_LE(content.count(" SCN\n"), 4) << "pen changes on the page";
}

TEST(PrinterTest, AbortedJobLeavesNoFileAndAJobNeedsAFile) {
    const QString file = TLRX_TEST_OUT_DIR "/aborted.pdf";
    QFile::remove(file);
    {
        QtPrinterSurface dc(LetterPdf(file));
        ASSERT_TRUE(dc.StartDoc("Aborted"));
        ASSERT_TRUE(dc.StartPage());
        EXPECT_TRUE(dc.Ellipse(10, 10, 500, 500));
        EXPECT_TRUE(dc.AbortDoc());
        EXPECT_FALSE(dc.InDoc());
        EXPECT_FALSE(dc.EndDoc());
    }
    EXPECT_FALSE(QFile::exists(file));

    QtPrinterSurface nowhere(LetterPdf());
    EXPECT_FALSE(nowhere.StartDoc("No file"));
    EXPECT_EQ(nowhere.GetDeviceCaps(DeviceCap::HorzRes), 4650);  // measuring still works
}

// A page reaches the printer only when it is ended and the abort procedure
// lets it: a cancelled page leaves nothing behind, and pages handed over
// are counted.
TEST(PrinterTest, TheAbortProcedureDecidesWhetherAPageReachesThePrinter) {
    const QString file = TLRX_TEST_OUT_DIR "/abort_proc.pdf";
    QFile::remove(file);
    QtPrinterSurface dc(LetterPdf(file));
    std::vector<int32_t> codes;
    bool goOn = false;
    ASSERT_TRUE(dc.SetAbortProc([&](int32_t code) {
        codes.push_back(code);
        return goOn;
    }));
    ASSERT_TRUE(dc.StartDoc("Cancelled"));
    ASSERT_TRUE(dc.StartPage());
    EXPECT_TRUE(dc.Rectangle(100, 100, 1000, 1000));
    EXPECT_EQ(dc.EndPage(), kSpAppAbort);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(dc.AbortDoc());
    EXPECT_FALSE(QFile::exists(file));

    goOn = true;
    ASSERT_TRUE(dc.StartDoc("Printed"));
    for (int32_t page = 1; page <= 2; ++page) {
        ASSERT_TRUE(dc.StartPage());
        EXPECT_TRUE(dc.Rectangle(100, 100, 1000, 1000));
        EXPECT_EQ(dc.EndPage(), page);
    }
    EXPECT_EQ(dc.EndPage(), kSpError);  // no page open
    ASSERT_TRUE(dc.EndDoc());
    EXPECT_GE(codes.size(), 3u);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 0), std::ssize(codes));
    ASSERT_TRUE(QFile::exists(file));
    if (!test::HavePopplerTools()) GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    EXPECT_EQ(test::PdfPageCount(file), 2);
}

// A stop at any moment before the job's file is complete and handed over
// leaves no file, and none beside it once the printer has let go; the
// page is handed over in pieces and the file written while the abort
// procedure goes on being asked.
TEST(PrinterTest, AStopBeforeTheJobIsHandedOverLeavesNoFile) {
    using Stage = QtPrinterSurface::JobStage;
    struct Case {
        const char* name;
        Stage stage;  // the stop comes at the first question in this stage
        int skip;     // after as many questions in it
        bool printed;
    };
    const Case cases[] = {
        {"when the page is ended", Stage::None, 0, false},
        {"between pieces of the page", Stage::Pages, 2, false},
        {"while the job's file is written", Stage::Finishing, 0, false},
        {"after the file is written, before it is handed over", Stage::Written, 0, false},
        {"no stop", Stage::None, 1000, true},
    };
    const QString folder = TLRX_TEST_OUT_DIR "/stops";
    const QString file = folder + "/stopped.pdf";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(folder));
        QtPrinterSurface dc(LetterPdf(file));
        std::vector<Stage> asked;
        ASSERT_TRUE(dc.SetAbortProc([&](int32_t) {
            asked.push_back(dc.Stage());
            return std::count(asked.begin(), asked.end(), c.stage) <= c.skip;
        }));
        ASSERT_TRUE(dc.StartDoc("Stopped"));
        ASSERT_TRUE(dc.StartPage());
        const GdiObject old = dc.SelectObject(dc.CreatePen(PenStyle::Solid, 1, MakeRgb(0, 0, 0)));
        // Some 400 000 points of lines: pieces of the page.
        for (int32_t i = 0; i < 200000; ++i) {
            dc.MoveToEx(300 + i % 4000, 300 + i % 5000);
            dc.LineTo(310 + i % 4000, 320 + i % 5000);
        }
        const int32_t page = dc.EndPage();
        const bool ended = page > 0 && dc.EndDoc();
        if (dc.InDoc()) dc.AbortDoc();
        dc.DeleteObject(dc.SelectObject(old));
        EXPECT_EQ(ended, c.printed);
        EXPECT_EQ(page > 0, c.stage == Stage::Finishing || c.stage == Stage::Written || c.printed);
        EXPECT_GE(std::count(asked.begin(), asked.end(), Stage::Pages), c.stage == Stage::None ? 0 : 3);
        EXPECT_EQ(QFile::exists(file), c.printed);
        QtPrinterSurface::WaitForCancelledJobs();
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), c.printed ? 1 : 0);
    }
    if (!test::HavePopplerTools()) GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    EXPECT_EQ(test::PdfPageCount(file), 1);
}

// The set-up dialog chooses a printer and prints nothing: it is confirmed
// with OK.
TEST(PrinterTest, ThePrinterSetUpDialogIsConfirmedWithOk) {
    QtPrinterService machine;
    std::unique_ptr<PrinterDialog> setUp = machine.NewPrinterDialog();
    setUp->Flags = kPdPrintSetup | kPdReturnDc;
    QStringList buttons;
    QTimer::singleShot(0, [&buttons] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        for (QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>())
            for (QAbstractButton* button : box->buttons()) buttons << button->text().remove(QLatin1Char('&'));
        dialog->reject();
    });
    EXPECT_FALSE(setUp->ShowPrinter(nullptr));
    EXPECT_TRUE(buttons.contains(QStringLiteral("OK"))) << buttons.join(QStringLiteral(", ")).toStdString();
    EXPECT_FALSE(buttons.contains(QStringLiteral("Print")));
}

// Whatever queues the machine has: the scripted printers are the only ones
// seen, nested services give the outer one back, and a scripted printer
// without a file never starts a job.
TEST(PrinterTest, ScriptedPrintersStandAloneFromTheMachine) {
    ScopedScriptedPrinters none;
    EXPECT_FALSE(Printers().PrintersInstalled());
    EXPECT_FALSE(Printers().CurrentPrinter().has_value());
    EXPECT_EQ(Printers().CurrentPrinterDC(), nullptr);
    {
        ScopedScriptedPrinters office;
        office.printers = {{"Office", {600, 600, 5100, 6600, 150, 75, 4650, 6300}, {}, ""}};
        EXPECT_EQ(&Printers(), &office);
        std::unique_ptr<PrinterSurface> dc = Printers().CreateDC("Office", {});
        ASSERT_NE(dc, nullptr);
        EXPECT_EQ(Caps(*dc), (std::vector<int32_t>{600, 600, 4650, 6300, 5100, 6600, 150, 75}));
        EXPECT_FALSE(dc->StartDoc("Nowhere"));
        EXPECT_EQ(Printers().CreateDC("Elsewhere", {}), nullptr);
    }
    EXPECT_EQ(&Printers(), &none);
    EXPECT_FALSE(Printers().PrintersInstalled());
}

}  // namespace
}  // namespace tlrx
