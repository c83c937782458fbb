// The text item dialog and the text scale dialog: deleting one item or all
// of them, editing and adding, Cancel restoring the items, the rotation
// check, help topics and the text scale's range.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "core/DesignState.h"
#include "dialogs/content/TextAdd.h"
#include "dialogs/content/VectorScale.h"
#include "dialogs/pickers/FontDialog.h"
#include "support/FakeHost.h"
#include "support/TestFixture.h"
#include "support/WhenShown.h"

namespace tlrx {
namespace {

using test::WhenShown;

class TextAddTest : public test::TlrxTest {
protected:
    TextAddTest() : TlrxTest(std::filesystem::path(TLRX_TEST_OUT_DIR) / "dialog-files") {
        SetMainWindow(&host);
        host.caption = "Tellurax: Equirectangular projection";
        DesignState& d = Design();
        d.FontSlotName[FontSlotText] = "Liberation Sans";
        d.FontSlotSize[FontSlotText] = 12;
        d.FontSlotColor[FontSlotText] = 0;
    }
    ~TextAddTest() override { SetMainWindow(nullptr); }

    // Items 1..n, each field of item i told apart by i.
    static void MakeItems(int n) {
        DesignState& d = Design();
        d.NumTextItems = n;
        ResizeTextItems(n);
        for (int i = 1; i <= n; ++i) {
            const auto k = static_cast<size_t>(i);
            d.TextItems[k].TextItemText = "Text " + std::to_string(i);
            d.TextItems[k].TextItemRotation = static_cast<int16_t>(i * 45);
            d.TextItems[k].TextItemFontName = "Font " + std::to_string(i);
            d.TextItems[k].TextItemFontSize = static_cast<int16_t>(8 + i);
            d.TextItems[k].TextItemColor = 0x10000 * i;
            d.TextItems[k].TextItemBold = i % 2 == 0;
            d.TextItems[k].TextItemItalic = i % 3 == 0;
            d.TextItems[k].TextItemUnderline = i == 4;
            d.TextItems[k].TextItemStrikethru = i == 5;
            d.TextItems[k].TextItemX = 1000 * i;
            d.TextItems[k].TextItemY = 500 * i;
            d.TextItems[k].TextItemAscent = static_cast<int16_t>(200 + i);
            d.TextItems[k].TextItemDescent = static_cast<int16_t>(50 + i);
            d.TextItems[k].TextItemCharWidth = static_cast<int16_t>(100 + i);
            d.TextItems[k].TextItemFromLabel = i == 3;
        }
    }
    // All fifteen fields of item i, to compare items as wholes.
    static auto Fields(int i) {
        const DesignState& d = Design();
        const auto k = static_cast<size_t>(i);
        return std::make_tuple(d.TextItems[k].TextItemText, d.TextItems[k].TextItemRotation,
                               d.TextItems[k].TextItemFontName, d.TextItems[k].TextItemFontSize,
                               d.TextItems[k].TextItemColor, bool(d.TextItems[k].TextItemBold),
                               bool(d.TextItems[k].TextItemItalic), bool(d.TextItems[k].TextItemUnderline),
                               bool(d.TextItems[k].TextItemStrikethru), d.TextItems[k].TextItemX,
                               d.TextItems[k].TextItemY, d.TextItems[k].TextItemAscent, d.TextItems[k].TextItemDescent,
                               d.TextItems[k].TextItemCharWidth, bool(d.TextItems[k].TextItemFromLabel));
    }
    static std::vector<std::string> Entries(const TextAdd& dlg) {
        std::vector<std::string> out;
        for (int i = 0; i < dlg.TextStrings->count(); ++i) out.push_back(dlg.TextStrings->itemText(i).toStdString());
        return out;
    }
    static void Choose(TextAdd& dlg, int entry) { emit dlg.TextStrings->activated(entry); }
    std::vector<std::string> Shown() const {
        std::vector<std::string> out;
        for (const MessageBoxRecord& b : boxes.log) out.push_back(b.title + " | " + b.text);
        return out;
    }

