#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/ProfileFile.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;

class ProfileFileTest : public ::testing::Test {
protected:
    ProfileFileTest() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::path(TLRX_TEST_OUT_DIR) / "profile-files" / test->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = (dir / "Tlrx.ini").string();
    }

    void Put(const std::string& text) const { std::ofstream(file, std::ios::binary) << text; }
    std::string Contents() const {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir;
    std::string file;
};

TEST_F(ProfileFileTest, ReadsAsWindowsDoes) {
    Put("; settings\r\n"
        "PrinterUnits=1\r\n"  // before any section: belongs to none
        "[Other]\r\n"
        "PrinterUnits=2\r\n"
        "  [ tellurax ]  \r\n"
        "  printerunits  =  567  \r\n"
        "PrinterUnits=1440\r\n"  // a second one: the first counts
        "Quoted=\" 12 34 \"\r\n"
        "Single='x'\r\n"
        "Unpaired=\"abc\r\n"
        "Empty=\n"  // LF alone
        "MainWindow=8640 11520 1440 -60\r\n"
        "[Tellurax]\r\n"
        "Later=found\r\n");
    struct Case {
        const char* key;
        const char* defaultValue;
        size_t buffer;
        const char* expected;
    };
    const Case cases[] = {
        {"PrinterUnits", "", 8, "567"},
        {"Quoted", "", 15, " 12 34 "},
        {"Single", "", 15, "x"},
        {"Unpaired", "", 15, "\"abc"},
        {"Empty", "dflt", 8, ""},
        {"MainWindow", "", 30, "8640 11520 1440 -60"},
        {"MainWindow", "", 8, "8640 11"},  // cut to the buffer less its terminator
        {"Missing", "none  ", 8, "none"},  // the default without its trailing blanks
        {"Missing", "a long default", 4, "a l"},
        {"PrinterUnits", "", 0, ""},
        {"Later", "", 8, "found"},  // a second section of the same name is read too
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetPrivateProfileString("Tellurax", c.key, c.defaultValue, c.buffer, file), c.expected)
            << c.key << " with a buffer of " << c.buffer;
    }
    EXPECT_EQ(GetPrivateProfileString("Tellurax", "PrinterUnits", "x", 8, (dir / "none.ini").string()), "x");
}

TEST_F(ProfileFileTest, WritingChangesOnlyItsOwnLine) {
    // A new file: the section, then each key in the order written.
    ASSERT_TRUE(WritePrivateProfileString("Tellurax", "PrinterUnits", "1440", file));
    ASSERT_TRUE(WritePrivateProfileString("Tellurax", "ScreenSize", "11520 15360", file));
    EXPECT_EQ(Contents(), "[Tellurax]\r\nPrinterUnits=1440\r\nScreenSize=11520 15360\r\n");

    // An existing key keeps its spelling and place; comments, blank lines
    // and other sections stay; a new key goes to the end of its section.
    Put("; written by hand\r\n"
        "[Tellurax]\r\n"
        "printerUnits = 1440\r\n"
        "; keep me\r\n"
        "\r\n"
        "[Other]\r\n"
        "A=1");
    ASSERT_TRUE(WritePrivateProfileString("TELLURAX", "PrinterUnits", "567", file));
    ASSERT_TRUE(WritePrivateProfileString("Tellurax", "WindowMaximized", "0", file));
    ASSERT_TRUE(WritePrivateProfileString("New", "Key", "v", file));
    EXPECT_EQ(Contents(),
              "; written by hand\r\n"
              "[Tellurax]\r\n"
              "printerUnits=567\r\n"
              "; keep me\r\n"
              "WindowMaximized=0\r\n"
              "\r\n"
              "[Other]\r\n"
              "A=1\r\n"
              "[New]\r\n"
              "Key=v\r\n");

    // A file of LF lines stays one.
    Put("[Tellurax]\nPrinterUnits=1440\n");
    ASSERT_TRUE(WritePrivateProfileString("Tellurax", "ScreenSize", "1 2", file));
    EXPECT_EQ(Contents(), "[Tellurax]\nPrinterUnits=1440\nScreenSize=1 2\n");
}

