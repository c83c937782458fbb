#pragma once
// "Azimuthal Projection Boundaries": what the two boundary dialogs of the
// azimuthal projections share. Each edits the map centre and the graticule
// spacing (LatCentral, LatGr, LonCentral, LonGr: BoundsText 6, 2, 7, 5) and
// one value of its own: the angular range (LatLonBoundsAz) or the height of
// the viewpoint (LatLonBoundsVp).
//
// OK checks every field, stores the texts and derives the graticule
// (CalcGraticule sets the poles and the meridians opposite the centre as the
// boundaries); a rejection puts the texts back as they were and keeps the
// dialog open. An accepted OK computes the projection parameters, sets the
// standard parallels to zero, marks the projection defined and finishes the
// edit. Closed any other way, the dialog puts back the ten texts it opened
// with and runs the opener's restore (the Projection menu's previous
// projection).

#include <array>
#include <functional>
#include <string>

#include "dialogs/common/DialogBase.h"

class QPushButton;

namespace tlrx {

class AngleField;
class AngleRows;
struct DesignState;

class AzimuthalBounds : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 2460;

    AngleField* LatCentral;  // BoundsText 6
    AngleField* LatGr;       // 2
    AngleField* LonCentral;  // 7
    AngleField* LonGr;       // 5
    QPushButton* OK = nullptr;
    QPushButton* Cancel = nullptr;

    void OK_Click();
    void Cancel_Click();

    // The edit was accepted.
    bool Completed() const { return result() == Accepted; }

protected:
    AzimuthalBounds(QWidget* parent, std::string_view formName, std::function<void()> restoreOpener);

    // Lays out the four shared rows, then the dialog's own (ownRows), the
    // hint and the buttons.
    void BuildForm(const std::function<void(AngleRows&)>& ownRows);
    // The shared part of loading: the cancel protocol and the copy, the
    // placement, and ConstantGrid's texts while the projection is not yet
    // defined (true then).
    bool BeginLoad();
    // Fills the four shared fields from BoundsText.
    void FillShared();
    // Stores the dialog's own field into the design.
    virtual void StoreOwnField(DesignState& d) = 0;

    void SaveCopy() override;
    void RestoreCopy() override;

    // True while OK runs the field checks.
    bool checkingAtOk_ = false;

private:
    std::array<std::string, 10> copy_;
    std::function<void()> restoreOpener_;
};

}  // namespace tlrx
