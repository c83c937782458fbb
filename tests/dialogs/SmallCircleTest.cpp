// The small circle dialog: its field checks, the radius in miles and
// kilometres, the radius stored as the field is left, OK with the circles
// computed, Cancel, help and placement.

#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>

#include "GeoDialogTest.h"
#include "dialogs/geo/DesignParts.h"
#include "dialogs/geo/SmallCircle.h"

namespace tlrx {
namespace {

class SmallCircleTest : public test::GeoDialogTest {
protected:
    // The three displays as "nautical miles / statute miles / kilometres",
    // with a point for the locale's decimal separator.
    static std::string Displays(SmallCircle& s) {
        std::string out = s.RadiusNM->text().toStdString() + " / " + s.RadiusSM->text().toStdString() + " / " +
                          s.RadiusKM->text().toStdString();
        const std::string point = QLocale().decimalPoint().toStdString();
        for (size_t at = out.find(point); point != "." && at != std::string::npos; at = out.find(point))
            out.replace(at, point.size(), ".");
        return out;
    }
};

TEST_F(SmallCircleTest, LeavingAFieldShowsItsMessageUnderItsTitle) {
    struct Case {
        int field;  // 0 LatCenter, 1 LonCenter, 2 RadiusDeg
        const char* typed;
        const char* shown;  // nullptr: passes
    };
    const Case cases[] = {
        {0, "91    00    00    N", "Error: Latitude of circle center | Degrees must be <= 90"},
        {0, "45    00    00    W", "Error: Latitude of circle center | Hemisphere must be N or S"},
        {1, "190    00    00    W", "Error: Longitude of circle center | Degrees must be <= 180"},
        {1, "180    00    00    W", nullptr},
        {2, "180    00    01", "Error: Radius of circle in degrees | Circle radius cannot be > 180  00  00"},
        {2, "181    00    00", "Error: Radius of circle in degrees | Degrees must be <= 180"},
        {2, "010    60    00", "Error: Radius of circle in degrees | Minutes must be <= 59"},
        {2, "010    00    60", "Error: Radius of circle in degrees | Seconds must be <= 59"},
        {2, "000    00    00", nullptr},
        {2, "180    00    00", nullptr},
    };
    for (const Case& c : cases) {
        ResetDesignState();
        SmallCircle dialog;
        ShowActive(dialog);
        AngleField* field = std::array<AngleField*, 3>{dialog.LatCenter, dialog.LonCenter, dialog.RadiusDeg}[c.field];
        boxes.log.clear();
        Leave(field, c.typed);
        if (c.shown) {
            EXPECT_EQ(Shown(), std::vector<std::string>{c.shown});
            EXPECT_EQ(boxes.log[0].buttons, MsgButtons::RetryCancel);
            EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
            EXPECT_TRUE(HasFocus(field)) << c.typed;
        } else {
            EXPECT_TRUE(boxes.log.empty()) << c.typed << ": " << Shown()[0];
            EXPECT_FALSE(HasFocus(field)) << c.typed;
        }
        EXPECT_EQ(field->Text(), c.typed);
        // Only an accepted radius is stored as the field is left.
        const bool storedNow = c.field == 2 && !c.shown;
        EXPECT_EQ(Design().ScText[2], storedNow ? c.typed : "015    00    00") << c.typed;
        EXPECT_EQ(Design().ScText[0], "37    47    00    N");
        EXPECT_EQ(Design().ScText[1], "122    26    00    W");
        dialog.reject();
    }
}

TEST_F(SmallCircleTest, TheRadiusIsShownInMilesAndKilometres) {
    const std::pair<const char*, const char*> cases[] = {
        {"015    00    00", "00900.0 / 01036.4 / 01667.9"}, {"180    00    00", "10800.0 / 12436.8 / 20015.1"},
        {"000    00    00", "00000.0 / 00000.0 / 00000.0"}, {"000    00    01", "00000.0 / 00000.0 / 00000.0"},
        {"001    30    00", "00090.0 / 00103.6 / 00166.8"},
    };
    for (const auto& [radius, shown] : cases) {
        Design().ScText[2] = radius;
        SmallCircle dialog;
        EXPECT_EQ(Displays(dialog), shown) << radius;
        dialog.reject();
    }
}

TEST_F(SmallCircleTest, TypingTheRadiusUpdatesTheDisplaysAtEveryKeystroke) {
    SmallCircle dialog;
    ShowActive(dialog);
    dialog.RadiusDeg->setFocus();
    dialog.RadiusDeg->setCursorPosition(0);
    QTest::keyClick(dialog.RadiusDeg, Qt::Key_0);
    EXPECT_EQ(Displays(dialog), "00900.0 / 01036.4 / 01667.9");
    QTest::keyClick(dialog.RadiusDeg, Qt::Key_2);
    EXPECT_EQ(Displays(dialog), "01500.0 / 01727.3 / 02779.9");
    QTest::keyClick(dialog.RadiusDeg, Qt::Key_0);
    EXPECT_EQ(Displays(dialog), "01200.0 / 01381.9 / 02223.9");
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(Design().ScText[2], "015    00    00");  // nothing checked or stored yet
}

TEST_F(SmallCircleTest, AnAcceptedRadiusIsWhatCancelInTheFieldPutsBackUntilTheDialogIsCancelled) {
    DesignState& d = Design();
    {
        SmallCircle dialog;
        ShowActive(dialog);
        Leave(dialog.RadiusDeg, "020    00    00");
        EXPECT_EQ(d.ScText[2], "020    00    00");

        boxes.answers = {MsgAnswer::Cancel};
        Leave(dialog.RadiusDeg, "200    00    00");
        EXPECT_EQ(dialog.RadiusDeg->Text(), "020    00    00");
        EXPECT_EQ(Displays(dialog), "01200.0 / 01381.9 / 02223.9");
        dialog.Cancel->click();
    }
    EXPECT_EQ(d.ScText[2], "015    00    00");
    EXPECT_FALSE(d.ScDefined);
}

TEST_F(SmallCircleTest, OkStoresEverythingSwitchesTheCirclesOnAndComputesThem) {
    DesignState& d = Design();
    d.ScCount = 0;  // a design without a count opens on 1
    SmallCircle dialog;
    EXPECT_EQ(dialog.SCircleNum->value(), 1);
    EXPECT_EQ(dialog.SCircleWidth->value(), 3);
    EXPECT_EQ(dialog.ScColor->Shown(), d.ScColor & 0xFFFFFF);
    dialog.LatCenter->SetText("10    30    00    S");
    dialog.LonCenter->SetText("020    00    36    W");
    dialog.RadiusDeg->SetText("000    00    00");
    dialog.SCircleWidth->setValue(2);
    dialog.OK->click();
    ASSERT_TRUE(boxes.log.empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(d.ScText, (std::array<std::string, 3>{"10    30    00    S", "020    00    36    W", "000    00    00"}));
    EXPECT_DOUBLE_EQ(d.ScCenterLat, -10.5);
    EXPECT_DOUBLE_EQ(d.ScCenterLon, -(20 + 36 / 3600.0));
    EXPECT_EQ(d.ScRadius, 0);
    EXPECT_EQ(d.ScCount, 1);
    EXPECT_EQ(d.ScLineWidth, 30);
    EXPECT_TRUE(d.ScDefined);
    EXPECT_FALSE(d.DialogCancelled);
    ASSERT_EQ(d.ScCircleEnd.size(), 2u);  // computed: one circle
    EXPECT_GT(d.ScCircleEnd[1], 0);

    // Three circles of 30 degrees about the start-up centre.
    ResetDesignState();
    SmallCircle again;
    again.RadiusDeg->SetText("030    00    00");
    again.OK->click();
    EXPECT_EQ(d.ScCount, 3);
    EXPECT_DOUBLE_EQ(d.ScRadius, 30);
    ASSERT_EQ(d.ScCircleEnd.size(), 4u);
    EXPECT_GT(d.ScCircleEnd[3], d.ScCircleEnd[2]);
}

TEST_F(SmallCircleTest, CancelSwitchesTheCirclesOffWhateverTheyWere) {
    DesignState& d = Design();
    d.ScDefined = true;
    d.ScText[0] = "50    00    00    N";
    const auto opening = d.ScText;
    {
        SmallCircle dialog;
        ShowActive(dialog);
        dialog.LatCenter->SetText("60    00    00    N");
        dialog.SCircleNum->setValue(7);
        dialog.close();  // the close box
    }
    EXPECT_EQ(d.ScText, opening);
    EXPECT_FALSE(d.ScDefined);
    EXPECT_EQ(d.ScCount, 3);
    EXPECT_FALSE(d.DialogCancelled);
}

TEST_F(SmallCircleTest, F1OpensTheFocusedControlsTopicAndTheDialogPlacesItself) {
    SmallCircle dialog;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(dialog.pos(), QPoint((screen.width() - dialog.width()) / 2, 660 / 15));
    ShowActive(dialog);
    const std::pair<QWidget*, uint32_t> cases[] = {
        {dialog.LatCenter, 3300}, {dialog.LonCenter, 3310}, {dialog.RadiusDeg, 3320},  {dialog.RadiusNM, 3320},
        {dialog.RadiusSM, 3320},  {dialog.RadiusKM, 3320},  {dialog.SCircleNum, 3340}, {dialog.SCircleWidth, 3330},
        {dialog.OK, 2260},        {dialog.Cancel, 2260}};
    for (const auto& [widget, topic] : cases) {
        widget->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        ASSERT_FALSE(help.requests.empty());
        EXPECT_EQ(help.requests.back().data, topic);
    }
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(dialog.windowTitle(), "Select Center and Radius of Small Circle");
    EXPECT_EQ(dialog.Cancel->text(), "Cancel Small Circle");
}

}  // namespace
}  // namespace tlrx
