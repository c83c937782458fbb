// The font picker: what it opens with for each slot, the sample as the one
// working copy of the choice, sizes offered and typed, the colour grid, and
// what OK stores (the slot, the report colour's cell, the text item dialog's
// labels) and Cancel keeps.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "GeoDialogTest.h"
#include "PickerTestSupport.h"
#include "core/Palette.h"
#include "dialogs/pickers/FontDialog.h"

namespace tlrx {
namespace {

using test::ClickAt;
using test::ClickCell;
using test::FakeTextFontHost;

class FontDialogTest : public test::GeoDialogTest {
protected:
    FontDialogTest() {
        DesignState& d = Design();
        d.FontNames = {"Beta Sans", "DejaVu Sans", "Zeta", "alpha", "Liberation Serif"};
        for (int slot = FontSlotText; slot <= FontSlotReport; ++slot) {
            const auto s = static_cast<size_t>(slot);
            d.FontSlotName[s] = "DejaVu Sans";
            d.FontSlotSize[s] = 12;
            d.FontSlotColor[s] = 0;
        }
    }
    static void UseSlot(int16_t slot) { Design().FontSlotIndex = slot; }
    static void Type(QLineEdit* field, const QString& text) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
    static std::vector<QString> Entries(const QListWidget* list) {
        std::vector<QString> out;
        for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text());
        return out;
    }
};

TEST_F(FontDialogTest, OpensWithTheListsAndTheSlotsFont) {
    DesignState& d = Design();
    UseSlot(FontSlotLabel);
    d.FontSlotSize[2] = 14;
    d.FontSlotBold[2] = true;
    d.FontSlotStrikethru[2] = true;
    FontDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Select Font");
    EXPECT_EQ(dialog.lblFontNames->text(), "TrueType Fonts (5)");
    EXPECT_EQ(Entries(dialog.comFontName->List),
              (std::vector<QString>{"alpha", "Beta Sans", "DejaVu Sans", "Liberation Serif", "Zeta"}));
    const auto sizes = Entries(dialog.comFontSize->List);
    ASSERT_EQ(sizes.size(), 23u);
    EXPECT_EQ(sizes.front(), " 8");
    EXPECT_EQ(sizes[5], " 14");
    EXPECT_EQ(sizes.back(), " 144");
    EXPECT_EQ(dialog.comFontName->SelectedText(), "DejaVu Sans");
    EXPECT_EQ(dialog.comFontSize->SelectedText(), " 14");
    EXPECT_TRUE(dialog.chkBold->isChecked());
    EXPECT_FALSE(dialog.chkItalic->isChecked());
    EXPECT_FALSE(dialog.chkUnderline->isChecked());
    EXPECT_TRUE(dialog.chkStrikethru->isChecked());
    const SampleBox& sample = *dialog.picSampleText;
    EXPECT_EQ(sample.FontName, "DejaVu Sans");
    EXPECT_EQ(sample.FontSize, 14);
    EXPECT_TRUE(sample.FontBold && sample.FontStrikethru && !sample.FontItalic && !sample.FontUnderline);
    // Plain black without the palette flag is no palette colour: cell 0.
    EXPECT_EQ(dialog.ColorSquare->MarkerCell(), 0);

    QTest::keyClick(&dialog, Qt::Key_F1);
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].data, 3480u);

    // Twenty fonts are counted as twenty.
    d.FontNames.clear();
    for (int i = 0; i < 20; ++i) d.FontNames.push_back("Font " + std::to_string(i));
    FontDialog twenty;
    EXPECT_EQ(twenty.lblFontNames->text(), "TrueType Fonts (20)");
}

