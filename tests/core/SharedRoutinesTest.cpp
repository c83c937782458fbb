#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/Errors.h"
#include "core/SharedRoutines.h"
#include "platform/FileDialog.h"

namespace tlrx {
namespace {

TEST(ParseFileName, SplitsTitleAndFolderAndPresetsTheDialog) {
    struct Case {
        const char* path;
        const char* title;
        const char* folder;  // the dialog's initial folder after the preset
    };
    const Case cases[] = {
        {"C:\\maps\\world.map", "world.map", "C:\\maps"},
        {"C:\\world.map", "world.map", "C:"},
        {"C:world.map", "world.map", "C"},
        {"/home/ann/maps/world.map", "world.map", "/home/ann/maps"},
        {"world.map", "world.map", "unchanged"},
        {"C:\\maps\\", "", "C:\\maps"},
        {"", "", "unchanged"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        FileSaveLoad() = FileDialogState{};
        FileSaveLoad().FileName = "old name";
        FileSaveLoad().InitDir = "unchanged";
        EXPECT_EQ(ParseFileName(c.path, false), c.title);
        EXPECT_EQ(FileSaveLoad().FileName, "old name");  // no preset: dialog untouched
        EXPECT_EQ(ParseFileName(c.path, true), c.title);
        EXPECT_EQ(FileSaveLoad().FileName, c.title);
        EXPECT_EQ(FileSaveLoad().InitDir, c.folder);
    }
}

TEST(PaletteRgb, SetsOnlyThePaletteFlag) {
    EXPECT_EQ(PaletteRgb(0x000000FF), 0x020000FF);
    EXPECT_EQ(PaletteRgb(0x020000FF), 0x020000FF);
    EXPECT_EQ(PaletteRgb(0), 0x02000000);
    EXPECT_EQ(PaletteRgb(0x00FFFFFF), 0x02FFFFFF);
}

TEST(SortStrings, SortsByCharacterCode) {
    std::vector<std::string> names = {"arial",   "Zapf",  "Courier",       "",   "Courier New", "Arial",
                                      "courier", "Arial", "\xC9l\xE9gant", "9pt"};
    SortStrings(names, 0, static_cast<int32_t>(names.size()));
    const std::vector<std::string> expected = {"",     "9pt",   "Arial",   "Arial",        "Courier", "Courier New",
                                               "Zapf", "arial", "courier", "\xC9l\xE9gant"};
    EXPECT_EQ(names, expected);
}

TEST(SortStrings, SortsOnlyTheGivenRange) {
    std::vector<std::string> one = {"b", "a"};
    SortStrings(one, 0, 1);
    EXPECT_EQ(one, (std::vector<std::string>{"b", "a"}));
    std::vector<std::string> two = {"b", "a"};
    SortStrings(two, 0, 2);
    EXPECT_EQ(two, (std::vector<std::string>{"a", "b"}));
    std::vector<std::string> part = {"z", "d", "c", "b", "a"};
    SortStrings(part, 1, 3);
    EXPECT_EQ(part, (std::vector<std::string>{"z", "b", "c", "d", "a"}));
    SortStrings(part, 0, 0);
    EXPECT_EQ(part.front(), "z");
    EXPECT_THROW(SortStrings(part, 3, 3), RuntimeError);
}

TEST(SortStrings, NeverFailsOnLargeOrAdversarialLists) {
    // Orders that leave many pending ranges; a fixed stack of count / 5 + 11
    // entries overflows on some of them.
    std::mt19937 rng(7);
    std::vector<std::vector<std::string>> lists;
    std::vector<std::string> shuffled, sorted, reversed, equal(5000, "Same"), organ;
    for (int i = 0; i < 20000; ++i) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "F%06d", static_cast<int>(rng() % 1000000));
        shuffled.emplace_back(buf);
    }
    for (int i = 0; i < 5000; ++i) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "F%06d", i);
        sorted.emplace_back(buf);
        organ.emplace_back(i % 2 ? buf : std::string(buf) + "x");
    }
    reversed.assign(sorted.rbegin(), sorted.rend());
    std::rotate(organ.begin(), organ.begin() + 1234, organ.end());
    for (auto list : {shuffled, sorted, reversed, equal, organ}) {
        auto expected = list;
        std::sort(expected.begin(), expected.end());
        SortStrings(list, 0, static_cast<int32_t>(list.size()));
        EXPECT_EQ(list, expected);
    }
}

}  // namespace
}  // namespace tlrx
