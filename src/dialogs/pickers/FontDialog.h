#pragma once
// The font picker: a font name from Design().FontNames, a size, four style
// attributes and a palette colour for font slot Design().FontSlotIndex, with
// the word "Ypiranga" drawn in the choice. OK stores the choice in the slot
// and sets FontDialogOK; Cancel clears the flag and changes nothing. For the
// map text slot the text item dialog's font labels and colour swatch are
// updated through its host on OK; for the report slot the colour's palette
// index is kept in RptFontColorIndex.

#include <QFont>
#include <QWidget>
#include <cstdint>
#include <string>

#include "dialogs/common/DialogBase.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tlrx {

class ColorGrid;
class TextFontHost;

// A combo box with an edit field above a list that is always open. Choosing
// an entry puts its text into the field; typing into the field clears the
// choice unless the text is an entry (the name list) or always (the sizes).
class ListCombo : public QWidget {
    Q_OBJECT
public:
    ListCombo(bool typedTextSelects, QWidget* parent);

    QLineEdit* Edit;
    QListWidget* List;

    // The chosen entry, -1 for none.
    int ListIndex() const;
    void SetListIndex(int index);
    QString SelectedText() const;

signals:
    // The choice changed, by the user or by code.
    void Clicked();
    // The user typed into the field.
    void Typed();

private:
    bool typedTextSelects_;
};

// The drawing box of the sample: the single working copy of the choice.
class SampleBox : public QWidget {
    Q_OBJECT
public:
    explicit SampleBox(QWidget* parent);

    QString FontName;
    double FontSize = 12;  // points, may be fractional
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;
    int32_t ForeColor = 0;  // 0x00BBGGRR, the palette flag kept

    // The font the word is drawn in.
    QFont SampleFont() const;
    // Where the word's top left goes, in pixels of the box: centred.
    QPoint TextTopLeft() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class FontDialog : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 3480;

    // text: the text item dialog, for the map text slot.
    explicit FontDialog(QWidget* parent = nullptr, TextFontHost* text = nullptr);

    QLabel* lblFontNames;
    ListCombo* comFontName;
    QLabel* lblFontSizes;
    ListCombo* comFontSize;
    QGroupBox* frmAppearance;
    QCheckBox* chkItalic;
    QCheckBox* chkBold;
    QCheckBox* chkUnderline;
    QCheckBox* chkStrikethru;
    QLabel* lblFontColor;
    ColorGrid* ColorSquare;
    QLabel* lblSampleText;
    SampleBox* picSampleText;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    // Redraws the sample from the controls.
    void DisplaySampleText();
    // Takes cell i's colour for the sample and marks it.
    void ColorSquare_Click(int cell);
    void cmdOK_Click();
    void cmdCancel_Click();

    void reject() override;

private:
    void Form_Load();
    void Form_Activate();
    void StyleClicked(QCheckBox* box, bool SampleBox::*attribute);

    int16_t slot_;
    TextFontHost* text_;
    int pickedCell_ = -1;  // the cell last clicked, -1 before any
};

}  // namespace tlrx
