// The great circle dialog: its field checks with the pole rule, OK with the
// pole rule, the date-line rule and what it stores, Cancel, help, placement.

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>

#include "GeoDialogTest.h"
#include "dialogs/geo/DesignParts.h"
#include "dialogs/geo/GCircleEnds.h"

namespace tlrx {
namespace {

class GCircleEndsTest : public test::GeoDialogTest {
protected:
    static std::array<AngleField*, 4> Fields(GCircleEnds& g) { return {g.LatN, g.LonW, g.LatS, g.LonE}; }
    static std::array<std::string, 4> Texts(GCircleEnds& g) {
        return {g.LatN->Text(), g.LonW->Text(), g.LatS->Text(), g.LonE->Text()};
    }
};

constexpr char kPoleTitle[] = "Error: Starting, ending longitudes must be equal";
const std::string kPoleLines =
    "When one or both of the endpoints is a pole (90°N/S),\r"
    "the shortest distance on the globe is along a meridian.\r"
    "\r"
    "In other words, the starting and ending longitudes\r"
    "must be identical, when one of the endpoints is a pole.\r"
    "\r"
    "The LONGITUDES you have entered are NOT EQUAL.\r"
    "\r";
const std::string kPoleStart = std::string(kPoleTitle) + " | " + kPoleLines +
                               "Press OK, change the longitudes, and then enter\r"
                               "the correct starting latitude.";
const std::string kPoleEnd = std::string(kPoleTitle) + " | " + kPoleLines +
                             "Press OK, change the longitudes, and then enter\r"
                             "the correct ending latitude.";
const std::string kPoleAtOk = std::string(kPoleTitle) + " | " + kPoleLines +
                              "Press Retry, to correct the longitudes and/or latitudes.\r"
                              "\r"
                              "Press Cancel, to restore the latitudes and longitudes to\r"
                              "their initial values.";

// Leaving one field of the start-up dialog (longitudes 122 26 W and 047 59 E),
// every box answered with its first button (Retry, or OK).
TEST_F(GCircleEndsTest, LeavingAFieldShowsItsMessagesAndLeavesTheFocusWhereTheyPutIt) {
    struct Case {
        size_t field;  // 0 LatN, 1 LonW, 2 LatS, 3 LonE
        const char* typed;
        std::vector<std::string> shown;  // "title | text"
        const char* after;               // the field's text afterwards
        bool focusStays;                 // the focus is back in the field
    };
    const Case cases[] = {
        {0, "45    00    00    S", {}, "45    00    00    S", false},
        {0,
         "90    00    01    N",
         {"Error: Starting latitude | Latitude cannot be > 90  00  00"},
         "90    00    01    N",
         true},
        {0,
         "45    00    00    E",
         {"Error: Starting latitude | Hemisphere must be N or S"},
         "45    00    00    E",
         true},
        // A pole with longitudes that differ: OK only, then the stored text.
        {0, "90    00    00    N", {kPoleStart}, "37    47    00    N", false},
        {2, "90    00    00    S", {kPoleEnd}, "29    20    00    N", false},
        // The pole rule follows the common checks whatever their answer.
        {0,
         "90    00    00    X",
         {"Error: Starting latitude | Hemisphere must be N or S", kPoleStart},
         "37    47    00    N",
         true},
        {1,
         "190    00    00    W",
         {"Error: Starting longitude | Degrees must be <= 180"},
         "190    00    00    W",
         true},
        {3,
         "180    00    30    E",
         {"Error: Ending longitude | Longitude cannot be > 180  00  00"},
         "180    00    30    E",
         true},
        {2, "45    60    00    N", {"Error: Ending latitude | Minutes must be <= 59"}, "45    60    00    N", true},
        // Leaving a longitude runs no pole rule, even with a pole entered.
        {3, "180    00    00    E", {}, "180    00    00    E", false},
    };
    const auto opening = Design().GcEndText;
    for (const Case& c : cases) {
        GCircleEnds dialog;
        ShowActive(dialog);
        AngleField* field = Fields(dialog)[c.field];
        if (c.field == 3) dialog.LatS->SetText("90    00    00    N");
        boxes.log.clear();
        Leave(field, c.typed);
        EXPECT_EQ(Shown(), c.shown) << c.typed;
        for (const MessageBoxRecord& box : boxes.log) {
            EXPECT_EQ(box.icon, MsgIcon::Exclamation);
            EXPECT_EQ(box.buttons, box.title == kPoleTitle ? MsgButtons::Ok : MsgButtons::RetryCancel) << box.text;
        }
        EXPECT_EQ(field->Text(), c.after) << c.typed;
        EXPECT_EQ(HasFocus(field), c.focusStays) << c.typed;
        EXPECT_EQ(Design().GcEndText, opening);  // a check never stores
        dialog.reject();
    }
}

TEST_F(GCircleEndsTest, APoleWithEqualLongitudesPassesAndCancelInAFieldPutsTheStoredTextBack) {
    GCircleEnds dialog;
    ShowActive(dialog);
    dialog.LonE->SetText("122    26    00    W");
    Leave(dialog.LatS, "90    00    00    S");
    EXPECT_TRUE(boxes.log.empty());
    // 180 W and 180 E are not equal for the rule.
    dialog.LonW->SetText("180    00    00    W");
    dialog.LonE->SetText("180    00    00    E");
    Leave(dialog.LatN, "90    00    00    N");
    EXPECT_EQ(Shown(), std::vector<std::string>{kPoleStart});

    boxes.log.clear();
    boxes.answers = {MsgAnswer::Cancel};
    Leave(dialog.LonW, "200    00    00    W");
    EXPECT_EQ(dialog.LonW->Text(), "122    26    00    W");
}

TEST_F(GCircleEndsTest, OkWithAPoleAndUnequalLongitudesOffersRetryAndCancel) {
    DesignState& d = Design();
    const auto opening = d.GcEndText;
    GCircleEnds dialog;
    ShowActive(dialog);
    const std::array<std::string, 4> typed = {"90    00    00    N", "010    00    00    E", "10    00    00    S",
                                              "020    00    00    W"};
    for (size_t i = 0; i < 4; ++i) Fields(dialog)[i]->SetText(typed[i]);

    // Enter in the field: OK with no focus-out before it.
    dialog.LatN->setFocus();
    QTest::keyClick(dialog.LatN, Qt::Key_Return);  // Retry
    EXPECT_EQ(Shown(), std::vector<std::string>{kPoleAtOk});
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(Texts(dialog), typed);
    EXPECT_TRUE(HasFocus(dialog.LonW));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(d.GcEndText, opening);
    EXPECT_FALSE(d.GcDefined);

    boxes.log.clear();
    boxes.answers = {MsgAnswer::Cancel};
    dialog.LatS->setFocus();
    QTest::keyClick(dialog.LatS, Qt::Key_Return);
    EXPECT_EQ(Shown(), std::vector<std::string>{kPoleAtOk});
    EXPECT_EQ(Texts(dialog), opening);
    EXPECT_TRUE(HasFocus(dialog.LonW));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(d.DialogCancelled);
}

TEST_F(GCircleEndsTest, OkChecksEveryFieldBeforeThePoleRule) {
    GCircleEnds dialog;
    ShowActive(dialog);
    dialog.LatS->SetText("90    00    00    S");
    dialog.LonE->SetText("047    59    60    E");
    dialog.LatN->setFocus();
    QTest::keyClick(dialog.LatN, Qt::Key_Return);
    EXPECT_EQ(Shown(), std::vector<std::string>{"Error: Ending longitude | Seconds must be <= 59"});
    EXPECT_TRUE(HasFocus(dialog.LonE));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(GCircleEndsTest, OkStoresTheTextsTheirDegreesAndTheWidthAndSwitchesTheCircleOn) {
    struct Case {
        std::array<const char*, 4> typed;
        const char* storedEndLon;
        double startLat, startLon, endLat, endLon;
    };
    const Case cases[] = {
        {{"37    47    00    N", "122    26    00    W", "29    20    00    N", "047    59    00    E"},
         "047    59    00    E",
         37 + 47 / 60.0,
         -(122 + 26 / 60.0),
         29 + 20 / 60.0,
         47 + 59 / 60.0},
        // Both ends on the 180th meridian lie on the start's side of it.
        {{"10    00    00    N", "180    00    00    W", "20    00    00    S", "180    00    00    E"},
         "180    00    00    W",
         10,
         -180,
         -20,
         -180},
        {{"10    00    00    N", "180    00    00    E", "20    00    30    S", "180    00    00    W"},
         "180    00    00    E",
         10,
         180,
         -(20 + 30 / 3600.0),
         180},
        // Identical ends and a pole on one meridian are accepted.
        {{"90    00    00    S", "000    00    00    E", "90    00    00    S", "000    00    00    E"},
         "000    00    00    E",
         -90,
         0,
         -90,
         0},
    };
    for (const Case& c : cases) {
        ResetDesignState();
        DesignState& d = Design();
        GCircleEnds dialog;
        EXPECT_EQ(dialog.GCircleWidth->value(), 3);
        for (size_t i = 0; i < 4; ++i) Fields(dialog)[i]->SetText(c.typed[i]);
        dialog.GCircleWidth->setValue(5);
        dialog.OK->click();
        ASSERT_TRUE(boxes.log.empty()) << boxes.log[0].text;
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(d.GcEndText[0], c.typed[0]);
        EXPECT_EQ(d.GcEndText[1], c.typed[1]);
        EXPECT_EQ(d.GcEndText[2], c.typed[2]);
        EXPECT_EQ(d.GcEndText[3], c.storedEndLon);
        EXPECT_EQ(dialog.LonE->Text(), c.typed[3]);  // the field keeps what was typed
        EXPECT_DOUBLE_EQ(d.GcStartLat, c.startLat);
        EXPECT_DOUBLE_EQ(d.GcStartLon, c.startLon);
        EXPECT_DOUBLE_EQ(d.GcEndLat, c.endLat);
        EXPECT_DOUBLE_EQ(d.GcEndLon, c.endLon);
        EXPECT_EQ(d.GcLineWidth, 75);
        EXPECT_TRUE(d.GcDefined);
        EXPECT_FALSE(d.DialogCancelled);
    }
}

TEST_F(GCircleEndsTest, CancelSwitchesTheCircleOffAndPutsTheOpeningTextsBack) {
    DesignState& d = Design();
    d.GcDefined = true;
    d.GcEndText[0] = "10    00    00    N";
    d.GcLineWidth = 45;
    const auto opening = d.GcEndText;
    {
        GCircleEnds dialog;
        EXPECT_EQ(dialog.LatN->Text(), "10    00    00    N");
        EXPECT_EQ(dialog.GcColor->Shown(), d.GcColor & 0xFFFFFF);
        dialog.LatN->SetText("20    00    00    N");
        dialog.GCircleWidth->setValue(7);
        dialog.Cancel->click();
    }
    EXPECT_EQ(d.GcEndText, opening);
    EXPECT_FALSE(d.GcDefined);
    EXPECT_EQ(d.GcLineWidth, 45);
    EXPECT_TRUE(d.DialogCancelled);  // for the Design Map menu to clear
}

TEST_F(GCircleEndsTest, F1OpensTheFocusedControlsTopicAndTheDialogPlacesItself) {
    GCircleEnds dialog;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(dialog.pos(), QPoint((screen.width() - dialog.width()) / 2, 660 / 15));
    ShowActive(dialog);
    const std::pair<QWidget*, uint32_t> cases[] = {
        {dialog.LatN, 2810},         {dialog.LonW, 2820}, {dialog.LatS, 2830}, {dialog.LonE, 2840},
        {dialog.GCircleWidth, 2850}, {dialog.OK, 370},    {dialog.Cancel, 370}};
    for (const auto& [widget, topic] : cases) {
        widget->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        ASSERT_FALSE(help.requests.empty());
        EXPECT_EQ(help.requests.back().data, topic);
    }
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(dialog.windowTitle(), "Select Endpoints of Great Circle");
    EXPECT_EQ(dialog.Cancel->text(), "Cancel Great Circle");
}

}  // namespace
}  // namespace tlrx
