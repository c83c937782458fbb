// The text forms of the design file: numbers and texts as the print
// statement writes them, and list input taking them back.

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "designfile/CnfText.h"

namespace tlrx {
namespace {

TEST(CnfTextTest, NumbersTakeThePrintStatementsForms) {
    struct Case {
        double value;
        bool single;
        const char* text;
    };
    const Case cases[] = {
        {0, true, " 0"},
        {1440, true, " 1440"},
        {-60, true, "-60"},
        {0.25, false, " .25"},
        {-0.5, false, "-.5"},
        {0.0001, false, " .0001"},
        {0.00001, false, " 1E-05"},
        {-0.000012345, false, "-1.2345E-05"},
        {6.5, true, " 6.5"},
        {0.1f, true, " .1"},  // the float's 7 digits, not its binary tail
        {1234567, true, " 1234567"},
        {12345678, true, " 1.234568E+07"},
        {9999999.6, true, " 1E+07"},  // rounding carries into the exponent
        {3.14159265358979, false, " 3.14159265358979"},
        {3.141592653589793, false, " 3.14159265358979"},
        {123456789012345.0, false, " 123456789012345"},
        {1234567890123456.0, false, " 1.23456789012346E+15"},
        {1e100, false, " 1E+100"},
        {-2.5e-300, false, "-2.5E-300"},
    };
    for (const Case& c : cases) {
        const std::string text = c.single ? NumberForm(static_cast<float>(c.value)) : NumberForm(c.value);
        EXPECT_EQ(text, c.text) << c.value;
    }
    EXPECT_EQ(NumberForm(int32_t{-32768}), "-32768");
    EXPECT_EQ(NumberForm(int32_t{45}), " 45");
    EXPECT_EQ(IntegerItem(0), " 0 ");
    EXPECT_EQ(IntegerItem(-1), "-1 ");
    EXPECT_EQ(IntegerItem(33554432), " 33554432 ");
}

// Saving a recalled number gives the same text: for any Single and Double
// the form read back and written again is the form written.
TEST(CnfTextTest, NumberFormsAreStableThroughReadingBack) {
    std::mt19937 random(17);
    for (int i = 0; i < 200000; ++i) {
        uint32_t bits = static_cast<uint32_t>(random());
        float f;
        std::memcpy(&f, &bits, sizeof f);
        if (!std::isfinite(f)) continue;
        const std::string text = NumberForm(f);
        ListInput in(text);
        ASSERT_EQ(NumberForm(in.Single()), text) << bits;
    }
    for (int i = 0; i < 200000; ++i) {
        uint64_t bits = (static_cast<uint64_t>(random()) << 32) | random();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v)) continue;
        const std::string text = NumberForm(v);
        ListInput in(text);
        ASSERT_EQ(NumberForm(in.Number()), text) << bits;
    }
}

TEST(CnfTextTest, TextsAreQuotedOnlyWhenListInputNeedsIt) {
    EXPECT_EQ(TextFieldForm("Arial"), "Arial");
    EXPECT_EQ(TextFieldForm(""), "");
    EXPECT_EQ(TextFieldForm("Say \"hi\""), "Say \"hi\"");  // a quote inside needs none
    EXPECT_EQ(TextFieldForm("Times, Roman"), "\"Times, Roman\"");
    EXPECT_EQ(TextFieldForm(" Courier"), "\" Courier\"");
    EXPECT_EQ(TextFieldForm("\"quoted"), std::nullopt);
    EXPECT_EQ(TextFieldForm("a, \"b\""), std::nullopt);
    EXPECT_EQ(TextFieldForm("K\xC3\xB8"
                            "benhavn"),
              "K\xF8"
              "benhavn");  // UTF-8 to the code page
}

TEST(CnfTextTest, TextsTheCodePageCannotHoldAreNamed) {
    EXPECT_EQ(UncarriableText("Zürich – € ‰"), "");
    EXPECT_EQ(UncarriableText("two\nlines"), "holds a line break");
    EXPECT_EQ(UncarriableText("cr\r"), "holds a line break");
    EXPECT_EQ(UncarriableText("\xE6\x9D\xB1\xE4\xBA\xAC"), "holds a character outside the Windows-1252 code page");
    EXPECT_EQ(UncarriableText("\xFF"), "is not valid UTF-8 text");
    // UTF-8 carries every character, but neither line breaks nor bad bytes.
    EXPECT_EQ(UncarriableText("\xE6\x9D\xB1\xE4\xBA\xAC", FileCoding::Utf8), "");
    EXPECT_EQ(UncarriableText("two\nlines", FileCoding::Utf8), "holds a line break");
    EXPECT_EQ(UncarriableText("\xFF", FileCoding::Utf8), "is not valid UTF-8 text");
}

