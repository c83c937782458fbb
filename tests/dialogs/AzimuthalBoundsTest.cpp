// The boundary dialogs of the azimuthal projections: the range and its rules
// per projection, the height of the vertical perspective in the user's
// number format, OK with the graticule computation, Cancel, help and
// placement.

#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>

#include "GeoDialogTest.h"
#include "core/ProjectionTable.h"
#include "dialogs/common/DigitField.h"
#include "dialogs/geo/LatLonBoundsAz.h"
#include "dialogs/geo/LatLonBoundsVp.h"

namespace tlrx {
namespace {

class AzimuthalBoundsTest : public test::GeoDialogTest {
protected:
    static void Choose(int16_t code) {
        Design().ProjCode = code;
        Design().ProjName = std::string(FindProjection(code)->name);
    }
    static std::string Display(const QLineEdit* field) { return field->displayText().toStdString(); }
};

TEST_F(AzimuthalBoundsTest, AProjectionNotYetDefinedStartsFromItsDefaultRange) {
    const std::pair<int16_t, const char*> cases[] = {
        {ProjGnomonic, "060    00    00"},     {ProjStereographic, "090    00    00"},
        {ProjOrthographic, "090    00    00"}, {ProjAzEquidistant, "180    00    00"},
        {ProjAzEqualArea, "180    00    00"},
    };
    for (const auto& [code, range] : cases) {
        ResetDesignState();
        Choose(code);
        Design().BoundsText[6] = "10    00    00    S";
        LatLonBoundsAz dialog;
        EXPECT_EQ(dialog.AzRangeDist->Text(), range) << code;
        EXPECT_EQ(dialog.LatCentral->Text(), "40    00    00    N");
        EXPECT_EQ(dialog.LonCentral->Text(), "000    00    00    W");
        EXPECT_EQ(dialog.LatGr->Text(), "030    00    00");
        EXPECT_EQ(dialog.LonGr->Text(), "045    00    00");
        dialog.reject();
    }
    // A defined projection shows the stored texts.
    Choose(ProjGnomonic);
    MarkDefined(ProjGnomonic);
    Design().BoundsText[8] = "045    00    00";
    LatLonBoundsAz dialog;
    EXPECT_EQ(dialog.AzRangeDist->Text(), "045    00    00");
}

struct RangeCase {
    int16_t code;
    const char* range;
    const char* shown;  // "title | text" on leaving the field, or nullptr
};

TEST_F(AzimuthalBoundsTest, TheRangeIsCheckedByTheKindsRulesThenByTheProjections) {
    const RangeCase cases[] = {
        {ProjGnomonic, "089    59    59", nullptr},
        {ProjGnomonic, "090    00    00", "Error: Range of map in degrees | RANGE OF MAP IN DEGREES must be < 90°."},
        {ProjStereographic, "090    00    00", nullptr},
        {ProjStereographic, "090    00    01",
         "Error: Range of map in degrees | RANGE OF MAP IN DEGREES must be <= 90°."},
        {ProjOrthographic, "120    00    00",
         "Error: Range of map in degrees | RANGE OF MAP IN DEGREES must be <= 90°."},
        {ProjAzEquidistant, "180    00    00", nullptr},
        {ProjAzEquidistant, "180    00    01",
         "Error: Range of map in degrees | RANGE OF MAP IN DEGREES must be <= 180°."},
        {ProjAzEqualArea, "181    00    00", "Error: Range of map in degrees | Degrees must be <= 180°."},
        {ProjAzEqualArea, "010    60    00", "Error: Range of map in degrees | Minutes must be <= 59."},
        {ProjAzEqualArea, "010    00    60", "Error: Range of map in degrees | Seconds must be <= 59."},
        {ProjGnomonic, "000    00    00", "Error: Range of map in degrees | RANGE OF MAP IN DEGREES must be > 0°."},
    };
    for (const RangeCase& c : cases) {
        boxes.log.clear();
        Choose(c.code);
        LatLonBoundsAz dialog;
        ShowActive(dialog);
        Leave(dialog.AzRangeDist, c.range);
        if (!c.shown) {
            EXPECT_TRUE(boxes.log.empty()) << c.code << " " << c.range;
        } else {
            EXPECT_EQ(Shown(), std::vector<std::string>{c.shown}) << c.code << " " << c.range;
            EXPECT_EQ(boxes.log[0].buttons, MsgButtons::RetryCancel);
            EXPECT_TRUE(HasFocus(dialog.AzRangeDist));
        }
        dialog.reject();
    }
}

TEST_F(AzimuthalBoundsTest, AtOkTheProjectionsRangeRuleHasABoxOfItsOwn) {
    Choose(ProjGnomonic);
    LatLonBoundsAz dialog;
    ShowActive(dialog);
    dialog.AzRangeDist->SetText("095    00    00");
    dialog.LatCentral->setFocus();
    QTest::keyClick(dialog.LatCentral, Qt::Key_Return);  // OK with no focus-out
    EXPECT_EQ(Shown(), std::vector<std::string>{"Error: Range of map | RANGE OF MAP IN DEGREES must be < 90°."});
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(HasFocus(dialog.AzRangeDist));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Design().BoundsText[8], "060    00    00");

