#include "platform/TextEncoding.h"

namespace tlrx {

namespace {

// The Windows-1252 characters 0x80 to 0x9F; 0 where the code page has none.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char Cp1252Byte(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == code) return static_cast<char>(0x80 + i);
    return '?';
}

char Latin1Byte(char32_t code) { return code <= 0xFF ? static_cast<char>(code) : '?'; }

// Each well-formed character through toByte; other bytes as they are. A
// character that became "?" without being one sets *replaced.
std::string Recode(std::string_view text, char (*toByte)(char32_t), bool* replaced) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8(text, i);
        if (c.length == 0) {
            out += text[i++];
            continue;
        }
        const char byte = toByte(c.code);
        if (byte == '?' && c.code != U'?' && replaced) *replaced = true;
        out += byte;
        i += c.length;
    }
    return out;
}

}  // namespace

Utf8Char DecodeUtf8(std::string_view text, size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) return {b, 1};
    const size_t more = b >= 0xC2 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2 : b >= 0xF0 && b <= 0xF4 ? 3 : 0;
    if (more == 0 || i + more >= text.size()) return {};
    char32_t c = b & (0x3F >> more);
    for (size_t k = 1; k <= more; ++k) {
        const auto t = static_cast<unsigned char>(text[i + k]);
        if ((t & 0xC0) != 0x80) return {};
        c = (c << 6) | (t & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are not characters.
    const char32_t least[4] = {0, 0x80, 0x800, 0x10000};
    if (c < least[more] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {};
    return {c, more + 1};
}

char32_t Cp1252Char(unsigned char byte) { return byte >= 0x80 && byte <= 0x9F ? kCp1252High[byte - 0x80] : byte; }

std::string ToCp1252(std::string_view text) { return Recode(text, Cp1252Byte, nullptr); }

std::string ToLatin1(std::string_view text) { return Recode(text, Latin1Byte, nullptr); }

std::string ToCp1252(std::string_view text, bool& replaced) { return Recode(text, Cp1252Byte, &replaced); }

std::string ToLatin1(std::string_view text, bool& replaced) { return Recode(text, Latin1Byte, &replaced); }

}  // namespace tlrx
