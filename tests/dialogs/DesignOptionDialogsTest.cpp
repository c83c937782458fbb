// The grid type, line width scaling and label option dialogs: what each
// opens with, what OK stores and Cancel keeps, help and placement.

#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>

#include "GeoDialogTest.h"
#include "dialogs/geo/DesignParts.h"
#include "dialogs/geo/LineWidthScale.h"
#include "dialogs/geo/SelectGridType.h"
#include "dialogs/geo/SelectLabelOption.h"
#include "plot/PlotState.h"

namespace tlrx {
namespace {

class DesignOptionDialogsTest : public test::GeoDialogTest {
protected:
    DesignOptionDialogsTest() { SelectLabelOption::LabelOptionChoice = SelectLabelOption::HideLabels; }

    static void F1On(QWidget* widget) {
        widget->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    }
    static QPoint Centred(const QWidget& dialog) {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        return {(screen.width() - dialog.width()) / 2, (screen.height() - dialog.height()) / 2};
    }
};

// ---- Grid type ----

TEST_F(DesignOptionDialogsTest, GridTypeOpensOnTheStartUpGrid) {
    SelectGridType dialog;
    EXPECT_EQ(dialog.windowTitle(), "Select Grid Parameters");
    ASSERT_EQ(dialog.Grid->count(), 5);
    EXPECT_EQ(dialog.Grid->currentItem()->text(), " All grid points connected by lines");
    EXPECT_EQ(dialog.GridWidthSpin->value(), 1);
    EXPECT_EQ(dialog.GridWidthSpin->minimum(), 1);
    EXPECT_EQ(dialog.GridWidthSpin->maximum(), 600);
    EXPECT_EQ(dialog.GridColor->Shown(), 0);  // black
    EXPECT_EQ(dialog.pos(), Centred(dialog));
}

TEST_F(DesignOptionDialogsTest, GridTypeOkStoresTheTypeItsTextItsOutputsAndTheWidth) {
    struct Case {
        int row;
        const char* text;
        int16_t outputs;
    };
    const Case cases[] = {
        {0, " Outside boundary connected by lines, interior grid points shown", 2},
        {1, " Outside boundary connected by lines, no interior grid points shown", 1},
        {2, " All grid points connected by lines", 1},
        {3, " Grid points only, no lines connecting points", 1},
        {4, " No grid (the map will have no latitude or longitude markings)", 0},
    };
    DesignState& d = Design();
    for (const Case& c : cases) {
        SelectGridType dialog;
        dialog.Grid->setCurrentRow(c.row);
        dialog.GridWidthSpin->setValue(3);
        dialog.cmdOK->click();
        EXPECT_EQ(d.GridType, c.row + 1);
        EXPECT_EQ(d.GridTypeText, c.text);
        EXPECT_EQ(Plot().GridOutputCount, c.outputs) << c.text;
        EXPECT_EQ(d.GridLineWidth, 45);
        SelectGridType reopened;
        EXPECT_EQ(reopened.Grid->currentRow(), c.row);
        EXPECT_EQ(reopened.GridWidthSpin->value(), 3);
    }
    // Cancel keeps the type and width.
    SelectGridType dialog;
    dialog.Grid->setCurrentRow(0);
    dialog.GridWidthSpin->setValue(9);
    dialog.cmdCancel->click();
    EXPECT_EQ(d.GridType, 5);
    EXPECT_EQ(d.GridLineWidth, 45);
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(DesignOptionDialogsTest, GridTypeHelpFollowsTheFocus) {
    SelectGridType dialog;
    ShowActive(dialog);
    const std::pair<QWidget*, uint32_t> cases[] = {
        {dialog.Grid, 3370}, {dialog.GridWidthSpin, 3360}, {dialog.cmdOK, 260}, {dialog.cmdCancel, 260}};
    for (const auto& [widget, topic] : cases) {
        F1On(widget);
        ASSERT_FALSE(help.requests.empty());
        EXPECT_EQ(help.requests.back().data, topic);
    }
}

// ---- Line width scaling ----

TEST_F(DesignOptionDialogsTest, LineWidthScalingStoresOnOkAndPutsTheOpeningValueBackOnCancel) {
    DesignState& d = Design();
    {
        LineWidthScale dialog;  // start-up: relative
        EXPECT_TRUE(dialog.LineWidthRelative->isChecked());
        dialog.LineWidthPixels->setChecked(true);
        EXPECT_TRUE(d.LineWidthScaling);  // only OK stores
        dialog.OK->click();
    }
    EXPECT_FALSE(d.LineWidthScaling);
    {
        LineWidthScale dialog;
        EXPECT_TRUE(dialog.LineWidthPixels->isChecked());
        dialog.OK->click();
    }
    EXPECT_FALSE(d.LineWidthScaling);
    {
        LineWidthScale dialog;
        dialog.LineWidthRelative->setChecked(true);
        dialog.Cancel->click();
    }
    EXPECT_FALSE(d.LineWidthScaling);
}

TEST_F(DesignOptionDialogsTest, LineWidthScalingExplainsItselfHasOneTopicAndSitsBelowTheCentre) {
    LineWidthScale dialog;
    EXPECT_EQ(dialog.windowTitle(), "Line Width Scaling");
    EXPECT_EQ(dialog.pos(), Centred(dialog) + QPoint(0, 105 / 15));
    const QStringList paragraphs = dialog.Label1->text().split(QStringLiteral("\n\n"));
    ASSERT_EQ(paragraphs.size(), 4);
    EXPECT_EQ(paragraphs[0], "Line width scaling has no effect on the width of lines displayed on the screen.");
    EXPECT_EQ(paragraphs[3],
              "No scaling gives the narrowest possible lines on the exported map.  A line width increment of 1, "
              "corresponds to an increment of 1 pixel on the exported map.");
    ShowActive(dialog);
    for (QWidget* widget : std::initializer_list<QWidget*>{dialog.LineWidthPixels, dialog.OK, dialog.Cancel}) {
        F1On(widget);
        ASSERT_FALSE(help.requests.empty());
        EXPECT_EQ(help.requests.back().data, 3380u);
    }
}

// ---- Label option ----

TextItem Placed(const char* text, int16_t rotation, int32_t x, bool fromLabel = false) {
    TextItem item;
    item.TextItemText = text;
    item.TextItemRotation = rotation;
    item.TextItemX = x;
    item.TextItemFromLabel = fromLabel;
    return item;
}
TextItem North() { return Placed("North", 15, 100); }
TextItem South() { return Placed("South", 30, 300); }

// Text items 1 and 3 placed by the user, 2 made from a label.
void ThreeItems() {
    DesignState& d = Design();
    d.NumTextItems = 3;
    ResizeTextItems(3);
    d.TextItems[1] = North();
    d.TextItems[2] = Placed("Seattle", 0, 200, true);
    d.TextItems[3] = South();
}

// The labels a drawing run placed: two, measured.
void TwoPlacedLabels() {
    PlotState& p = Plot();
    p.MapLabels.resize(3);
    const struct {
        const char* text;
        double lat, lon;
        int32_t x, y;
    } placed[] = {{"Tacoma", 47.25, 57.6, 1000, 2000}, {"Olympia", 47.04, 57.1, 1100, 2100}};
    for (size_t k = 1; k <= 2; ++k) {
        MapLabel& label = p.MapLabels[k];
        label.MapLabelLat = placed[k - 1].lat;
        label.MapLabelLon = placed[k - 1].lon;
        TextItem& item = label.MapLabelItem;
        item.TextItemText = placed[k - 1].text;
        item.TextItemFontName = "Sans";
        item.TextItemFontSize = 10;
        item.TextItemColor = 255;
        item.TextItemX = placed[k - 1].x;
        item.TextItemY = placed[k - 1].y;
        item.TextItemAscent = 180;
        item.TextItemDescent = 45;
        item.TextItemCharWidth = 90;
    }
    p.MapLabelsPlaced = true;
}

void ChooseLabelOption(int row) {
    SelectLabelOption dialog;
    dialog.LabelOption->setCurrentRow(row);
    dialog.OK->click();
}

TEST_F(DesignOptionDialogsTest, LabelOptionOpensOnDisplayWhileLabelsAreShownElseOnTheLastChoice) {
    // Before any OK, with labels hidden: the first entry.
    Design().DisplayLabels = false;
    EXPECT_EQ(SelectLabelOption().LabelOption->currentRow(), 0);
    Design().DisplayLabels = true;
    {
        SelectLabelOption dialog;
        EXPECT_EQ(dialog.windowTitle(), "Select Label Option");
        ASSERT_EQ(dialog.LabelOption->count(), 4);
        EXPECT_EQ(dialog.LabelOption->item(0)->text(), " Do not display labels");
        EXPECT_EQ(dialog.LabelOption->item(3)->text(), " Erase labels converted to text");
        EXPECT_EQ(dialog.LabelOption->currentItem()->text(), " Display labels");
        EXPECT_EQ(dialog.pos(), Centred(dialog));
    }
    // Opening while labels are shown remembers " Display labels".
    Design().DisplayLabels = false;
    EXPECT_EQ(SelectLabelOption().LabelOption->currentRow(), 1);

    ChooseLabelOption(SelectLabelOption::EraseConverted);
    EXPECT_EQ(SelectLabelOption().LabelOption->currentRow(), 3);
    // Cancel changes neither the design nor the entry remembered.
    {
        SelectLabelOption dialog;
        dialog.LabelOption->setCurrentRow(1);
        dialog.Cancel->click();
    }
    EXPECT_FALSE(Design().DisplayLabels);
    EXPECT_EQ(SelectLabelOption().LabelOption->currentRow(), 3);
}

TEST_F(DesignOptionDialogsTest, LabelOptionOkActsOnTheChoice) {
    struct Case {
        int row;
        bool labelsBefore;  // labels of a drawing run to convert
        bool displayAfter;
        std::vector<std::string> texts;  // items 1..n afterwards
    };
    const Case cases[] = {
        {0, true, false, {"North", "Seattle", "South"}},
        {1, true, true, {"North", "Seattle", "South"}},
        {2, true, false, {"North", "Seattle", "South", "Tacoma", "Olympia"}},
        {2, false, false, {"North", "Seattle", "South"}},  // no run, no labels
        {3, true, false, {"North", "South"}},
    };
    for (const Case& c : cases) {
        ResetDesignState();
        ResetPlotState();
        ThreeItems();
        if (c.labelsBefore) TwoPlacedLabels();
        Design().DisplayLabels = !c.displayAfter;
        ChooseLabelOption(c.row);
        const DesignState& d = Design();
        EXPECT_EQ(d.DisplayLabels, c.displayAfter) << c.row;
        ASSERT_EQ(d.NumTextItems, static_cast<int32_t>(c.texts.size())) << c.row;
        ASSERT_EQ(d.TextItems.size(), c.texts.size() + 1) << c.row;
        for (size_t i = 0; i < c.texts.size(); ++i) EXPECT_EQ(d.TextItems[i + 1].TextItemText, c.texts[i]) << c.row;
        EXPECT_EQ(SelectLabelOption::LabelOptionChoice, c.row);
    }
    // The converted labels come with their place and font, marked.
    const DesignState& d = Design();
    ResetDesignState();
    TwoPlacedLabels();
    ThreeItems();
    ChooseLabelOption(SelectLabelOption::ConvertLabels);
    EXPECT_TRUE(d.TextItems[5].TextItemFromLabel);
    EXPECT_EQ(d.TextItems[5].TextItemX, 1100);
    EXPECT_EQ(d.TextItems[5].TextItemY, 2100);
    EXPECT_EQ(d.TextItems[5].TextItemRotation, 0);
    EXPECT_EQ(d.TextItems[5].TextItemFontName, "Sans");
}

TEST_F(DesignOptionDialogsTest, EraseKeepsTheUsersItemsInOrderAndRemovesEveryConvertedCopy) {
    ThreeItems();
    TwoPlacedLabels();
    const DesignState& d = Design();
    ChooseLabelOption(SelectLabelOption::ConvertLabels);
    ChooseLabelOption(SelectLabelOption::ConvertLabels);  // the same labels again
    EXPECT_EQ(d.NumTextItems, 7);
    ChooseLabelOption(SelectLabelOption::EraseConverted);
    ASSERT_EQ(d.NumTextItems, 2);
    EXPECT_EQ(d.TextItems, (std::vector<TextItem>{{}, North(), South()}));
    // Nothing from labels: the items stay as they were.
    ChooseLabelOption(SelectLabelOption::EraseConverted);
    EXPECT_EQ(d.TextItems, (std::vector<TextItem>{{}, North(), South()}));
}

TEST_F(DesignOptionDialogsTest, LabelOptionHasOneTopic) {
    SelectLabelOption dialog;
    ShowActive(dialog);
    for (QWidget* widget : std::initializer_list<QWidget*>{dialog.LabelOption, dialog.OK, dialog.Cancel}) {
        F1On(widget);
        ASSERT_FALSE(help.requests.empty());
        EXPECT_EQ(help.requests.back().data, 270u);
    }
}

}  // namespace
}  // namespace tlrx
