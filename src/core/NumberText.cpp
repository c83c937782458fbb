#include "core/NumberText.h"

#include <charconv>
#include <system_error>

#include "core/Errors.h"

namespace tlrx {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double LeadingNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const size_t start = i;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    double value = 0;
    const auto ec = std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::fixed).ec;
    if (ec == std::errc::result_out_of_range) {
        // Out of range with a non-zero whole part is too large; otherwise the
        // number is too small to tell from zero.
        for (size_t k = start; k < i && text[k] != '.'; ++k)
            if (text[k] != '0') Raise(kOverflow);
        value = 0;
    }
    return negative ? -value : value;
}

}  // namespace tlrx
