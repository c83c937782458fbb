#include <gtest/gtest.h>

#include <QRadioButton>
#include <vector>

#include "dialogs/common/PrintUnitsField.h"
#include "plot/PlotState.h"
#include "support/TestFixture.h"

namespace tlrx {
namespace {

class PrintUnitsFieldTest : public test::TlrxTest {
protected:
    PrintUnitsFieldTest() : TlrxTest(std::filesystem::path(TLRX_TEST_OUT_DIR) / "dialog-files") {}

    // The units PrinterUnits held each time the dialog was told of a switch,
    // negative for centimetres.
    std::vector<int> switches;
    PrintUnitsField field{nullptr, PrintUnitsField::Order::InchesFirst, [this](bool inches) {
                              switches.push_back(inches ? Plot().PrinterUnits : -Plot().PrinterUnits);
                          }};
};

TEST_F(PrintUnitsFieldTest, ShowingTheSettingChecksItsUnitAndRunsTheSwitchOnlyForAKnownUnit) {
    struct Case {
        int16_t stored;
        bool inches, centimetres;
        std::vector<int> switches;
    };
    const Case cases[] = {
        {1440, true, false, {1440}},
        {567, false, true, {-567}},
        {720, false, false, {}},  // neither unit: nothing checked, the value kept
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        PrintUnitsField shown(nullptr, PrintUnitsField::Order::CentimetersFirst, [this](bool inches) {
            switches.push_back(inches ? Plot().PrinterUnits : -Plot().PrinterUnits);
        });
        switches.clear();
        Plot().PrinterUnits = c.stored;
        shown.ShowSetting();
        EXPECT_EQ(shown.Inches->isChecked(), c.inches);
        EXPECT_EQ(shown.Centimeters->isChecked(), c.centimetres);
        EXPECT_EQ(shown.UnitChosen(), c.inches || c.centimetres);
        EXPECT_EQ(switches, c.switches);
        EXPECT_EQ(Plot().PrinterUnits, c.stored);
    }
}

TEST_F(PrintUnitsFieldTest, ChoosingAUnitStoresItBeforeTheDialogHearsOfIt) {
    Plot().PrinterUnits = 1440;
    field.ShowSetting();
    field.Centimeters->click();
    field.Centimeters->click();  // already chosen: no switch
    field.Inches->click();
    EXPECT_EQ(switches, (std::vector<int>{1440, -567, 1440}));
    EXPECT_EQ(Plot().PrinterUnits, 1440);
    EXPECT_TRUE(field.InchesChosen());
}

}  // namespace
}  // namespace tlrx
