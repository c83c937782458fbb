#pragma once
// "Select Center and Radius of Small Circle": the centre and the outer
// radius of the concentric small circles as angle texts (ScText), the
// radius also in nautical miles, statute miles and kilometres as it is
// typed, the number of circles, their line width in pixels and their colour.
//
// A radius that passes its check when the field is left is stored at once.
// OK stores the texts, their degrees, the count and the width, switches the
// small circles on and computes them (ScCalc). Cancel or the close box puts
// the opening texts back (a radius stored meanwhile too) and switches the
// small circles off.

#include <array>
#include <string>
#include <string_view>

#include "dialogs/common/DialogBase.h"

class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tlrx {

class AngleField;
class ColorBox;

// A radius text (with its blanks) in nautical miles, statute miles and
// kilometres, each as "00000.0" with the locale's decimal separator.
struct RadiusDistances {
    std::string nauticalMiles, statuteMiles, kilometres;
};
RadiusDistances RadiusInMiles(std::string_view radiusText);

class SmallCircle : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 2260;

    explicit SmallCircle(QWidget* parent = nullptr);

    AngleField* LatCenter;  // ScText 0
    AngleField* LonCenter;  // 1
    AngleField* RadiusDeg;  // 2
    QLineEdit* RadiusNM;    // shown only
    QLineEdit* RadiusSM;
    QLineEdit* RadiusKM;
    QSpinBox* SCircleNum;    // 1 to 10
    QSpinBox* SCircleWidth;  // pixels, 1 to 600
    ColorBox* ScColor;       // ScColorPicture and ScColorSpin
    QPushButton* OK;
    QPushButton* Cancel;

    void Form_Load();
    void OK_Click();
    void Cancel_Click();
    void RadiusDeg_Change();

protected:
    void SaveCopy() override;
    void RestoreCopy() override;

private:
    void ShowDistances(std::string_view radiusText);

    std::array<std::string, 3> copy_;
};

}  // namespace tlrx
