// The interruption dialog of the interrupted Mollweide projection: its
// defaults, the enabling of its fields, the lobe edges and offsets an
// accepted OK stores, the error of each fault and its field, Cancel, and the
// boundary chain it ends.

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <cmath>
#include <numbers>

#include "GeoDialogTest.h"
#include "core/Graticule.h"
#include "core/ProjParams.h"
#include "dialogs/geo/LatLonBounds.h"
#include "dialogs/geo/LatLonInterrupt.h"

namespace tlrx {
namespace {

using test::WhenShown;

class LatLonInterruptTest : public test::GeoDialogTest {
protected:
    // The state the boundary dialog's OK leaves for the interruptions.
    static void Boundaries(const char* west, const char* east, const char* spacing) {
        DesignState& d = Design();
        d.ProjCode = ProjInterruptedMollweide;
        d.ProjName = "Interrupted Mollweide Equal-Area";
        d.BoundsText[2] = "010    00    00";
        d.BoundsText[3] = west;
        d.BoundsText[4] = east;
        d.BoundsText[5] = spacing;
        CalcGraticule(d.BoundsText);
        ASSERT_FALSE(d.CalcError);
        ParamSelect();
        d.DialogCancelled = false;
        d.SubDialogPending = true;
    }
    static void SetInterruptions(LatLonInterrupt& dialog, int north, int south, const std::vector<const char*>& texts) {
        dialog.NumInterrupt[0]->setValue(north);
        dialog.NumInterrupt[1]->setValue(south);
        for (size_t i = 0; i < texts.size(); ++i)
            if (texts[i]) dialog.LonInt[i]->SetText(texts[i]);
    }
    // The x of a point of the equator, degrees from the central meridian,
    // on the unit-sphere Mollweide map.
    static double EquatorX(double degrees) {
        return 2 * std::numbers::sqrt2 / std::numbers::pi * degrees * std::numbers::pi / 180;
    }

