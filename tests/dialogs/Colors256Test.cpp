// The colour picker: the pointer's cell and the margin around the cells, the
// hover frame and the current-colour marker, and for each target its
// caption, help topic, place, marked cell and what a click writes.

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QToolButton>
#include <memory>
#include <tuple>

#include "GeoDialogTest.h"
#include "PickerTestSupport.h"
#include "core/Palette.h"
#include "dialogs/geo/DesignParts.h"
#include "dialogs/geo/GCircleEnds.h"
#include "dialogs/geo/SelectGridType.h"
#include "dialogs/geo/SmallCircle.h"
#include "dialogs/pickers/Colors256.h"

namespace tlrx {
namespace {

using test::ClickAt;
using test::ClickCell;
using test::FakeGeofeatureHost;
using test::MoveOver;

class Colors256Test : public test::GeoDialogTest {};

TEST_F(Colors256Test, PointerPositionsGiveCellsOnlyInsideTheCellArea) {
    struct Case {
        double x, y;
        int cell;
    };
    const Case cases[] = {
        {74, 100, -1},   {100, 74, -1},     {75, 75, 0},     {269, 75, 0},     {270, 75, 1},
        {3180, 75, 15},  {3194, 75, 15},    {3195, 75, -1},  {75, 3195, -1},   {3500, 3500, -1},
        {75, 3180, 240}, {3194, 3194, 255}, {74.5, 74.5, 0}, {3194.6, 75, 15}, {1000, 2000, 16 * 9 + 4},
    };
    for (const Case& c : cases) EXPECT_EQ(CellAtPointer(c.x, c.y), c.cell) << c.x << ", " << c.y;
}

TEST_F(Colors256Test, FrameColoursShowOnTheCellsTheyFrame) {
    const QColor dark(128, 128, 128), light(192, 192, 192), magenta(255, 0, 255), red(255, 0, 0);
    for (int cell : {7, 26, 29, 45, 46, 59, 61, 204, 205, 219, 222, 234, 237})
        EXPECT_EQ(HoverFrameColor(cell), dark) << cell;
    for (int cell : {0, 6, 8, 25, 30, 44, 47, 58, 62, 203, 206, 218, 223, 233, 238, 255})
        EXPECT_EQ(HoverFrameColor(cell), light) << cell;
    for (int cell : {12, 37, 40, 42, 214}) EXPECT_EQ(MarkerColor(cell), magenta) << cell;
    for (int cell : {0, 11, 13, 36, 43, 213, 215}) EXPECT_EQ(MarkerColor(cell), red) << cell;
    // A frame surrounds its cell; a damaged index lies outside the cell area.
    EXPECT_EQ(FrameTopLeft(15), QPoint(2925, 0));
    EXPECT_EQ(FrameTopLeft(255), QPoint(2925, 2925));
    EXPECT_EQ(FrameTopLeft(-1), QPoint(-195, 0));
    EXPECT_EQ(FrameTopLeft(300), QPoint(195 * 12, 195 * 18));
}

TEST_F(Colors256Test, TheHoverFrameFollowsThePointerAndHidesOutsideTheCells) {
    Design().ColorTarget = TargetGrid;
    Colors256 picker;
    ColorGrid& grid = *picker.ColorSquare;
    EXPECT_FALSE(grid.HoverVisible());
    EXPECT_EQ(grid.PointerCell(), 0);

    MoveOver(grid, 75, 75);
    EXPECT_TRUE(grid.HoverVisible());
    EXPECT_EQ(grid.HoverCell(), 0);
    EXPECT_EQ(grid.toolTip(), "Color 0");
    MoveOver(grid, 3180, 3180);
    EXPECT_EQ(grid.HoverCell(), 255);
    EXPECT_EQ(grid.PointerCell(), 255);
    EXPECT_EQ(grid.toolTip(), "Color 255");

    // In the margin the frame hides and the tooltip empties; the pointer cell stays.
    for (const QPoint at : {QPoint(74, 1000), QPoint(1000, 74), QPoint(3195, 1000), QPoint(1000, 3195)}) {
        MoveOver(grid, 1000, 1000);
        ASSERT_TRUE(grid.HoverVisible());
        MoveOver(grid, at.x(), at.y());
        EXPECT_FALSE(grid.HoverVisible()) << at.x() << ", " << at.y();
        EXPECT_TRUE(grid.toolTip().isEmpty());
        EXPECT_EQ(grid.PointerCell(), CellAtPointer(1000, 1000));
    }

    // Moving over the dialog outside the grid hides it as well.
    MoveOver(grid, 1000, 1000);
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), picker.mapToGlobal(QPointF(1, 1)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&picker, &move);
    EXPECT_FALSE(grid.HoverVisible());
}

TEST_F(Colors256Test, AClickInTheMarginPicksNothingAndKeepsThePickerOpen) {
    DesignState& d = Design();
    d.ColorTarget = TargetGrid;
    Colors256 picker;
    picker.show();
    ColorGrid& grid = *picker.ColorSquare;
    MoveOver(grid, 1000, 1000);  // the pointer crossed a cell first
    for (const QPoint at : {QPoint(30, 30), QPoint(74, 500), QPoint(3200, 3200), QPoint(500, 3195)}) {
        ClickAt(grid, at.x(), at.y());
        EXPECT_TRUE(picker.isVisible()) << at.x() << ", " << at.y();
        EXPECT_EQ(d.GridColor, 0);
        EXPECT_EQ(d.GridColorIndex, 0);
    }
    ClickAt(grid, 3180, 75);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(d.GridColor, PaletteRgb(0xFFFFFF));
    EXPECT_EQ(d.GridColorIndex, 15);
}

TEST_F(Colors256Test, EachTargetHasItsCaptionHelpPlaceMarkAndWrite) {
    struct Case {
        int16_t target;
        const char* caption;
        uint32_t help;
        QPoint offsetTwips;  // from the opener; (-1, -1): centred on the screen
        int32_t DesignState::*color;
        int16_t DesignState::*index;
    };
    const Case cases[] = {
        {TargetGreatCircle, "Great Circle Color", 2800, {0, 450}, &DesignState::GcColor, &DesignState::GcColorIndex},
        {TargetSmallCircle, "Small Circle Color", 3350, {2550, 450}, &DesignState::ScColor, &DesignState::ScColorIndex},
        {TargetBackground, "Background Color", 380, {-1, -1}, &DesignState::BackColor, &DesignState::BackColorIndex},
        {TargetGrid, "Grid Color", 2070, {300, 450}, &DesignState::GridColor, &DesignState::GridColorIndex},
    };
    QWidget opener;
    opener.move(90, 60);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        ResetDesignState();
        DesignState& d = Design();
        d.ColorTarget = c.target;
        d.*c.index = 37;
        d.*c.color = PaletteColors()[37];
        Colors256 picker(&opener);
        EXPECT_EQ(picker.windowTitle(), c.caption);
        EXPECT_EQ(picker.Label1->text(), "Click on a color to select.  Redraw\nthe map to display the new color.");
        EXPECT_EQ(picker.HelpTopic(), c.help);
        if (c.offsetTwips.x() < 0) {
            const QRect screen = QGuiApplication::primaryScreen()->geometry();
            EXPECT_EQ(picker.pos(),
                      QPoint((screen.width() - picker.width()) / 2, (screen.height() - picker.height()) / 2));
        } else {
            EXPECT_EQ(picker.pos(), opener.pos() + c.offsetTwips / 15);
        }
        EXPECT_EQ(picker.ColorSquare->y(), 990 / 15);
        EXPECT_TRUE(picker.ColorSquare->MarkerVisible());
        EXPECT_EQ(picker.ColorSquare->MarkerCell(), 37);

        const size_t before = help.requests.size();
        QTest::keyClick(&picker, Qt::Key_F1);
        ASSERT_EQ(help.requests.size(), before + 1);
        EXPECT_EQ(help.requests.back().data, c.help);
        EXPECT_EQ(help.requests.back().command, HelpCommand::HelpContext);

        // Black from the grey run is stored as black with the flag.
        picker.show();
        ClickCell(*picker.ColorSquare, 16);
        EXPECT_FALSE(picker.isVisible());
        EXPECT_EQ(d.*c.color, 0x02000000);
        EXPECT_EQ(d.*c.index, 16);
        EXPECT_EQ(d.GeoColorIndex, 0);
    }
}

