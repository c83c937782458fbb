#pragma once
// "Latitudes of Standard Parallels": the second dialog of the boundary chain
// for the projections with standard parallels, shown only by the OK of
// LatLonBounds once the new boundaries are stored. The equirectangular and
// cylindrical equal-area projections (codes 2, 40) take one parallel and its
// mirror image south of the equator (the southern field follows the northern
// one and cannot be edited); the conics (6, 7, 8) take two.
//
// It starts from default parallels (ParamStdParallel) while the projection
// is not defined or the parallels last accepted were those of the other
// group. OK checks every field and the rules between the two, stores the
// parallels, computes the projection parameters, marks the projection
// defined and closes the chain. Cancel or the close box puts the six
// standard parallel values back (texts and numbers) and returns to the
// boundary dialog.

#include <string>

#include "dialogs/common/DialogBase.h"

class QLabel;
class QPushButton;

namespace tlrx {

class AngleField;

class LatLonStdPar : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 330;

    // Placed 390 twips right of and below the boundary dialog that opens it.
    explicit LatLonStdPar(QWidget& opener);

    QLabel* LatNorth;  // BoundsText 0
    AngleField* LatNorthStdPar;
    AngleField* LatSouthStdPar;
    QLabel* LatSouth;  // BoundsText 1
    QPushButton* OK;
    QPushButton* Cancel;

    void Form_Load();
    void OK_Click();
    void Cancel_Click();

protected:
    void SaveCopy() override;
    void RestoreCopy() override;

private:
    // One parallel and its mirror image (codes 2 and 40).
    bool Mirrored() const;
    // The southern field becomes the northern text with the letter S.
    void Mirror();
    std::optional<std::string> NorthFault() const;
    std::optional<std::string> SouthFault() const;
    std::optional<std::string> PairFault(std::string& title) const;

    QWidget& opener_;
    struct Copy {
        std::string text0, text1, northText, southText;
        double north = 0, south = 0;
    } copy_;
};

}  // namespace tlrx