// LF or CR LF ends a line, the last one as much as any other; every other
// CR is the line's own. Writing another key, which gives a last line its line
// end, leaves every value as it read before.
TEST_F(ProfileFileTest, LineEndsReadTheSameBeforeAndAfterAWrite) {
    struct Case {
        const char* name;
        const char* file;
        const char* value;  // of ScreenSize
    };
    const Case cases[] = {
        {"LF", "[Tellurax]\nScreenSize=1 2\nA=1\n", "1 2"},
        {"CR LF", "[Tellurax]\r\nScreenSize=1 2\r\nA=1\r\n", "1 2"},
        {"last line with LF", "[Tellurax]\nScreenSize=1 2\n", "1 2"},
        {"last line without LF", "[Tellurax]\nScreenSize=1 2", "1 2"},
        {"last line with CR LF", "[Tellurax]\nScreenSize=\r\n", ""},
        {"last line ending in CR", "[Tellurax]\nScreenSize=\r", "\r"},
        {"last line ending in CR, CR LF file", "[Tellurax]\r\nScreenSize=1\r", "1\r"},
        {"lone CR inside a value", "[Tellurax]\nScreenSize=1\r2\nA=1\n", "1\r2"},
        {"CR before CR LF", "[Tellurax]\r\nScreenSize=1\r\r\n", "1\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Put(c.file);
        EXPECT_EQ(GetPrivateProfileString("Tellurax", "ScreenSize", "", 15, file), c.value);
        ASSERT_TRUE(WritePrivateProfileString("Tellurax", "PrinterUnits", "1440", file));
        EXPECT_EQ(GetPrivateProfileString("Tellurax", "ScreenSize", "", 15, file), c.value);
        EXPECT_EQ(GetPrivateProfileString("Tellurax", "PrinterUnits", "", 8, file), "1440");
    }

    // A value written with a CR at its end reads back with it.
    Put("[Tellurax]\nA=1\n");
    ASSERT_TRUE(WritePrivateProfileString("Tellurax", "ScreenSize", "1 2\r", file));
    EXPECT_EQ(GetPrivateProfileString("Tellurax", "ScreenSize", "", 15, file), "1 2\r");
    EXPECT_EQ(GetPrivateProfileString("Tellurax", "A", "", 15, file), "1");
}

TEST_F(ProfileFileTest, AFileThatCannotBeWrittenIsReportedAndLeftAlone) {
    const std::string missing = (dir / "no-such-folder" / "Tlrx.ini").string();
    EXPECT_FALSE(WritePrivateProfileString("Tellurax", "PrinterUnits", "1440", missing));
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_FALSE(fs::exists(missing + ".new"));

    // In place of the file, a folder: the write fails and the folder stays.
    fs::create_directories(dir / "Taken.ini" / "inside");
    EXPECT_FALSE(WritePrivateProfileString("Tellurax", "PrinterUnits", "1440", (dir / "Taken.ini").string()));
    EXPECT_TRUE(fs::is_directory(dir / "Taken.ini" / "inside"));
}

TEST_F(ProfileFileTest, TheSettingsFileLivesInTheProgramFolderOrTheUserConfiguration) {
    const std::string appDir = dir.string() + "/";
    EXPECT_EQ(SettingsFilePath(appDir, "Tlrx.ini"), appDir + "Tlrx.ini");

    // A program folder that cannot be written to (here: one that does not exist).
    const std::string readOnly = (dir / "absent").string() + "/";
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "";
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
    EXPECT_EQ(SettingsFilePath(readOnly, "Tlrx.ini"), (dir / "xdg" / "tellurax" / "Tlrx.ini").string());
    EXPECT_TRUE(fs::is_directory(dir / "xdg" / "tellurax"));
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", (dir / "home").c_str(), 1);
    EXPECT_EQ(SettingsFilePath(readOnly, "Tlrx.ini"), (dir / "home" / ".config" / "tellurax" / "Tlrx.ini").string());
    setenv("HOME", savedHome.c_str(), 1);
    if (oldXdg) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);

    SetSettingsFolder((dir / "tests").string());
    EXPECT_EQ(SettingsFilePath(appDir, "Tlrx.ini"), (dir / "tests" / "Tlrx.ini").string());
    SetSettingsFolder("");
}

// A settings file the user may not write is refused and stays as it was;
// one reached through a link is written, the link kept, its mode kept.
TEST_F(ProfileFileTest, ReadOnlyFilesAreRefusedAndLinksWrittenThrough) {
    Put("[Tellurax]\r\nPrinterUnits=567\r\n");
    fs::permissions(file, fs::perms(0444));
    EXPECT_FALSE(WritePrivateProfileString("Tellurax", "PrinterUnits", "1440", file));
    EXPECT_EQ(Contents(), "[Tellurax]\r\nPrinterUnits=567\r\n");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0444));

    fs::permissions(file, fs::perms(0640));
    const std::string link = (dir / "link.ini").string();
    fs::create_symlink("Tlrx.ini", link);
    EXPECT_TRUE(WritePrivateProfileString("Tellurax", "PrinterUnits", "1440", link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Contents(), "[Tellurax]\r\nPrinterUnits=1440\r\n");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0640));
    for (const auto& entry : fs::directory_iterator(dir))
        EXPECT_NE(entry.path().filename().string().rfind(".tlrx-", 0), 0u);
}

// Beside a program in a folder the user cannot write, the settings are read
// from there until the program has written its own in the user's folder.
TEST_F(ProfileFileTest, SettingsBesideAnUnwritableProgramAreRead) {
    const fs::path app = dir / "app";
    const fs::path config = dir / "config";
    fs::create_directories(app);
    std::ofstream((app / "Tlrx.ini").string(), std::ios::binary) << "[Tellurax]\r\nPrinterUnits=567\r\n";
    fs::permissions(app, fs::perms(0555));
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = oldConfig ? oldConfig : "";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const std::string appDir = app.string() + "/";

    const std::string written = SettingsFilePath(appDir, "Tlrx.ini");
    EXPECT_EQ(written, (config / "tellurax" / "Tlrx.ini").string());
    const std::string read = SettingsFileToRead(appDir, "Tlrx.ini");
    EXPECT_EQ(GetPrivateProfileString("Tellurax", "PrinterUnits", "", 16, read), "567");

    ASSERT_TRUE(WritePrivateProfileString("Tellurax", "PrinterUnits", "1440", written));
    EXPECT_EQ(SettingsFileToRead(appDir, "Tlrx.ini"), written);

    fs::permissions(app, fs::perms(0755));
    if (oldConfig) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace tlrx
