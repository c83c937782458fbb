#pragma once
// The three dialogs that set up a UTM map (code 17), each opened by the
// previous one's OK:
//  - UtmSpheroid, "Select UTM Spheroid": the spheroid (UtmSpheroidName);
//  - UtmParameters, "Select UTM Parameters": the zone (UtmText 0 to 4:
//    central longitude, latitude of origin, false easting and northing,
//    scale factor), turned into numbers by CalcUtmZone at its OK;
//  - UtmCoords, "UTM Projection Boundaries": the boundaries and the grid in
//    metres (UtmText 5 to 10), checked and turned into the metre graticule by
//    CalcUtmGrid at its OK, which closes all three.
//
// Metres are stored as plain digit strings (7 digits for eastings, 8 for
// northings) and shown grouped by the user's thousands separator; the scale
// factor is stored with a point ("0.9996") and shown with the user's decimal
// separator.
//
// Cancelling a later dialog returns to the earlier one: UtmCoords puts back
// its six texts, UtmParameters (before its OK) its five. The chain as a
// whole finishes only with UtmCoords accepted: closed any other way, the
// spheroid dialog puts back everything the chain changed (the UTM texts, the
// spheroid name and the zone's numbers) and runs the opener's restore (the
// Projection menu's previous projection).

#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "dialogs/common/DialogBase.h"

class QListWidget;
class QPushButton;

namespace tlrx {

class AngleField;
class DigitField;

// The nine spheroids of the list, in its order.
extern const std::array<std::string_view, 9> kUtmSpheroids;

class UtmSpheroid : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 280;

    explicit UtmSpheroid(QWidget* parent = nullptr, std::function<void()> restoreOpener = {});

    QListWidget* Ellipsoid;  // each entry with one leading blank
    QPushButton* OK;
    QPushButton* Cancel;

    void Form_Load();
    void OK_Click();
    // Back from the parameters: closes this dialog when the chain completed.
    void OK_GotFocus();
    void Cancel_Click();

    bool Completed() const { return result() == Accepted; }

protected:
    void SaveCopy() override;
    void RestoreCopy() override;

private:
    // What the chain may change: the UTM texts, the spheroid name and the
    // numbers CalcUtmZone derives.
    struct ZoneCopy {
        std::string spheroidName;
        std::array<std::string, 11> texts;
        int32_t centLonSec = 0, centLatSec = 0;
        double centralMeridian = 0, centLon = 0, centLat = 0;
        std::string centLonText, centLatText;
        double semiMajorAxis = 0, flattening = 0, falseEasting = 0, falseNorthing = 0, scaleFactor = 0;
        double eccSq = 0, eccPrimeSq = 0, arcA0 = 0, arcB1 = 0, arcB2 = 0, arcB3 = 0, m0 = 0;
    } copy_;
    std::function<void()> restoreOpener_;
};

class UtmParameters : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 290;

    // Placed 390 twips right of and below the spheroid dialog.
    explicit UtmParameters(UtmSpheroid& spheroid);

    AngleField* UtmLonCentral;  // UtmText 0
    AngleField* UtmLatOrigin;   // 1
    DigitField* UtmEasting;     // 2
    DigitField* UtmNorthing;    // 3
    DigitField* UtmScale;       // 4
    QPushButton* OK;
    QPushButton* Cancel;

    void Form_Load();
    void OK_Click();
    void OK_GotFocus();
    void Cancel_Click();

protected:
    void SaveCopy() override;
    void RestoreCopy() override;

private:
    UtmSpheroid& spheroid_;
    std::array<std::string, 5> copy_;
};

class UtmCoords : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 300;

    // Placed 780 twips right of and below the spheroid dialog.
    explicit UtmCoords(UtmSpheroid& spheroid);

    DigitField* UtmLatN;     // UtmText 5
    DigitField* UtmLatS;     // 6
    DigitField* UtmLatGrid;  // 7
    DigitField* UtmLonW;     // 8
    DigitField* UtmLonE;     // 9
    DigitField* UtmLonGrid;  // 10
    QPushButton* OK;
    QPushButton* Cancel;

    void Form_Load();
    void OK_Click();
    void Cancel_Click();

protected:
    void done(int result) override;

private:
    std::array<DigitField*, 6> Fields() const { return {UtmLatN, UtmLatS, UtmLatGrid, UtmLonW, UtmLonE, UtmLonGrid}; }

    UtmSpheroid& spheroid_;
    std::array<std::string, 11> copy_;
};

// The scale factor text of the design ("0.9996") from the field, and the
// field's groups from the text (either separator is read).
std::string ScaleFactorText(const DigitField& field);
void ShowScaleFactor(DigitField& field, std::string_view text);

}  // namespace tlrx
