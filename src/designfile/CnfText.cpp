#include "designfile/CnfText.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "core/Errors.h"
#include "platform/TextEncoding.h"
#include "plot/RunFiles.h"

namespace tlrx {

namespace {

// value rounded to `digits` significant digits in the print statement's form.
std::string PrintNumber(double value, int digits) {
    if (value == 0) return " 0";
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, digits - 1);
    const std::string_view sci(buffer, static_cast<size_t>(result.ptr - buffer));  // d.ddddde+XX
    const size_t e = sci.find('e');
    std::string mantissa(1, sci[0]);
    if (e > 2) mantissa += sci.substr(2, e - 2);
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
    const int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());

    std::string text = value < 0 ? "-" : " ";
    if (exponent < -4 || exponent >= digits) {
        text += mantissa[0];
        if (mantissa.size() > 1) text += "." + mantissa.substr(1);
        std::string power = std::to_string(std::abs(exponent));
        if (power.size() < 2) power.insert(0, 1, '0');
        text += (exponent < 0 ? "E-" : "E+") + power;
    } else if (exponent < 0) {
        text += "." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
    } else {
        const auto whole = static_cast<size_t>(exponent) + 1;
        if (mantissa.size() <= whole) {
            text += mantissa + std::string(whole - mantissa.size(), '0');
        } else {
            text += mantissa.substr(0, whole) + "." + mantissa.substr(whole);
        }
    }
    return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number as list input takes it: sign, digits with an optional
// point, an optional exponent (E or D); Type mismatch for anything else.
double ParseNumber(std::string_view field) {
    size_t i = 0;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
    std::string digits;
    int pointAt = -1;
    for (; i < field.size(); ++i) {
        if (IsDigit(field[i])) {
            digits += field[i];
        } else if (field[i] == '.' && pointAt < 0) {
            pointAt = static_cast<int>(digits.size());
        } else {
            break;
        }
    }
    if (digits.empty()) Raise(kTypeMismatch);
    long exponent = 0;
    if (i < field.size() && (field[i] == 'E' || field[i] == 'e' || field[i] == 'D' || field[i] == 'd')) {
        ++i;
        bool negativeExponent = false;
        if (i < field.size() && (field[i] == '+' || field[i] == '-')) negativeExponent = field[i++] == '-';
        if (i == field.size()) Raise(kTypeMismatch);
        for (; i < field.size() && IsDigit(field[i]); ++i) {
            if (exponent < 100000) exponent = exponent * 10 + (field[i] - '0');
        }
        if (negativeExponent) exponent = -exponent;
    }
    if (i != field.size()) Raise(kTypeMismatch);

    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return 0;
    // The value is 0.d1d2d3... times ten to `scale`.
    const long whole = pointAt < 0 ? static_cast<long>(digits.size()) : pointAt;
    const long scale = whole - static_cast<long>(first) + exponent;
    if (scale > 400) Raise(kOverflow);
    if (scale < -400) return 0;
    const std::string normal = "0." + digits.substr(first) + "e" + std::to_string(scale);
    double value = 0;
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (scale > 0) Raise(kOverflow);
        value = 0;
    }
    return negative ? -value : value;
}

// The Windows-1252 byte of each Unicode character the files carry: the code
// page's characters, and the C1 controls of its five unassigned bytes.
std::optional<char> FileByte(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (unsigned b = 0x80; b <= 0x9F; ++b) {
        const char32_t c = Cp1252Char(static_cast<unsigned char>(b));
        if (c == code || (c == 0 && code == b)) return static_cast<char>(b);
    }
    return std::nullopt;
}

}  // namespace

std::string IntegerItem(int32_t value) { return (value < 0 ? "" : " ") + std::to_string(value) + " "; }

std::string NumberForm(float value) { return PrintNumber(value, 7); }
std::string NumberForm(double value) { return PrintNumber(value, 15); }
std::string NumberForm(int32_t value) { return (value < 0 ? "" : " ") + std::to_string(value); }

void PadToNextZone(std::string& line) { line.append(kPrintZone - line.size() % kPrintZone, ' '); }

std::string UncarriableText(std::string_view text, FileCoding coding) {
    for (size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8(text, i);
        if (c.length == 0) return "is not valid UTF-8 text";
        if (c.code == '\r' || c.code == '\n') return "holds a line break";
        if (coding == FileCoding::Cp1252 && !FileByte(c.code))
            return "holds a character outside the Windows-1252 code page";
        i += c.length;
    }
    return {};
}

std::optional<std::string> TextFieldForm(std::string_view text, FileCoding coding) {
    const bool quote =
        text.find(',') != std::string_view::npos || (!text.empty() && (text.front() == ' ' || text.front() == '"'));
    if (!quote) return ToFileText(text, coding);
    if (text.find('"') != std::string_view::npos) return std::nullopt;
    return "\"" + ToFileText(text, coding) + "\"";
}

std::string ToFileText(std::string_view utf8, FileCoding coding) {
    if (coding == FileCoding::Utf8) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const Utf8Char c = DecodeUtf8(utf8, i);
        const std::optional<char> b = c.length ? FileByte(c.code) : std::nullopt;
        out += b.value_or('?');
        i += c.length ? c.length : 1;
    }
    return out;
}

