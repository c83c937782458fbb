#include "dialogs/common/PrintUnitsField.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "core/PrintUnits.h"
#include "plot/PlotState.h"

namespace tlrx {

PrintUnitsField::PrintUnitsField(QWidget* parent, Order order, std::function<void(bool inches)> switched)
    : QGroupBox(QStringLiteral("Dimensions"), parent) {
    auto* units = new QVBoxLayout(this);
    const auto add = [this, units](bool inches) {
        auto* button = new QRadioButton(UnitName(inches), this);
        units->addWidget(button);
        return button;
    };
    if (order == Order::InchesFirst) {
        Inches = add(true);
        Centimeters = add(false);
    } else {
        Centimeters = add(false);
        Inches = add(true);
    }
    const auto choose = [switched](int16_t units) {
        Plot().PrinterUnits = units;
        if (switched) switched(units == kTwipsPerInch);
    };
    connect(Inches, &QRadioButton::toggled, this, [choose](bool on) {
        if (on) choose(kTwipsPerInch);
    });
    connect(Centimeters, &QRadioButton::toggled, this, [choose](bool on) {
        if (on) choose(kTwipsPerCm);
    });
}

void PrintUnitsField::ShowSetting() {
    const int16_t units = Plot().PrinterUnits;
    if (units == kTwipsPerInch) Inches->setChecked(true);
    else if (units == kTwipsPerCm) Centimeters->setChecked(true);
}

bool PrintUnitsField::InchesChosen() const { return Inches->isChecked(); }

bool PrintUnitsField::UnitChosen() const { return Inches->isChecked() || Centimeters->isChecked(); }

QString PrintUnitsField::UnitName(bool inches) { return inches ? QStringLiteral("inch") : QStringLiteral("cm"); }

std::string PrintUnitsField::UnitWord(bool inches) { return inches ? "inches" : "cm"; }

}  // namespace tlrx