    FakeHost host{400, 300};
};

TEST_F(TextAddTest, LoadingListsTheItemsAndDescribesTheMapTextFont) {
    MakeItems(3);
    DesignState& d = Design();
    d.FontSlotBold[FontSlotText] = true;
    d.FontSlotUnderline[FontSlotText] = true;
    d.FontSlotColor[FontSlotText] = 255;
    d.TextEditing = true;
    TextAdd dlg;
    EXPECT_EQ(dlg.windowTitle(), "Select Text and Rotation");
    EXPECT_EQ(Entries(dlg), (std::vector<std::string>{"Text 1", "Text 2", "Text 3"}));
    EXPECT_EQ(dlg.TextStrings->currentText(), "");
    EXPECT_EQ(dlg.TextRotation->displayText(), "000");
    EXPECT_EQ(dlg.CurrentFont->text(), "Current Font is 12 point Liberation Sans.");
    EXPECT_EQ(dlg.FontStyle->text(), "Font style is Bold Underline.");
    EXPECT_EQ(dlg.FontColorShown(), 255);
    EXPECT_EQ(dlg.FontColor->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(d.FontSlotIndex, FontSlotText);
    EXPECT_EQ(d.SavedCaption, "Tellurax: Equirectangular projection");
    EXPECT_TRUE(d.DialogCancelled);
    EXPECT_FALSE(d.TextEditing);
    EXPECT_FALSE(dlg.mnuFont[0]->isChecked());
    EXPECT_EQ(dlg.mnuFont[1]->text(), "&Scale Factor (CGM, DXF)");
}

TEST_F(TextAddTest, DeletingAnItemMovesTheLaterOnesDownAndCancelBringsAllBack) {
    MakeItems(5);
    const auto one = Fields(1), two = Fields(2), three = Fields(3), four = Fields(4), five = Fields(5);
    {
        TextAdd dlg;
        Choose(dlg, 1);
        EXPECT_TRUE(Design().TextEditing);
        dlg.DeleteText->click();
        const DesignState& d = Design();
        EXPECT_EQ(d.NumTextItems, 4);
        EXPECT_EQ(d.TextItems.size(), 5u);
        EXPECT_EQ(d.TextItems.size(), 5u);
        EXPECT_EQ(Fields(1), one);
        EXPECT_EQ(Fields(2), three);
        EXPECT_EQ(Fields(3), four);
        EXPECT_EQ(Fields(4), five);
        EXPECT_EQ(Entries(dlg), (std::vector<std::string>{"Text 1", "Text 3", "Text 4", "Text 5"}));
        EXPECT_EQ(dlg.TextStrings->currentText(), "");
        EXPECT_EQ(dlg.TextRotation->displayText(), "000");
        EXPECT_EQ(d.CurrentText, "");
        EXPECT_FALSE(d.TextEditing);
        dlg.Cancel->click();
    }
    const DesignState& d = Design();
    EXPECT_EQ(d.NumTextItems, 5);
    EXPECT_EQ(Fields(1), one);
    EXPECT_EQ(Fields(2), two);
    EXPECT_EQ(Fields(3), three);
    EXPECT_EQ(Fields(4), four);
    EXPECT_EQ(Fields(5), five);
    EXPECT_FALSE(d.DialogCancelled);
    EXPECT_EQ(d.CurrentText, "");
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(TextAddTest, DeleteTextRefusesWithoutAChosenEntry) {
    MakeItems(2);
    TextAdd dlg;
    dlg.DeleteText->click();                  // nothing in the text box
    dlg.TextStrings->setEditText("Pacific");  // typed, not in the list
    dlg.DeleteText->click();
    Choose(dlg, 0);
    dlg.TextStrings->setEditText("Text 1 changed");  // the entry no longer stands there
    dlg.DeleteText->click();
    EXPECT_EQ(Shown(), std::vector<std::string>(3, "Text Error | You did not select text to delete."));
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(Design().NumTextItems, 2);
    EXPECT_EQ(Entries(dlg).size(), 2u);
    EXPECT_FALSE(Design().TextEditing);
}

TEST_F(TextAddTest, DeleteAllTextAsksFirst) {
    MakeItems(3);
    {
        TextAdd dlg;
        boxes.answers = {MsgAnswer::No};
        dlg.DeleteAllText->click();
        EXPECT_EQ(Design().NumTextItems, 3);
        EXPECT_EQ(Entries(dlg).size(), 3u);
        boxes.answers = {MsgAnswer::Yes};
        dlg.DeleteAllText->click();
        EXPECT_EQ(Design().NumTextItems, 0);
        EXPECT_EQ(Design().TextItems.size(), 1u);
        EXPECT_TRUE(Entries(dlg).empty());
        dlg.Cancel->click();  // all three come back
    }
    EXPECT_EQ(Design().NumTextItems, 3);
    EXPECT_EQ(Design().TextItems[3].TextItemText, "Text 3");
    ASSERT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(boxes.log[0].text, "Do you really want to delete\nevery text item?");
    EXPECT_EQ(boxes.log[0].title, "Information");
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Question);

    // Yes, then OK with the empty text box: the design keeps no items and
    // nothing is placed.
    TextAdd dlg;
    boxes.answers = {MsgAnswer::Yes};
    dlg.DeleteAllText->click();
    dlg.OK->click();
    EXPECT_EQ(Design().NumTextItems, 0);
    EXPECT_EQ(Design().CurrentText, "");
    EXPECT_FALSE(Design().DialogCancelled);
}

TEST_F(TextAddTest, ChoosingAnItemEditsItInItsOwnFont) {
    MakeItems(3);
    TextAdd dlg;
    Choose(dlg, 1);  // item 2: rotation 90, bold, size 10
    DesignState& d = Design();
    EXPECT_EQ(dlg.TextStrings->currentText(), "Text 2");
    EXPECT_EQ(dlg.TextRotation->displayText(), "090");
    EXPECT_EQ(dlg.CurrentFont->text(), "Current Font is 10 point Font 2.");
    EXPECT_EQ(dlg.FontStyle->text(), "Font style is Bold.");
    EXPECT_EQ(d.FontSlotName[FontSlotText], "Font 2");
    EXPECT_EQ(d.FontSlotSize[FontSlotText], 10);
    EXPECT_EQ(d.FontSlotColor[FontSlotText], 0x20000);
    EXPECT_TRUE(d.FontSlotBold[FontSlotText]);
    Choose(dlg, 0);  // item 1: rotation 45 shows as 045
    EXPECT_EQ(dlg.TextRotation->displayText(), "045");
    dlg.TextStrings->setEditText("Text one");
    dlg.OK->click();

    // The hand-over re-places item 1 with the edited text; nothing is added.
    EXPECT_TRUE(d.TextEditing);
    EXPECT_EQ(d.TextItemIndex, 1);
    EXPECT_EQ(d.CurrentText, "Text one");
    EXPECT_EQ(d.CurrentTextRotation, "045");
    EXPECT_EQ(d.NumTextItems, 3);
    EXPECT_EQ(Entries(dlg).size(), 3u);
    EXPECT_TRUE(d.TextErased);
    EXPECT_TRUE(d.TextFirstMove);
    EXPECT_FALSE(d.DialogCancelled);
    EXPECT_EQ(host.FontName, "Font 1");
    EXPECT_EQ(host.FontSize, 9.0f);
    EXPECT_EQ(host.ForeColor, 0x10000u);
    EXPECT_FALSE(host.FontBold);
    EXPECT_EQ(d.TextItems[1].TextItemText, "Text 1");  // stored only by the placement
}

TEST_F(TextAddTest, OkWithANewTextCountsItAtOnceAndHandsOverTheMapTextFont) {
    MakeItems(2);
    {
        TextAdd dlg;
        Choose(dlg, 0);
        dlg.Cancel->click();  // the choice goes with the dialog
    }
    DesignState& d = Design();
    d.FontSlotItalic[FontSlotText] = true;
    d.FontSlotColor[FontSlotText] = 0x0000FF;
    TextAdd dlg;
    dlg.TextStrings->setEditText("Indian Ocean");
    dlg.TextRotation->setText("90");
    dlg.OK->click();
    EXPECT_FALSE(d.TextEditing);
    EXPECT_EQ(d.CurrentText, "Indian Ocean");
    EXPECT_EQ(d.CurrentTextRotation, "90 ");  // as shown, blank places included
    EXPECT_EQ(d.NumTextItems, 3);
    EXPECT_EQ(d.TextItems.size(), 3u);  // grown when the placement stores it
    EXPECT_EQ(Entries(dlg).back(), "Indian Ocean");
    // The font of the item chosen before stays the map text font.
    EXPECT_EQ(host.FontName, "Font 1");
    EXPECT_EQ(host.FontSize, 9.0f);
    EXPECT_TRUE(host.FontItalic);
    EXPECT_EQ(host.ForeColor, 0x0000FFu);
    EXPECT_TRUE(d.TextFirstMove);
}

TEST_F(TextAddTest, TypingTheTextOfAnEntryAddsANewItem) {
    MakeItems(2);
    TextAdd dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    dlg.TextStrings->setFocus();
    QTest::keyClicks(dlg.TextStrings, "Text 1");
    QTest::keyClick(dlg.TextStrings, Qt::Key_Tab);
    EXPECT_FALSE(Design().TextEditing);
    dlg.TextStrings->setFocus();
    dlg.OK->click();
    EXPECT_FALSE(Design().TextEditing);
    EXPECT_EQ(Design().NumTextItems, 3);
    EXPECT_EQ(Entries(dlg), (std::vector<std::string>{"Text 1", "Text 2", "Text 1"}));
}

TEST_F(TextAddTest, TheRotationMayNotExceed359) {
    const std::pair<const char*, bool> cases[] = {
        {"000", true}, {"359", true}, {"   ", true}, {"360", false}, {"999", false},
    };
    TextAdd dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    for (const auto& [text, accepted] : cases) {
        boxes.log.clear();
        dlg.TextRotation->setFocus();
        dlg.TextRotation->setText(QString::fromLatin1(text));
        QTest::keyClick(dlg.TextRotation, Qt::Key_Tab);
        EXPECT_EQ(boxes.log.empty(), accepted) << text;
        EXPECT_EQ(QApplication::focusWidget() == dlg.TextRotation, !accepted) << text;
        EXPECT_EQ(dlg.TextRotation->displayText().toStdString(), text);  // kept
    }
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Text rotation cannot exceed 359\u00B0");
    EXPECT_EQ(boxes.log[0].title, "Error");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Information);
    // OK does not ask again.
    dlg.TextStrings->setEditText("Arctic");
    dlg.OK->click();
    EXPECT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(Design().CurrentTextRotation, "999");
}

TEST_F(TextAddTest, HelpTopicsFollowTheFocus) {
    TextAdd dlg;
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    for (QWidget* w :
         std::vector<QWidget*>{dlg.TextStrings, dlg.TextRotation, dlg.OK, dlg.DeleteText, dlg.DeleteAllText}) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_F1);
    }
    std::vector<uint32_t> topics;
    for (const HelpRequest& r : help.requests) topics.push_back(r.data);
    EXPECT_EQ(topics, (std::vector<uint32_t>{2980, 2990, 390, 3000, 3010}));
}

