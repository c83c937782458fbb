// Start-up and shut-down of the real main window: its state, menus,
// settings file and print layout.

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "AppTestSupport.h"
#include "app/DrawingArea.h"
#include "app/Tellurax.h"
#include "platform/FileDialog.h"
#include "platform/Printer.h"
#include "platform/ScreenMetrics.h"
#include "support/ScriptedPrinters.h"

namespace tlrx {
namespace {

using test::AppTest;

class TelluraxTest : public AppTest {};

// "caption" for an item, "-" for a separator; '!' before a caption: enabled.
std::vector<std::string> Items(const QList<QAction*>& actions) {
    std::vector<std::string> out;
    for (const QAction* a : actions)
        out.push_back(a->isSeparator() ? "-" : (a->isEnabled() ? "!" : "") + a->text().toStdString());
    return out;
}

TEST_F(TelluraxTest, StartsWithTheDefaultDesignItsCaptionAndMarks) {
    Tellurax window;
    const DesignState& d = Design();
    const PlotState& p = Plot();
    EXPECT_EQ(window.windowTitle(), "Tellurax: Equirectangular projection");
    EXPECT_EQ(d.SavedCaption, "Tellurax: Equirectangular projection");
    const std::string appDir = QCoreApplication::applicationDirPath().toStdString() + "/";
    EXPECT_EQ(d.AppDir, appDir);
    EXPECT_EQ(d.HelpFilePath, appDir + "Tlrx.chm");
    EXPECT_EQ(d.InputFileName(1), appDir + "Tlrx4.map");
    EXPECT_EQ(d.CurInputFile, appDir + "Tlrx4.map");
    EXPECT_EQ(d.ProjCode, 2);
    EXPECT_EQ(d.ProjMenuMax, 19);
    EXPECT_FALSE(window.Plotting);
    EXPECT_EQ(&MainWindow(), static_cast<Host*>(&window));

    // The only check mark: "&Equirectangular".
    for (const QAction* a : window.mnuInput) EXPECT_FALSE(a->isChecked()) << a->text().toStdString();
    for (const QAction* a : window.mnuDesign) EXPECT_FALSE(a->isChecked()) << a->text().toStdString();
    for (size_t i = 0; i < window.mnuProj.size(); ++i) EXPECT_EQ(window.mnuProj[i]->isChecked(), i == 1) << i;
    for (const QAction* a : window.mnuAbout) EXPECT_FALSE(a->isChecked());

    // First start: no settings file, so maximised, inches, margins of one
    // inch. With no printer the layout keeps its width and takes the
    // window's aspect.
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(p.PrinterUnits, 1440);
    for (float m : {d.RptMarginLeft, d.RptMarginRight, d.RptMarginTop, d.RptMarginBottom, p.PrnMapTop, p.PrnMapLeft})
        EXPECT_EQ(m, 1.0f);
    EXPECT_EQ(p.PrnDlg, nullptr);
    EXPECT_EQ(p.PrnMapWidth, 6.5f);
    EXPECT_FLOAT_EQ(p.PrnMapHeight, window.ScaleHeight() * 6.5f / window.ScaleWidth());
    EXPECT_GT(p.PrnMapHeight, 0);

    // The map is fitted to the drawing area at once.
    EXPECT_GT(window.ScaleWidth(), 0);
    EXPECT_EQ(p.DrawWidthTwips, static_cast<int32_t>(window.ScaleWidth() - d.TwipsPerPixelX));
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(TelluraxTest, EveryMenuHasItsCaptionsAndOnlyItsBuiltCommandsAreEnabled) {
    Tellurax window;
    std::vector<std::string> bar;
    for (const QAction* a : window.mnuBar) bar.push_back((a->isEnabled() ? "!" : "") + a->text().toStdString());
    EXPECT_EQ(bar,
              (std::vector<std::string>{"!&File", "!&Projection", "!Design &Map", "!&Draw Map", "!&Help", "&Stop"}));
    EXPECT_EQ(window.menuBar()->actions().size(), 6);
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(window.menuBar()->actions()[static_cast<qsizetype>(i)], window.mnuBar[i]);

    EXPECT_EQ(Items(window.mnuBar[0]->menu()->actions()),
              (std::vector<std::string>{"!&Open Digital Map File", "-", "!&Print Map", "!Print Set&up", "-",
                                        "!Save as &BMP", "!Save as &CGM", "!Save as &DXF", "!Save as &WMF",
                                        "!Save as &ASCII", "-", "!Save &Great Circle", "!Save &Small Circle", "-",
                                        "!Save &Map Design", "!&Recall Map Design", "-", "!E&xit"}));
    EXPECT_EQ(Items(window.mnuBar[1]->menu()->actions()), (std::vector<std::string>{"!&Mercator",
                                                                                    "!&Equirectangular",
                                                                                    "!C&ylindrical equal-area",
                                                                                    "-",
                                                                                    "!&Hammer equal-area",
                                                                                    "!Moll&weide equal-area",
                                                                                    "!&Robinson",
                                                                                    "-",
                                                                                    "!Equi&distant conic",
                                                                                    "!&Conformal conic",
                                                                                    "!&Albers equal-area",
                                                                                    "-",
                                                                                    "!&Gnomonic",
                                                                                    "!&Stereographic",
                                                                                    "!&Orthographic",
                                                                                    "!&Vertical Perspective",
                                                                                    "!Azimu&thal equidistant",
                                                                                    "!A&zimuthal equal-area",
                                                                                    "-",
                                                                                    "!&UTM"}));
    EXPECT_EQ(Items(window.mnuProj[5]->menu()->actions()), (std::vector<std::string>{"!Normal", "!Interrupted"}));
    EXPECT_EQ(Items(window.mnuBar[2]->menu()->actions()),
              (std::vector<std::string>{"!Map &Boundaries", "!Great &Circle", "!&Small Circle", "-",
                                        "!Add &Text to Map", "!&Labels", "-", "!B&ackground Color",
                                        "!&Grid Color, Width, Type", "!Line &Width Scaling", "!Show Window &Pixel Size",
                                        "-", "!&Map Parameter Report", "!G&reat Circle Report"}));
    EXPECT_EQ(
        Items(window.mnuBar[4]->menu()->actions()),
        (std::vector<std::string>{"!&Contents", "!&Search for Help on ...", "-", "!&About Tellurax", "!Plot &Time"}));

    // The arrays follow the menus, separators included.
    EXPECT_EQ(window.mnuBar[0]->menu()->actions()[17], window.mnuInput[17]);
    EXPECT_EQ(window.mnuBar[2]->menu()->actions()[10], window.mnuDesign[10]);
    EXPECT_EQ(window.mnuProj[5]->menu()->actions()[1], window.mnuProjMollweide[1]);

    // Opening the File menu looks for printers each time: the printing
    // items are there only while one is installed.
    window.mnuBar[0]->menu()->aboutToShow();
    EXPECT_FALSE(window.mnuInput[2]->isEnabled());
    EXPECT_FALSE(window.mnuInput[3]->isEnabled());
    printers.printers = {{"Office", {600, 600, 5100, 6600, 0, 0, 5100, 6600}, {}, ""}};
    window.mnuBar[0]->menu()->aboutToShow();
    EXPECT_TRUE(window.mnuInput[2]->isEnabled());
    EXPECT_TRUE(window.mnuInput[3]->isEnabled());
    printers.printers.clear();
    window.mnuBar[0]->menu()->aboutToShow();
    EXPECT_FALSE(window.mnuInput[2]->isEnabled());
}

TEST_F(TelluraxTest, SettingsAreWrittenAtExitAndReadAtTheNextStart) {
    QRect outer;  // the window with its frame
    {
        Tellurax window;
        window.setWindowState(Qt::WindowNoState);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.setGeometry(40, 24, 600, 400);
        QTest::qWait(1);
        outer = window.frameGeometry();
        Plot().PrinterUnits = 567;
        EXPECT_TRUE(window.close());
    }
    // 1024 x 768 pixels of 15 twips; the outer height, width, left and top.
    const auto twips = [](int px) { return std::to_string(px * 15); };
    EXPECT_EQ(Contents(SettingsFile()),
              "[Tellurax]\r\n"
              "PrinterUnits=567\r\n"
              "ScreenSize=11520 15360\r\n"
              "MainWindow=" +
                  twips(outer.height()) + " " + twips(outer.width()) + " " + twips(outer.x()) + " " + twips(outer.y()) +
                  "\r\n"
                  "WindowMaximized=0\r\n");
    {
        Tellurax window;
        EXPECT_EQ(window.windowState(), Qt::WindowNoState);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(1);
        EXPECT_EQ(window.frameGeometry(), outer);  // no growth from start to start
        EXPECT_EQ(Plot().PrinterUnits, 567);
        for (float m : {Design().RptMarginLeft, Design().RptMarginBottom, Plot().PrnMapTop, Plot().PrnMapLeft})
            EXPECT_EQ(m, 2.0f);  // centimetres
        // The unit survives the next shut-down; a maximised window says so.
        window.setWindowState(Qt::WindowMaximized);
        QTest::qWait(1);
        EXPECT_TRUE(window.close());
    }
    EXPECT_NE(Contents(SettingsFile()).find("PrinterUnits=567\r\n"), std::string::npos);
    EXPECT_NE(Contents(SettingsFile()).find("WindowMaximized=1\r\n"), std::string::npos);
    Tellurax again;
    EXPECT_TRUE(again.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(boxes.log.empty());
}

// Resized, closed, then started and closed three times (once before the
// window could settle): the same outer geometry in the file and on screen,
// the same drawing area, every time.
TEST_F(TelluraxTest, TheWindowKeepsItsGeometryFromStartToStart) {
    const auto mainWindowLine = [this] {
        const std::string text = Contents(SettingsFile());
        const size_t at = text.find("MainWindow=");
        return at == std::string::npos ? std::string() : text.substr(at, text.find('\r', at) - at);
    };
    QRect outer;
    QSize area;
    {
        Tellurax window;
        window.setWindowState(Qt::WindowNoState);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.resize(900, 600);
        QTest::qWait(1);
        outer = window.frameGeometry();
        area = window.Area().size();
        EXPECT_TRUE(window.close());
    }
    const std::string saved = mainWindowLine();
    ASSERT_FALSE(saved.empty());
    for (const bool settle : {true, false, true}) {
        SCOPED_TRACE(settle ? "shown and settled" : "closed at once");
        Tellurax window;
        window.show();
        if (settle) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
            QTest::qWait(1);
            EXPECT_EQ(window.frameGeometry(), outer);
            EXPECT_EQ(window.Area().size(), area);
        }
        EXPECT_TRUE(window.close());
        EXPECT_EQ(mainWindowLine(), saved);
    }
    EXPECT_TRUE(boxes.log.empty());
}

// Start-up makes no picture (its pages cost more than the rest of the first
// paint): the blank area paints background, and the picture is made at the
// size of the moment it is first asked for.
TEST_F(TelluraxTest, TheStartUpWindowPaintsBackgroundWithoutAPicture) {
    Tellurax window;
    window.setWindowState(Qt::WindowNoState);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    DrawingArea& area = window.Area();
    EXPECT_TRUE(area.Blank());
    QImage shown = area.grab().toImage();
    EXPECT_EQ(shown.size(), area.size());
    EXPECT_TRUE(
        std::all_of(shown.constBits(), shown.constBits() + shown.sizeInBytes(), [](uchar c) { return c == 0xff; }));

    window.resize(640, 400);
    QTest::qWait(1);
    EXPECT_TRUE(area.Blank());
    QtSurface& dc = area.DC();
    EXPECT_FALSE(area.Blank());
    EXPECT_EQ(area.Picture().size(), area.size());
    dc.MoveToEx(10, 20);
    dc.LineTo(200, 20);
    area.ShowDrawing();
    QTest::qWait(1);
    shown = area.grab().toImage();
    EXPECT_EQ(shown.pixel(100, 20), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(100, 21), qRgb(255, 255, 255));
    EXPECT_EQ(area.Picture().pixel(100, 20), qRgb(0, 0, 0));
    EXPECT_TRUE(boxes.log.empty());
}

// The picture is the window's persistent image: shrinking the window and
// enlarging it again keeps every pixel drawn, as covering it does.
TEST_F(TelluraxTest, ADrawingSurvivesShrinkingAndEnlargingTheWindow) {
    Tellurax window;
    window.setWindowState(Qt::WindowNoState);
    window.resize(900, 640);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(1);
    DrawingArea& area = window.Area();
    const QSize full = area.size();
    QtSurface& dc = area.DC();
    // Lines to every edge, and a diagonal through the part that is hidden.
    dc.MoveToEx(0, 0);
    dc.LineTo(full.width() - 1, full.height() - 1);
    dc.MoveToEx(full.width() - 2, 0);
    dc.LineTo(full.width() - 2, full.height() - 1);
    dc.MoveToEx(0, full.height() - 2);
    dc.LineTo(full.width() - 1, full.height() - 2);
    area.ShowDrawing();
    const QImage drawn = area.Picture().copy();

    window.resize(400, 300);
    QTest::qWait(1);
    ASSERT_LT(area.width(), full.width());
    window.resize(900, 640);
    QTest::qWait(1);
    ASSERT_EQ(area.size(), full);
    EXPECT_TRUE(area.Picture().copy(QRect(QPoint(0, 0), full)) == drawn);
    EXPECT_TRUE(area.grab().toImage().convertToFormat(drawn.format()) == drawn);
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(TelluraxTest, ABadSettingsFileNeverStopsTheStart) {
    struct Case {
        const char* name;
        const char* file;
        bool maximized;
        int16_t units;
    };
    const Case cases[] = {
        {"empty file", "", true, 1440},
        {"no section", "PrinterUnits=567\r\n", true, 1440},
        {"units out of range", "[Tellurax]\r\nPrinterUnits=300\r\n", true, 1440},
        {"units overflow", "[Tellurax]\r\nPrinterUnits=99999\r\n", true, 1440},
        {"garbage", "[Tellurax]\r\nPrinterUnits=abc\r\nScreenSize=x\r\nMainWindow=\r\n", true, 1440},
        {"screen larger than this one",
         "[Tellurax]\r\nPrinterUnits=567\r\nScreenSize=11520 15361\r\nMainWindow=6000 9000 600 360\r\n"
         "WindowMaximized=0\r\n",
         true, 567},
        {"geometry off the screen",
         "[Tellurax]\r\nScreenSize=11520 15360\r\nMainWindow=6000 9000 15360 360\r\nWindowMaximized=0\r\n", true, 1440},
        {"maximised", "[Tellurax]\r\nScreenSize=11520 15360\r\nMainWindow=6000 9000 600 360\r\nWindowMaximized=1\r\n",
         true, 1440},
        {"normal", "[Tellurax]\r\nScreenSize=11520 15360\r\nMainWindow=6000 9000 600 360\r\nWindowMaximized=0\r\n",
         false, 1440},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Put(SettingsFile(), c.file);
        ResetPlotState();
        Tellurax window;
        EXPECT_EQ(bool(window.windowState() & Qt::WindowMaximized), c.maximized);
        EXPECT_EQ(Plot().PrinterUnits, c.units);
        EXPECT_GT(Plot().PrnMapHeight, 0);
        EXPECT_TRUE(boxes.log.empty());
    }
}

TEST_F(TelluraxTest, ASettingsFileThatCannotBeWrittenIsReportedKeyByKey) {
    SetSettingsFolder(dir + "/missing");
    Tellurax window;
    EXPECT_TRUE(window.close());
    ASSERT_EQ(boxes.log.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(boxes.log[static_cast<size_t>(i)].text,
                  "WritePrivateProfileString(" + std::to_string(i + 1) + ") error in Tellurax: Form_Unload");
        EXPECT_EQ(boxes.log[static_cast<size_t>(i)].title, "Windows API Error");
        EXPECT_EQ(boxes.log[static_cast<size_t>(i)].icon, MsgIcon::Exclamation);
    }
}

// In the program's own event loop: closing the main window shows each
// shut-down box while the window is still there and the program is not
// quitting (a box is held open until answered, as a user would), and the
// loop ends promptly once the last box has been answered.
TEST_F(TelluraxTest, ClosingTheProgramWaitsForEachBoxThenEndsPromptly) {
    using Clock = std::chrono::steady_clock;
    // A box answered after 100 ms of its own event loop; a loop cut short
    // would mean the program was quitting under it.
    struct HeldBox : MessageBoxService {
        const QWidget* window = nullptr;
        std::vector<std::string> texts;
        int heldWhileOpen = 0;
        Clock::time_point lastAnswer{};
        MsgAnswer Show(const MessageBoxRecord& box) override {
            texts.push_back(box.title + ": " + box.text);
            const bool open = window->isVisible();
            const auto start = Clock::now();
            QEventLoop loop;
            QTimer::singleShot(100, &loop, &QEventLoop::quit);
            loop.exec();
            if (open && Clock::now() - start >= std::chrono::milliseconds(90)) ++heldWhileOpen;
            lastAnswer = Clock::now();
            return MsgAnswer::Ok;
        }
    };
    for (const bool writable : {true, false}) {
        SCOPED_TRACE(writable ? "settings written" : "settings cannot be written");
        SetSettingsFolder(writable ? dir : dir + "/missing");
        HeldBox held;
        SetMessageBoxService(&held);
        Tellurax window;
        held.window = &window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        Clock::time_point closed{};
        QTimer::singleShot(0, &window, [&] {
            closed = Clock::now();
            window.close();
        });
        QTimer guard;  // never hang the tests
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guard.start(10000);
        EXPECT_EQ(QApplication::exec(), 0);
        const auto ended = Clock::now();
        SetMessageBoxService(&boxes);

        std::vector<std::string> expected;
        if (!writable) {
            for (int i = 1; i <= 4; ++i)
                expected.push_back("Windows API Error: WritePrivateProfileString(" + std::to_string(i) +
                                   ") error in Tellurax: Form_Unload");
        }
        EXPECT_EQ(held.texts, expected);
        EXPECT_EQ(held.heldWhileOpen, static_cast<int>(expected.size()));
        EXPECT_FALSE(window.isVisible());
        const auto last = std::max(closed, held.lastAnswer);
        EXPECT_LT(ended - last, std::chrono::milliseconds(500));
    }
}

TEST_F(TelluraxTest, ThePrintedMapIsFittedToThePaperWhenThePrintersAreFirstNeeded) {
    // Letter at 600 dpi: 8.5 x 11 in, printable 8.0 x 10.5 in from 0.25 in.
    printers.printers = {{"Letter", {600, 600, 5100, 6600, 150, 150, 4800, 6300}, {}, ""}};
    // Whatever needs the printers first fits the layout as start-up did.
    const struct {
        const char* needs;
        std::function<void(Tellurax&)> first;
    } cases[] = {
        {"the File menu", [](Tellurax& w) { w.mnuBar_Click(0); }},
        {"Print Setup, cancelled", [](Tellurax& w) { w.mnuInput[3]->trigger(); }},
        {"saving the design",
         [this](Tellurax& w) {
             fileDialogs.choices.push_back(FileDialogChoice::Name(Path("plan.cnf")));
             w.mnuInput[14]->trigger();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.needs);
        printers.questions = 0;
        Tellurax window;
        const PlotState& p = Plot();
        EXPECT_EQ(printers.questions, 0);  // start-up asks nothing
        EXPECT_EQ(p.PrnDlg, nullptr);
        const float aspect = window.ScaleHeight() / window.ScaleWidth();
        c.first(window);
        EXPECT_GT(printers.questions, 0);
        ASSERT_NE(p.PrnDlg, nullptr);
        EXPECT_EQ(p.PaperWidth, 8.5f);
        // 8.5 - 2 = 6.5 inches, within the printable 8 inches; the height
        // follows the window.
        EXPECT_FLOAT_EQ(p.PrnMapWidth, 6.5f);
        EXPECT_FLOAT_EQ(p.PrnMapHeight, aspect * 6.5f);
        // Once fitted, the layout is the user's: a second need keeps it.
        Plot().PrnMapWidth = 3.0f;
        window.mnuBar_Click(0);
        EXPECT_EQ(p.PrnMapWidth, 3.0f);
    }

    // A paper too low for the map at the window's aspect: the height is the
    // paper's less two margins and the width follows. The window's aspect is
    // the one it had at start-up.
    ScopedScriptedPrinters strip;
    strip.printers = {{"Strip", {600, 600, 5100, 1800, 0, 0, 5100, 1800}, {}, ""}};
    Tellurax window;
    const PlotState& p = Plot();
    const float aspect = window.ScaleHeight() / window.ScaleWidth();
    window.showNormal();
    window.resize(window.width() / 2, window.height());
    QCoreApplication::processEvents();
    window.mnuBar_Click(0);
    EXPECT_FLOAT_EQ(p.PrnMapHeight, 1.0f);  // 3 - 2
    EXPECT_FLOAT_EQ(p.PrnMapWidth, 1.0f / aspect);
    EXPECT_TRUE(boxes.log.empty());
}

}  // namespace
}  // namespace tlrx