TEST_F(FontDialogTest, TheSampleFollowsEveryControl) {
    UseSlot(FontSlotReport);
    FontDialog dialog;
    dialog.show();
    const SampleBox& sample = *dialog.picSampleText;
    // The user's first choice of a name is taken at once.
    dialog.comFontName->List->setCurrentRow(0);
    EXPECT_EQ(sample.FontName, "alpha");
    dialog.comFontSize->List->setCurrentRow(8);
    EXPECT_EQ(sample.FontSize, 20);
    dialog.chkItalic->click();
    dialog.chkUnderline->click();
    EXPECT_TRUE(sample.FontItalic);
    EXPECT_TRUE(sample.FontUnderline);
    dialog.chkItalic->click();
    EXPECT_FALSE(sample.FontItalic);
    // Typing a listed name chooses it; any other text keeps the sample's.
    Type(dialog.comFontName->Edit, "Zeta");
    EXPECT_EQ(dialog.comFontName->SelectedText(), "Zeta");
    EXPECT_EQ(sample.FontName, "Zeta");
    Type(dialog.comFontName->Edit, "zeta");
    EXPECT_EQ(dialog.comFontName->ListIndex(), -1);
    EXPECT_EQ(sample.FontName, "Zeta");
    // The word stands centred in the box when it fits.
    const QFontMetrics metrics(sample.SampleFont());
    EXPECT_EQ(sample.SampleFont().family(), "Zeta");
    EXPECT_EQ(sample.SampleFont().pointSizeF(), 20);
    EXPECT_TRUE(sample.SampleFont().underline());
    EXPECT_NEAR(sample.TextTopLeft().x(), (sample.width() - metrics.horizontalAdvance("Ypiranga")) / 2.0, 1);
    EXPECT_NEAR(sample.TextTopLeft().y(), (sample.height() - metrics.height()) / 2.0, 1);
}

TEST_F(FontDialogTest, SizesTypedOrNotOfferedAreStoredAsTyped) {
    struct Case {
        int32_t slotSize;   // the size the slot opens with
        const char* typed;  // nullptr: nothing typed
        int32_t stored;
        const char* currentFont;  // the text item dialog's label
    };
    const Case cases[] = {
        {13, nullptr, 13, "Current Font is 13 point DejaVu Sans."},
        {12, nullptr, 12, "Current Font is 12 point DejaVu Sans."},
        {12, "13", 13, "Current Font is 13 point DejaVu Sans."},
        {14, " 200", 200, "Current Font is 200 point DejaVu Sans."},
        {12, "10.5", 10, "Current Font is 10.5 point DejaVu Sans."},
        {12, "11.5", 12, "Current Font is 11.5 point DejaVu Sans."},
        {20, "0", 12, "Current Font is 12 point DejaVu Sans."},
        {20, "-4", 12, "Current Font is 12 point DejaVu Sans."},
        {20, "big", 12, "Current Font is 12 point DejaVu Sans."},
        {20, "", 12, "Current Font is 12 point DejaVu Sans."},
        {0, nullptr, 12, "Current Font is 12 point DejaVu Sans."},
        {12, "5000", 1638, "Current Font is 1638 point DejaVu Sans."},  // the largest size asked for
    };
    DesignState& d = Design();
    UseSlot(FontSlotText);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.slotSize) + " / " + (c.typed ? c.typed : "nothing typed"));
        d.FontSlotSize[1] = c.slotSize;
        FakeTextFontHost host(kNearBlack);
        FontDialog dialog(nullptr, &host);
        if (c.slotSize == 13) {
            EXPECT_EQ(dialog.comFontSize->ListIndex(), -1);
            EXPECT_EQ(dialog.comFontSize->Edit->text(), " 13");
            EXPECT_EQ(dialog.picSampleText->FontSize, 13);
        }
        if (c.typed) {
            Type(dialog.comFontSize->Edit, c.typed);
            EXPECT_EQ(dialog.comFontSize->ListIndex(), -1);
        }
        dialog.cmdOK->click();
        EXPECT_TRUE(d.FontDialogOK);
        EXPECT_EQ(d.FontSlotSize[1], c.stored);
        EXPECT_EQ(host.CurrentFont, c.currentFont);
    }
}

TEST_F(FontDialogTest, ANameNotInstalledIsKept) {
    DesignState& d = Design();
    UseSlot(FontSlotLabel);
    d.FontSlotName[2] = "Gone Sans";
    FontDialog dialog;
    EXPECT_EQ(dialog.comFontName->ListIndex(), -1);
    EXPECT_EQ(dialog.comFontName->Edit->text(), "Gone Sans");
    dialog.chkBold->click();
    dialog.cmdOK->click();
    EXPECT_EQ(d.FontSlotName[2], "Gone Sans");
    EXPECT_TRUE(d.FontSlotBold[2]);
    // Case matters: "dejavu sans" is not the installed "DejaVu Sans".
    d.FontSlotName[2] = "dejavu sans";
    FontDialog again;
    EXPECT_EQ(again.comFontName->ListIndex(), -1);
}