    // The kind's own rules keep their Retry/Cancel box at OK.
    boxes.log.clear();
    dialog.AzRangeDist->SetText("000    00    00");
    dialog.OK->click();
    EXPECT_EQ(Shown(),
              std::vector<std::string>{"Error: Range of map in degrees | RANGE OF MAP IN DEGREES must be > 0°."});
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::RetryCancel);
}

TEST_F(AzimuthalBoundsTest, OkDerivesTheBoundariesFromTheCentreAndFinishesTheEdit) {
    DesignState& d = Design();
    Choose(ProjStereographic);
    d.StdParNorthText = "45    00    00    N";
    LatLonBoundsAz dialog;
    dialog.LatCentral->SetText("30    00    00    S");
    dialog.LonCentral->SetText("150    00    00    E");
    dialog.LonGr->SetText("030    00    00");
    dialog.OK->click();
    EXPECT_TRUE(dialog.Completed());
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(d.BoundsText[0], "90    00    00    N");
    EXPECT_EQ(d.BoundsText[1], "90    00    00    S");
    EXPECT_EQ(d.BoundsText[3], "030    00    00    W");
    EXPECT_EQ(d.BoundsText[4], "030    00    00    W");
    EXPECT_EQ(d.BoundsText[7], "150    00    00    E");
    EXPECT_EQ(d.CentLat, -30);
    EXPECT_EQ(d.CentLon, 150);
    // A stereographic map of 90 degrees: 2 tan 45 Earth radii either side.
    EXPECT_NEAR(d.MapXMax, 2, 1e-12);
    EXPECT_NEAR(d.MapYMin, -2, 1e-12);
    EXPECT_TRUE(d.ProjDefined[ProjStereographic]);
    EXPECT_EQ(d.StdParNorthText, "00    00    00    N");
    EXPECT_EQ(d.StdParSouthText, "00    00    00    S");
    EXPECT_FALSE(d.DialogCancelled);
}

TEST_F(AzimuthalBoundsTest, AGraticuleRejectionKeepsTheDialogOpenAndCancelPutsAllTenTextsBack) {
    DesignState& d = Design();
    d.BoundsText = {"10    00    00    N",  "10    00    00    S",
                    "005    00    00",      "010    00    00    W",
                    "010    00    00    E", "005    00    00",
                    "20    00    00    N",  "030    00    00    E",
                    "090    00    00",      "00001000"};
    const auto before = d.BoundsText;
    const auto derived = Derived();
    Choose(ProjAzEqualArea);
    LatLonBoundsAz dialog;
    ShowActive(dialog);
    dialog.LatGr->SetText("050    00    00");  // passes the field, does not divide 180
    dialog.OK->click();
    EXPECT_EQ(Shown(), std::vector<std::string>{"Error: Degrees of latitude | The DEGREES OF LATITUDE BETWEEN GRID "
                                                "MARKS must yield an integer when divided into 180 degrees."});
    EXPECT_TRUE(HasFocus(dialog.LatGr));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(d.CalcError);
    EXPECT_EQ(d.BoundsText[2], "030    00    00");  // the design keeps accepted texts only
    EXPECT_EQ(Derived(), derived);

    // The computation's Cancel puts the load-time copy into the field.
    boxes.answers = {MsgAnswer::Cancel};
    dialog.LonGr->SetText("007    00    00");
    dialog.LatGr->SetText("030    00    00");
    dialog.OK->click();
    EXPECT_EQ(boxes.log.back().title, "Error: Degrees of longitude");
    EXPECT_EQ(dialog.LonGr->Text(), "005    00    00");

    dialog.Cancel->click();
    EXPECT_EQ(d.BoundsText, before);
    EXPECT_EQ(Derived(), derived);
    EXPECT_FALSE(d.DialogCancelled);
    EXPECT_FALSE(dialog.Completed());
}

TEST_F(AzimuthalBoundsTest, F1CaptionAndPlacement) {
    Choose(ProjOrthographic);
    LatLonBoundsAz az;
    Choose(ProjVerticalPerspective);
    LatLonBoundsVp vp;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (AzimuthalBounds* dialog : {static_cast<AzimuthalBounds*>(&az), static_cast<AzimuthalBounds*>(&vp)}) {
        EXPECT_EQ(dialog->windowTitle(), "Azimuthal Projection Boundaries");
        EXPECT_EQ(dialog->pos(),
                  QPoint((screen.width() - dialog->width()) / 2, (screen.height() - dialog->height()) / 2));
    }
    const std::pair<QWidget*, uint32_t> cases[] = {
        {az.LatCentral, 2560},   {az.LatGr, 2490},        {az.LonCentral, 2570}, {az.LonGr, 2520},
        {az.AzRangeDist, 2580},  {az.OK, 2460},           {az.Cancel, 2460},     {vp.VpDistanceKM, 2590},
        {vp.VpDistanceSM, 2590}, {vp.VpDistanceNM, 2590}, {vp.LatCentral, 2560}, {vp.OK, 2460},
    };
    for (const auto& [widget, topic] : cases) {
        QWidget* dialog = widget->window();
        ShowActive(*dialog);
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_F1);
        ASSERT_FALSE(help.requests.empty());
        EXPECT_EQ(help.requests.back().data, topic);
        dialog->hide();
    }
    EXPECT_TRUE(boxes.log.empty());
}

