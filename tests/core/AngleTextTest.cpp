#include <gtest/gtest.h>

#include <cmath>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "platform/MessageBox.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

struct ReadCase {
    const char* text;
    char kind;  // 'A' latitude, 'O' longitude, 'R' arc
    int32_t seconds;
};

TEST(AngleText, ReadsDialogTextsIntoSignedArcSeconds) {
    const ReadCase cases[] = {
        {"37    47    00    N", 'A', 136020},
        {"37    47    00    S", 'A', -136020},
        {"37    47    00    s", 'A', 136020},  // only an exact "S" is south
        {"37    47    00    X", 'A', 136020},
        {"90    00    00    S", 'A', -324000},
        {"00    00    01    S", 'A', -1},
        {"122    26    00    W", 'O', -440760},
        {"122    26    00    w", 'O', 440760},
        {"180    00    00    E", 'O', 648000},
        {"015    00    00", 'R', 54000},
        {"000    00    30", 'R', 30},
        {"1 5    00    00", 'R', 54000},  // blanks inside a field are ignored
        {"01x    00    00", 'R', 3600},   // reading stops at another character
        {"x15    30    00", 'R', 1800},   // a field without digits counts 0
        {"", 'A', 0},
        {"45", 'A', 162000},  // missing fields count 0
        {"45    3", 'A', 162180},
        {"37    47    00    ", 'A', 136020},  // no letter: positive
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const int32_t got = c.kind == 'A'   ? LatTextToSec(c.text)
                            : c.kind == 'O' ? LonTextToSec(c.text)
                                            : ArcTextToSec(c.text);
        EXPECT_EQ(got, c.seconds);
    }
    EXPECT_DOUBLE_EQ(LonTextToDeg("122    26    00    W"), -440760 / 3600.0);
    EXPECT_DOUBLE_EQ(ArcTextToDeg("015    00    00"), 15.0);
}

struct WriteCase {
    double deg;
    const char* kind;
    int16_t gap;
    const char* text;
};

TEST(AngleText, DegMinSecWritesEveryLayout) {
    const WriteCase cases[] = {
        {37.7833, "LAT", 4, "37    47    00    N"},  // 59.88 s carries into the minutes
        {-0.5, "LAT", 1, "00 30 00 S"},
        {-122.4333, "LON", 4, "122    26    00    W"},
        {47.9833, "LON", 1, "047 59 00 E"},
        {15, "ARC", 4, "015    00    00"},
        {45, "ARC", 1, "045 00 00"},
        {89.99999, "LAT", 1, "90 00 00 N"},
        {89.99999, "LAT", 4, "90    00    00    N"},
        {359.99999, "LON", 1, "360 00 00 E"},
        {-0.0000001, "LAT", 1, "00 00 00 S"},  // the letter follows the sign
        {0, "LAT", 1, "00 00 00 N"},
        {0, "LON", 1, "000 00 00 E"},
        {-180, "LON", 4, "180    00    00    W"},
        {0.5 / 3600, "ARC", 1, "000 00 00"},  // exact halves of a second round to even
        {1.5 / 3600, "ARC", 1, "000 00 02"},
        {2.5 / 3600, "ARC", 1, "000 00 02"},
        {1234.25, "ARC", 1, "1234 15 00"},  // more digits when needed
        {5, "ARC", 0, "0050000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string out = "unchanged";
        DegMinSec(c.deg, out, c.kind, c.gap);
        EXPECT_EQ(out, c.text);
    }
}

TEST(AngleText, DegMinSecOverflowShowsItsBoxAndKeepsTheText) {
    ResetDesignState();
    ScopedScriptedMessageBox boxes;
    for (double deg : {32768.0, -40000.0, std::nan("")}) {
        std::string out = "kept";
        DegMinSec(deg, out, "LON", 1);
        EXPECT_EQ(out, "kept");
    }
    std::string out = "kept";
    DegMinSec(32767.99999, out, "LON", 1);  // the carry passes 32767
    EXPECT_EQ(out, "kept");
    ASSERT_EQ(boxes.log.size(), 4u);
    EXPECT_EQ(boxes.log[0].text, "Error: Overflow");
    EXPECT_EQ(boxes.log[0].title, "Error in DegMinSec");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::Ok);
}

TEST(AngleText, WrittenTextsReadBackToTheirSeconds) {
    for (int32_t sec : {0, 1, 59, 3599, 136020, 323999, 324000}) {
        for (int sign : {1, -1}) {
            std::string lat;
            DegMinSec(sign * sec / 3600.0, lat, "LAT", 4);
            EXPECT_EQ(LatTextToSec(lat), sign * sec) << lat;
            std::string lon;
            DegMinSec(sign * sec * 2 / 3600.0, lon, "LON", 4);
            EXPECT_EQ(LonTextToSec(lon), sign * sec * 2) << lon;
        }
    }
}

}  // namespace
}  // namespace tlrx
