#pragma once
// "Select Label Option": what becomes of the labels that drawing runs take
// from the point files. OK shows or hides them in later runs, makes the
// labels of the last run permanent text items (marked as made from labels),
// or deletes the text items made that way; each of the last two also hides
// the labels. Cancel changes nothing.

#include <cstdint>

#include "dialogs/common/DialogBase.h"

class QListWidget;
class QPushButton;

namespace tlrx {

class SelectLabelOption : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 270;

    // The entries of LabelOption.
    enum Choice : int16_t { HideLabels = 0, ShowLabels = 1, ConvertLabels = 2, EraseConverted = 3 };

    // The entry chosen at the last OK of the program run (0 before the
    // first); the dialog opens on it while labels are hidden. It is no part
    // of the design.
    static int16_t LabelOptionChoice;

    explicit SelectLabelOption(QWidget* parent = nullptr);

    QListWidget* LabelOption;
    QPushButton* OK;
    QPushButton* Cancel;

    void Form_Load();
    void OK_Click();
    void Cancel_Click();
};

// Deletes the text items made from labels; the others keep their order and
// are numbered again from 1.
void EraseLabelTextItems();

}  // namespace tlrx
