// The main window has the keyboard again once a chain of dialogs has
// closed (a dialog of the chain left open has it meanwhile), and a run
// started right after a dialog (an export after the file dialog's replace
// question, a printing after Print Map, a drawing after Draw Map) has it
// before the run draws, so that Esc reaches the run. check_activation.sh
// runs these repeatedly on a real X server and window manager, where
// activation is asynchronous and a dialog closed right after the one it
// opened could leave no window active.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <string>

#include "AppTestSupport.h"
#include "app/MapReduce.h"
#include "app/PrintMap.h"
#include "app/Tellurax.h"
#include "dialogs/geo/LatLonBounds.h"
#include "dialogs/geo/LatLonInterrupt.h"
#include "dialogs/geo/LatLonStdPar.h"
#include "dialogs/geo/UtmChain.h"
#include "platform/FileDialog.h"
#include "platform/ScreenMetrics.h"
#include "platform/qt/QtFileDialog.h"
#include "platform/qt/QtPlatform.h"

namespace tlrx {
namespace {

using test::AppTest;
using test::WhenShown;

constexpr int kWaitMs = 2000;

template <class Dialog>
void Accept() {
    WhenShown<Dialog>([](Dialog& dialog) { dialog.OK->click(); });
}

// The metrics of the screen the test runs on, from before the design state
// is made: a window of that screen is drawn and exported in its proportions.
struct RealScreen {
    RealScreen() { SetScreenInfo(QtScreenInfo()); }
    ~RealScreen() { SetScreenInfo({}); }
};

class ActivationTest : private RealScreen, public AppTest {
protected:
    ActivationTest() {
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window, kWaitMs));
    }
    bool MainWindowActive() {
        return QTest::qWaitFor([this] { return QApplication::activeWindow() == &window; }, kWaitMs);
    }
    static std::string Name(const QWidget* w) {
        if (!w) return "none";
        return w->metaObject()->className() + std::string(" \"") + w->windowTitle().toStdString() + "\"";
    }
    static std::string ActiveName() { return Name(QApplication::activeWindow()); }

    Tellurax window;
};

TEST_F(ActivationTest, TheMainWindowIsActiveAfterEachChainOfDialogs) {
    struct Case {
        const char* chain;
        std::function<void()> answer;
        std::function<QAction*(Tellurax&)> item;
    };
    const Case cases[] = {
        {"Equirectangular boundaries and standard parallel",
         [] {
             Accept<LatLonBounds>();
             Accept<LatLonStdPar>();
         },
         [](Tellurax& w) { return w.mnuProj[1]; }},
        {"Albers boundaries and standard parallels",
         [] {
             Accept<LatLonBounds>();
             Accept<LatLonStdPar>();
         },
         [](Tellurax& w) { return w.mnuProj[10]; }},
        {"UTM spheroid, parameters and boundaries",
         [] {
             Accept<UtmSpheroid>();
             Accept<UtmParameters>();
             Accept<UtmCoords>();
         },
         [](Tellurax& w) { return w.mnuProj[19]; }},
        {"interrupted Mollweide boundaries and interruptions",
         [] {
             Accept<LatLonBounds>();
             Accept<LatLonInterrupt>();
         },
         [](Tellurax& w) { return w.mnuProjMollweide[1]; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chain);
        // Each chain from the main window active, whatever the last one left.
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window, kWaitMs));
        c.answer();
        c.item(window)->trigger();
        ASSERT_FALSE(Design().DialogCancelled);
        EXPECT_TRUE(MainWindowActive()) << "active: " << ActiveName();
    }
}

TEST_F(ActivationTest, ADialogLeftOpenByTheNextOnesCancelIsTheActiveWindow) {
    std::string active;
    WhenShown<LatLonBounds>([&active](LatLonBounds& bounds) {
        WhenShown<LatLonStdPar>([](LatLonStdPar& parallels) { parallels.Cancel->click(); });
        bounds.OK->click();
        (void)QTest::qWaitFor([&bounds] { return QApplication::activeWindow() == &bounds; }, kWaitMs);
        active = ActiveName();
        bounds.Cancel->click();
    });
    window.mnuProj[10]->trigger();
    EXPECT_EQ(active, "tlrx::LatLonBounds \"Non-azimuthal Projection Boundaries\"");
    EXPECT_TRUE(MainWindowActive()) << "active: " << ActiveName();
}

TEST_F(ActivationTest, ARunStartedFromADialogStartsInTheActiveMainWindow) {
    QtFileDialog files;
    FileDialogService* scripted = SetFileDialogService(&files);
    const std::string cgm = Path("map.cgm");
    printers.printers = {{"Office", PrinterPage{600, 600, 5100, 6600, 150, 120, 4800, 6360}, {}, Path("map.pdf")}};
    struct Case {
        const char* run;
        std::function<void()> answer;
        size_t item;  // of the File menu, or the menu bar's Draw Map
        bool drawMap;
    };
    const Case cases[] = {
        {"Save as CGM over an earlier file",
         [cgm] {
             Put(cgm, "an earlier map");
             WhenShown<QFileDialog>([cgm](QFileDialog& dialog) {
                 WhenShown<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
                 dialog.selectFile(QString::fromStdString(cgm));
                 // Save, as its button does (public through QDialog).
                 static_cast<QDialog&>(dialog).accept();
             });
         },
         6, false},
        {"Print Map", [] { WhenShown<PrintMap>([](PrintMap& dialog) { dialog.OK->click(); }); }, 2, false},
        {"Draw Map", [] { WhenShown<MapReduce>([](MapReduce& dialog) { dialog.DrawMap->click(); }); }, 3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.run);
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window, kWaitMs));
        int passes = 0;
        const QWidget* activeAtRun = nullptr;
        SetMapPlotPass([&] {
            if (passes++ == 0) activeAtRun = QApplication::activeWindow();
        });
        c.answer();
        (c.drawMap ? window.mnuBar[3] : window.mnuInput[c.item])->trigger();
        for (const MessageBoxRecord& b : boxes.log) ADD_FAILURE() << b.title << ": " << b.text;
        boxes.log.clear();
        ASSERT_GT(passes, 0) << "no run";
        EXPECT_EQ(activeAtRun, &window) << "active as the run started: " << Name(activeAtRun);
        EXPECT_TRUE(MainWindowActive()) << "active: " << ActiveName();
    }
    EXPECT_NE(Contents(cgm), "an earlier map");
    SetFileDialogService(scripted);
}

}  // namespace
}  // namespace tlrx
