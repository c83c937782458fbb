// Printing a report: the page laid out inside margins measured from the
// paper's edges, one document with a page per screenful of lines, and the
// reports that print nothing (empty, margins without room, a job that will
// not start).

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <filesystem>

#include "PdfTools.h"
#include "ReportTestSupport.h"
#include "platform/qt/QtSurface.h"
#include "plot/PlotState.h"
#include "plot/PrinterMetrics.h"
#include "reports/PrintRichText.h"
#include "reports/ReportTexts.h"
#include "support/ScriptedSurface.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;
using test::ReportTest;

// Letter paper, the printable area 0.25 in from the left and 0.20 in from
// the top; 600 dpi, or 600 across by 300 down.
constexpr PrinterPage kLetter{600, 600, 5100, 6600, 150, 120, 4800, 6360};
constexpr PrinterPage kLetterUneven{600, 300, 5100, 3300, 150, 60, 4800, 3180};

class PrintReportTest : public ReportTest {
protected:
    void Choose(const PrinterPage& page, const std::string& output) {
        printers.printers = {{"Office", page, {}, output}};
        Plot().PrnDlg.reset();
        PrinterDialogInit();
        printers.choices = {"Office"};
        ASSERT_TRUE(Plot().PrnDlg->ShowPrinter(nullptr));
        Plot().PrinterUnits = 1440;
        DesignState& d = Design();
        d.RptMarginLeft = d.RptMarginRight = d.RptMarginTop = d.RptMarginBottom = 1.0f;
    }
    // A great circle report of n rows.
    static ReportModel GcReportOf(int n) {
        DesignState& d = Design();
        d.GcLat = d.GcLon = d.GcCourse = d.GcDist = {0};
        for (int i = 1; i <= n; ++i) {
            d.GcLat.push_back(i * 0.5);
            d.GcLon.push_back(i);
            d.GcCourse.push_back(90);
            d.GcDist.push_back(i * 30);
        }
        d.GcFirst = 1;
        d.GcLast = static_cast<int16_t>(n);
        d.GcStep = 1;
        return BuildGcReport();
    }
};

TEST_F(PrintReportTest, APageIsLaidOutInsideMarginsFromThePapersEdges) {
    const ReportModel r = GcReportOf(3);
    for (const PrinterPage& page : {kLetter, kLetterUneven}) {
        SCOPED_TRACE(page.LogPixelsY);
        QImage image(page.HorzRes, page.VertRes, QImage::Format_RGB32);
        QtSurface real(image);
        ScriptedSurface dc(real);
        // 1 in margins, less the printable area's offsets (360 and 288 twips).
        const TwipsRect render{1080, 1152, 12240 - 1440 - 360, 15840 - 1440 - 288};
        EXPECT_EQ(FormatReportPage(r, dc, render, 0, page.LogPixelsX, page.LogPixelsY), ReportLineCount(r));
        const int32_t top = static_cast<int32_t>(std::lround(1152.0 * page.LogPixelsY / 1440));
        bool clipped = false, titleAtCorner = false;
        for (const std::string& call : dc.calls) {
            if (call == "SetClipRect(450," + std::to_string(top) + ",4350," +
                            std::to_string(std::lround(14112.0 * page.LogPixelsY / 1440)) + ")")
                clipped = true;
            if (call.starts_with("TextOut(450," + std::to_string(top) + ",Tellurax Version")) titleAtCorner = true;
        }
        EXPECT_TRUE(clipped);
        EXPECT_TRUE(titleAtCorner);
    }
}

TEST_F(PrintReportTest, ColumnsStartAtTheirTabStopsAndHiddenTextIsNotDrawn) {
    ReportModel r;
    r.fontName = "Liberation Sans";
    r.fontSize = 10;
    ReportParagraph p;
    p.tabs = {1440, 2880};
    p.runs.push_back({"A"});
    p.runs.push_back({"\t0", false, false, false, false, true});
    p.runs.push_back({"B\tC"});
    r.paragraphs = {p};
    QImage image(100, 100, QImage::Format_RGB32);
    QtSurface real(image);
    ScriptedSurface dc(real);
    EXPECT_EQ(FormatReportPage(r, dc, {0, 0, 14400, 14400}, 0, 1440, 1440), 1u);
    std::vector<std::string> texts;
    for (const std::string& call : dc.calls)
        if (call.starts_with("TextOut")) texts.push_back(call);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "TextOut(0,0,A)");
    // B follows the hidden "0" that stands at the first stop.
    const int bx = std::stoi(texts[1].substr(8));
    EXPECT_GT(bx, 1440 + 50) << texts[1];
    EXPECT_LT(bx, 1440 + 200) << texts[1];
    EXPECT_EQ(texts[2], "TextOut(2880,0,C)");
}

TEST_F(PrintReportTest, ALongReportPrintsAPagePerScreenful) {
    if (!test::HavePopplerTools()) GTEST_SKIP() << "poppler-utils (pdfinfo, pdftoppm) are not installed";
    Choose(kLetter, Path("report.pdf"));
    const ReportModel r = GcReportOf(120);
    const size_t lines = ReportLineCount(r);
    const auto perPage = static_cast<size_t>((15840 - 2880) / ReportLineHeight(r));
    ASSERT_TRUE(PrintRichText(r, "Great Circle Report"));
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(test::PdfPageCount(QString::fromStdString(Path("report.pdf"))), int((lines + perPage - 1) / perPage));

    // The ink of the first page lies inside the margins: 1 in = 100 pixels.
    const QImage page = test::PdfFirstPage(QString::fromStdString(Path("report.pdf")), 100);
    ASSERT_FALSE(page.isNull());
    int left = page.width(), right = -1, top = page.height(), bottom = -1;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_GE(left, 99);
    EXPECT_LE(left, 103);
    EXPECT_GE(top, 99);
    EXPECT_LE(top, 106);
    EXPECT_LE(right, 750);
    EXPECT_LE(bottom, 1000);
}

TEST_F(PrintReportTest, ReportsThatPrintNothing) {
    Choose(kLetter, Path("report.pdf"));
    // An empty report: nothing, and no message.
    ReportModel empty;
    empty.paragraphs.resize(1);
    EXPECT_FALSE(PrintRichText(empty, "Great Circle Report"));
    EXPECT_TRUE(boxes.log.empty());

    // Margins that leave no room for a line: no endless empty pages.
    const ReportModel r = GcReportOf(3);
    Design().RptMarginTop = 5.6f;
    Design().RptMarginBottom = 5.6f;
    EXPECT_FALSE(PrintRichText(r, "Great Circle Report"));
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "The report margins leave no room for a line of the report.");
    EXPECT_EQ(boxes.log[0].title, "Error printing Great Circle Report");
    EXPECT_FALSE(fs::exists(Path("report.pdf")));

    // No printer component: the error box.
    Plot().PrnDlg.reset();
    boxes.log.clear();
    EXPECT_FALSE(PrintRichText(r, "Tellurax Parameter Report"));
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: 91\r\n\r\nObject variable or With block variable not set");
    EXPECT_EQ(boxes.log[0].title, "Error printing Tellurax Parameter Report");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);

    // A job that cannot start.
    Choose(kLetter, "");
    boxes.log.clear();
    EXPECT_FALSE(PrintRichText(r, "Tellurax Parameter Report"));
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error in StartDoc");
}

}  // namespace
}  // namespace tlrx
