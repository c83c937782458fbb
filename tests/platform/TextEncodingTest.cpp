#include <gtest/gtest.h>

#include <string>

#include "platform/TextEncoding.h"

namespace tlrx {
namespace {

// UTF-8 bytes of a code point (test side, independent of the decoder).
std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) return std::string(1, static_cast<char>(c));
    if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
    } else {
        if (c < 0x10000) s += static_cast<char>(0xE0 | (c >> 12));
        else s += static_cast<char>(0xF0 | (c >> 18)), s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    return s + static_cast<char>(0x80 | (c & 0x3F));
}

TEST(TextEncodingTest, DecodeUtf8Step) {
    struct Case {
        const char* text;
        size_t at;
        char32_t code;
        size_t length;
    };
    const Case cases[] = {
        {"A", 0, 'A', 1},
        {"x\xC3\xA9", 1, 0xE9, 2},
        {"\xE2\x82\xAC", 0, 0x20AC, 3},
        {"\xED\x9F\xBF", 0, 0xD7FF, 3},        // just below the surrogates
        {"\xF0\x9F\x8C\x8D", 0, 0x1F30D, 4},   // a four-byte character
        {"\xF4\x8F\xBF\xBF", 0, 0x10FFFF, 4},  // the last code point
        {"\xF4\x90\x80\x80", 0, 0, 0},         // beyond Unicode
        {"\xC0\xAF", 0, 0, 0},                 // overlong '/' in two bytes
        {"\xE0\x80\xAF", 0, 0, 0},             // ... in three
        {"\xF0\x80\x80\xAF", 0, 0, 0},         // ... in four
        {"\xED\xA0\x80", 0, 0, 0},             // a surrogate
        {"\xC3(", 0, 0, 0},                    // no continuation byte
        {"\xE2\x82", 0, 0, 0},                 // cut short
        {"\x80", 0, 0, 0},                     // a stray continuation byte
        {"\xF5\x80\x80\x80", 0, 0, 0},         // no lead byte
    };
    for (const Case& c : cases) {
        const Utf8Char got = DecodeUtf8(c.text, c.at);
        EXPECT_EQ(got.code, c.code) << c.text;
        EXPECT_EQ(got.length, c.length) << c.text;
    }
}

TEST(TextEncodingTest, Cp1252HighRangeBothWays) {
    // python3 -c "print([hex(ord(bytes([b]).decode('cp1252', 'replace'))) for b in range(0x80, 0xA0)]"
    // (U+FFFD there marks the unassigned bytes, 0 here)
    const char32_t reference[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
    };
    for (int k = 0; k < 32; ++k) {
        const auto byte = static_cast<unsigned char>(0x80 + k);
        EXPECT_EQ(Cp1252Char(byte), reference[k]) << k;
        // The C1 control of the same number is no character of the code page.
        EXPECT_EQ(ToCp1252(Utf8(0x80 + k)), "?") << k;
        if (reference[k] != 0) {
            EXPECT_EQ(ToCp1252(Utf8(reference[k])), std::string(1, static_cast<char>(byte))) << k;
        }
    }
    EXPECT_EQ(Cp1252Char('A'), U'A');
    EXPECT_EQ(Cp1252Char(0xE9), U'\u00E9');
}

TEST(TextEncodingTest, ToCp1252AndLatin1) {
    // replaced: whether a character had to become "?" (Windows-1252, Latin-1).
    struct Case {
        std::string in, cp1252, latin1;
        bool cpReplaced, latinReplaced;
    };
    const Case cases[] = {
        {"plain\r\n", "plain\r\n", "plain\r\n", false, false},
        {"why?", "why?", "why?", false, false},  // a question mark of its own
        {"Z\xC3\xBCrich", "Z\xFCrich", "Z\xFCrich", false, false},
        {"\xE2\x82\xAC 5", "\x80 5", "? 5", false, true},
        {"\xC2\x85", "?", "\x85", true, false},                          // U+0085, a C1 control
        {"\xF0\x9F\x8C\x8D!", "?!", "?!", true, true},                   // a four-byte character
        {"caf\xE9", "caf\xE9", "caf\xE9", false, false},                 // bytes already in the code page
        {"\xC3(", "\xC3(", "\xC3(", false, false},                       // a malformed sequence
        {"\xC0\xAF", "\xC0\xAF", "\xC0\xAF", false, false},              // an overlong form
        {"\xED\xA0\x80", "\xED\xA0\x80", "\xED\xA0\x80", false, false},  // a surrogate
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToCp1252(c.in), c.cp1252) << c.in;
        EXPECT_EQ(ToLatin1(c.in), c.latin1) << c.in;
        bool cp = false, latin = false;
        EXPECT_EQ(ToCp1252(c.in, cp), c.cp1252) << c.in;
        EXPECT_EQ(ToLatin1(c.in, latin), c.latin1) << c.in;
        EXPECT_EQ(cp, c.cpReplaced) << c.in;
        EXPECT_EQ(latin, c.latinReplaced) << c.in;
    }
    // A text that loses nothing leaves an earlier replacement marked.
    bool replaced = true;
    ToCp1252("plain", replaced);
    EXPECT_TRUE(replaced);
}

}  // namespace
}  // namespace tlrx
