#pragma once
// "Non-azimuthal Projection Boundaries": the map's boundaries and graticule
// spacing for the cylindrical, conic and world projections (codes 1, 2, 6,
// 7, 8, 12, 16, 40, 41, 42), the first dialog of the boundary chain.
//
// While the projection is not yet defined the dialog starts from its default
// texts. OK checks every field, then the pole rules, stores BoundsText 0 to
// 5 and derives the graticule (CalcGraticule; a rejection puts the texts
// back as they were and keeps the dialog open). Mercator, Hammer, Robinson
// and Mollweide then finish the edit here; the projections with standard
// parallels go on to LatLonStdPar and the interrupted Mollweide to
// LatLonInterrupt, whose OK finishes the edit and closes both dialogs.
// Cancel there leaves this dialog open for another try.
//
// The edit is complete only when the whole chain was accepted. Closed any
// other way, the dialog puts back the ten texts it opened with, runs the
// opener's restore (the Projection menu's previous projection) and derives
// the graticule and projection parameters again for the projection put back:
// from the texts put back, or for UTM from its zone and metre grid texts.

#include <array>
#include <functional>
#include <string>

#include "dialogs/common/DialogBase.h"

class QPushButton;

namespace tlrx {

class AngleField;

class LatLonBounds : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 2440;

    // restoreOpener runs when the dialog closes without a completed edit,
    // before the design is derived again.
    explicit LatLonBounds(QWidget* parent = nullptr, std::function<void()> restoreOpener = {});

    AngleField* LatN;   // BoundsText 0
    AngleField* LatS;   // 1
    AngleField* LatGr;  // 2
    AngleField* LonW;   // 3
    AngleField* LonE;   // 4
    AngleField* LonGr;  // 5
    QPushButton* OK;
    QPushButton* Cancel;

    void Form_Load();
    void OK_Click();
    // Back from the second dialog: closes this one when the chain completed.
    void OK_GotFocus();
    void Cancel_Click();

    // The edit was accepted (by this dialog or by the chain it opened).
    bool Completed() const { return result() == Accepted; }

protected:
    void SaveCopy() override;
    void RestoreCopy() override;

private:
    std::array<AngleField*, 6> Fields() const { return {LatN, LatS, LatGr, LonW, LonE, LonGr}; }
    // The pole rule of OK that no field check covers; false after its box.
    bool PolesAccepted();
    void ShowSecondDialog();

    std::array<std::string, 10> copy_;
    std::function<void()> restoreOpener_;
    bool derived_ = false;  // the graticule was derived from this dialog's texts
};

}  // namespace tlrx
