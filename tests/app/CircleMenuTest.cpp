// The File menu's circle items and Exit as a user meets them: the file
// dialog (scripted), the file it leaves, Cancel and dialog errors, the
// settings file and the end of the program.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <string>

#include "AppTestSupport.h"
#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "core/GreatCircle.h"
#include "core/SmallCircle.h"
#include "platform/FileDialog.h"
#include "plot/PlotState.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;
using test::AppTest;

constexpr int16_t kGreatCircle = 11, kSmallCircle = 12, kExit = 17;

struct CircleItem {
    int16_t item;
    const char* title;
    const char* operation;
    const char* undefinedTitle;
    std::string PlotState::*name;
    bool PlotState::*request;
};

const CircleItem kItems[] = {
    {kGreatCircle, "Save Great Circle As ASCII File", " in Save Great Circle", "Great Circle Not Defined",
     &PlotState::GcFileName, &PlotState::OutGc},
    {kSmallCircle, "Save Small Circle As ASCII File", " in Save Small Circle", "Small Circle Not Defined",
     &PlotState::ScFileName, &PlotState::OutSc},
};

class CircleMenuTest : public AppTest {
protected:
    void Choose(Tellurax& window, int16_t item, FileDialogChoice choice) {
        fileDialogs.choices.push_back(std::move(choice));
        window.mnuInput[static_cast<size_t>(item)]->trigger();
    }
    static void DefineCircles() {
        DesignState& d = Design();
        d.GcStartLat = 37.78;
        d.GcStartLon = -122.43;
        d.GcEndLat = 35.68;
        d.GcEndLon = 139.69;
        GcCalc();
        d.GcDefined = true;
        d.ScCenterLat = 50;
        d.ScCenterLon = 8;
        d.ScRadius = 12;
        d.ScCount = 3;
        ScCalc();
        d.ScDefined = true;
    }
};

// The name typed becomes a .prn file holding the circle; the next dialog
// opens on it; Cancel is silent and a dialog error has its box, and neither
// asks for a file.
TEST_F(CircleMenuTest, ACircleItemSavesToThePrnFileChosenInItsDialog) {
    Tellurax window;
    DefineCircles();
    for (const CircleItem& c : kItems) {
        SCOPED_TRACE(c.title);
        fileDialogs.log.clear();
        boxes.log.clear();
        Choose(window, c.item, FileDialogChoice::Name(Path("circle") + std::to_string(c.item)));
        ASSERT_EQ(fileDialogs.log.size(), 1u);
        const FileDialogRequest& shown = fileDialogs.log[0];
        EXPECT_EQ(shown.kind, FileDialogKind::Save);
        EXPECT_EQ(shown.title, c.title);
        EXPECT_EQ(shown.filter, "PRN Files (*.prn)|*.prn");
        EXPECT_EQ(shown.filterIndex, 1);
        EXPECT_EQ(shown.defaultExt, "prn");
        EXPECT_EQ(shown.flags, 6);
        const std::string file = Path("circle" + std::to_string(c.item) + ".prn");
        EXPECT_EQ(Plot().*c.name, file);
        EXPECT_FALSE(Plot().*c.request);
        EXPECT_TRUE(Contents(file).starts_with("-1  "));
        EXPECT_TRUE(boxes.log.empty());
        for (size_t i = 0; i < window.mnuInput.size(); ++i)
            EXPECT_EQ(window.mnuInput[i]->isChecked(), i == static_cast<size_t>(c.item)) << i;

        Choose(window, c.item, FileDialogChoice::Cancel());
        EXPECT_EQ(fileDialogs.log.back().fileName, "circle" + std::to_string(c.item) + ".prn");
        EXPECT_EQ(fileDialogs.log.back().initDir, dir);
        Choose(window, c.item, FileDialogChoice::Error(20477));
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, std::string("Error 20477") + c.operation);
        EXPECT_EQ(boxes.log[0].title, "File Common Dialog Error");
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(Plot().*c.name, file);
        EXPECT_FALSE(Plot().*c.request);
    }
}

// With no circle defined the dialog still comes first; then the box says
// so and no file is written.
TEST_F(CircleMenuTest, AnUndefinedCircleIsReportedAfterItsDialog) {
    Tellurax window;
    for (const CircleItem& c : kItems) {
        SCOPED_TRACE(c.title);
        fileDialogs.log.clear();
        boxes.log.clear();
        Choose(window, c.item, FileDialogChoice::Name(Path("circle")));
        EXPECT_EQ(fileDialogs.log.size(), 1u);
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].title, c.undefinedTitle);
    }
    EXPECT_TRUE(fs::is_empty(dir));
}

// Exit writes the settings file exactly as closing the window does, and the
// program ends even where closing its last window would not end it.
TEST_F(CircleMenuTest, ExitWritesTheSettingsAsClosingDoesAndEndsTheProgram) {
    std::string atClose;
    {
        Tellurax window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(window.close());
        atClose = Contents(SettingsFile());
        fs::remove(SettingsFile());
    }
    ASSERT_NE(atClose.find("MainWindow="), std::string::npos);

    QApplication::setQuitOnLastWindowClosed(false);
    Tellurax window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTimer::singleShot(0, &window, [&window] { window.mnuInput[kExit]->trigger(); });
    QTimer guard;  // never hang the tests
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(10000);
    const int ended = QApplication::exec();
    guard.stop();
    QApplication::setQuitOnLastWindowClosed(true);
    EXPECT_EQ(ended, 0);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Contents(SettingsFile()), atClose);
    EXPECT_TRUE(boxes.log.empty());
}

}  // namespace
}  // namespace tlrx
