// The UTM dialog chain: the spheroid list, the zone's parameters and the
// metre boundaries in the user's number format, the UTM grid check with its
// messages and fields, how the chain closes, and what an unfinished chain
// puts back.

#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <map>

#include "GeoDialogTest.h"
#include "core/Utm.h"
#include "core/UtmGrid.h"
#include "dialogs/common/DigitField.h"
#include "dialogs/geo/UtmChain.h"

namespace tlrx {
namespace {

using test::WhenShown;

class UtmChainTest : public test::GeoDialogTest {
protected:
    UtmChainTest() {
        Design().ProjCode = ProjUtm;
        Design().ProjName = "UTM";
    }
    static std::string Display(const QLineEdit* field) { return field->displayText().toStdString(); }
    // What the chain may change.
    static auto ZoneValues() {
        const DesignState& d = Design();
        return std::make_tuple(d.UtmSpheroidName, d.UtmText, d.CentLonSec, d.CentLatSec, d.CentralMeridian, d.CentLon,
                               d.CentLat, d.CentLonText, d.CentLatText, d.UtmSemiMajorAxis, d.UtmFlattening,
                               d.UtmFalseEasting, d.UtmFalseNorthing, d.UtmScaleFactor, d.UtmEccSq, d.UtmM0,
                               d.LatNorthSec, d.FrameEastSec, d.MapXMax);
    }
};

TEST_F(UtmChainTest, TheSpheroidListOffersNineNamesAndStoresTheChosenOneWithoutItsBlank) {
    Design().UtmSpheroidName = "Hayford";  // not one of the nine
    UtmSpheroid dialog;
    EXPECT_EQ(dialog.windowTitle(), "Select UTM Spheroid");
    EXPECT_EQ(dialog.pos(), QPoint(1005 / 15, 720 / 15));
    ASSERT_EQ(dialog.Ellipsoid->count(), 9);
    EXPECT_EQ(dialog.Ellipsoid->item(0)->text(), " Airy 1830");
    EXPECT_EQ(dialog.Ellipsoid->item(8)->text(), " WGS84 1984");
    EXPECT_EQ(dialog.Ellipsoid->currentRow(), 0);

    std::vector<std::string> names;
    WhenShown<UtmParameters>([&](UtmParameters& p) {
        names.push_back(Design().UtmSpheroidName);
        p.Cancel->click();
    });
    dialog.OK->click();
    dialog.Ellipsoid->setCurrentRow(8);
    WhenShown<UtmParameters>([&](UtmParameters& p) {
        names.push_back(Design().UtmSpheroidName);
        p.Cancel->click();
    });
    dialog.OK->click();
    EXPECT_EQ(names, (std::vector<std::string>{"Airy 1830", "WGS84 1984"}));
    EXPECT_FALSE(dialog.Completed());  // still open for another OK

    ShowActive(dialog);
    for (QWidget* w : {static_cast<QWidget*>(dialog.Ellipsoid), static_cast<QWidget*>(dialog.OK)}) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_F1);
        ASSERT_FALSE(help.requests.empty());
        EXPECT_EQ(help.requests.back().data, 280u);
    }
}

TEST_F(UtmChainTest, MetresAreShownInTheUsersFormatAndStoredAsDigitsTheScaleWithAPoint) {
    DesignState& d = Design();
    struct Case {
        QLocale::Language language;
        QLocale::Country country;
        const char *easting, *northing, *scale, *typedScale, *north;
    };
    const Case cases[] = {
        {QLocale::English, QLocale::UnitedStates, "0,500,000", "00,000,000", "0.9996", "0.9995", "06,200,000"},
        {QLocale::German, QLocale::Germany, "0.500.000", "00.000.000", "0,9996", "0,9995", "06.200.000"},
    };
    for (const Case& c : cases) {
        ResetDesignState();
        Design().ProjCode = ProjUtm;
        const test::UserLocale locale(c.language, c.country);
        UtmSpheroid spheroid;
        UtmParameters parameters(spheroid);
        EXPECT_EQ(Display(parameters.UtmEasting), c.easting);
        EXPECT_EQ(Display(parameters.UtmNorthing), c.northing);
        EXPECT_EQ(Display(parameters.UtmScale), c.scale);
        parameters.UtmScale->setText(c.typedScale);
        parameters.UtmNorthing->SetDigits("1000");
        std::string north;
        WhenShown<UtmCoords>([&](UtmCoords& coords) {
            north = Display(coords.UtmLatN);
            coords.Cancel->click();
        });
        parameters.OK->click();
        EXPECT_EQ(north, c.north);
        EXPECT_EQ(d.UtmText[2], "0500000");
        EXPECT_EQ(d.UtmText[3], "00001000");
        EXPECT_EQ(d.UtmText[4], "0.9995");
        EXPECT_EQ(d.UtmScaleFactor, 0.9995);
        EXPECT_EQ(d.UtmFalseNorthing, 1000);
    }
}

