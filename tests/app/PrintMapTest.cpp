// The print layout dialog: what it shows, the rules of its fields, the
// centring it refuses, the checks of "Print Map" and what Cancel puts back.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/PrintMap.h"
#include "dialogs/common/LengthField.h"
#include "plot/PlotState.h"
#include "plot/PrinterMetrics.h"
#include "support/FakeHost.h"

namespace tlrx {
namespace {

using test::AppTest;

// Letter paper at 600 dpi with unequal unprintable margins: 0.25 in left,
// 0.20 right, 0.20 top, 0.30 bottom; printable 8.05 x 10.5 in, its right
// edge at 8.30 and its bottom at 10.70 in.
constexpr PrinterPage kLetter{600, 600, 5100, 6600, 150, 120, 4830, 6300};

class PrintMapTest : public AppTest {
protected:
    PrintMapTest() {
        // A drawing area 1.3 times as high as it is wide.
        host.scaleWidth = 15000;
        host.scaleHeight = 19500;
        SetMainWindow(&host);
    }
    ~PrintMapTest() override { SetMainWindow(nullptr); }

    // The printer chosen in the set-up dialog, and a layout 6 in wide at
    // 1 in from the corner, not centred.
    void Choose(const PrinterPage& page, int16_t orientation = 1) {
        printers.printers = {{"Office", page, DevModeSettings{.Orientation = orientation}, ""}};
        Plot().PrnDlg.reset();
        PrinterDialogInit();
        printers.choices = {"Office"};
        ASSERT_TRUE(Plot().PrnDlg->ShowPrinter(nullptr));
        PlotState& p = Plot();
        p.PrinterUnits = 1440;
        p.PrnMapWidth = 6.0f;
        p.PrnMapLeft = p.PrnMapTop = 1.0f;
        p.PrnCenterHorizontal = p.PrnCenterVertical = false;
    }
    std::unique_ptr<PrintMap> Open() {
        auto dlg = std::make_unique<PrintMap>();
        dlg->show();
        return dlg;
    }
    static std::string Text(const QLineEdit* field) { return field->displayText().toStdString(); }

