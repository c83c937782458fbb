#pragma once
// The surroundings of a main window test: those of every test (TlrxTest:
// scripted printers, none unless a test installs some, so that the machine's
// own are never seen), the settings file in the test's own folder, map
// plotting and map text passes that draw nothing unless a test says
// otherwise, and the answer to a modal dialog of the program (WhenShown).

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "app/PlotPasses.h"
#include "platform/Help.h"
#include "platform/ProfileFile.h"
#include "support/TestFixture.h"
#include "support/WhenShown.h"

namespace tlrx {

inline void PrintTo(const HelpRequest& r, std::ostream* os) {
    *os << "{" << r.file << ", " << static_cast<uint32_t>(r.command) << ", " << r.data << "}";
}

}  // namespace tlrx

namespace tlrx::test {

class AppTest : public TlrxTest {
protected:
    // folder: where the test's own folder goes.
    explicit AppTest(const std::filesystem::path& folder = std::filesystem::path(TLRX_TEST_OUT_DIR) / "app-files")
        : TlrxTest(folder) {
        SetSettingsFolder(dir);
        SetMapPlotPass([] {});
        SetPrintTextPass([] {});
    }
    ~AppTest() override {
        SetMapPlotPass({});
        SetPrintTextPass({});
        SetSettingsFolder("");
    }

    std::string SettingsFile() const { return dir + "/Tlrx.ini"; }
};

}  // namespace tlrx::test
