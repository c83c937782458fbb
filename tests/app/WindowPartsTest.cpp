// The pieces of the main window that need no window: the settings file
// reading, the font choice, the texts of numbers and of the version.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/AboutTLRX.h"
#include "app/FontList.h"
#include "app/RuntimeText.h"
#include "app/WindowSettings.h"

namespace tlrx {
namespace {

using test::AppTest;

class WindowSettingsTest : public AppTest {};

TEST_F(WindowSettingsTest, StartUpReadsWhatTheFileHolds) {
    // The current screen: 12000 x 9000 twips (800 x 600 pixels).
    struct Case {
        const char* name;
        const char* lines;
        bool maximized;
        int16_t units;  // 0: no file
        int32_t height, width, left, top;
    };
    const Case cases[] = {
        {"normal window", "ScreenSize=9000 12000\r\nMainWindow=6000 9000 600 360\r\nWindowMaximized=0", false, 1440,
         6000, 9000, 600, 360},
        {"blanks and a value cut by its buffer",
         "PrinterUnits=  567  \r\nScreenSize= 9000   12000 \r\n"
         "MainWindow=6000   9000  -60 -60  and more\r\nWindowMaximized= 0",
         false, 567, 6000, 9000, -60, -60},
        {"halves round to even", "ScreenSize=9000 12000\r\nMainWindow=6000.5 9001.5 600 360\r\nWindowMaximized=0",
         false, 1440, 6000, 9002, 600, 360},
        {"written on a larger screen", "ScreenSize=11520 15360\r\nMainWindow=6000 9000 600 360\r\nWindowMaximized=0",
         true, 1440, 0, 0, 0, 0},
        {"maximised", "ScreenSize=9000 12000\r\nMainWindow=6000 9000 600 360\r\nWindowMaximized=1", true, 1440, 6000,
         9000, 600, 360},
        {"a missing maximised key is 0", "ScreenSize=9000 12000\r\nMainWindow=6000 9000 600 360", false, 1440, 6000,
         9000, 600, 360},
        {"no screen size", "MainWindow=6000 9000 600 360\r\nWindowMaximized=0", true, 1440, 0, 0, 0, 0},
        {"geometry without its blanks", "ScreenSize=9000 12000\r\nMainWindow=6000\r\nWindowMaximized=0", true, 1440, 0,
         0, 0, 0},
        {"a window of no size", "ScreenSize=9000 12000\r\nMainWindow=0 9000 600 360\r\nWindowMaximized=0", true, 1440,
         0, 0, 0, 0},
        {"a window larger than the screen", "ScreenSize=9000 12000\r\nMainWindow=6000 13000 0 0\r\nWindowMaximized=0",
         true, 1440, 0, 0, 0, 0},
        {"a window below the screen", "ScreenSize=9000 12000\r\nMainWindow=6000 9000 600 9000\r\nWindowMaximized=0",
         true, 1440, 0, 0, 0, 0},
        {"units neither inches nor centimetres", "PrinterUnits=1000", true, 1440, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Put(SettingsFile(), std::string("[Tellurax]\r\n") + c.lines + "\r\n");
        const SavedSettings s = ReadSavedSettings(SettingsFile(), 9000, 12000);
        EXPECT_EQ(s.maximized, c.maximized);
        ASSERT_TRUE(s.printerUnits.has_value());
        EXPECT_EQ(*s.printerUnits, c.units);
        if (!c.maximized || c.height) {
            EXPECT_EQ(s.height, c.height);
            EXPECT_EQ(s.width, c.width);
            EXPECT_EQ(s.left, c.left);
            EXPECT_EQ(s.top, c.top);
        }
    }
    const SavedSettings none = ReadSavedSettings(Path("none.ini"), 9000, 12000);
    EXPECT_TRUE(none.maximized);
    EXPECT_FALSE(none.printerUnits.has_value());
}

TEST(FontList, FamiliesAreListedByTheirPlainNamesInCodeOrder) {
    EXPECT_EQ(PlainFamilyName("Nimbus Sans [urw]"), "Nimbus Sans");
    EXPECT_EQ(PlainFamilyName("Liberation Sans"), "Liberation Sans");
    EXPECT_EQ(PlainFamilyName("[x]"), "[x]");
    const std::string longName = "A family name of 31 characters.";
    EXPECT_EQ(FontFamilyList({"serif", "Nimbus Sans [urw]", "Nimbus Sans [UKWN]", longName, "DejaVu Sans"}, "x"),
              (std::vector<std::string>{longName, "DejaVu Sans", "Nimbus Sans", "serif"}));
    // Nothing installed: the toolkit's default family alone.
    EXPECT_EQ(FontFamilyList({}, "Sans Serif"), (std::vector<std::string>{"Sans Serif"}));
}

TEST(FontList, TheDefaultFontIsTheFirstOfTheNamedFamiliesInstalled) {
    struct Case {
        std::vector<std::string> list;
        const char* expected;
    };
    const Case cases[] = {
        {{"Arial", "Liberation Sans", "Times New Roman"}, "Arial"},
        {{"Liberation Sans", "Times New Roman"}, "Times New Roman"},
        {{"DejaVu Sans", "Liberation Sans", "Liberation Serif"}, "Liberation Sans"},
        {{"DejaVu Sans", "Liberation Serif"}, "Liberation Serif"},
        {{"DejaVu Sans", "arial", "liberation sans"}, "DejaVu Sans"},  // exact names only
        {{"Sans Serif"}, "Sans Serif"},
    };
    for (const Case& c : cases) EXPECT_EQ(DefaultFontFamily(c.list), c.expected);
}

TEST(RuntimeText, NumbersAsTheProgramWritesThem) {
    EXPECT_EQ(Str(792), " 792");
    EXPECT_EQ(Str(-60), "-60");
    EXPECT_EQ(Str(1440.0f / 110), " 13.09091");
    EXPECT_EQ(NumberText(15360), "15360");
    EXPECT_EQ(NumberText(0), "0");
    EXPECT_EQ(SecondsText(12.0f + 1.0f / 3), "12.3");
    EXPECT_EQ(SecondsText(0), "0.0");
    EXPECT_EQ(SecondsText(123456.78f), "123456.8");
}

TEST(AboutTLRX, TheVersionLineHasThreeParts) {
    EXPECT_EQ(AboutVersionLine(3, 1, 0), "Tellurax Version 3.01.000");
    EXPECT_EQ(AboutVersionLine(3, 12, 7), "Tellurax Version 3.12.007");
}

}  // namespace
}  // namespace tlrx
