#include "reports/NumberMask.h"

#include <QString>
#include <charconv>
#include <cmath>
#include <system_error>

#include "core/Errors.h"
#include "dialogs/common/DigitField.h"

namespace tlrx {

MaskSeparators UserMaskSeparators() {
    const NumberSeparators user = UserNumberSeparators();
    return {QString(user.thousands).toStdString(), QString(user.decimal).toStdString()};
}

std::string FormatMask(double value, std::string_view mask) { return FormatMask(value, mask, UserMaskSeparators()); }

std::string FormatMask(double value, std::string_view mask, const MaskSeparators& separators) {
    const size_t point = mask.find('.');
    const std::string_view whole = mask.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : mask.substr(point + 1);
    int minWhole = 0;
    bool group = false;
    for (const char c : whole) {
        if (c == '0') ++minWhole;
        if (c == ',') group = true;
    }
    int decimals = 0;
    int minDecimals = 0;
    for (const char c : fraction) {
        if (c == '0' || c == '#') ++decimals;
        if (c == '0') minDecimals = decimals;
    }
    // to_chars writes "." whatever the locale.
    char buf[400];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed, decimals);
    if (ec != std::errc{}) Raise(kOverflow);
    std::string digits(buf, end);
    std::string frac;
    if (const size_t dot = digits.find('.'); dot != std::string::npos) {
        frac = digits.substr(dot + 1);
        digits.resize(dot);
    }
    while (static_cast<int>(frac.size()) > minDecimals && frac.back() == '0') frac.pop_back();
    if (digits == "0") digits.clear();  // the whole part's zero is written only by a "0"
    if (static_cast<int>(digits.size()) < minWhole) digits.insert(0, minWhole - digits.size(), '0');
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (group && i > 0 && (digits.size() - i) % 3 == 0) out += separators.thousands;
        out += digits[i];
    }
    if (point != std::string_view::npos) out += separators.decimal + frac;
    const bool zero = out.find_first_of("123456789") == std::string::npos;
    if (value < 0 && !zero) out.insert(0, 1, '-');
    return out;
}

std::string WithUserSeparators(std::string_view text) {
    const MaskSeparators user = UserMaskSeparators();
    std::string out;
    for (const char c : text) {
        if (c == ',') out += user.thousands;
        else if (c == '.') out += user.decimal;
        else out += c;
    }
    return out;
}

}  // namespace tlrx