TEST_F(Colors256Test, ClosingWithoutAClickOrWithAnUnknownTargetWritesNothing) {
    DesignState& d = Design();
    d.ColorTarget = TargetGreatCircle;
    const auto before = std::make_pair(d.GcColor, d.GcColorIndex);
    {
        Colors256 picker;
        picker.show();
        picker.close();
    }
    EXPECT_EQ(std::make_pair(d.GcColor, d.GcColorIndex), before);

    d.ColorTarget = 9;
    const DesignState saved = d;
    Colors256 picker;
    EXPECT_EQ(picker.windowTitle(), "Select Color");
    EXPECT_EQ(picker.HelpTopic(), 0u);
    EXPECT_FALSE(picker.ColorSquare->MarkerVisible());
    QTest::keyClick(&picker, Qt::Key_F1);
    EXPECT_TRUE(help.requests.empty());
    picker.show();
    ClickCell(*picker.ColorSquare, 12);
    EXPECT_FALSE(picker.isVisible());  // closed all the same
    EXPECT_EQ(std::make_tuple(d.GcColor, d.ScColor, d.BackColor, d.GridColor, d.GeoColorIndex),
              std::make_tuple(saved.GcColor, saved.ScColor, saved.BackColor, saved.GridColor, saved.GeoColorIndex));
}