TEST_F(TextAddTest, TheFontPickerSetsTheMapTextFontWhichStaysAfterCancel) {
    DesignState& d = Design();
    d.FontNames = {"Liberation Sans", "Liberation Serif"};
    {
        TextAdd dlg;
        WhenShown<FontDialog>([](FontDialog& picker) {
            picker.chkBold->click();
            picker.ColorSquare_Click(12);  // red
            picker.cmdOK->click();
        });
        dlg.mnuFont[0]->trigger();
        EXPECT_TRUE(dlg.mnuFont[0]->isChecked());
        EXPECT_EQ(dlg.CurrentFont->text(), "Current Font is 12 point Liberation Sans.");
        EXPECT_EQ(dlg.FontStyle->text(), "Font style is Bold.");
        EXPECT_EQ(dlg.FontColor->palette().color(QPalette::Window), QColor(255, 0, 0));
        dlg.Cancel->click();
    }
    EXPECT_TRUE(d.FontSlotBold[FontSlotText]);
    EXPECT_EQ(d.FontSlotColor[FontSlotText] & 0xFFFFFF, 0x0000FF);
}

TEST_F(TextAddTest, TheTextScaleStaysAfterCancel) {
    DesignState& d = Design();
    d.VectorTextScale = 100;
    {
        TextAdd dlg;
        WhenShown<VectorScale>([](VectorScale& scale) {
            EXPECT_EQ(scale.windowTitle(), "Scale Factor for Text in CGM & DXF Files");
            EXPECT_EQ(scale.VecScale->value(), 100);
            scale.VecScale->setValue(200);
            scale.OK->click();
        });
        dlg.mnuFont[1]->trigger();
        EXPECT_TRUE(dlg.mnuFont[1]->isChecked());
        EXPECT_FALSE(dlg.mnuFont[0]->isChecked());
        dlg.Cancel->click();
    }
    EXPECT_EQ(d.VectorTextScale, 200);
}

