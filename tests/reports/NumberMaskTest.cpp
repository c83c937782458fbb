// Numbers through the report masks.

#include <gtest/gtest.h>

#include <QLocale>
#include <string>

#include "reports/NumberMask.h"
#include "support/CLocale.h"

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
    const MaskSeparators english;
    for (const Case& c : cases) EXPECT_EQ(FormatMask(c.value, c.mask, english), c.text) << c.value << " " << c.mask;
}

// The separators written are those given, whatever they are; the C library's
// locale (a decimal comma under de_DE and fr_FR) changes nothing.
TEST(NumberMaskTest, SeparatorsAreTheUsersWhateverTheCLocale) {
    TLRX_REQUIRE_COMMA_LOCALES();
    const MaskSeparators german{".", ","}, french{"\xE2\x80\xAF", ","}, swiss{"\xE2\x80\x99", "."};
    for (const std::string& name : test::CommaLocales()) {
        SCOPED_TRACE(name);
        test::ScopedCLocale locale(name);
        EXPECT_EQ(FormatMask(0.69641, "0.0000", MaskSeparators{}), "0.6964");
        EXPECT_EQ(FormatMask(9, "000.0", MaskSeparators{}), "009.0");
        EXPECT_EQ(FormatMask(1, "0.0000000", german), "1,0000000");
        EXPECT_EQ(FormatMask(6378206.4, "#,###,###", german), "6.378.206");
        EXPECT_EQ(FormatMask(1667.9244, "00,000.0", german), "01.667,9");
        EXPECT_EQ(FormatMask(1667.9244, "00,000.0", french),
                  "01\xE2\x80\xAF"
                  "667,9");
        EXPECT_EQ(FormatMask(-1234.6, "0,000,000", swiss),
                  "-0\xE2\x80\x99"
                  "001\xE2\x80\x99"
                  "235");
        EXPECT_EQ(FormatMask(294.9786982, "###.0000", swiss), "294.9787");
    }
}

// Without a choice of separators, the user's: those of QLocale's default,
// as in the dialogs' number fields.
TEST(NumberMaskTest, TheReportsTakeTheUsersSeparators) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatMask(35840.25, "##,###,###.00"), "35.840,25");
    EXPECT_EQ(WithUserSeparators("9.6572E-01 00,019,339"), "9,6572E-01 00.019.339");
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(FormatMask(35840.25, "##,###,###.00"), "35,840.25");
    QLocale::setDefault(saved);
}

}  // namespace
}  // namespace tlrx
