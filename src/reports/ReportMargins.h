#pragma once
// "Print Report on <printer>": the units and the four report margins, each
// measured from its edge of the paper and kept at least as large as the
// printer's unprintable border. The fields write through to the design
// while the dialog is open; closing it without printing puts the units and
// margins back. "Print Report" refuses margins that leave no room for a
// line of the report, and asks (Abort, Retry, Ignore) when the report is
// wider than the space between the left and right margins. Printing goes
// ahead when DialogCancelled is clear after the dialog.

#include <QString>
#include <cstdint>

#include "dialogs/common/DialogBase.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tlrx {

class PrintUnitsField;

class ReportMargins : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 2020;

    // lineHeightTwips: the height of one line of the report to print.
    ReportMargins(QWidget* parent, const QString& explanation, double lineHeightTwips);

    QGroupBox* RptFrOrientation;
    QLabel* LblOrientation;
    QGroupBox* RptFrMargins;
    QLineEdit* RptTbLeft;
    QLineEdit* RptTbRight;
    QLineEdit* RptTbTop;
    QLineEdit* RptTbBottom;
    PrintUnitsField* RptFrUnits;
    QRadioButton* Centimeters;
    QRadioButton* Inches;
    QLabel* LblText;
    QPushButton* OK;  // "Print Report"
    QPushButton* Cancel;

    void Form_Load();
    // A unit chosen (and stored): the margins box renamed, the page measured in it.
    void RptFrUnits_Click(bool inches);
    void OK_Click();
    void Cancel_Click();

protected:
    void SaveCopy() override;
    void RestoreCopy() override;

private:
    // A margin field's rule: raised to the printer's border, then stored.
    void MarginChange(QLineEdit* field, float& margin, float limit);
    bool MeasurePage();

    double lineHeightTwips_;
    struct Copy {
        int16_t PrinterUnits;
        float Left, Right, Top, Bottom;
    } copy_{};
};

}  // namespace tlrx