TEST_F(UtmChainTest, TheAngleFieldsOfTheParametersAreCheckedUnderTheirTitles) {
    UtmSpheroid spheroid;
    UtmParameters parameters(spheroid);
    EXPECT_EQ(parameters.windowTitle(), "Select UTM Parameters");
    ShowActive(parameters);
    Leave(parameters.UtmLonCentral, "009    00    00    N");
    EXPECT_EQ(Shown(), std::vector<std::string>{"Error: Central longitude | Hemisphere must be W or E"});
    EXPECT_TRUE(HasFocus(parameters.UtmLonCentral));  // Retry
    boxes.answers = {MsgAnswer::Cancel};
    QTest::keyClick(parameters.UtmLonCentral, Qt::Key_Tab);
    EXPECT_EQ(parameters.UtmLonCentral->Text(), "009    00    00    W");
    boxes.log.clear();
    Leave(parameters.UtmLatOrigin, "90    00    01    S");
    EXPECT_EQ(Shown(), std::vector<std::string>{"Error: Latitude of map origin | Latitude cannot be > 90  00  00"});
    parameters.UtmLatOrigin->SetText("00    00    00    N");

    const std::pair<QWidget*, uint32_t> topics[] = {
        {parameters.UtmLonCentral, 2650}, {parameters.UtmLatOrigin, 2660}, {parameters.UtmEasting, 2670},
        {parameters.UtmNorthing, 2680},   {parameters.UtmScale, 2690},     {parameters.Cancel, 290},
    };
    for (const auto& [widget, topic] : topics) {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_F1);
        EXPECT_EQ(help.requests.back().data, topic);
    }
    EXPECT_EQ(parameters.pos(), spheroid.pos() + QPoint(390 / 15, 390 / 15));
}

struct GridCase {
    std::array<const char*, 6> digits;  // north, south, N/S spacing, west, east, E/W spacing
    const char* message;
    const char* focus;
    std::vector<size_t> restored;  // fields Cancel puts back (0 = UtmLatN)
};

