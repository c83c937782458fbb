// The standard parallel dialog and the boundary chain it ends: the mirrored
// parallel, the rules of each field and of OK, the defaults it starts from,
// Cancel, and how the chain closes or is put back.

#include <QLabel>
#include <QPushButton>

#include "GeoDialogTest.h"
#include "core/Graticule.h"
#include "core/ProjectionTable.h"
#include "dialogs/geo/LatLonBounds.h"
#include "dialogs/geo/LatLonStdPar.h"

namespace tlrx {
namespace {

using test::WhenShown;

class LatLonStdParTest : public test::GeoDialogTest {
protected:
    // The state the boundary dialog's OK leaves for the second dialog.
    static void Boundaries(int16_t code, const char* north, const char* south,
                           const char* spacing = "010    00    00") {
        DesignState& d = Design();
        d.ProjCode = code;
        d.ProjName = std::string(FindProjection(code)->name);
        d.BoundsText[0] = north;
        d.BoundsText[1] = south;
        d.BoundsText[2] = spacing;
        CalcGraticule(d.BoundsText);
        ASSERT_FALSE(d.CalcError);
        d.DialogCancelled = false;
        d.SubDialogPending = true;
    }
    QWidget opener;
};

TEST_F(LatLonStdParTest, OneParallelIsMirroredSouthOfTheEquator) {
    Boundaries(ProjEquirectangular, "90    00    00    N", "90    00    00    S");
    LatLonStdPar dialog(opener);
    ShowActive(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Latitudes of Standard Parallels");
    EXPECT_FALSE(dialog.LatSouthStdPar->isEnabled());
    EXPECT_EQ(dialog.LatNorth->text(), "90    00    00    N");
    EXPECT_EQ(dialog.LatSouth->text(), "90    00    00    S");
    EXPECT_EQ(dialog.LatNorthStdPar->Text(), "45    00    00    N");  // the default for the whole world
    EXPECT_EQ(dialog.LatSouthStdPar->Text(), "45    00    00    S");

    Leave(dialog.LatNorthStdPar, "30    00    00    N");
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(dialog.LatSouthStdPar->Text(), "30    00    00    S");

    // A southern letter is refused; the mirror follows the field whatever the answer.
    Leave(dialog.LatNorthStdPar, "20    00    00    S");
    EXPECT_EQ(Shown(), std::vector<std::string>{"Error: Northernmost standard parallel | Hemisphere must be N"});
    EXPECT_TRUE(HasFocus(dialog.LatNorthStdPar));
    EXPECT_EQ(dialog.LatSouthStdPar->Text(), "20    00    00    S");
    boxes.answers = {MsgAnswer::Cancel};
    QTest::keyClick(dialog.LatNorthStdPar, Qt::Key_Tab);
    EXPECT_EQ(dialog.LatNorthStdPar->Text(), "45    00    00    N");  // StdParText 0
    EXPECT_EQ(dialog.LatSouthStdPar->Text(), "45    00    00    S");
}

TEST_F(LatLonStdParTest, TheMirroredParallelMayLieOnTheEquatorButNotOnAPole) {
    Boundaries(ProjCylEqualArea, "90    00    00    N", "90    00    00    S");
    {
        LatLonStdPar dialog(opener);
        ShowActive(dialog);
        Leave(dialog.LatNorthStdPar, "90    00    00    N");
        EXPECT_EQ(Shown(), std::vector<std::string>{
                               "Error: Northernmost standard parallel | The latitude of the NORTHERNMOST STANDARD "
                               "PARALLEL cannot be 90° for the Cylindrical Equal-Area projection."});
        dialog.LatNorthStdPar->SetText("00    00    00    N");
        dialog.OK->click();
        EXPECT_TRUE(dialog.result() == QDialog::Accepted);
    }
    const DesignState& d = Design();
    EXPECT_EQ(d.StdParText, (std::array<std::string, 2>{"00    00    00    N", "00    00    00    S"}));
    EXPECT_EQ(d.StdParNorthText, "00    00    00    N");
    EXPECT_EQ(d.StdParSouthText, "00    00    00    S");
    EXPECT_EQ(d.StdParNorth, 0);
    EXPECT_EQ(d.StdParSouth, 0);
    EXPECT_EQ(d.CosStdParNorth, 1);  // the projection parameters follow
    EXPECT_EQ(d.StdParProjCode, ProjCylEqualArea);
    EXPECT_TRUE(d.ProjDefined[ProjCylEqualArea]);
    EXPECT_FALSE(d.DialogCancelled);
    EXPECT_FALSE(d.SubDialogPending);
    EXPECT_TRUE(d.CloseDialogChain);
}

TEST_F(LatLonStdParTest, OkRefusesConicParallelsThatAreEqualSymmetricOrOutOfOrder) {
    struct Case {
        const char* north;
        const char* south;
        const char* shown;
    };
    const std::string pair = "Error: Standard parallels | ";
    const Case cases[] = {
        {"30    00    00    N", "30    00    00    S",
         "The latitudes of the NORTHERN- and SOUTHERNMOST STANDARD PARALLELS  cannot be equal, and they cannot be "
         "symmetric about the equator."},
        {"30    00    00    N", "30    00    00    N",
         "The latitudes of the NORTHERN- and SOUTHERNMOST STANDARD PARALLELS  cannot be equal, and they cannot be "
         "symmetric about the equator."},
        {"20    00    00    N", "40    00    00    N",
         "The latitude of the NORTHERNMOST STANDARD PARALLEL must be greater than that of the SOUTHERNMOST "
         "STANDARD PARALLEL."},
    };
    Boundaries(ProjEquidistantConic, "90    00    00    N", "90    00    00    S");
    LatLonStdPar dialog(opener);
    const auto stored = Design().StdParText;
    ShowActive(dialog);
    for (const Case& c : cases) {
        boxes.log.clear();
        dialog.LatNorthStdPar->SetText(c.north);
        dialog.LatSouthStdPar->SetText(c.south);
        dialog.LatSouthStdPar->setFocus();
        dialog.OK->click();
        EXPECT_EQ(Shown(), std::vector<std::string>{pair + c.shown}) << c.north << c.south;
        EXPECT_EQ(boxes.log[0].buttons, MsgButtons::Ok);
        EXPECT_TRUE(HasFocus(dialog.LatNorthStdPar));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Design().StdParText, stored);
        EXPECT_EQ(Design().StdParProjCode, 0);
    }
}

TEST_F(LatLonStdParTest, AConicParallelMayReachTheMapsBoundaryButNotPassIt) {
    Boundaries(ProjAlbers, "60    00    00    N", "00    00    00    N");
    LatLonStdPar dialog(opener);
    ShowActive(dialog);
    EXPECT_EQ(dialog.LatNorthStdPar->Text(), "50    00    00    N");  // a sixth inside the boundaries
    EXPECT_EQ(dialog.LatSouthStdPar->Text(), "10    00    00    N");
    Leave(dialog.LatNorthStdPar, "60    00    00    N");
    Leave(dialog.LatSouthStdPar, "00    00    00    N");
    EXPECT_TRUE(boxes.log.empty());
    boxes.answers = {MsgAnswer::Cancel, MsgAnswer::Cancel};
    Leave(dialog.LatNorthStdPar, "61    00    00    N");
    Leave(dialog.LatSouthStdPar, "00    00    01    S");
    EXPECT_EQ(Shown(), (std::vector<std::string>{
                           "Error: Northernmost standard parallel | The latitude of the NORTHERNMOST STANDARD "
                           "PARALLEL must be less than that of the NORTHERNMOST LATITUDE of the grid.",
                           "Error: Southernmost standard parallel | The latitude of the SOUTHERNMOST STANDARD "
                           "PARALLEL must be greater than that of the SOUTHERNMOST LATITUDE of the grid."}));
}

TEST_F(LatLonStdParTest, ConformalConicKeepsTheApexOnTheSideOfThePoleShown) {
    Boundaries(ProjConformalConic, "90    00    00    N", "80    00    00    S");
    {
        LatLonStdPar dialog(opener);
        ShowActive(dialog);
        dialog.LatNorthStdPar->SetText("30    00    00    N");
        dialog.LatSouthStdPar->SetText("60    00    00    S");
        dialog.OK->click();
        EXPECT_EQ(Shown(), std::vector<std::string>{
                               "Error: Conformal Conic standard parallels | For maps which show the North Pole "
                               "(90°N), the NORTHERNMOST STANDARD PARALLEL must be further from the equator than "
                               "the SOUTHERNMOST STANDARD PARALLEL."});
        dialog.LatNorthStdPar->SetText("60    00    00    N");
        dialog.LatSouthStdPar->SetText("30    00    00    N");
        dialog.OK->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(Design().StdParNorth, 60);
    EXPECT_EQ(Design().StdParSouth, 30);
    EXPECT_GT(Design().ConicN, 0.6);  // the cone of 30 and 60 degrees north

    // No parallel of a conformal conic lies on a pole, even on a map that
    // reaches it.
    boxes.log.clear();
    Boundaries(ProjConformalConic, "80    00    00    N", "90    00    00    S");
    LatLonStdPar dialog(opener);
    ShowActive(dialog);
    Leave(dialog.LatSouthStdPar, "90    00    00    S");
    EXPECT_EQ(Shown(), std::vector<std::string>{
                           "Error: Southernmost standard parallel | The latitude of the SOUTHERNMOST STANDARD "
                           "PARALLEL cannot be 90° for the Conformal Conic projection."});
}

TEST_F(LatLonStdParTest, StartsFromDefaultsUnlessTheParallelsWereAcceptedForTheSameGroup) {
    DesignState& d = Design();
    // The Equirectangular parallel was accepted; a conic defined before starts afresh.
    d.StdParProjCode = ProjEquirectangular;
    d.StdParText = {"45    00    00    N", "45    00    00    S"};
    MarkDefined(ProjEquidistantConic);
    Boundaries(ProjEquidistantConic, "90    00    00    N", "90    00    00    S");
    {
        LatLonStdPar dialog(opener);
        EXPECT_EQ(dialog.LatNorthStdPar->Text(), "60    00    00    N");
        EXPECT_EQ(dialog.LatSouthStdPar->Text(), "00    00    00    N");  // not symmetric about the equator
    }
    // Another conic defined before keeps the parallels last accepted for a conic.
    d.StdParProjCode = ProjConformalConic;
    d.StdParText = {"50    00    00    N", "20    00    00    N"};
    MarkDefined(ProjAlbers);
    Boundaries(ProjAlbers, "90    00    00    N", "90    00    00    S");
    {
        LatLonStdPar dialog(opener);
        EXPECT_EQ(dialog.LatNorthStdPar->Text(), "50    00    00    N");
        EXPECT_EQ(dialog.LatSouthStdPar->Text(), "20    00    00    N");
    }
    // Not defined yet: defaults whatever was accepted.
    Boundaries(ProjCylEqualArea, "60    00    00    N", "20    00    00    N");
    d.StdParProjCode = ProjEquirectangular;
    LatLonStdPar dialog(opener);
    EXPECT_EQ(dialog.LatNorthStdPar->Text(), "40    00    00    N");
}

TEST_F(LatLonStdParTest, CancelPutsAllSixValuesBack) {
    DesignState& d = Design();
    Boundaries(ProjAlbers, "90    00    00    N", "90    00    00    S");
    d.StdParText = {"40    00    00    N", "20    00    00    N"};
    d.StdParNorthText = "41    00    00    N";
    d.StdParSouthText = "21    00    00    N";
    d.StdParNorth = 41;
    d.StdParSouth = 21;
    LatLonStdPar dialog(opener);
    EXPECT_EQ(d.StdParNorth, 60);  // the defaults, computed on loading
    EXPECT_TRUE(d.DialogCancelled);
    dialog.Cancel->click();
    EXPECT_EQ(d.StdParText, (std::array<std::string, 2>{"40    00    00    N", "20    00    00    N"}));
    EXPECT_EQ(d.StdParNorthText, "41    00    00    N");
    EXPECT_EQ(d.StdParSouthText, "21    00    00    N");
    EXPECT_EQ(d.StdParNorth, 41);
    EXPECT_EQ(d.StdParSouth, 21);
    EXPECT_FALSE(d.DialogCancelled);
    EXPECT_FALSE(d.SubDialogPending);
    EXPECT_FALSE(d.CloseDialogChain);
    EXPECT_FALSE(d.ProjDefined[ProjAlbers]);
}

TEST_F(LatLonStdParTest, HelpTopicsAndPlacement) {
    Boundaries(ProjAlbers, "90    00    00    N", "90    00    00    S");
    opener.move(100, 80);
    LatLonStdPar dialog(opener);
    EXPECT_EQ(dialog.pos(), QPoint(100 + 390 / 15, 80 + 390 / 15));
    ShowActive(dialog);
    const std::pair<QWidget*, uint32_t> cases[] = {
        {dialog.LatNorthStdPar, 2610}, {dialog.LatSouthStdPar, 2620}, {dialog.OK, 330}, {dialog.Cancel, 330}};
    for (const auto& [widget, topic] : cases) {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_F1);
        ASSERT_FALSE(help.requests.empty());
        EXPECT_EQ(help.requests.back().data, topic);
    }
}

// ---- The boundary chain ----

class BoundaryChainTest : public test::GeoDialogTest {};

TEST_F(BoundaryChainTest, CancelInTheSecondDialogReturnsToTheFirstAndOkThereClosesBoth) {
    DesignState& d = Design();
    d.ProjCode = ProjAlbers;
    d.ProjName = "Albers Equal-Area";
    LatLonBounds bounds;
    ShowActive(bounds);
    bounds.LatS->SetText("00    00    00    N");

    // Cancel in the second dialog: the first stays open, its edit pending.
    std::string firstOffer;
    WhenShown<LatLonStdPar>([&](LatLonStdPar& second) {
        EXPECT_FALSE(d.CloseDialogChain);
        EXPECT_TRUE(d.SubDialogPending);
        firstOffer = second.LatNorthStdPar->Text();
        second.LatNorthStdPar->SetText("80    00    00    N");
        second.Cancel->click();
    });
    bounds.OK->click();
    EXPECT_EQ(firstOffer, "75    00    00    N");
    EXPECT_TRUE(bounds.isVisible());
    EXPECT_FALSE(d.CloseDialogChain);
    EXPECT_FALSE(d.SubDialogPending);
    EXPECT_TRUE(d.DialogCancelled);
    EXPECT_EQ(d.BoundsText[1], "00    00    00    N");  // stored by the accepted OK

    // OK again opens the second dialog afresh; its OK closes both.
    std::string secondOffer;
    WhenShown<LatLonStdPar>([&](LatLonStdPar& second) {
        secondOffer = second.LatNorthStdPar->Text();
        second.OK->click();
    });
    bounds.OK->click();
    EXPECT_EQ(secondOffer, "75    00    00    N");
    EXPECT_FALSE(bounds.isVisible());
    EXPECT_TRUE(bounds.Completed());
    EXPECT_FALSE(d.CloseDialogChain);
    EXPECT_FALSE(d.SubDialogPending);
    EXPECT_FALSE(d.DialogCancelled);
    EXPECT_TRUE(d.ProjDefined[ProjAlbers]);
    EXPECT_EQ(d.StdParNorth, 75);
    EXPECT_EQ(d.StdParSouth, 15);
    EXPECT_EQ(d.LatSouth, 0);
}

TEST_F(BoundaryChainTest, AChainEndedWithoutCompletionPutsTheDesignBack) {
    DesignState& d = Design();
    d.ProjCode = ProjAlbers;
    d.ProjName = "Albers Equal-Area";
    const auto texts = d.BoundsText;
    const auto derived = Derived();
    int restored = 0;
    {
        LatLonBounds bounds(nullptr, [&] {
            ++restored;
            // The opener's restore runs before the design is derived again.
            d.ProjCode = ProjEquirectangular;
            d.ProjName = "Equirectangular";
        });
        ShowActive(bounds);
        bounds.LatN->SetText("60    00    00    N");
        bounds.LatS->SetText("00    00    00    N");
        WhenShown<LatLonStdPar>([](LatLonStdPar& second) { second.Cancel->click(); });
        bounds.OK->click();
        EXPECT_EQ(d.LatNorth, 60);  // derived from the accepted boundaries meanwhile
        bounds.Cancel->click();
        EXPECT_FALSE(bounds.Completed());
    }
    EXPECT_EQ(restored, 1);
    EXPECT_EQ(d.BoundsText, texts);
    EXPECT_EQ(Derived(), derived);
    EXPECT_FALSE(d.ProjDefined[ProjAlbers]);
    EXPECT_FALSE(d.DialogCancelled);
    EXPECT_FALSE(d.CalcError);
    EXPECT_TRUE(boxes.log.empty());
}

}  // namespace
}  // namespace tlrx
