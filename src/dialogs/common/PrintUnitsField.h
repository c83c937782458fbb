#pragma once
// The "Dimensions" box of the print dialogs: the print units (PrinterUnits)
// chosen between "inch" and "cm". Choosing a unit, by the user or by
// ShowSetting, stores it in PrinterUnits and then tells the dialog, which
// renames its boxes and measures the page again in the new unit; the
// lengths its fields show keep their numbers.

#include <QGroupBox>
#include <QString>
#include <functional>
#include <string>

class QRadioButton;

namespace tlrx {

class PrintUnitsField : public QGroupBox {
public:
    // Which button stands first (and comes first in the tab order).
    enum class Order { InchesFirst, CentimetersFirst };

    // switched: run after a unit is chosen and stored; true for inches.
    PrintUnitsField(QWidget* parent, Order order, std::function<void(bool inches)> switched);

    QRadioButton* Inches;
    QRadioButton* Centimeters;

    // Checks the button of the stored PrinterUnits, which runs the switch;
    // for a value of neither unit no button is checked and nothing runs.
    void ShowSetting();
    bool InchesChosen() const;
    bool UnitChosen() const;

    // The unit as the dialogs' box titles name it: "inch" or "cm".
    static QString UnitName(bool inches);
    // The unit as their messages name it: "inches" or "cm".
    static std::string UnitWord(bool inches);
};

}  // namespace tlrx