TEST_F(UtmChainTest, TheGridCheckShowsTheFirstFaultFocusesItsFieldAndCancelPutsItsFieldsBack) {
    const GridCase cases[] = {
        {{"5600000", "6200000", "0", "300000", "800000", "100000"},
         "The METERS BETWEEN NORTH/SOUTH GRID MARKS must be > 0.",
         "UtmLatGrid",
         {2}},
        {{"6200000", "5600000", "100000", "300000", "800000", "0"},
         "The METERS BETWEEN EAST/WEST GRID MARKS must be > 0.",
         "UtmLonGrid",
         {5}},
        {{"5600000", "6250000", "100000", "300000", "800000", "100000"},
         "The METERS BETWEEN NORTH/SOUTH GRID MARKS does not yield an integral number of divisions along the axis.",
         "UtmLatGrid",
         {2}},
        {{"5600000", "6200000", "100000", "300000", "800000", "100000"},
         "The NORTHERN BOUNDARY is south of the SOUTHERN BOUNDARY.",
         "UtmLatN",
         {0, 1}},
        {{"6200000", "6200000", "100000", "300000", "800000", "100000"},
         "The NORTHERN and SOUTHERN BOUNDARIES are equal.",
         "UtmLatN",
         {0, 1}},
        {{"6200000", "5600000", "100000", "300000", "850000", "100000"},
         "The METERS BETWEEN EAST/WEST GRID MARKS does not yield an integral number of divisions along the axis.",
         "UtmLonGrid",
         {5}},
        {{"6200000", "5600000", "100000", "800000", "300000", "100000"},
         "The EASTERN BOUNDARY is west of the WESTERN BOUNDARY.",
         "UtmLonW",
         {3, 4}},
        {{"6200000", "5600000", "100000", "800000", "800000", "100000"},
         "The EASTERN and WESTERN BOUNDARIES are equal.",
         "UtmLonW",
         {3, 4}},
    };
    UtmSpheroid spheroid;
    for (const GridCase& c : cases) {
        UtmCoords coords(spheroid);
        ShowActive(coords);
        const std::array<DigitField*, 6> fields = {coords.UtmLatN, coords.UtmLatS, coords.UtmLatGrid,
                                                   coords.UtmLonW, coords.UtmLonE, coords.UtmLonGrid};
        const std::map<std::string, DigitField*> named = {{"UtmLatN", coords.UtmLatN},
                                                          {"UtmLatGrid", coords.UtmLatGrid},
                                                          {"UtmLonW", coords.UtmLonW},
                                                          {"UtmLonGrid", coords.UtmLonGrid}};
        const std::array<std::string, 11> opening = Design().UtmText;
        std::array<std::string, 6> typed;
        for (size_t i = 0; i < 6; ++i) {
            fields[i]->SetDigits(c.digits[i]);
            typed[i] = fields[i]->PaddedDigits();
        }
        for (const MsgAnswer answer : {MsgAnswer::Retry, MsgAnswer::Cancel}) {
            boxes.log.clear();
            boxes.answers = {answer};
            coords.OK->click();
            ASSERT_EQ(Shown(), std::vector<std::string>{std::string("Error: UTM projection | ") + c.message});
            EXPECT_EQ(boxes.log[0].buttons, MsgButtons::RetryCancel);
            EXPECT_TRUE(coords.isVisible());
            EXPECT_FALSE(Design().CalcError);
            if (answer == MsgAnswer::Retry) {
                EXPECT_TRUE(HasFocus(named.at(c.focus))) << c.message;
            }
        }
        // Cancel: the offending fields show the texts the dialog opened with.
        for (size_t i = 0; i < 6; ++i) {
            const bool restored = std::find(c.restored.begin(), c.restored.end(), i) != c.restored.end();
            EXPECT_EQ(fields[i]->Digits(), restored ? opening[i + 5] : typed[i]) << c.message << " field " << i;
        }
        coords.Cancel->click();
        EXPECT_EQ(Design().UtmText[5], "06200000");  // put back on closing
        EXPECT_EQ(Design().UtmText[8], "0300000");
    }
}

TEST_F(UtmChainTest, AnAcceptedChainClosesAllThreeDialogsAtOnce) {
    DesignState& d = Design();
    WhenShown<UtmParameters>([](UtmParameters& p) {
        p.UtmLonCentral->SetText("003    00    00    E");
        WhenShown<UtmCoords>([](UtmCoords& c) {
            c.UtmLatN->SetDigits("5700000");
            c.UtmLatS->SetDigits("5400000");
            c.UtmLatGrid->SetDigits("50000");
            c.UtmLonW->SetDigits("400000");
            c.UtmLonE->SetDigits("700000");
            c.UtmLonGrid->SetDigits("50000");
            c.OK->click();
        });
        p.OK->click();
    });
    UtmSpheroid dialog;
    dialog.Ellipsoid->setCurrentRow(8);
    dialog.OK->click();
    EXPECT_TRUE(dialog.Completed());
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_FALSE(d.CloseDialogChain);
    EXPECT_FALSE(d.DialogCancelled);
    EXPECT_EQ(d.UtmSpheroidName, "WGS84 1984");
    EXPECT_EQ(d.UtmSemiMajorAxis, 6378137.0);
    EXPECT_EQ(d.CentralMeridian, 3);
    EXPECT_EQ(d.UtmText[5], "05700000");
    EXPECT_EQ(d.UtmText[10], "0050000");
    EXPECT_EQ(d.LatNorth, 5700000);
    EXPECT_EQ(d.NumLonDivisions, 6);
    EXPECT_EQ(d.MapXMax - d.MapXMin, 300000);
    EXPECT_EQ(d.MapYMax - d.MapYMin, 300000);
}

