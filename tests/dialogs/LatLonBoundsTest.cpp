// The map boundary dialog: its fields and their checks, its defaults, OK
// with its rules and the graticule computation, Cancel, help and placement.

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <array>

#include "GeoDialogTest.h"
#include "core/Graticule.h"
#include "dialogs/geo/LatLonBounds.h"
#include "dialogs/geo/LatLonStdPar.h"

namespace tlrx {
namespace {

using test::WhenShown;

class LatLonBoundsTest : public test::GeoDialogTest {
protected:
    static std::array<AngleField*, 6> Fields(LatLonBounds& b) {
        return {b.LatN, b.LatS, b.LatGr, b.LonW, b.LonE, b.LonGr};
    }
};

struct LeaveCase {
    size_t field;  // 0 LatN ... 5 LonGr
    const char* text;
    const char* shown;  // "title | text", or nullptr when the field passes
};

// The Equirectangular design of start-up: no rules beyond the common ones.
TEST_F(LatLonBoundsTest, LeavingAFieldChecksItWithTheFieldsTitle) {
    const LeaveCase cases[] = {
        {0, "90    00    01    N", "Error: Northernmost latitude | Latitude cannot be > 90  00  00"},
        {0, "91    00    00    N", "Error: Northernmost latitude | Degrees must be <= 90"},
        {0, "90    00    00    N", nullptr},
        {1, "45    00    75    W", "Error: Southernmost latitude | Hemisphere must be N or S"},
        {2, "000    00    00",
         "Error: Degrees of latitude | The DEGREES OF LATITUDE BETWEEN GRID MARKS must be greater than zero."},
        {2, "0", "Error: Degrees of latitude | The DEGREES OF LATITUDE BETWEEN GRID MARKS must be greater than zero."},
        {2, "180    00    00", nullptr},  // whether it divides the axis is the graticule's question
        {3, "180    00    30    W", "Error: Westernmost longitude | Longitude cannot be > 180  00  00"},
        {4, "180    00    00    E", nullptr},
        {4, "010    00    00    S", "Error: Easternmost longitude | Hemisphere must be W or E"},
        {5, "361    00    00", "Error: Degrees of longitude | Degrees must be <= 360"},
        {5, "000    00    00",
         "Error: Degrees of longitude | The DEGREES OF LONGITUDE BETWEEN GRID MARKS must be greater than zero."},
    };
    LatLonBounds dialog;
    ShowActive(dialog);
    const auto fields = Fields(dialog);
    for (const LeaveCase& c : cases) {
        boxes.log.clear();
        AngleField* field = fields[c.field];
        Leave(field, c.text);
        if (!c.shown) {
            EXPECT_TRUE(boxes.log.empty()) << c.text << ": " << Shown()[0];
            EXPECT_FALSE(HasFocus(field)) << c.text;
        } else {
            ASSERT_EQ(Shown(), std::vector<std::string>{c.shown}) << c.text;
            EXPECT_EQ(boxes.log[0].buttons, MsgButtons::RetryCancel);
            EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
            // Retry: back in the field, the text as typed.
            EXPECT_TRUE(HasFocus(field)) << c.text;
            AngleField typed(field->Kind(), nullptr);
            typed.SetText(c.text);
            EXPECT_EQ(field->Text(), typed.Text());
        }
        field->setFocus();
        field->SetText(Design().BoundsText[c.field]);
    }
    EXPECT_EQ(Design().BoundsText[0], "90    00    00    N");  // a check never stores
}

TEST_F(LatLonBoundsTest, RetryKeepsTheTypedTextAndCancelPutsTheStoredTextBack) {
    LatLonBounds dialog;
    ShowActive(dialog);
    Leave(dialog.LatS, "95    00    00    S");
    EXPECT_TRUE(HasFocus(dialog.LatS));
    EXPECT_EQ(dialog.LatS->Text(), "95    00    00    S");

    boxes.answers = {MsgAnswer::Cancel};
    QTest::keyClick(dialog.LatS, Qt::Key_Tab);
    EXPECT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(dialog.LatS->Text(), "90    00    00    S");
    EXPECT_TRUE(HasFocus(dialog.LatGr));  // where the user sent it
}

TEST_F(LatLonBoundsTest, LeavingForCancelChecksNothing) {
    LatLonBounds dialog;
    ShowActive(dialog);
    dialog.LatN->setFocus();
    dialog.LatN->SetText("99    00    00    N");
    dialog.Cancel->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(LatLonBoundsTest, OkChecksEveryFieldInTabOrderAndStopsAtTheFirstFailure) {
    LatLonBounds dialog;
    ShowActive(dialog);
    const auto before = Design().BoundsText;
    dialog.LatS->SetText("90    00    00    X");
    dialog.LonGr->SetText("000    00    00");
    dialog.LonE->setFocus();
    QTest::keyClick(dialog.LonE, Qt::Key_Return);  // the default button, with no focus-out
    EXPECT_EQ(Shown(), std::vector<std::string>{"Error: Southernmost latitude | Hemisphere must be N or S"});
    EXPECT_TRUE(HasFocus(dialog.LatS));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Design().BoundsText, before);
    EXPECT_TRUE(Design().DialogCancelled);
}

TEST_F(LatLonBoundsTest, MercatorRefusesAPoleWhenTheFieldIsLeftAndAtOk) {
    DesignState& d = Design();
    d.ProjCode = ProjMercator;
    d.ProjName = "Mercator";
    MarkDefined(ProjMercator);  // the stored texts are shown as they are: 90 N
    const std::string northPole =
        "Error: Mercator Projection | You have included the North Pole (90°N) in your grid.  The poles cannot be "
        "plotted on a Mercator projection because they project to infinity.";
    LatLonBounds dialog;
    ShowActive(dialog);
    EXPECT_EQ(dialog.LatN->Text(), "90    00    00    N");
    Leave(dialog.LatN, "90    00    00    S");  // the letter is not looked at
    EXPECT_EQ(Shown(), std::vector<std::string>{northPole});
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::RetryCancel);

