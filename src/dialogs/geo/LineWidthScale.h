#pragma once
// "Line Width Scaling": whether line widths on printed and exported maps
// grow with the size of the map (LineWidthScaling). OK stores the option
// chosen; Cancel puts back the value the dialog opened with.

#include "dialogs/common/DialogBase.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace tlrx {

class LineWidthScale : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 3380;

    explicit LineWidthScale(QWidget* parent = nullptr);

    QRadioButton* LineWidthPixels;    // "No Scaling"
    QRadioButton* LineWidthRelative;  // "Relative Scaling (default)"
    QLabel* Label1;
    QPushButton* OK;
    QPushButton* Cancel;

    void Form_Load();
    void OK_Click();
    void Cancel_Click();

private:
    bool loaded_ = false;  // LineWidthScaling when the dialog opened
};

}  // namespace tlrx