// ---- The vertical perspective's height ----

TEST_F(AzimuthalBoundsTest, TheHeightShowsInKilometresAndBothMilesAndFollowsEveryKeystroke) {
    const test::UserLocale english(QLocale::English, QLocale::UnitedStates);
    Choose(ProjVerticalPerspective);
    LatLonBoundsVp dialog;
    ShowActive(dialog);
    EXPECT_EQ(Display(dialog.VpDistanceKM), "00,035,840");
    EXPECT_EQ(Display(dialog.VpDistanceNM), "00,019,339");
    EXPECT_EQ(Display(dialog.VpDistanceSM), "00,022,270");

    dialog.VpDistanceKM->setFocus();
    dialog.VpDistanceKM->setCursorPosition(0);
    QTest::keyClicks(dialog.VpDistanceKM, "0000");
    EXPECT_EQ(Display(dialog.VpDistanceKM), "00,005,840");  // the literal is passed over
    EXPECT_EQ(Display(dialog.VpDistanceNM), "00,003,151");
    EXPECT_EQ(Display(dialog.VpDistanceSM), "00,003,629");
    QTest::keyClicks(dialog.VpDistanceKM, "1");
    EXPECT_EQ(Display(dialog.VpDistanceKM), "00,001,840");
    EXPECT_EQ(Display(dialog.VpDistanceNM), "00,000,993");
    EXPECT_EQ(Display(dialog.VpDistanceSM), "00,001,143");

    dialog.OK->click();
    EXPECT_TRUE(dialog.Completed());
    EXPECT_EQ(Design().BoundsText[9], "00001840");
    EXPECT_EQ(Design().VpDistanceKm, 1840);
    EXPECT_NEAR(Design().VpP, 1840 / 6371.0 + 1, 1e-15);
}

TEST_F(AzimuthalBoundsTest, AHeightOfZeroIsRefusedOnLeavingTheFieldAndAtOk) {
    Choose(ProjVerticalPerspective);
    const std::string refused = "Error: Distance above surface | DISTANCE ABOVE SURFACE IN KILOMETERS must be >= 1.";
    LatLonBoundsVp dialog;
    ShowActive(dialog);
    dialog.VpDistanceKM->setFocus();
    dialog.VpDistanceKM->SetDigits("0");
    QTest::keyClick(dialog.VpDistanceKM, Qt::Key_Tab);
    EXPECT_EQ(Shown(), std::vector<std::string>{refused});
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::RetryCancel);
    EXPECT_TRUE(HasFocus(dialog.VpDistanceKM));  // Retry
    EXPECT_EQ(dialog.VpDistanceKM->Digits(), "00000000");

    // OK pressed without leaving the field.
    boxes.log.clear();
    QTest::keyClick(dialog.VpDistanceKM, Qt::Key_Return);
    EXPECT_EQ(Shown(), std::vector<std::string>{refused});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Design().BoundsText[9], "00035840");

    // Cancel puts the stored height back, and its miles.
    boxes.answers = {MsgAnswer::Cancel};
    QTest::keyClick(dialog.VpDistanceKM, Qt::Key_Tab);
    EXPECT_EQ(dialog.VpDistanceKM->Digits(), "00035840");
    EXPECT_EQ(dialog.VpDistanceNM->text().right(3), "339");
    // An unfilled place counts for nothing: 1 km is accepted.
    boxes.log.clear();
    dialog.VpDistanceKM->setText("_______1");
    EXPECT_EQ(dialog.VpDistanceKM->Value(), 1);
    dialog.OK->click();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(Design().BoundsText[9], "00000001");
}

TEST_F(AzimuthalBoundsTest, TheHeightUsesTheUsersThousandsSeparatorAndIsStoredAsDigits) {
    const test::UserLocale german(QLocale::German, QLocale::Germany);
    Choose(ProjVerticalPerspective);
    MarkDefined(ProjVerticalPerspective);
    Design().BoundsText[9] = "12345678";
    LatLonBoundsVp dialog;
    EXPECT_EQ(Display(dialog.VpDistanceKM), "12.345.678");
    EXPECT_EQ(Display(dialog.VpDistanceNM), "06.661.641");
    EXPECT_EQ(Display(dialog.VpDistanceSM), "07.671.249");
    dialog.VpDistanceKM->SetDigits("42164");
    EXPECT_EQ(Display(dialog.VpDistanceKM), "00.042.164");
    dialog.OK->click();
    EXPECT_TRUE(dialog.Completed());
    EXPECT_EQ(Design().BoundsText[9], "00042164");
    EXPECT_EQ(Design().VpDistanceKm, 42164);
}

}  // namespace
}  // namespace tlrx
