// The report margins dialog: what it shows, the margins raised to the
// printer's border, the width check at "Print Report" with its three
// answers, margins that leave no room, and what Cancel puts back.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "ReportTestSupport.h"
#include "plot/PlotState.h"
#include "plot/PrinterMetrics.h"
#include "reports/ReportMargins.h"

namespace tlrx {
namespace {

using test::ReportTest;

// Letter paper at 600 dpi, the printable area 0.25 in from the left and
// 0.20 in from the top.
constexpr PrinterPage kLetter{600, 600, 5100, 6600, 150, 120, 4800, 6360};

class ReportMarginsTest : public ReportTest {
protected:
    void Choose(const PrinterPage& page, int16_t orientation = 1) {
        printers.printers = {{"Office", page, DevModeSettings{.Orientation = orientation}, ""}};
        Plot().PrnDlg.reset();
        PrinterDialogInit();
        printers.choices = {"Office"};
        ASSERT_TRUE(Plot().PrnDlg->ShowPrinter(nullptr));
        Plot().PrinterUnits = 1440;
        DesignState& d = Design();
        d.RptMarginLeft = d.RptMarginRight = d.RptMarginTop = d.RptMarginBottom = 1.0f;
    }
    std::unique_ptr<ReportMargins> Open() {
        auto dlg = std::make_unique<ReportMargins>(nullptr, QStringLiteral("explanation"), 230.0);
        dlg->show();
        return dlg;
    }
    static std::string Text(const QLineEdit* f) { return f->displayText().toStdString(); }
    static void Type(QLineEdit* f, const char* text) {
        f->selectAll();
        f->setText(QString::fromLatin1(text));
    }
};

TEST_F(ReportMarginsTest, LoadShowsPrinterOrientationUnitsAndMargins) {
    Choose(kLetter, 2);
    Design().RptMarginLeft = 1.5f;
    auto dlg = Open();
    EXPECT_EQ(dlg->windowTitle(), "Print Report on Office");
    EXPECT_EQ(dlg->LblOrientation->text(), "Landscape");
    EXPECT_TRUE(dlg->Inches->isChecked());
    EXPECT_EQ(dlg->RptFrMargins->title(), "Margins (inch)");
    EXPECT_EQ(Text(dlg->RptTbLeft), "001.50");
    EXPECT_EQ(Text(dlg->RptTbBottom), "001.00");
    EXPECT_EQ(dlg->LblText->text(), "explanation");
    EXPECT_EQ(dlg->OK->text(), "Print Report");
    EXPECT_TRUE(Design().DialogCancelled);
}

TEST_F(ReportMarginsTest, AMarginBelowThePrintersBorderIsRaisedToIt) {
    struct Case {
        int32_t offsetPx;  // left border at 600 dpi
        const char* shown;
    };
    // 150 px = 0.25 in; 145 px = 0.2417 in (rounds down: shown raised by
    // half a hundredth); 149 px = 0.2483 in (rounds up).
    for (const Case& c : {Case{150, "000.25"}, Case{145, "000.25"}, Case{149, "000.25"}}) {
        SCOPED_TRACE(c.offsetPx);
        PrinterPage page = kLetter;
        page.PhysicalOffsetX = c.offsetPx;
        Choose(page);
        auto dlg = Open();
        Type(dlg->RptTbLeft, "000.00");
        EXPECT_EQ(Text(dlg->RptTbLeft), c.shown);
        EXPECT_FLOAT_EQ(Design().RptMarginLeft, 0.25f);
        EXPECT_GE(Design().RptMarginLeft, Plot().PrnMinLeft);
    }
}

TEST_F(ReportMarginsTest, AReportWiderThanTheMarginsAsksWhatToDo) {
    Choose(kLetter);
    Design().RptWidth = 10080;  // 7 in
    boxes.answers = {MsgAnswer::Retry};
    auto dlg = Open();
    dlg->OK->click();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Information: Font too large, or margins too wide.");
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::AbortRetryIgnore);
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Information);
    EXPECT_EQ(boxes.log[0].text,
              "The width of the report (about 7.00 inches) may be greater than the\r\n"
              "available width (6.50 inches) between the left and right margins.\r\n\r\n"
              "You can decrease the margins, or reduce the font size.\r\n\r\n"
              "Press Abort to cancel printing the report.\r\n"
              "Press Retry to change the report margins.\r\n"
              "Press Ignore to continue printing the report.");
    // Retry: back to the left margin, the dialog open; Cancel then puts the
    // margins of the opening back.
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(Design().DialogCancelled);
    Type(dlg->RptTbLeft, "000.50");
    EXPECT_FLOAT_EQ(Design().RptMarginLeft, 0.5f);
    dlg->Cancel->click();
    EXPECT_FLOAT_EQ(Design().RptMarginLeft, 1.0f);
    EXPECT_TRUE(Design().DialogCancelled);

    // Abort cancels; Ignore prints.
    boxes.answers = {MsgAnswer::Abort};
    dlg = Open();
    dlg->OK->click();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(Design().DialogCancelled);
    boxes.answers = {MsgAnswer::Ignore};
    dlg = Open();
    dlg->OK->click();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_FALSE(Design().DialogCancelled);
}

TEST_F(ReportMarginsTest, AReportThatFitsPrintsAtOnceAndCentimetresSayCm) {
    Choose(kLetter);
    Design().RptWidth = 10080;
    auto dlg = Open();
    Type(dlg->RptTbLeft, "000.50");
    Type(dlg->RptTbRight, "000.50");
    dlg->OK->click();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_FALSE(Design().DialogCancelled);

    // Centimetres: the numbers stay, now meaning cm; 7 in of report are
    // 17.78 cm against 21.59 - 4 = 17.59 cm available.
    dlg = Open();
    dlg->Centimeters->click();
    EXPECT_EQ(Plot().PrinterUnits, 567);
    EXPECT_EQ(dlg->RptFrMargins->title(), "Margins (cm)");
    Type(dlg->RptTbLeft, "002.00");
    Type(dlg->RptTbRight, "002.00");
    boxes.answers = {MsgAnswer::Abort};
    dlg->OK->click();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text.substr(0, 97),
              "The width of the report (about 17.78 cm) may be greater than the\r\navailable width (17.59 cm) betw");
    // Abort puts the units and margins back.
    EXPECT_EQ(Plot().PrinterUnits, 1440);
    EXPECT_FLOAT_EQ(Design().RptMarginLeft, 0.5f);
}

TEST_F(ReportMarginsTest, MarginsThatLeaveNoRoomAreRefused) {
    Choose(kLetter);
    Design().RptWidth = 100;
    for (const auto& [field, other, text] : {std::tuple{0, 1, "004.25"}, std::tuple{2, 3, "005.50"}}) {
        boxes.log.clear();
        auto dlg = Open();
        QLineEdit* fields[] = {dlg->RptTbLeft, dlg->RptTbRight, dlg->RptTbTop, dlg->RptTbBottom};
        Type(fields[field], text);
        Type(fields[other], text);
        dlg->OK->click();
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].title, "Error: Report Margins");
        EXPECT_EQ(boxes.log[0].buttons, MsgButtons::Ok);
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_TRUE(Design().DialogCancelled);
        dlg->Cancel->click();
    }
}

}  // namespace
}  // namespace tlrx