    boxes.log.clear();
    dialog.LatN->SetText("80    00    00    N");
    dialog.LatS->SetText("90    00    00    S");
    dialog.OK->click();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error: Mercator Projection");
    EXPECT_EQ(boxes.log[0].text,
              "You have included the South Pole (90°S) in your grid.  The poles cannot be plotted on a Mercator "
              "projection because they project to infinity.");
    EXPECT_TRUE(HasFocus(dialog.LatS));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(d.BoundsText[0], "90    00    00    N");
}

TEST_F(LatLonBoundsTest, AProjectionNotYetDefinedStartsFromItsDefaults) {
    struct Case {
        int16_t code;
        std::array<const char*, 6> texts;
    };
    const Case cases[] = {
        {ProjMercator,
         {"80    00    00    N", "80    00    00    S", "020    00    00", "180    00    00    W",
          "180    00    00    E", "045    00    00"}},
        {ProjConformalConic,
         {"90    00    00    N", "60    00    00    S", "030    00    00", "180    00    00    W",
          "180    00    00    E", "045    00    00"}},
        {ProjInterruptedMollweide,
         {"90    00    00    N", "90    00    00    S", "010    00    00", "020    00    00    E",
          "020    00    00    E", "010    00    00"}},
        {ProjRobinson,
         {"90    00    00    N", "90    00    00    S", "030    00    00", "180    00    00    W",
          "180    00    00    E", "045    00    00"}},
    };
    for (const Case& c : cases) {
        DesignState& d = Design();
        d.BoundsText[0] = "10    00    00    N";
        d.BoundsText[1] = "10    00    00    S";
        d.ProjCode = c.code;
        LatLonBounds dialog;
        const auto fields = Fields(dialog);
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(fields[i]->Text(), c.texts[i]) << c.code << " field " << i;
            EXPECT_EQ(d.BoundsText[i], c.texts[i]) << c.code << " field " << i;
        }
        dialog.reject();
    }
    // A defined projection shows the stored texts.
    Design().ProjCode = ProjMercator;
    MarkDefined(ProjMercator);
    Design().BoundsText[0] = "70    00    00    N";
    LatLonBounds dialog;
    EXPECT_EQ(dialog.LatN->Text(), "70    00    00    N");
}

TEST_F(LatLonBoundsTest, CancelAfterTheDefaultsPutsAllTenTextsBack) {
    DesignState& d = Design();
    d.BoundsText = {"10    00    00    N",  "10    00    00    S",
                    "005    00    00",      "010    00    00    W",
                    "010    00    00    E", "005    00    00",
                    "20    00    00    N",  "030    00    00    E",
                    "090    00    00",      "00001000"};
    const auto before = d.BoundsText;
    const auto derived = Derived();
    d.ProjCode = ProjMercator;
    LatLonBounds dialog;
    EXPECT_EQ(d.BoundsText[0], "80    00    00    N");
    EXPECT_EQ(d.BoundsText[6], "40    00    00    N");
    dialog.Cancel->click();
    EXPECT_EQ(d.BoundsText, before);
    EXPECT_EQ(Derived(), derived);
    EXPECT_FALSE(d.DialogCancelled);
    EXPECT_FALSE(dialog.Completed());
}

