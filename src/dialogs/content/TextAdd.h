#pragma once
// "Select Text and Rotation": the map text items. The list holds every item
// of the design; choosing one marks it for editing, Delete Text and Delete
// All Text change the items at once, and OK hands the text, its rotation
// and the map text font (font slot 1) to the main window, which places it
// (placement mode while CurrentText is not empty). Cancel, or closing the
// window, puts every item back as the dialog found it. Its menu opens the
// font picker for map text and the text scale of the vector exports, whose
// choices stay after Cancel.

#include <QWidget>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "dialogs/common/DialogBase.h"
#include "dialogs/pickers/Pickers.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tlrx {

// The guide beside the rotation field: a cross with the four right angles
// written along their own directions (000° to 270°), in twips about the
// cross's centre as the dialog lays it out.
class RotationGuide : public QWidget {
    Q_OBJECT
public:
    explicit RotationGuide(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    // The centre of the cross and the corner of each label's character
    // cell, in pixels of the guide.
    QPoint Centre() const;
    QPoint LabelCorner(int k) const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class TextAdd : public DialogBase, public TextFontHost {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 390;

    explicit TextAdd(QWidget* parent = nullptr);

    QComboBox* TextStrings;   // the text box with the list of items
    QLineEdit* TextRotation;  // three digit places
    QPushButton* OK;
    QPushButton* Cancel;
    QPushButton* DeleteText;
    QPushButton* DeleteAllText;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* CurrentFont;
    QLabel* FontStyle;
    QLabel* Label3;
    QLabel* FontColor;  // the colour swatch
    RotationGuide* Guide;
    // "&Font and Color Selection": 0 the font picker, 1 the text scale.
    std::array<QAction*, 2> mnuFont{};

    void Form_Load();
    // An entry of the list chosen (index from 0): that item is edited.
    void TextStrings_Click(int index);
    // The text box changed.
    void TextStrings_Change(const QString& text);
    // The rotation may not exceed 359; false (after its box) when it does.
    bool TextRotation_LostFocus();
    void OK_Click();
    void Cancel_Click();
    void DeleteText_Click();
    void DeleteAllText_Click();
    void mnuFont_Click(int index);

    // The entry of the list the text box stands for, from 0; -1 when none
    // is chosen or the text has been changed since.
    int SelectedEntry() const { return selected_; }

    // TextFontHost: the font picker reads the swatch and writes the labels.
    int32_t FontColorShown() const override { return swatch_; }
    void SetCurrentFontText(const char* utf8) override;
    void SetFontStyleText(const char* utf8) override;
    void SetFontColor(int32_t color) override;

protected:
    void SaveCopy() override;
    void RestoreCopy() override;

private:
    // The three captions from a font.
    void ShowFont(double size, const std::string& name, int32_t color, bool bold, bool italic, bool underline,
                  bool strikeout);

    // The text items as the dialog found them, elements 0 to N.
    struct Items {
        int32_t count = 0;
        std::vector<TextItem> items;  // 0..count
    };
    Items copy_;
    int selected_ = -1;
    int32_t swatch_ = 0;
};

}  // namespace tlrx