TEST_F(FontDialogTest, TheGridTriesColoursAndMarksTheCurrentOne) {
    struct Case {
        const char* what;
        int16_t slot;
        int32_t slotColor;
        int32_t hostColor;  // the text item dialog's swatch (slot 1)
        int16_t reportIndex;
        int marked;
    };
    const Case cases[] = {
        {"label: plain black matches nothing", FontSlotLabel, 0, 0, 0, 0},
        {"label: a palette colour", FontSlotLabel, PaletteColors()[100], 0, 0, 100},
        {"label: near-black is black", FontSlotLabel, kNearBlack, 0, 0, 0},
        {"text: the swatch, not the slot", FontSlotText, PaletteColors()[100], PaletteColors()[63], 0, 63},
        {"report: its stored cell", FontSlotReport, PaletteColors()[100], 0, 41, 41},
    };
    DesignState& d = Design();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UseSlot(c.slot);
        d.FontSlotColor[static_cast<size_t>(c.slot)] = c.slotColor;
        d.RptFontColorIndex = c.reportIndex;
        FakeTextFontHost host(c.hostColor);
        FontDialog dialog(nullptr, &host);
        EXPECT_EQ(dialog.ColorSquare->MarkerCell(), c.marked);
        EXPECT_EQ(dialog.picSampleText->ForeColor, c.slotColor);
    }

    // Cells 40 then 41: the sample and the marker end on 41; the dialog
    // stays open; a click in the margin changes nothing.
    UseSlot(FontSlotReport);
    FontDialog dialog;
    dialog.show();
    ClickCell(*dialog.ColorSquare, 40);
    ClickCell(*dialog.ColorSquare, 41);
    ClickAt(*dialog.ColorSquare, 40, 40);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.picSampleText->ForeColor, PaletteColors()[41]);
    EXPECT_EQ(dialog.ColorSquare->MarkerCell(), 41);
    dialog.cmdOK->click();
    EXPECT_EQ(d.RptFontColorIndex, 41);
    EXPECT_EQ(d.FontSlotColor[3], PaletteColors()[41]);
}

TEST_F(FontDialogTest, OkWithoutAClickKeepsTheReportColoursCell) {
    DesignState& d = Design();
    UseSlot(FontSlotReport);
    d.FontSlotColor[3] = PaletteColors()[200];
    d.RptFontColorIndex = 200;
    FontDialog dialog;
    dialog.cmdOK->click();
    EXPECT_EQ(d.FontSlotColor[3], PaletteColors()[200]);
    EXPECT_EQ(d.RptFontColorIndex, 200);
}

TEST_F(FontDialogTest, OkForMapTextWritesTheSlotAndTheTextDialogsLabels) {
    DesignState& d = Design();
    UseSlot(FontSlotText);
    FakeTextFontHost host(kNearBlack);
    FontDialog dialog(nullptr, &host);
    dialog.comFontName->List->setCurrentRow(3);   // Liberation Serif
    dialog.comFontSize->List->setCurrentRow(13);  // 36
    dialog.chkBold->click();
    dialog.chkUnderline->click();
    ClickCell(*dialog.ColorSquare, 12);
    dialog.cmdOK->click();
    EXPECT_TRUE(d.FontDialogOK);
    EXPECT_EQ(d.FontSlotName[1], "Liberation Serif");
    EXPECT_EQ(d.FontSlotSize[1], 36);
    EXPECT_EQ(d.FontSlotColor[1], PaletteRgb(0x0000FF));
    EXPECT_TRUE(d.FontSlotBold[1] && d.FontSlotUnderline[1]);
    EXPECT_FALSE(d.FontSlotItalic[1] || d.FontSlotStrikethru[1]);
    EXPECT_EQ(host.CurrentFont, "Current Font is 36 point Liberation Serif.");
    EXPECT_EQ(host.FontStyle, "Font style is Bold Underline.");
    EXPECT_EQ(host.FontColor, PaletteRgb(0x0000FF));
    EXPECT_EQ(d.RptFontColorIndex, 0);  // the report's cell is not touched
}

