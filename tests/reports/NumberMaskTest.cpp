// Numbers through the report masks.

#include <gtest/gtest.h>

#include "reports/NumberMask.h"

namespace tlrx {
namespace {

TEST(NumberMaskTest, WritesTheMasksOfTheReports) {
    struct Case {
        double value;
        const char* mask;
        const char* text;
    };
    const Case cases[] = {
        {6200000, "00,000,000", "06,200,000"},
        {6378206.4, "#,###,###", "6,378,206"},
        {294.9786982, "###.0000", "294.9787"},
        {-2.5, "#########0.0000", "-2.5000"},
        {0, "#########0.0000", "0.0000"},
        {1000, "00,000", "01,000"},
        {1152.3, "00,000", "01,152"},
        {1853.25, "00,000", "01,853"},
        {0, "00,000", "00,000"},
        {7.5, "000.0", "007.5"},
        {270, "000.0", "270.0"},
        {7, "00", "07"},
        {1667.9244, "00,000.0", "01,667.9"},
        {35840, "##,###,###", "35,840"},
        {0, "##,###,###", ""},
        {0.5, "###.0000", ".5000"},
        {-0.00001, "#########0.0000", "0.0000"},
        {1234567.8, "0,000,000", "1,234,568"},
        {12345678, "0,000,000", "12,345,678"},
        {-1234.6, "0,000,000", "-0,001,235"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatMask(c.value, c.mask), c.text) << c.value << " " << c.mask;
}

}  // namespace
}  // namespace tlrx