// A file that begins with the byte-order mark has its texts in UTF-8; a byte
// that starts no UTF-8 sequence there is read as its Windows-1252 character.
TEST(CnfTextTest, AFileWithTheByteOrderMarkIsReadAsUtf8) {
    ListInput in("\xEF\xBB\xBF\xCE\x91\xCE\xB8, 5 \r\n\"\xD0\x9C\xD0\xBE, \xE9\"\r\n\"\xCE\xB1\xCE\xB2\"\r\n");
    EXPECT_EQ(in.Text(), "\xCE\x91\xCE\xB8");  // the mark is no part of the first field
    EXPECT_EQ(in.Integer(), 5);
    EXPECT_EQ(in.Text(), "\xD0\x9C\xD0\xBE, \xC3\xA9");
    EXPECT_EQ(WithoutEnds(in.Line()), "\xCE\xB1\xCE\xB2");
    EXPECT_EQ(in.FieldLine(), 3);
    // Without the mark the same bytes are Windows-1252.
    ListInput old("\xCE\x91, 5 ");
    EXPECT_EQ(old.Text(), "\xC3\x8E\xE2\x80\x98");
    EXPECT_EQ(ToFileText("\xCE\xB1\xE2\x82\xAC", FileCoding::Utf8), "\xCE\xB1\xE2\x82\xAC");
}

TEST(CnfTextTest, AWholeLineLosesItsFirstAndLastCharacters) {
    const std::pair<std::string_view, std::optional<std::string>> cases[] = {
        {"\"Lake \"Tahoe\"\"", "Lake \"Tahoe\""},
        {"\"\xCE\xB1\xCE\xB2\"", "\xCE\xB1\xCE\xB2"},
        {"\xC3\xA9x\xE2\x82\xAC", "x"},  // characters of several bytes at both ends
        {"\"\"", ""},
        {"\xC3\xA9", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [line, inner] : cases) EXPECT_EQ(WithoutEnds(line), inner) << line;
}

TEST(CnfTextTest, EveryByteOfTheCodePageComesBackUnchanged) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::string utf8 = FromFileText(all);
    EXPECT_EQ(UncarriableText(utf8.substr(0, 10) + utf8.substr(14)), "");
    EXPECT_EQ(ToFileText(utf8), all);
    EXPECT_EQ(FromFileText("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");  // euro sign, e acute
}

TEST(CnfTextTest, ListInputTakesFieldsRegardlessOfLines) {
    ListInput in(
        " 5  -3 \r\n 1.5     -.25\r\nArial, 10 ,\" Lead, comma\" dropped,last\r\n\r\n"
        "  \"open\r\n 7 ,\r\n\"Lake \"Tahoe\", CA\"\r\n+2.5D2\n1e-400\n");
    EXPECT_EQ(in.Integer(), 5);
    EXPECT_EQ(in.Long(), -3);
    EXPECT_EQ(in.Single(), 1.5f);
    EXPECT_EQ(in.Number(), -0.25);
    EXPECT_EQ(in.Text(), "Arial");
    EXPECT_EQ(in.Integer(), 10);
    EXPECT_EQ(in.Text(), " Lead, comma");
    EXPECT_EQ(in.Text(), "last");
    EXPECT_EQ(in.Text(), "");      // an empty line is an empty text
    EXPECT_EQ(in.Text(), "open");  // a quote left open ends with its line
    EXPECT_EQ(in.Integer(), 7);
    EXPECT_EQ(in.FieldLine(), 6);
    EXPECT_EQ(in.Text(), "");  // after the comma, up to the line end
    EXPECT_EQ(in.Line(), "\"Lake \"Tahoe\", CA\"");
    EXPECT_EQ(in.Number(), 250);
    EXPECT_EQ(in.Number(), 0);
    EXPECT_TRUE(in.AtEnd());
}

TEST(CnfTextTest, ListInputRefusesWhatIsNoNumberOrDoesNotFit) {
    struct Case {
        const char* text;
        int type;  // 0 Integer, 1 Long, 2 Single, 3 Double
        const char* error;
    };
    const Case cases[] = {
        {"32768", 0, "Overflow"},          {"-32769", 0, "Overflow"},
        {"32767.5", 0, "Overflow"},  // rounds to 32768
        {"2147483648", 1, "Overflow"},     {"1E39", 2, "Overflow"},
        {"1E309", 3, "Overflow"},          {"abc", 3, "Type mismatch"},
        {"1.2.3", 3, "Type mismatch"},     {"12x", 0, "Type mismatch"},
        {"1E", 3, "Type mismatch"},        {",", 0, "Type mismatch"},
        {"", 0, "Input past end of file"}, {" \r\n \r\n", 3, "Input past end of file"},
    };
    for (const Case& c : cases) {
        ListInput in(c.text);
        try {
            switch (c.type) {
            case 0: in.Integer(); break;
            case 1: in.Long(); break;
            case 2: in.Single(); break;
            default: in.Number(); break;
            }
            ADD_FAILURE() << c.text << " was taken";
        } catch (const RuntimeError& e) {
            EXPECT_STREQ(e.what(), c.error) << c.text;
        }
    }
    EXPECT_EQ(ListInput("32766.5").Integer(), 32766);  // halves to even
    ListInput empty("");
    EXPECT_THROW(empty.Text(), RuntimeError);
    EXPECT_THROW(empty.Line(), RuntimeError);
}

}  // namespace
}  // namespace tlrx
