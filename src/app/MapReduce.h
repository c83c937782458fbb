#pragma once
// "Select Map Size": how much of the drawing area the map fills, in whole
// percent of the full size. Shown modally by Draw Map before every drawing
// on the window. "Draw Map" stores the fraction and clears
// DialogCancelled; Cancel and the close box leave both as they were (the
// flag set), and the opener draws nothing.

#include "dialogs/common/DialogBase.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace tlrx {

class MapReduce : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 360;

    explicit MapReduce(QWidget* parent = nullptr);

    QLabel* Label1;
    QSpinBox* MapReduction;  // whole percent, 10 to 100
    QLabel* Label2;
    QPushButton* DrawMap;
    QPushButton* Cancel;

    // Sets DialogCancelled, centres the dialog on the screen and shows the
    // current MapFillFraction as a whole percentage.
    void Form_Load();
    // MapFillFraction = the percentage / 100; clears DialogCancelled; closes.
    void DrawMap_Click();
    void Cancel_Click();
};

}  // namespace tlrx
