#pragma once
// "Print Map on <printer>": the print layout. The map's width (its height
// follows at the main window's aspect), its left and top margins or centring
// in either direction, and the unit of all of them (inches or centimetres),
// each held against the page of the chosen printer. The fields write through
// to the design state while the dialog is open; Cancel (or Cancel in a
// refusal at OK) puts the units, width and margins back. "Print Map" checks
// the layout against the page and, when it fits, clears DialogCancelled, on
// which the File menu prints.
//
// Writing a text into the width or a margin field, typed or by the dialog
// itself, runs that field's rule at once, and ticking a box or choosing a
// unit runs its rule: the rules correct a value beyond its limit in place
// (the corrected text runs the rule again, which then accepts it). A zero
// width being typed is corrected only when the field is left or at "Print
// Map". A unit switch keeps the numbers (they now mean the new unit) and
// centres a centred map again on the page measured in that unit.

#include <QString>
#include <cstdint>

#include "dialogs/common/DialogBase.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tlrx {

class PrintUnitsField;

class PrintMap : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 350;

    explicit PrintMap(QWidget* parent = nullptr);

    QGroupBox* MapOrientation;
    QLabel* Orientation;    // "Portrait" or "Landscape"
    QGroupBox* MapSize;     // "Map Size (inch)" or "Map Size (cm)"
    QLineEdit* WidthMap;    // masked "999.99" (the locale's decimal separator)
    QLineEdit* HeightMap;   // read-only: the height follows the width
    QGroupBox* MapMargins;  // "Map Margins (inch)" or "Map Margins (cm)"
    QLineEdit* LeftMap;     // switched off while centred horizontally
    QLineEdit* TopMap;      // switched off while centred vertically
    QGroupBox* MapCenter;
    QCheckBox* HorizontalMap;
    QCheckBox* VerticalMap;
    PrintUnitsField* MapUnits;
    QRadioButton* Inches;
    QRadioButton* Centimeters;
    QPushButton* OK;  // "Print Map"
    QPushButton* Cancel;
    QLabel* Label5;

    // The page of the chosen printer could be measured when the dialog
    // loaded; when not, the failure has been reported and the dialog is of
    // no use.
    bool PageMeasured = false;

    void Form_Load();
    // A unit chosen (and stored): the boxes renamed, the page measured in it.
    void MapUnits_Click(bool inches);
    void HorizontalMap_Click();
    void VerticalMap_Click();
    void WidthMap_Change();
    void LeftMap_Change();
    void TopMap_Change();
    // Leaving the width field: a zero width becomes 0.10.
    bool WidthMap_Leave();
    // The left (top) margin that centres the map on the paper, kept within
    // the printable area.
    void CalcPrnLeft();
    void CalcPrnTop();
    // The margins of a centred map computed and shown again.
    void PlaceCentredMap();
    // Stores the centring and the margins, measures the page again and
    // checks the layout against it: the first check that fails shows a
    // Retry/Cancel box (Retry: back to the width; Cancel: the dialog is
    // cancelled). A layout that fits is accepted.
    void OK_Click();
    void Cancel_Click();

protected:
    void SaveCopy() override;
    void RestoreCopy() override;

private:
    void SetUnitCaptions(bool inches);
    // GetPrnPageMetrics, reporting a failure; false then.
    bool MeasurePage();
    // The main window's drawing area, height over width (0 when it has no size).
    static float WindowAspect();
    // Writes text into a field, which runs the field's rule.
    void Write(QLineEdit* field, const QString& text);
    // A limit written so that the field never shows a value beyond it.
    void WriteMax(QLineEdit* field, float limit);
    void WriteMin(QLineEdit* field, float limit);

    struct Copy {
        int16_t PrinterUnits;
        float PrnMapWidth;
        float PrnMapLeft;
        float PrnMapTop;
    } copy_{};
    int rulesRunning_ = 0;   // depth of the field rules under way
    int programWrites_ = 0;  // depth of the dialog's own writes into its fields
};

}  // namespace tlrx