std::string FromFileText(std::string_view bytes, FileCoding coding) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (coding == FileCoding::Utf8) {
            const Utf8Char c = DecodeUtf8(bytes, i);
            if (c.length > 0) {
                out += bytes.substr(i, c.length);
                i += c.length - 1;
                continue;
            }
        }
        const auto b = static_cast<unsigned char>(bytes[i]);
        char32_t c = Cp1252Char(b);
        if (c == 0) c = b;  // NUL, and the unassigned bytes as their C1 controls
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::optional<std::string> WithoutEnds(std::string_view utf8) {
    if (utf8.empty()) return std::nullopt;
    const size_t first = std::max<size_t>(1, DecodeUtf8(utf8, 0).length);
    size_t last = utf8.size() - 1;  // the last character's first byte
    while (last > first && (static_cast<unsigned char>(utf8[last]) & 0xC0) == 0x80) --last;
    if (last < first) return std::nullopt;
    return std::string(utf8.substr(first, last - first));
}

ListInput::ListInput(std::string_view bytes) : text_(bytes) {
    if (text_.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        coding_ = FileCoding::Utf8;
        pos_ = kUtf8Mark.size();
    }
}

bool ListInput::AtLineEnd() const { return !AtEnd() && (text_[pos_] == '\r' || text_[pos_] == '\n'); }

void ListInput::TakeLineEnd() {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    ++line_;
}

std::string_view ListInput::NumberField() {
    while (!AtEnd() && (text_[pos_] == ' ' || AtLineEnd())) {
        if (text_[pos_] == ' ') {
            ++pos_;
        } else {
            TakeLineEnd();
        }
    }
    fieldLine_ = line_;
    if (AtEnd()) Raise(kInputPastEnd);
    const size_t start = pos_;
    while (!AtEnd() && text_[pos_] != ' ' && text_[pos_] != ',' && !AtLineEnd()) ++pos_;
    const std::string_view field = text_.substr(start, pos_ - start);
    while (!AtEnd() && text_[pos_] == ' ') ++pos_;
    if (!AtEnd()) {
        if (text_[pos_] == ',') {
            ++pos_;
        } else if (AtLineEnd()) {
            TakeLineEnd();
        }
    }
    return field;
}

double ListInput::Number() { return ParseNumber(NumberField()); }

int16_t ListInput::Integer() { return ToInt16(Number()); }

int32_t ListInput::Long() { return ToInt32(Number()); }

float ListInput::Single() {
    const double v = Number();
    if (!(std::fabs(v) <= FLT_MAX)) Raise(kOverflow);
    return static_cast<float>(v);
}

std::string ListInput::Text() {
    while (!AtEnd() && text_[pos_] == ' ') ++pos_;
    fieldLine_ = line_;
    if (AtEnd()) Raise(kInputPastEnd);
    size_t start = pos_;
    if (text_[pos_] == '"') {
        start = ++pos_;
        while (!AtEnd() && text_[pos_] != '"' && !AtLineEnd()) ++pos_;
        const std::string_view quoted = text_.substr(start, pos_ - start);
        if (!AtEnd() && text_[pos_] == '"') ++pos_;
        while (!AtEnd() && text_[pos_] != ',' && !AtLineEnd()) ++pos_;
        if (!AtEnd()) {
            if (text_[pos_] == ',') {
                ++pos_;
            } else {
                TakeLineEnd();
            }
        }
        return FromFileText(quoted, coding_);
    }
    while (!AtEnd() && text_[pos_] != ',' && !AtLineEnd()) ++pos_;
    const std::string_view plain = text_.substr(start, pos_ - start);
    if (!AtEnd()) {
        if (text_[pos_] == ',') {
            ++pos_;
        } else {
            TakeLineEnd();
        }
    }
    return FromFileText(plain, coding_);
}

std::string ListInput::DecimalText() {
    size_t i = pos_;
    while (i < text_.size() && text_[i] == ' ') ++i;
    if (i < text_.size() && text_[i] == '"') return Text();
    size_t end = i;
    while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') ++end;
    const std::string_view field = text_.substr(i, end - i);
    const size_t comma = field.find(',');
    if (comma == std::string_view::npos) return Text();
    const auto digitAt = [&field](size_t k) { return k < field.size() && IsDigit(field[k]); };
    fieldLine_ = line_;
    if (comma == 0 || !digitAt(comma - 1) || !digitAt(comma + 1) ||
        field.find(',', comma + 1) != std::string_view::npos)
        Raise(kTypeMismatch);
    std::string text = FromFileText(field, coding_);
    text[text.find(',')] = '.';
    pos_ = end;
    if (!AtEnd()) TakeLineEnd();
    return text;
}

std::string ListInput::Line() {
    fieldLine_ = line_;
    if (AtEnd()) Raise(kInputPastEnd);
    const size_t start = pos_;
    while (!AtEnd() && !AtLineEnd()) ++pos_;
    const std::string_view line = text_.substr(start, pos_ - start);
    if (!AtEnd()) TakeLineEnd();
    return FromFileText(line, coding_);
}

}  // namespace tlrx
