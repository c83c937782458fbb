#pragma once
// "Select Endpoints of Great Circle": the two end points of the great circle
// as angle texts (GcEndText), its line width in pixels and its colour.
//
// Leaving a latitude field runs the common angle checks and then the pole
// rule: an end point on a pole needs equal longitudes, or the field gets its
// stored text back after an OK-only box. OK checks every field, then the
// pole rule (Retry: back to the starting longitude; Cancel: the four texts
// of the dialog's opening), stores the texts (an end on the 180th meridian
// takes the start's side of it), their degrees and the width, and switches
// the great circle on; the Design Map menu then computes it. Cancel or the
// close box puts the opening texts back and switches the great circle off,
// leaving DialogCancelled set for the menu to clear.

#include <array>
#include <string>

#include "dialogs/common/DialogBase.h"

class QPushButton;
class QSpinBox;

namespace tlrx {

class AngleField;
class ColorBox;

class GCircleEnds : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 370;

    explicit GCircleEnds(QWidget* parent = nullptr);

    AngleField* LatN;        // start latitude, GcEndText 0
    AngleField* LonW;        // start longitude, 1
    AngleField* LatS;        // end latitude, 2
    AngleField* LonE;        // end longitude, 3
    QSpinBox* GCircleWidth;  // pixels, 1 to 600
    ColorBox* GcColor;       // GcColorPicture and GcColorSpin
    QPushButton* OK;
    QPushButton* Cancel;

    void Form_Load();
    void OK_Click();
    void Cancel_Click();

protected:
    void SaveCopy() override;
    void RestoreCopy() override;

private:
    std::array<AngleField*, 4> Fields() const { return {LatN, LonW, LatS, LonE}; }
    // An end on a pole with longitudes that differ.
    bool PoleFault(const AngleField& latitude) const;
    // The pole rule as a latitude field is left: an OK-only box, then the
    // field's stored text. closing: the box's last line.
    void PoleRuleOnLeave(AngleField& latitude, const char* closing);

    // OK's checks and what it stores; false when a check refused.
    bool Accept();

    std::array<std::string, 4> copy_;
    bool inOk_ = false;  // OK is running
};

}  // namespace tlrx
