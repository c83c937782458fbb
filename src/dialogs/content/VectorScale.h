#pragma once
// "Scale Factor for Text in CGM & DXF Files": VectorTextScale, 1 to 300
// percent, set on OK; Cancel changes nothing.

#include "dialogs/common/DialogBase.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace tlrx {

class VectorScale : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 2040;

    // opener: the text item dialog, which the dialog places itself beside.
    explicit VectorScale(QWidget* opener = nullptr);

    QSpinBox* VecScale;
    QPushButton* OK;
    QPushButton* Cancel;
    QLabel* Label1;
    QLabel* Label2;

    void Form_Load();
    void OK_Click();
    void Cancel_Click();

private:
    QWidget* opener_;
};

}  // namespace tlrx