TEST_F(UtmChainTest, AChainLeftUnfinishedPutsBackEverythingItChanged) {
    CalcUtmZone();
    CalcUtmGrid(Design().UtmText);
    const auto before = ZoneValues();
    bool restored = false;
    std::vector<std::string> seen;
    WhenShown<UtmParameters>([&](UtmParameters& p) {
        p.UtmLonCentral->SetText("003    00    00    E");
        p.UtmScale->SetGroups({"1", "0"});
        WhenShown<UtmCoords>([&](UtmCoords& c) {
            c.UtmLatN->SetDigits("7050000");
            c.OK->click();  // refused: the spacing does not divide
            c.Cancel->click();
        });
        p.OK->click();
        // Back in the parameters: the boundaries as they were, the zone of this OK.
        seen.push_back(Design().UtmText[5]);
        seen.push_back(std::to_string(Design().UtmSemiMajorAxis));
        p.Cancel->click();
    });
    UtmSpheroid dialog(nullptr, [&] { restored = true; });
    dialog.Ellipsoid->setCurrentRow(5);  // International 1924
    dialog.OK->click();
    EXPECT_EQ(seen, (std::vector<std::string>{"06200000", "6378388.000000"}));
    EXPECT_EQ(Design().UtmText[0], "003    00    00    E");  // kept by the parameters' OK
    EXPECT_FALSE(restored);

    dialog.Cancel->click();
    EXPECT_TRUE(restored);
    EXPECT_FALSE(dialog.Completed());
    EXPECT_EQ(ZoneValues(), before);
    EXPECT_EQ(Design().UtmSpheroidName, "Clarke 1866");
    EXPECT_FALSE(Design().DialogCancelled);
    EXPECT_FALSE(Design().CloseDialogChain);
}

TEST_F(UtmChainTest, CancellingTheParametersBeforeTheirOkPutsTheirTextsBack) {
    const auto texts = Design().UtmText;
    UtmSpheroid spheroid;
    UtmParameters parameters(spheroid);
    parameters.UtmLonCentral->SetText("003    00    00    E");
    parameters.UtmEasting->SetDigits("1");
    WhenShown<UtmCoords>([](UtmCoords& c) { c.Cancel->click(); });
    parameters.OK->click();
    EXPECT_EQ(Design().UtmText[2], "0000001");
    parameters.Cancel->click();  // after its OK: keeps them
    EXPECT_EQ(Design().UtmText[2], "0000001");

    UtmParameters again(spheroid);
    EXPECT_EQ(again.UtmEasting->Digits(), "0000001");
    again.UtmEasting->SetDigits("2");
    again.Cancel->click();  // before its OK: puts them back
    EXPECT_EQ(Design().UtmText[2], "0000001");
    EXPECT_NE(Design().UtmText, texts);
}

TEST_F(UtmChainTest, TheBoundaryDialogsHelpCaptionAndPlace) {
    UtmSpheroid spheroid;
    UtmCoords coords(spheroid);
    EXPECT_EQ(coords.windowTitle(), "UTM Projection Boundaries");
    EXPECT_EQ(coords.pos(), spheroid.pos() + QPoint(780 / 15, 780 / 15));
    ShowActive(coords);
    const std::pair<QWidget*, uint32_t> topics[] = {
        {coords.UtmLatN, 2700}, {coords.UtmLatS, 2710},    {coords.UtmLatGrid, 2720}, {coords.UtmLonW, 2740},
        {coords.UtmLonE, 2750}, {coords.UtmLonGrid, 2760}, {coords.OK, 300},
    };
    for (const auto& [widget, topic] : topics) {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_F1);
        EXPECT_EQ(help.requests.back().data, topic);
    }
}

}  // namespace
}  // namespace tlrx