TEST_F(Colors256Test, AFeatureColourIsFoundInThePaletteAndPickedBlackBecomesNearBlack) {
    DesignState& d = Design();
    d.ColorTarget = TargetGeofeature;
    QWidget opener;
    opener.move(30, 20);

    struct Case {
        const char* what;
        int32_t swatch;
        int16_t previous;  // GeoColorIndex before the showing
        int marked;        // and after it
        int clicked;
        int32_t applied;
    };
    const Case cases[] = {
        {"near-black is found as black", kNearBlack, 5, 0, 16, kNearBlack},
        {"a palette colour is found", PaletteRgb(0x0000FF), 5, 12, 0, kNearBlack},
        {"white is the standard white", PaletteRgb(0xFFFFFF), 5, 15, 63, PaletteColors()[63]},
        {"no flag, no match: the previous search stays", 0x0000FF, 37, 37, 12, PaletteRgb(0x0000FF)},
        {"plain black matches nothing", 0, 0, 0, 100, PaletteColors()[100]},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        d.GeoColorIndex = c.previous;
        FakeGeofeatureHost host(c.swatch);
        Colors256 picker(&opener, &host);
        EXPECT_EQ(picker.windowTitle(), "Geofeature Color");
        EXPECT_EQ(picker.HelpTopic(), 3430u);
        EXPECT_EQ(picker.Label1->text(), "     Click on a color to select.");
        EXPECT_EQ(picker.ColorSquare->y(), 600 / 15);
        EXPECT_EQ(picker.pos(), opener.pos() + QPoint(6030, 1800) / 15);
        EXPECT_EQ(d.GeoColorIndex, c.marked);
        EXPECT_EQ(picker.ColorSquare->MarkerCell(), c.marked);
        picker.show();
        ClickCell(*picker.ColorSquare, c.clicked);
        EXPECT_FALSE(picker.isVisible());
        EXPECT_EQ(host.applied, std::vector<int32_t>{c.applied});
        EXPECT_EQ(d.GeoColorIndex, c.marked);  // a click leaves the search's result
    }
}

TEST_F(Colors256Test, ColourBoxesOpenThePickerAndShowWhatItStored) {
    struct Case {
        const char* dialog;
        int16_t target;
        int32_t DesignState::*color;
        int16_t DesignState::*index;
    };
    const Case cases[] = {
        {"grid", TargetGrid, &DesignState::GridColor, &DesignState::GridColorIndex},
        {"great circle", TargetGreatCircle, &DesignState::GcColor, &DesignState::GcColorIndex},
        {"small circle", TargetSmallCircle, &DesignState::ScColor, &DesignState::ScColorIndex},
    };
    for (const Case& c : cases) {
        for (bool onSwatch : {false, true}) {
            SCOPED_TRACE(std::string(c.dialog) + (onSwatch ? ", swatch" : ", arrows"));
            DesignState& d = Design();
            d.ColorTarget = 0;
            std::unique_ptr<QDialog> dialog;
            ColorBox* box = nullptr;
            if (c.target == TargetGrid) {
                auto* g = new SelectGridType;
                box = g->GridColor;
                dialog.reset(g);
            } else if (c.target == TargetGreatCircle) {
                auto* g = new GCircleEnds;
                box = g->GcColor;
                dialog.reset(g);
            } else {
                auto* s = new SmallCircle;
                box = s->ScColor;
                dialog.reset(s);
            }
            ShowActive(*dialog);
            int16_t seenTarget = 0;
            test::WhenShown<Colors256>([&seenTarget](Colors256& picker) {
                seenTarget = Design().ColorTarget;
                ClickCell(*picker.ColorSquare, 52);
            });
            if (onSwatch) QTest::mouseClick(box->Picture, Qt::LeftButton);
            else box->Spin->click();
            EXPECT_EQ(seenTarget, c.target);
            EXPECT_EQ(d.*c.color, PaletteRgb(179 | 89 << 8));
            EXPECT_EQ(d.*c.index, 52);
            EXPECT_EQ(box->Shown(), 179 | 89 << 8);
            // Cancelling the dialog keeps the colour picked meanwhile.
            dialog->reject();
            EXPECT_EQ(d.*c.color, PaletteRgb(179 | 89 << 8));
            EXPECT_EQ(d.*c.index, 52);
            ResetDesignState();
        }
    }
}

}  // namespace
}  // namespace tlrx
