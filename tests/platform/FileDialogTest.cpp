#include <gtest/gtest.h>

#include "platform/FileDialog.h"
#include "support/ScriptedFileDialog.h"

namespace tlrx {
namespace {

// The shared dialog's settings as the File menu leaves them for a save.
FileDialogState SaveSettings() {
    FileDialogState s;
    s.FileName = "world.cgm";
    s.InitDir = "/maps";
    s.DialogTitle = "Save Map As CGM File";
    s.Filter = "CGM Files (*.cgm)|*.cgm";
    s.DefaultExt = "cgm";
    s.Flags = kFileDialogOverwritePrompt | kFileDialogHideReadOnly;
    s.CancelError = true;
    return s;
}

TEST(FileDialog, TheDialogShowsTheSettingsAndReturnsTheChoiceOrItsError) {
    ScopedScriptedFileDialog dialogs;
    dialogs.choices = {FileDialogChoice::Name("/maps/new.cgm"), FileDialogChoice::Cancel(),
                       FileDialogChoice::Error(12345)};
    FileDialogState s = SaveSettings();

    EXPECT_EQ(s.ShowSave(), 0);
    EXPECT_EQ(s.FileName, "/maps/new.cgm");
    ASSERT_EQ(dialogs.log.size(), 1u);
    const FileDialogRequest& shown = dialogs.log[0];
    EXPECT_EQ(shown.kind, FileDialogKind::Save);
    EXPECT_EQ(shown.title, "Save Map As CGM File");
    EXPECT_EQ(shown.filter, "CGM Files (*.cgm)|*.cgm");
    EXPECT_EQ(shown.filterIndex, 1);
    EXPECT_EQ(shown.defaultExt, "cgm");
    EXPECT_EQ(shown.flags, 6);
    EXPECT_EQ(shown.initDir, "/maps");
    EXPECT_EQ(shown.fileName, "world.cgm");

    // Cancel and an error leave the name as it was.
    EXPECT_EQ(s.ShowOpen(), kFileDialogCancel);
    EXPECT_EQ(dialogs.log[1].kind, FileDialogKind::Open);
    EXPECT_EQ(s.FileName, "/maps/new.cgm");
    EXPECT_EQ(s.ShowSave(), 12345);
    EXPECT_EQ(s.FileName, "/maps/new.cgm");
    EXPECT_EQ(s.InitDir, "/maps");
    EXPECT_EQ(s.DialogTitle, "Save Map As CGM File");
}

TEST(FileDialog, CancelWithoutCancelErrorEmptiesTheNameAndNoServiceCancels) {
    ScopedScriptedFileDialog dialogs;
    FileDialogState s = SaveSettings();
    s.CancelError = false;
    EXPECT_EQ(s.ShowSave(), 0);
    EXPECT_EQ(s.FileName, "");

    SetFileDialogService(nullptr);
    s.CancelError = true;
    s.FileName = "kept.cgm";
    EXPECT_EQ(s.ShowSave(), kFileDialogCancel);
    EXPECT_EQ(s.FileName, "kept.cgm");
    SetFileDialogService(&dialogs);
}

TEST(FileDialog, TheDefaultExtensionIsAppendedUnlessTheNameEndsInIt) {
    const struct {
        const char* name;
        const char* ext;
        const char* result;
    } cases[] = {
        {"world", "cgm", "world.cgm"},
        {"world.CGM", "cgm", "world.CGM"},
        {"world.cgm", "CGM", "world.cgm"},
        {"world.txt", "cgm", "world.txt.cgm"},
        {"/maps/world.cgm.bak", "cgm", "/maps/world.cgm.bak.cgm"},
        {"cgm", "cgm", "cgm.cgm"},
        {".cgm", "cgm", ".cgm"},
        {"", "cgm", ".cgm"},
        {"world", "", "world"},
        {"plan.Cnf", "cnf", "plan.Cnf"},
    };
    for (const auto& c : cases) EXPECT_EQ(WithDefaultExtension(c.name, c.ext), c.result) << c.name << " " << c.ext;
}

}  // namespace
}  // namespace tlrx