TEST_F(FontDialogTest, StyleTextsForEveryCombination) {
    struct Case {
        bool bold, italic, underline, strikeout;
        const char* text;
    };
    const Case cases[] = {
        {false, false, false, false, "Font style is Regular."},
        {true, true, true, true, "Font style is Bold Italic Underline Strikeout."},
        {true, true, true, false, "Font style is Bold Italic Underline."},
        {true, true, false, true, "Font style is Bold Italic Strikeout."},
        {true, false, true, true, "Font style is Bold Underline Strikeout."},
        {false, true, true, true, "Font style is Italic Underline Strikeout."},
        {true, true, false, false, "Font style is Bold Italic."},
        {true, false, true, false, "Font style is Bold Underline."},
        {true, false, false, true, "Font style is Bold Strikeout."},
        {false, true, true, false, "Font style is Italic Underline."},
        {false, true, false, true, "Font style is Italic Strikeout."},
        {false, false, true, true, "Font style is Regular Underline Strikeout."},
        {true, false, false, false, "Font style is Bold."},
        {false, true, false, false, "Font style is Italic."},
        {false, false, true, false, "Font style is Regular Underline."},
        {false, false, false, true, "Font style is Regular Strikeout."},
    };
    UseSlot(FontSlotText);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FakeTextFontHost host(0);
        FontDialog dialog(nullptr, &host);
        const std::pair<QCheckBox*, bool> boxes[] = {{dialog.chkBold, c.bold},
                                                     {dialog.chkItalic, c.italic},
                                                     {dialog.chkUnderline, c.underline},
                                                     {dialog.chkStrikethru, c.strikeout}};
        for (const auto& [box, on] : boxes)
            if (box->isChecked() != on) box->click();
        dialog.cmdOK->click();
        EXPECT_EQ(host.FontStyle, c.text);
        // The slot keeps what the next opening starts from.
        FontDialog reopened;
        EXPECT_EQ(reopened.chkBold->isChecked(), c.bold);
        EXPECT_EQ(reopened.chkStrikethru->isChecked(), c.strikeout);
    }
}

TEST_F(FontDialogTest, CancelAfterAnyChangesKeepsEverything) {
    DesignState& d = Design();
    for (int16_t slot : {FontSlotText, FontSlotLabel, FontSlotReport}) {
        SCOPED_TRACE(slot);
        UseSlot(slot);
        d.RptFontColorIndex = 7;
        d.FontDialogOK = true;
        const DesignState before = d;
        FakeTextFontHost host(PaletteColors()[7]);
        FontDialog dialog(nullptr, &host);
        dialog.show();
        dialog.comFontName->List->setCurrentRow(0);
        Type(dialog.comFontSize->Edit, "31");
        dialog.chkItalic->click();
        ClickCell(*dialog.ColorSquare, 99);
        dialog.cmdCancel->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(d.FontDialogOK);
        EXPECT_EQ(d.FontSlotName, before.FontSlotName);
        EXPECT_EQ(d.FontSlotSize, before.FontSlotSize);
        EXPECT_EQ(d.FontSlotColor, before.FontSlotColor);
        EXPECT_EQ(d.FontSlotBold, before.FontSlotBold);
        EXPECT_EQ(d.FontSlotItalic, before.FontSlotItalic);
        EXPECT_EQ(d.FontSlotUnderline, before.FontSlotUnderline);
        EXPECT_EQ(d.FontSlotStrikethru, before.FontSlotStrikethru);
        EXPECT_EQ(d.RptFontColorIndex, 7);
        EXPECT_EQ(host.CurrentFont, "unchanged");
        EXPECT_EQ(host.FontStyle, "unchanged");
        EXPECT_EQ(host.FontColor, PaletteColors()[7]);
    }
    // The window's close box leaves as Cancel does.
    d.FontDialogOK = true;
    FontDialog dialog;
    dialog.show();
    dialog.close();
    EXPECT_FALSE(d.FontDialogOK);
}

}  // namespace
}  // namespace tlrx
