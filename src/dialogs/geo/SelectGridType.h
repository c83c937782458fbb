#pragma once
// "Select Grid Parameters": the graticule style (GridType, its list text and
// the number of graticule outputs the ASCII export lists), the grid line
// width in pixels and the grid colour. OK stores the type and width; Cancel
// changes nothing. The colour is the colour picker's to store.

#include "dialogs/common/DialogBase.h"

class QListWidget;
class QPushButton;
class QSpinBox;

namespace tlrx {

class ColorBox;

class SelectGridType : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 260;

    explicit SelectGridType(QWidget* parent = nullptr);

    QListWidget* Grid;        // the five styles, row = GridType - 1
    QSpinBox* GridWidthSpin;  // pixels, 1 to 600
    ColorBox* GridColor;      // GridColorPicture and GridColorSpin
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
};

}  // namespace tlrx
