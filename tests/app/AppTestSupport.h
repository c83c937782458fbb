#pragma once
// The surroundings of a main window test: fresh design and run states,
// scripted message boxes, recorded help requests, scripted printers (none
// unless a test installs some: the machine's own are never seen), the
// settings file in the test's own folder, yields that do nothing and map plotting and map text
// passes that draw nothing unless a test says otherwise, and the answer to a
// modal dialog of the program.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>

#include "app/PlotPasses.h"
#include "core/DesignState.h"
#include "platform/Events.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "platform/ProfileFile.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"

namespace tlrx {

inline void PrintTo(const HelpRequest& r, std::ostream* os) {
    *os << "{" << r.file << ", " << static_cast<uint32_t>(r.command) << ", " << r.data << "}";
}

}  // namespace tlrx

namespace tlrx::test {

class AppTest : public ::testing::Test {
protected:
    AppTest() {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = (std::filesystem::path(TLRX_TEST_OUT_DIR) / "app-files" /
               (std::string(info->test_suite_name()) + "." + info->name()))
                  .string();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        SetSettingsFolder(dir);
        ResetDesignState();
        ResetPlotState();
        SetDoEventsHook([](int64_t) {});
        ResetDoEventsCount();
        SetMapPlotPass([] {});
        SetPrintTextPass([] {});
    }
    ~AppTest() override {
        SetDoEventsHook({});
        SetMapPlotPass({});
        SetPrintTextPass({});
        SetSettingsFolder("");
        Files().CloseOutputQuietly();
        Files().CloseInput();
    }

    std::string SettingsFile() const { return dir + "/Tlrx.ini"; }
    std::string Path(const std::string& name) const { return dir + "/" + name; }

    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Put(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    std::string dir;
    ScopedScriptedMessageBox boxes;
    ScopedRecordingHelp help;
    ScopedScriptedPrinters printers;
};

// Once a modal dialog of type Dialog is shown, runs act on it (which should
// close it). Gives up after a few seconds of waiting.
template <class Dialog>
void WhenShown(std::function<void(Dialog&)> act) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act = std::move(act)] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog && ++*tries < 500) return;
        timer->stop();
        timer->deleteLater();
        if (dialog) act(*dialog);
    });
    timer->start(5);
}

}  // namespace tlrx::test
