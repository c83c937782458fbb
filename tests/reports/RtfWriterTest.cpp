// Our RTF writer: the escapes and characters of the text, and the document
// a report becomes.

#include <gtest/gtest.h>

#include "reports/RtfWriter.h"

namespace tlrx {
namespace {

TEST(RtfWriterTest, EscapesTextForRtf) {
    struct Case {
        const char* text;
        const char* rtf;
    };
    const Case cases[] = {
        {"plain 123", "plain 123"},
        {"a\\b{c}d", "a\\\\b\\{c\\}d"},
        {"x\ty", "x\\tab y"},
        {"40\u00B044'", "40\\'b044'"},          // in Windows-1252 beyond ASCII
        {"\u20AC \u2014", "\\'80 \\'97"},       // Windows-1252 bytes 0x80 to 0x9F
        {"\u0416", "\\u1046?"},                 // beyond the code page
        {"\uFFFD", "\\u-3?"},                   // a signed 16-bit value
        {"\U0001F30D", "\\u-10180?\\u-8435?"},  // a surrogate pair
        {"a\rb\x01", "a?b?"},                   // control characters
        {"bad\xC3", "bad?"},                    // a sequence cut short
    };
    for (const Case& c : cases) EXPECT_EQ(RtfEscape(c.text), c.rtf) << c.text;
}

TEST(RtfWriterTest, WritesFontColoursTabStopsStylesAndParagraphs) {
    ReportModel r;
    r.fontName = "Liberation {Sans}";
    r.fontSize = 10.5;
    r.color = 0x0000FF;  // red
    ReportParagraph title;
    title.runs.push_back({"Title", true});
    ReportParagraph row;
    row.tabs = {720, 2000};
    row.runs.push_back({"Lat:", false});
    row.runs.push_back({"\t0", false, false, false, false, true});
    row.runs.push_back({"7 N", false, true, true, true});
    r.paragraphs = {title, row, ReportParagraph{}};
    EXPECT_EQ(ReportToRtf(r),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n"
              "{\\fonttbl{\\f0\\fnil\\fcharset0 Liberation Sans;}}\n"
              "{\\colortbl;\\red255\\green0\\blue0;\\red255\\green255\\blue255;}\n"
              "\\pard\\plain\\f0\\fs21\\cf1\\b Title\\par\n"
              "\\pard\\tx720\\tx2000\\plain\\f0\\fs21\\cf1 Lat:\\plain\\f0\\fs21\\cf2 \\tab 0"
              "\\plain\\f0\\fs21\\cf1\\i\\ul\\strike 7 N\\par\n"
              "}\n");
}

TEST(RtfWriterTest, SavingReportsAFileThatCannotBeWritten) {
    ReportModel r;
    r.paragraphs.resize(1);
    EXPECT_FALSE(SaveReportRtf(r, std::string(TLRX_TEST_OUT_DIR) + "/no-such-folder/report.rtf"));
}

}  // namespace
}  // namespace tlrx