    FakeHost host;
};

TEST_F(PrintMapTest, LoadShowsTheLayoutAgainstTheChosenPrinter) {
    // Inches, landscape, centred across: the left margin is computed and
    // its field switched off.
    Choose(kLetter, 2);
    Plot().PrnCenterHorizontal = true;
    {
        auto dlg = Open();
        EXPECT_EQ(dlg->windowTitle(), "Print Map on Office");
        EXPECT_EQ(dlg->Orientation->text(), "Landscape");
        EXPECT_TRUE(dlg->Inches->isChecked());
        EXPECT_EQ(dlg->MapSize->title(), "Map Size (inch)");
        EXPECT_EQ(dlg->MapMargins->title(), "Map Margins (inch)");
        EXPECT_EQ(Text(dlg->WidthMap), "006.00");
        EXPECT_EQ(Text(dlg->HeightMap), "007.80");
        EXPECT_TRUE(dlg->HorizontalMap->isChecked());
        EXPECT_EQ(Text(dlg->LeftMap), "001.25");  // (8.5 - 6) / 2
        EXPECT_FALSE(dlg->LeftMap->isEnabled());
        EXPECT_FALSE(dlg->VerticalMap->isChecked());
        EXPECT_EQ(Text(dlg->TopMap), "001.00");
        EXPECT_TRUE(dlg->TopMap->isEnabled());
        EXPECT_EQ(dlg->Label5->text(),
                  "The Print Map option prints the entire area of the screen beneath the Menu Bar.\n\n"
                  "Map Height is controlled by Map Width.  The Map Margins are automatically calculated when "
                  "the Center Map items are checked.");
        EXPECT_TRUE(Design().DialogCancelled);
        EXPECT_FLOAT_EQ(Plot().PrnMapHeight, 7.8f);
    }

    // Centimetres, portrait, centred down the page.
    Choose(kLetter);
    PlotState& p = Plot();
    p.PrinterUnits = 567;
    p.PrnMapWidth = 10.0f;
    p.PrnCenterVertical = true;
    auto dlg = Open();
    EXPECT_EQ(dlg->Orientation->text(), "Portrait");
    EXPECT_TRUE(dlg->Centimeters->isChecked());
    EXPECT_EQ(dlg->MapSize->title(), "Map Size (cm)");
    EXPECT_EQ(dlg->MapMargins->title(), "Map Margins (cm)");
    EXPECT_NEAR(p.PaperHeight, 27.9365f, 1e-4);  // 11 in
    EXPECT_EQ(Text(dlg->TopMap), "007.47");      // (27.9365 - 13) / 2
    EXPECT_FALSE(dlg->TopMap->isEnabled());
    EXPECT_TRUE(boxes.log.empty());
}

// Writing into the width field, typed or by the dialog, corrects it in
// place and the height, the margins and the centring follow.
TEST_F(PrintMapTest, TheWidthRuleKeepsTheMapOnThePrintablePage) {
    struct Case {
        const char* name;
        PrinterPage page;
        bool centred;       // both directions
        float start;        // the width when the dialog opens
        std::string typed;  // keys typed over the width from its start
        std::string width, height, left, top;
        bool leftOn, topOn;  // margin fields switched on
    };
    const Case cases[] = {
        // Too wide for a printable width of 8 in from 0.3 in: the printable
        // width, and as the side margins differ (0.3 and 0.2 in) the map
        // goes to the unprintable left margin instead of the middle.
        {"too wide",
         {600, 600, 5100, 6600, 180, 120, 4800, 6300},
         true,
         6,
         "009",
         "008.00",
         "010.40",
         "000.30",
         "000.30",
         true,
         false},
        // Printable 4828 px = 8.0467 in: "008.05" would read more than that.
        {"the limit shown below it",
         {600, 600, 5100, 6600, 136, 120, 4828, 6300},
         false,
         6,
         "009",
         "008.04",
         "010.45",
         "001.00",
         "001.00",
         true,
         true},
        // 3 x 3.9 in is too high for a printable height of 3 in: the height
        // is cut to it and the width follows; the top and bottom margins
        // differ, which ends the vertical centring.
        {"too high",
         {600, 600, 5100, 2100, 150, 120, 4830, 1800},
         true,
         2,
         "003",
         "002.31",
         "003.00",
         "003.10",
         "000.20",
         false,
         true},
        // Centred: the margins follow the new width.
        {"centred", kLetter, true, 6, "004", "004.00", "005.20", "002.25", "002.90", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Choose(c.page);
        Plot().PrnCenterHorizontal = Plot().PrnCenterVertical = c.centred;
        Plot().PrnMapWidth = c.start;
        auto dlg = Open();
        dlg->WidthMap->setFocus();
        dlg->WidthMap->home(false);
        QTest::keyClicks(dlg->WidthMap, QString::fromStdString(c.typed));
        EXPECT_EQ(Text(dlg->WidthMap), c.width);
        EXPECT_EQ(Text(dlg->HeightMap), c.height);
        EXPECT_EQ(Text(dlg->LeftMap), c.left);
        EXPECT_EQ(Text(dlg->TopMap), c.top);
        EXPECT_EQ(dlg->LeftMap->isEnabled(), c.leftOn);
        EXPECT_EQ(dlg->TopMap->isEnabled(), c.topOn);
        // What the fields show is what is stored.
        const PlotState& p = Plot();
        EXPECT_EQ(LengthFieldText(p.PrnMapWidth).toStdString(), c.width);
        EXPECT_EQ(LengthFieldText(p.PrnMapLeft).toStdString(), c.left);
        EXPECT_EQ(LengthFieldText(p.PrnMapTop).toStdString(), c.top);
        EXPECT_TRUE(boxes.log.empty());
    }
}

// A width can be cleared and typed anew; a zero width becomes 0.10 only
// when the field is left or the layout accepted.
TEST_F(PrintMapTest, AClearedWidthTakesANewOneAndZeroBecomesATenthWhenLeft) {
    Choose(kLetter);
    auto dlg = Open();
    dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    const auto clear = [&dlg] {
        dlg->WidthMap->setFocus();
        dlg->WidthMap->selectAll();
        QTest::keyClick(dlg->WidthMap, Qt::Key_Delete);
    };
    clear();
    EXPECT_EQ(LengthFieldValue(dlg->WidthMap), 0.0f) << Text(dlg->WidthMap);
    dlg->WidthMap->home(false);
    QTest::keyClicks(dlg->WidthMap, QStringLiteral("004"));
    EXPECT_FLOAT_EQ(LengthFieldValue(dlg->WidthMap), 4.0f) << Text(dlg->WidthMap);
    EXPECT_FLOAT_EQ(Plot().PrnMapWidth, 4.0f);
    EXPECT_EQ(Text(dlg->HeightMap), "005.20");

    clear();
    QTest::keyClick(dlg->WidthMap, Qt::Key_Tab);
    EXPECT_EQ(Text(dlg->WidthMap), "000.10");
    EXPECT_EQ(Text(dlg->HeightMap), "000.13");
    EXPECT_FLOAT_EQ(Plot().PrnMapWidth, 0.1f);

    clear();
    dlg->OK->click();
    EXPECT_FLOAT_EQ(Plot().PrnMapWidth, 0.1f);
    EXPECT_FALSE(Design().DialogCancelled);
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(PrintMapTest, AMarginBelowTheUnprintableOneIsRaisedToIt) {
    Choose(kLetter);
    auto dlg = Open();
    dlg->LeftMap->setText("000.10");
    dlg->TopMap->setText("000.00");
    EXPECT_EQ(Text(dlg->LeftMap), "000.25");
    EXPECT_EQ(Text(dlg->TopMap), "000.20");
    EXPECT_FLOAT_EQ(Plot().PrnMapLeft, 0.25f);
    EXPECT_FLOAT_EQ(Plot().PrnMapTop, 0.2f);
    // No upper limit while typing: "Print Map" holds the margin to the page.
    dlg->LeftMap->setText("050.00");
    EXPECT_FLOAT_EQ(Plot().PrnMapLeft, 50.0f);
}

// A map wider than the paper less twice the larger side margin (8.5 - 2 x
// 0.25 = 8.0 < 8.03) cannot be centred across; at a height of 10.44 in it
// cannot be centred down either (11 - 2 x 0.3 = 10.4).
TEST_F(PrintMapTest, CentringThatThePageCannotHonourIsRefused) {
    Choose(kLetter);
    auto dlg = Open();
    dlg->WidthMap->setText("008.03");
    ASSERT_EQ(Text(dlg->HeightMap), "010.44");

    dlg->HorizontalMap->click();
    EXPECT_FALSE(dlg->HorizontalMap->isChecked());
    EXPECT_TRUE(dlg->LeftMap->isEnabled());
    dlg->VerticalMap->click();
    EXPECT_FALSE(dlg->VerticalMap->isChecked());
    EXPECT_TRUE(dlg->TopMap->isEnabled());
    ASSERT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(boxes.log[0].title, "Error: Map cannot be centered horizontally");
    EXPECT_EQ(boxes.log[0].text,
              "The map cannot be centered horizontally, because the map width is too large.\r\n\r\n"
              "To center the map horizontally, reduce the map width!");
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(boxes.log[1].title, "Error: Map cannot be centered vertically");
    EXPECT_EQ(boxes.log[1].text,
              "The map cannot be centered vertically, because the map height is too large.\r\n\r\n"
              "To center the map vertically, reduce the map width!");
    EXPECT_FLOAT_EQ(Plot().PrnMapLeft, 1.0f);

    // A narrower map is centred; unticking switches the margin back on.
    dlg->WidthMap->setText("006.00");
    dlg->HorizontalMap->click();
    EXPECT_EQ(Text(dlg->LeftMap), "001.25");
    EXPECT_FALSE(dlg->LeftMap->isEnabled());
    dlg->HorizontalMap->click();
    EXPECT_TRUE(dlg->LeftMap->isEnabled());
    EXPECT_EQ(boxes.log.size(), 2u);
}

// The numbers stay as typed and now mean centimetres; only the limits are
// measured again.
TEST_F(PrintMapTest, SwitchingUnitsKeepsTheNumbersAndMeasuresThePageAgain) {
    Choose(kLetter);
    Plot().PrnMapWidth = 6.5f;
    auto dlg = Open();
    dlg->Centimeters->click();
    const PlotState& p = Plot();
    EXPECT_EQ(p.PrinterUnits, 567);
    EXPECT_EQ(Text(dlg->WidthMap), "006.50");
    EXPECT_FLOAT_EQ(p.PrnMapWidth, 6.5f);
    EXPECT_NEAR(p.PrnPrintableWidth, 20.444f, 1e-3);  // 8.05 in
    EXPECT_EQ(dlg->MapSize->title(), "Map Size (cm)");
    dlg->Inches->click();
    EXPECT_EQ(p.PrinterUnits, 1440);
    EXPECT_NEAR(p.PrnPrintableWidth, 8.05f, 1e-5);
    EXPECT_EQ(dlg->MapMargins->title(), "Map Margins (inch)");
}

// A centred map is centred again on the page measured in the new unit, and
// the layout is accepted as it shows.
TEST_F(PrintMapTest, ACentredMapStaysCentredWhenTheUnitsSwitch) {
    for (const float width : {6.5f, 7.98f}) {
        SCOPED_TRACE(width);
        Choose(kLetter);
        PlotState& p = Plot();
        p.PrnCenterHorizontal = p.PrnCenterVertical = true;
        p.PrnMapWidth = width;
        auto dlg = Open();
        dlg->Centimeters->click();
        // Stored as the two decimals shown.
        EXPECT_NEAR(p.PrnMapLeft, (8.5f * 2.5397f - width) / 2, 0.005);
        EXPECT_NEAR(p.PrnMapTop, (11.0f * 2.5397f - 1.3f * width) / 2, 0.005);
        EXPECT_EQ(Text(dlg->LeftMap), LengthFieldText(p.PrnMapLeft).toStdString());
        EXPECT_EQ(Text(dlg->TopMap), LengthFieldText(p.PrnMapTop).toStdString());
        dlg->Inches->click();
        EXPECT_NEAR(p.PrnMapLeft, (8.5f - width) / 2, 0.005);
        dlg->Centimeters->click();
        dlg->OK->click();
        EXPECT_TRUE(boxes.log.empty()) << boxes.log[0].text;
        EXPECT_FALSE(Design().DialogCancelled);
        EXPECT_EQ(p.PrinterUnits, 567);
        EXPECT_NEAR(p.PrnMapLeft + p.PrnMapWidth / 2, p.PaperWidth / 2, 0.005);
        EXPECT_NEAR(p.PrnMapTop + p.PrnMapHeight / 2, p.PaperHeight / 2, 0.005);
    }
}

// "Print Map" checks the layout in this order; the first failure is shown
// with Retry (back to the width, the dialog open) and Cancel.
TEST_F(PrintMapTest, PrintMapRefusesALayoutOffThePageWithTheFirstFailingCheck) {
    struct Case {
        const char* name;
        std::function<void(PrintMap&)> setUp;
        std::string title;
        std::string text;
    };
    const Case cases[] = {
        {"no width", [](PrintMap&) { Plot().PrnMapWidth = 0; }, "Error: Map width too small",
         "The map width must be greater than zero."},
        {"no height", [](PrintMap&) { Plot().PrnMapHeight = 0; }, "Error: Map height too small",
         "The map height must be greater than zero."},
        // 20 cm fit; as 20 inches they do not.
        {"width, typed in cm and then taken as inches",
         [](PrintMap& dlg) {
             dlg.Centimeters->click();
             dlg.WidthMap->setText("020.00");
             dlg.Inches->click();
         },
         "Error: Map width too large", "The map width cannot exceed 8.05 inches."},
        {"width and left margin", [](PrintMap& dlg) { dlg.LeftMap->setText("003.00"); },
         "Error: (Map width + left margin) too large",
         "The sum (map width + left margin) cannot exceed 8.30 inches.\r\n\r\n"
         "Reduce the map width and/or the left margin!"},
        // 0.30 is an inch margin the page allows; 0.30 cm is below 0.25 in.
        {"left margin, typed in inches and then taken as cm",
         [](PrintMap& dlg) {
             dlg.LeftMap->setText("000.30");
             dlg.Centimeters->click();
         },
         "Error: Left margin too small", "The left margin must be greater than 0.63 cm."},
        {"height", [](PrintMap&) { Plot().PrnMapHeight = 10.6f; }, "Error: Map height too large",
         "The map height cannot exceed 10.50 inches.\r\n\r\nReduce the map width to reduce the map height!"},
        {"height and top margin", [](PrintMap& dlg) { dlg.TopMap->setText("005.00"); },
         "Error: (Map height + top margin) too large",
         "The sum (map height + top margin)  cannot exceed 10.70 inches.\r\n\r\n"
         "Reduce the map width and/or the top margin!"},
        {"top margin, typed in inches and then taken as cm",
         [](PrintMap& dlg) {
             dlg.TopMap->setText("000.25");
             dlg.Centimeters->click();
         },
         "Error: Top margin too small", "The top margin must be greater than 0.51 cm."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Choose(kLetter);
        auto dlg = Open();
        c.setUp(*dlg);
        boxes.log.clear();
        boxes.answers = {MsgAnswer::Retry};
        dlg->OK->click();
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].title, c.title);
        EXPECT_EQ(boxes.log[0].text, c.text);
        EXPECT_EQ(boxes.log[0].buttons, MsgButtons::RetryCancel);
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(dlg->focusWidget(), dlg->WidthMap);
        EXPECT_TRUE(Design().DialogCancelled);
    }
}

TEST_F(PrintMapTest, CancelPutsTheUnitsWidthAndMarginsBack) {
    for (const bool viaRefusal : {false, true}) {
        SCOPED_TRACE(viaRefusal ? "Cancel in a refusal" : "the Cancel button");
        Choose(kLetter);
        auto dlg = Open();
        dlg->WidthMap->setText("005.00");
        dlg->LeftMap->setText("004.00");  // too far right for a 5 in map
        dlg->TopMap->setText("002.00");
        dlg->Centimeters->click();
        dlg->VerticalMap->click();
        if (viaRefusal) {
            dlg->Inches->click();
            boxes.answers = {MsgAnswer::Cancel};
            dlg->OK->click();
            ASSERT_EQ(boxes.log.size(), 1u);
            boxes.log.clear();
        } else {
            dlg->Cancel->click();
        }
        EXPECT_FALSE(dlg->isVisible());
        const PlotState& p = Plot();
        EXPECT_EQ(p.PrinterUnits, 1440);
        EXPECT_EQ(p.PrnMapWidth, 6.0f);
        EXPECT_EQ(p.PrnMapLeft, 1.0f);
        EXPECT_EQ(p.PrnMapTop, 1.0f);
        EXPECT_TRUE(Design().DialogCancelled);
        // The centring that the refused OK stored stays.
        EXPECT_EQ(p.PrnCenterVertical, viaRefusal);
    }
}

// Margins equal to the unprintable ones pass, although the refusals say
// "greater than".
TEST_F(PrintMapTest, PrintMapAcceptsALayoutThatFitsThePage) {
    Choose(kLetter);
    auto dlg = Open();
    dlg->LeftMap->setText("000.25");
    dlg->TopMap->setText("000.20");
    dlg->OK->click();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(Design().DialogCancelled);
    const PlotState& p = Plot();
    EXPECT_FLOAT_EQ(p.PrnMapLeft, 0.25f);
    EXPECT_FLOAT_EQ(p.PrnMapTop, 0.2f);
    EXPECT_FALSE(p.PrnCenterHorizontal);
    EXPECT_FALSE(p.PrnCenterVertical);
}

}  // namespace
}  // namespace tlrx
