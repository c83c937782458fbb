#pragma once
// The surroundings of a main window test: those of every test (TlrxTest:
// scripted printers, none unless a test installs some, so that the machine's
// own are never seen), the settings file in the test's own folder, map
// plotting and map text passes that draw nothing unless a test says
// otherwise, and the answer to a modal dialog of the program.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "app/PlotPasses.h"
#include "platform/Help.h"
#include "platform/ProfileFile.h"
#include "support/TestFixture.h"

namespace tlrx {

inline void PrintTo(const HelpRequest& r, std::ostream* os) {
    *os << "{" << r.file << ", " << static_cast<uint32_t>(r.command) << ", " << r.data << "}";
}

}  // namespace tlrx

namespace tlrx::test {

class AppTest : public TlrxTest {
protected:
    AppTest() : TlrxTest(std::filesystem::path(TLRX_TEST_OUT_DIR) / "app-files") {
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
