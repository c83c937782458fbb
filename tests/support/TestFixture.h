#pragma once
// The surroundings every test of the program's behaviour starts from: fresh
// design and run states, scripted message boxes and file dialogs (with a
// fresh dialog state), recorded help requests, no printers but the scripted
// ones, yields that do nothing, closed run files, and a folder of the test's
// own for the files it writes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/DesignState.h"
#include "platform/Events.h"
#include "platform/FileDialog.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "support/RecordingHelp.h"
#include "support/ScriptedFileDialog.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedPrinters.h"

namespace tlrx::test {

class TlrxTest : public ::testing::Test {
protected:
    // outFolder: where the folders of the tests go (TLRX_TEST_OUT_DIR and a
    // name of the suite's choice).
    explicit TlrxTest(const std::filesystem::path& outFolder) {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = (outFolder / (std::string(info->test_suite_name()) + "." + info->name())).string();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        ResetDesignState();
        ResetPlotState();
        FileSaveLoad() = FileDialogState{};
        SetDoEventsHook([](int64_t) {});
        ResetDoEventsCount();
    }
    ~TlrxTest() override {
        SetDoEventsHook({});
        Files().CloseOutputQuietly();
        Files().CloseInput();
    }

    std::string Path(const std::string& name) const { return dir + "/" + name; }

    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Put(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

    std::string dir;
    ScopedScriptedMessageBox boxes;
    ScopedScriptedFileDialog fileDialogs;
    ScopedRecordingHelp help;
    ScopedScriptedPrinters printers;
};

}  // namespace tlrx::test
