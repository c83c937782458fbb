#pragma once
// The masked number field of the dialogs that take metres, kilometres or the
// UTM scale factor: groups of digit places joined by a separator of the
// user's number format, for example "99,999,999" (thousands) or "9.9999"
// (decimal point). The separators are literals the user cannot edit.
//
// Digits() is the design's form of the entry: the digits typed, without the
// separators, and an unfilled place counts for nothing ("10,00_,___" gives
// "1000"). SetDigits() fills the field from such a text, right-aligned.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/common/MaskedField.h"

namespace tlrx {

// The thousands and decimal separators of the user's number format: the
// characters that write 1234.567 as "1,234.6" in the form "0,000.0".
struct NumberSeparators {
    QChar thousands;
    QChar decimal;
};
NumberSeparators UserNumberSeparators();

// A whole number as eight digits with leading zeros, grouped by the user's
// thousands separator ("00,019,339"): the form "00,000,000". The number is
// rounded to the nearest whole, halves away from zero.
std::string GroupedEightDigits(double value);

class DigitField : public MaskedField {
    Q_OBJECT
public:
    // groups: the digit places of each group, first to last ({2, 3, 3});
    // separator: the literal between two groups.
    DigitField(std::vector<int> groups, QChar separator, QWidget* parent);

    // Fields of the user's number format: a whole number with the thousands
    // separator between its groups, and the scale factor "9.9999" with the
    // decimal separator.
    static DigitField* Grouped(std::vector<int> groups, QWidget* parent);
    static DigitField* Scale(QWidget* parent);

    // The text as shown, an unfilled place as a blank.
    std::string Text() const;
    // The digits of the whole field, or of group i.
    std::string Digits() const;
    std::string GroupDigits(size_t i) const;
    // Digits() padded with leading zeros to the field's number of places.
    std::string PaddedDigits() const;
    // The number the digits form; 0 when there are none.
    int64_t Value() const;

    // Fills the field from digits (other characters are skipped), the last
    // digit in the last place; places before the first digit get zeros.
    void SetDigits(std::string_view digits);
    // Fills each group from its own digits, left-aligned (the scale factor's
    // fraction), the places left over getting zeros.
    void SetGroups(const std::vector<std::string>& groups);

    int Places() const;

private:
    std::vector<int> groups_;
};

}  // namespace tlrx