TEST_F(LatLonBoundsTest, OkFinishesTheEditOfTheProjectionsWithoutParallels) {
    for (const int16_t code : {ProjMercator, ProjHammer, ProjRobinson, ProjMollweide}) {
        ResetDesignState();
        DesignState& d = Design();
        d.ProjCode = code;
        d.StdParNorthText = d.StdParSouthText = "45    00    00    N";
        LatLonBounds dialog;
        dialog.LonW->SetText("090    00    00    W");
        dialog.LonE->SetText("090    00    00    E");
        dialog.OK->click();
        EXPECT_TRUE(dialog.Completed()) << code;
        EXPECT_TRUE(boxes.log.empty()) << code;
        EXPECT_FALSE(d.DialogCancelled);
        EXPECT_TRUE(d.ProjDefined[static_cast<size_t>(code)]);
        EXPECT_EQ(d.StdParNorthText, "00    00    00    N");
        EXPECT_EQ(d.StdParSouthText, "00    00    00    S");
        EXPECT_EQ(d.BoundsText[3], "090    00    00    W");
        EXPECT_EQ(d.FrameEast, 180);
        // The projection parameters follow: the extent of a half world.
        if (code == ProjMercator) {
            EXPECT_NEAR(d.MapXMax - d.MapXMin, 3.14159265358979, 1e-12);
            EXPECT_NEAR(d.MapYMax, std::log(std::tan(3.14159265358979 / 4 + 40 * 3.14159265358979 / 180)), 1e-12);
        } else {
            EXPECT_NEAR(d.MapXMax, -d.MapXMin, 1e-12);
            EXPECT_LT(d.MapXMax, 2.0) << code;
        }
    }
}

TEST_F(LatLonBoundsTest, ConformalConicRefusesBothPolesAtOkAndTakesOne) {
    DesignState& d = Design();
    d.ProjCode = ProjConformalConic;
    d.ProjName = "Conformal Conic";
    LatLonBounds dialog;
    ShowActive(dialog);
    dialog.LatS->SetText("90    00    00    S");
    dialog.OK->click();
    EXPECT_EQ(Shown(), std::vector<std::string>{
                           "Error: Conformal Conic Projection | The Lambert Conformal Conic map projection cannot "
                           "display both poles."});
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(HasFocus(dialog.LatN));
    EXPECT_EQ(d.BoundsText[1], "60    00    00    S");

    // One pole passes here and the standard parallels follow.
    bool opened = false;
    WhenShown<LatLonStdPar>([&](LatLonStdPar& second) {
        opened = true;
        second.Cancel->click();
    });
    dialog.LatS->SetText("30    00    00    S");
    dialog.OK->click();
    EXPECT_TRUE(opened);
    EXPECT_EQ(d.BoundsText[1], "30    00    00    S");
}

TEST_F(LatLonBoundsTest, AGraticuleRejectionStoresNothingAndLeavesTheDialogOpen) {
    DesignState& d = Design();
    const auto derived = Derived();
    LatLonBounds dialog;
    ShowActive(dialog);
    dialog.LatGr->SetText("007    00    00");
    dialog.LatN->SetText("60    00    00    N");
    dialog.OK->click();  // Retry
    EXPECT_EQ(Shown(), std::vector<std::string>{
                           "Error: Degrees of latitude | The DEGREES OF LATITUDE BETWEEN GRID MARKS do not yield an "
                           "integral number of divisions along the latitude axis."});
    EXPECT_TRUE(HasFocus(dialog.LatGr));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(d.BoundsText[0], "90    00    00    N");
    EXPECT_EQ(d.BoundsText[2], "030    00    00");
    EXPECT_EQ(Derived(), derived);
    EXPECT_FALSE(d.CalcError);
    EXPECT_TRUE(d.DialogCancelled);

    // Cancel in a field puts back the last accepted text, never the rejected one.
    boxes.answers = {MsgAnswer::Cancel};
    Leave(dialog.LatGr, "007    00    75");
    EXPECT_EQ(dialog.LatGr->Text(), "030    00    00");

    // The computation's own Cancel puts the load-time copy into its fields.
    boxes.answers = {MsgAnswer::Cancel};
    dialog.LatN->SetText("10    00    00    N");
    dialog.LatS->SetText("20    00    00    N");
    dialog.OK->click();
    EXPECT_EQ(boxes.log.back().title, "Error: Latitude");
    EXPECT_EQ(dialog.LatN->Text(), "90    00    00    N");
    EXPECT_EQ(dialog.LatS->Text(), "90    00    00    S");
}

TEST_F(LatLonBoundsTest, F1OpensTheFocusedFieldsTopicOrTheDialogs) {
    LatLonBounds dialog;
    ShowActive(dialog);
    const std::pair<QWidget*, uint32_t> cases[] = {{dialog.LatN, 2470}, {dialog.LatS, 2480},  {dialog.LatGr, 2490},
                                                   {dialog.LonW, 2500}, {dialog.LonE, 2510},  {dialog.LonGr, 2520},
                                                   {dialog.OK, 2440},   {dialog.Cancel, 2440}};
    for (const auto& [widget, topic] : cases) {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_F1);
        ASSERT_FALSE(help.requests.empty());
        EXPECT_EQ(help.requests.back().data, topic);
        EXPECT_EQ(help.requests.back().command, HelpCommand::HelpContext);
    }
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(dialog.windowTitle(), "Non-azimuthal Projection Boundaries");
}

TEST_F(LatLonBoundsTest, PlacesItselfLeftOfAndAboveTheCentre) {
    LatLonBounds dialog;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint centred((screen.width() - dialog.width()) / 2, (screen.height() - dialog.height()) / 2);
    EXPECT_EQ(dialog.pos(), centred - QPoint(780 / 15, 345 / 15));
}

}  // namespace
}  // namespace tlrx