TEST_F(TextAddTest, TheTextScaleKeepsWithinOneTo300AndChangesOnlyOnOk) {
    DesignState& d = Design();
    d.VectorTextScale = 100;
    {
        VectorScale scale;
        scale.OK->click();
    }
    EXPECT_EQ(d.VectorTextScale, 100);
    {
        VectorScale scale;
        scale.VecScale->setValue(50);
        scale.Cancel->click();
    }
    EXPECT_EQ(d.VectorTextScale, 100);
    VectorScale scale;
    scale.VecScale->setValue(0);
    EXPECT_EQ(scale.VecScale->value(), 1);
    scale.VecScale->setValue(301);
    EXPECT_EQ(scale.VecScale->value(), 300);
    EXPECT_EQ(scale.Label1->text().count("\n\n"), 3);
    scale.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&scale));
    scale.VecScale->setFocus();
    QTest::keyClick(scale.VecScale, Qt::Key_F1);
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].data, 2040u);
    scale.OK->click();
    EXPECT_EQ(d.VectorTextScale, 300);
}

TEST_F(TextAddTest, TheRotationGuideIsDrawn) {
    TextAdd dlg;
    const QImage guide = dlg.Guide->grab().toImage();
    const QColor text = dlg.Guide->palette().color(QPalette::WindowText);
    const QPoint c = dlg.Guide->Centre();
    // The cross's arms, and ink in every label's cell.
    for (const QPoint& p : {c + QPoint(0, 20), c + QPoint(0, -20), c + QPoint(20, 0), c + QPoint(-20, 0)})
        EXPECT_EQ(guide.pixelColor(p), text) << p.x() << "," << p.y();
    const QPoint towards[4] = {{1, 1}, {1, -1}, {-1, -1}, {-1, 1}};  // each label's text runs along its angle
    for (int k = 0; k < 4; ++k) {
        const QPoint corner = dlg.Guide->LabelCorner(k);
        int ink = 0;
        for (int a = 0; a < 30; ++a)
            for (int b = 0; b < 12; ++b) {
                const QPoint p = k % 2 == 0 ? corner + QPoint(towards[k].x() * a, towards[k].y() * b)
                                            : corner + QPoint(towards[k].x() * b, towards[k].y() * a);
                if (guide.rect().contains(p) && guide.pixelColor(p) != guide.pixelColor(0, 0)) ++ink;
            }
        EXPECT_GT(ink, 10) << k;
    }
}

}  // namespace
}  // namespace tlrx