    QWidget opener;
};

TEST_F(LatLonInterruptTest, TheDefaultsMakeThreeLobesAHemisphereAboutTheirOwnCentres) {
    Boundaries("020    00    00    E", "020    00    00    E", "010    00    00");
    DesignState& d = Design();
    LatLonInterrupt dialog(opener);
    EXPECT_EQ(dialog.windowTitle(), "Longitudes of Projection Interruptions");
    EXPECT_EQ(dialog.NumInterrupt[0]->value(), 2);
    EXPECT_EQ(dialog.NumInterrupt[1]->value(), 2);
    EXPECT_EQ(dialog.LonInt[3]->Text(), "140    00    00    E");
    EXPECT_EQ(dialog.LonW2->Text(), "020    00    00    E");
    EXPECT_EQ(dialog.LonGrid1->Text(), "010    00    00");
    EXPECT_FALSE(dialog.LonInt[2]->isEnabled());
    EXPECT_FALSE(dialog.LonInt[5]->isEnabled());
    dialog.OK->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(boxes.log.empty());

    EXPECT_EQ(d.LobeEdgeText,
              (std::array<std::string, 10>{"020    00    00    E", "100    00    00    E", "100    00    00    W",
                                           "020    00    00    E", "020    00    00    E", "140    00    00    E",
                                           "070    00    00    W", "020    00    00    E", "", ""}));
    EXPECT_EQ(d.LobeEdgeSec[2], -360000);
    EXPECT_EQ(d.LobeEdge[6], -70);
    // Lobe centres 40, 160, 300 (north) and 60, 195, 315 (south) degrees east
    // of the western boundary, the map's central meridian at 180.
    const std::pair<size_t, double> centres[] = {{1, 40}, {2, 160}, {3, 300}, {5, 60}, {6, 195}, {7, 315}};
    for (const auto& [lobe, centre] : centres) EXPECT_NEAR(d.LobeOffset[lobe], EquatorX(centre - 180), 1e-12) << lobe;
    EXPECT_EQ(d.InterruptText,
              (std::array<std::string, 10>{"2", "2", "020    00    00    E", "100    00    00    E",
                                           "100    00    00    W", "000    00    00    W", "140    00    00    E",
                                           "070    00    00    W", "000    00    00    W", "020    00    00    E"}));
    EXPECT_TRUE(d.ProjDefined[ProjInterruptedMollweide]);
    EXPECT_EQ(d.StdParProjCode, ProjInterruptedMollweide);
    EXPECT_TRUE(d.CloseDialogChain);
    EXPECT_FALSE(d.SubDialogPending);
    EXPECT_FALSE(d.DialogCancelled);
}

TEST_F(LatLonInterruptTest, WithoutInterruptionsEachHemisphereIsOneLobeWithoutOffset) {
    Boundaries("180    00    00    W", "180    00    00    E", "030    00    00");
    DesignState& d = Design();
    d.LobeOffset.fill(9);
    LatLonInterrupt dialog(opener);
    SetInterruptions(dialog, 0, 0, {"999    99    99    X"});  // disabled: neither checked nor used
    dialog.OK->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(d.LobeEdgeText[0], "180    00    00    W");
    EXPECT_EQ(d.LobeEdgeText[1], "180    00    00    E");
    EXPECT_EQ(d.LobeEdgeText[2], "180    00    00    W");
    EXPECT_EQ(d.LobeEdgeText[3], "180    00    00    E");
    EXPECT_EQ(d.LobeOffset[1], 0);
    EXPECT_EQ(d.LobeOffset[3], 0);
    EXPECT_EQ(d.InterruptText[3], "999    99    99    X");  // stored as shown
}

TEST_F(LatLonInterruptTest, LoweringACountDisablesItsFieldsAndGreysARowNoHemisphereUses) {
    Boundaries("020    00    00    E", "020    00    00    E", "010    00    00");
    LatLonInterrupt dialog(opener);
    dialog.NumInterrupt[0]->setValue(3);
    dialog.NumInterrupt[1]->setValue(3);
    for (QLabel* label : dialog.InterruptLabel)
        EXPECT_NE(label->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    dialog.NumInterrupt[0]->setValue(1);
    EXPECT_TRUE(dialog.LonInt[0]->isEnabled());
    EXPECT_FALSE(dialog.LonInt[1]->isEnabled());
    EXPECT_FALSE(dialog.LonInt[2]->isEnabled());
    EXPECT_EQ(dialog.LonInt[1]->Text(), "100    00    00    W");  // kept
    EXPECT_NE(dialog.InterruptLabel[2]->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    dialog.NumInterrupt[1]->setValue(2);
    EXPECT_EQ(dialog.InterruptLabel[2]->palette().color(QPalette::WindowText), QColor(128, 128, 128));
    EXPECT_NE(dialog.InterruptLabel[1]->palette().color(QPalette::WindowText), QColor(128, 128, 128));

    dialog.OK->click();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const DesignState& d = Design();
    EXPECT_EQ(d.InterruptText[0], "1");
    EXPECT_EQ(d.InterruptText[4], "100    00    00    W");  // disabled, still stored
    EXPECT_EQ(d.LobeEdgeText[1], "100    00    00    E");
    EXPECT_EQ(d.LobeEdgeText[2], "020    00    00    E");  // the eastern boundary follows
}

struct FaultCase {
    const char* west;
    const char* east;
    const char* spacing;
    int north, south;
    std::vector<const char*> texts;  // LonInt 0..5, nullptr: the default
    int code;
    int focus;  // LonInt element
};

TEST_F(LatLonInterruptTest, EachFaultShowsItsErrorAndFocusesItsField) {
    const char* w20 = "020    00    00    W";
    const FaultCase cases[] = {
        // Outside: a map from 100W to 100E, 120E is 220 degrees east of its west.
        {"100    00    00    W", "100    00    00    E", "010    00    00", 1, 0, {"120    00    00    E"}, 1, 0},
        {"100    00    00    W",
         "100    00    00    E",
         "010    00    00",
         3,
         0,
         {"000    00    00    E", "010    00    00    E", "120    00    00    E"},
         3,
         2},
        // West of the previous on a 360 degree map (west 20W).
        {w20, w20, "010    00    00", 2, 0, {"030    00    00    E", "010    00    00    E"}, 6, 1},
        {w20,
         w20,
         "010    00    00",
         0,
         2,
         {nullptr, nullptr, nullptr, "030    00    00    E", "010    00    00    E"},
         26,
         4},
        // At the western boundary, equal to the previous, at the eastern boundary.
        {w20, w20, "010    00    00", 1, 0, {w20}, 9, 0},
        {w20, w20, "010    00    00", 0, 1, {nullptr, nullptr, nullptr, w20}, 29, 3},
        {w20,
         w20,
         "010    00    00",
         3,
         0,
         {"030    00    00    E", "090    00    00    E", "090    00    00    E"},
         11,
         2},
        {"100    00    00    W",
         "100    00    00    E",
         "010    00    00",
         2,
         0,
         {"000    00    00    E", "100    00    00    E"},
         12,
         1},
        {"100    00    00    W",
         "100    00    00    E",
         "010    00    00",
         1,
         3,
         {"000    00    00    E", nullptr, nullptr, "000    00    00    E", "050    00    00    E",
          "100    00    00    E"},
         32,
         5},
        // Not a whole number of spacings: 40 and 70 degrees east of a 20 degree grid.
        {w20, w20, "020    00    00", 2, 0, {"020    00    00    E", "050    00    00    E"}, 14, 1},
        {w20,
         w20,
         "020    00    00",
         2,
         2,
         {"020    00    00    E", "060    00    00    E", nullptr, "020    00    00    E", "050    00    00    E"},
         34,
         4},
        {w20, w20, "020    00    00", 1, 0, {"010    00    00    E"}, 13, 0},
    };
    for (const FaultCase& c : cases) {
        ResetDesignState();
        boxes.log.clear();
        Boundaries(c.west, c.east, c.spacing);
        const auto edges = std::make_tuple(Design().LobeEdge, Design().LobeEdgeText, Design().LobeEdgeSec);
        const auto offsets = Design().LobeOffset;
        LatLonInterrupt dialog(opener);
        ShowActive(dialog);
        SetInterruptions(dialog, c.north, c.south, c.texts);
        dialog.OK->click();
        ASSERT_EQ(boxes.log.size(), 1u) << c.code;
        const InterruptError expected = InterruptErrorMessage(c.code, c.north, c.south);
        EXPECT_EQ(boxes.log[0].title, "Interrupted Longitude Error " + std::to_string(c.code));
        EXPECT_EQ(boxes.log[0].text, expected.text) << c.code;
        EXPECT_EQ(boxes.log[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(expected.focus, c.focus) << c.code;
        EXPECT_TRUE(HasFocus(dialog.LonInt[static_cast<size_t>(c.focus)])) << c.code;
        EXPECT_TRUE(dialog.isVisible());
        // Nothing is stored, the edges included.
        EXPECT_EQ(std::make_tuple(Design().LobeEdge, Design().LobeEdgeText, Design().LobeEdgeSec), edges) << c.code;
        EXPECT_EQ(Design().LobeOffset, offsets);
        EXPECT_FALSE(Design().ProjDefined[ProjInterruptedMollweide]);
        EXPECT_TRUE(Design().DialogCancelled);
        dialog.reject();
    }
}

TEST_F(LatLonInterruptTest, TheErrorTextsReadAsWritten) {
    const std::string a =
        "As you view the interrupted projection, the longitude of each interruption\n"
        "should lie east (to the right) of the previous interruption; or, in the case\n"
        "of the first interruption, east (to the right) of the left (western)\n"
        "map boundary.";
    const std::string b =
        "As you view the interrupted projection, the longitude of each interruption\n"
        "should lie east (to the right) of the previous interruption; or, in the case\n"
        "of the first interruption, east (to the right) of the left (western) map\n"
        "boundary.";
    const std::pair<int, std::string> cases[] = {
        {2, "Interrupted longitude #2 in the Northern hemisphere lies outside the\nmap boundaries.\n\n" + a},
        {25,
         "Interrupted longitude #1 in the Southern hemisphere is west (to the left)\nof the left (western) map "
         "boundary.\n\n" +
             a},
        {7,
         "Interrupted longitude #3 in the Northern hemisphere is west (to the left)\nof interrupted longitude "
         "#2.\n\n" +
             b},
        {9, "Interrupted longitude #1 in the Northern hemisphere equals the left\n(western) map boundary.\n\n" + a},
        {30, "Interrupted longitude #2 in the Southern hemisphere equals\ninterrupted longitude #1.\n\n" + b},
        {12,
         "The last interrupted longitude in the Northern hemisphere equals the\nright (eastern) map "
         "boundary.\n\n" +
             b},
        {33,
         "In the Southern hemisphere, the longitude difference between interrupted\nlongitude #1 and the left "
         "(western) map boundary does not yield an integral\nnumber of divisions when divided by the GRID "
         "SPACING."},
        {15,
         "In the Northern hemisphere, the longitude difference between interrupted\nlongitude #3 and interrupted "
         "longitude #2 does not yield an integral number\nof divisions when divided by the GRID SPACING."},
    };
    for (const auto& [code, text] : cases) {
        const InterruptError e = InterruptErrorMessage(code, 3, 3);
        EXPECT_EQ(e.text, text) << code;
        EXPECT_EQ(e.title, "Interrupted Longitude Error " + std::to_string(code));
    }
    EXPECT_EQ(InterruptErrorMessage(13, 1, 1).title, "Interrupted Longitude Error 13");
}

TEST_F(LatLonInterruptTest, AFieldIsCheckedUnderItsHemispheresTitleAndCancelPutsBackItsOpeningText) {
    Boundaries("020    00    00    E", "020    00    00    E", "010    00    00");
    LatLonInterrupt dialog(opener);
    ShowActive(dialog);
    Leave(dialog.LonInt[4], "100    00    00    N");
    EXPECT_EQ(Shown(), std::vector<std::string>{
                           "Error: Interrupted longitude #2 in Southern hemisphere | Hemisphere must be W or E"});
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::RetryCancel);
    EXPECT_TRUE(HasFocus(dialog.LonInt[4]));

    // Leaving the field again asks again; Cancel puts its opening text back.
    boxes.answers = {MsgAnswer::Cancel, MsgAnswer::Cancel};
    Leave(dialog.LonInt[0], "181    00    00    E");
    EXPECT_EQ(dialog.LonInt[4]->Text(), "070    00    00    W");
    EXPECT_EQ(boxes.log.back().title, "Error: Interrupted longitude #1 in Northern hemisphere");
    EXPECT_EQ(boxes.log.back().text, "Degrees must be <= 180");
    EXPECT_EQ(dialog.LonInt[0]->Text(), "100    00    00    E");
}

TEST_F(LatLonInterruptTest, CancelAfterARejectedOkPutsBackEveryText) {
    DesignState& d = Design();
    d.InterruptText = {"1", "0", "a", "b", "c", "d", "e", "f", "g", "h"};
    const auto before = d.InterruptText;
    Boundaries("020    00    00    E", "020    00    00    E", "010    00    00");
    LatLonInterrupt dialog(opener);
    EXPECT_EQ(d.InterruptText[2], "020    00    00    E");  // the boundaries, and the defaults
    EXPECT_EQ(d.InterruptText[3], "100    00    00    E");
    dialog.LonInt[0]->SetText("020    00    00    E");
    dialog.OK->click();
    ASSERT_EQ(boxes.log.size(), 1u);
    dialog.Cancel->click();
    EXPECT_EQ(d.InterruptText, before);
    EXPECT_FALSE(d.DialogCancelled);
    EXPECT_FALSE(d.SubDialogPending);
    EXPECT_FALSE(d.CloseDialogChain);
}

TEST_F(LatLonInterruptTest, HelpAndPlacement) {
    Boundaries("020    00    00    E", "020    00    00    E", "010    00    00");
    opener.move(100, 60);
    LatLonInterrupt dialog(opener);
    EXPECT_EQ(dialog.pos(), QPoint(100 + 390 / 15, 60 + 390 / 15));
    ShowActive(dialog);
    const std::pair<QWidget*, uint32_t> cases[] = {
        {dialog.NumInterrupt[1], 3510}, {dialog.LonInt[0], 3520}, {dialog.LonInt[3], 3520}, {dialog.OK, 3500},
        {dialog.Cancel, 3500},
    };
    for (const auto& [widget, topic] : cases) {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_F1);
        ASSERT_FALSE(help.requests.empty());
        EXPECT_EQ(help.requests.back().data, topic);
    }
}

TEST_F(LatLonInterruptTest, TheBoundaryDialogOpensItAndItsOkClosesBoth) {
    DesignState& d = Design();
    d.ProjCode = ProjInterruptedMollweide;
    d.ProjName = "Interrupted Mollweide Equal-Area";
    const auto texts = d.BoundsText;
    LatLonBounds bounds;
    int shown = 0;
    // Cancel returns to the boundaries, which stay open; OK there opens it again.
    WhenShown<LatLonInterrupt>([&](LatLonInterrupt& i) {
        ++shown;
        i.Cancel->click();
    });
    bounds.OK->click();
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(bounds.Completed());
    EXPECT_FALSE(d.SubDialogPending);
    WhenShown<LatLonInterrupt>([&](LatLonInterrupt& i) {
        ++shown;
        i.OK->click();
    });
    bounds.OK->click();
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(bounds.Completed());
    EXPECT_FALSE(d.CloseDialogChain);
    EXPECT_EQ(d.BoundsText[3], "020    00    00    E");
    EXPECT_EQ(d.InterruptText[0], "2");
    EXPECT_NE(d.BoundsText, texts);
}

}  // namespace
}  // namespace tlrx
