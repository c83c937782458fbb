// Keys, help, plot time, About, the caption's size display and the fonts
// of the real main window.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <algorithm>

#include "AppTestSupport.h"
#include "app/AboutTLRX.h"
#include "app/DrawingArea.h"
#include "app/FontList.h"
#include "app/MapReduce.h"
#include "app/Tellurax.h"
#include "reports/ReportWindow.h"

namespace tlrx {
namespace {

using test::AppTest;
using test::WhenShown;

class KeysAndHelpTest : public AppTest {};

TEST_F(KeysAndHelpTest, HelpAsksForTheTopicOfEachWindow) {
    Tellurax window;
    const std::string file = Design().HelpFilePath;
    QTest::keyClick(&window.Area(), Qt::Key_F1);  // from the drawing area up to the window
    window.mnuAbout[0]->trigger();
    window.mnuAbout[1]->trigger();
    {
        MapReduce size;
        QTest::keyClick(size.MapReduction, Qt::Key_F1);  // whatever field has the focus
    }
    {
        AboutTLRX about;
        QTest::keyClick(about.OK, Qt::Key_F1);
    }
    EXPECT_EQ(help.requests, (std::vector<HelpRequest>{{file, HelpCommand::HelpContext, 100},
                                                       {file, HelpCommand::DisplayToc, 0},
                                                       {file, HelpCommand::DisplayIndex, 0},
                                                       {file, HelpCommand::HelpContext, 360},
                                                       {file, HelpCommand::HelpContext, 3490}}));
    // The Help item used last keeps the check mark.
    EXPECT_FALSE(window.mnuAbout[0]->isChecked());
    EXPECT_TRUE(window.mnuAbout[1]->isChecked());
}

TEST_F(KeysAndHelpTest, PlotTimeAndAbout) {
    Tellurax window;
    window.mnuAbout[4]->trigger();
    Plot().PlotTime = 12.0f + 1.0f / 3;
    window.mnuAbout[4]->trigger();
    ASSERT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(boxes.log[0].text, "Time to plot map:  0.0 seconds");  // before any run
    EXPECT_EQ(boxes.log[0].title, "");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Information);
    EXPECT_EQ(boxes.log[1].text, "Time to plot map:  12.3 seconds");

    WhenShown<AboutTLRX>([](AboutTLRX& about) {
        EXPECT_EQ(about.windowTitle(), "About Tellurax");
        EXPECT_EQ(about.lblAbout->text(), "Tellurax Version 3.01.000");
        about.OK->click();
    });
    window.mnuAbout[3]->trigger();
    EXPECT_TRUE(window.mnuAbout[3]->isChecked());
    EXPECT_FALSE(window.mnuAbout[4]->isChecked());
}

TEST_F(KeysAndHelpTest, TheCaptionCanShowTheDrawingAreaSize) {
    Tellurax window;
    window.setWindowState(Qt::WindowNoState);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // The window's size for a drawing area of w x h pixels.
    const auto areaSize = [&window](int w, int h) {
        window.resize(w, h + window.height() - window.Area().height());
        QTest::qWait(1);
        ASSERT_EQ(window.Area().size(), QSize(w, h));
    };
    areaSize(792, 545);
    window.mnuDesign[10]->trigger();
    EXPECT_TRUE(window.mnuDesign[10]->isChecked());
    EXPECT_EQ(window.windowTitle(), " 792, 545 = x, y Pixels   |Tellurax: Equirectangular projection");

    // A resize replaces the numbers; choosing another item keeps the mark.
    areaSize(640, 480);
    EXPECT_EQ(window.windowTitle(), " 640, 480 = x, y Pixels   |Tellurax: Equirectangular projection");
    test::WhenShown<ReportParam>([](ReportParam& report) { report.close(); });
    window.mnuDesign_Click(12);
    EXPECT_TRUE(window.mnuDesign[10]->isChecked());
    EXPECT_TRUE(window.mnuDesign[12]->isChecked());

    window.mnuDesign[10]->trigger();
    EXPECT_EQ(window.windowTitle(), "Tellurax: Equirectangular projection");
    areaSize(600, 400);
    EXPECT_EQ(window.windowTitle(), "Tellurax: Equirectangular projection");

    // A caption with a bar of its own loses what stands before it.
    window.setWindowTitle("a|b");
    window.ToggleCaption();
    EXPECT_EQ(window.windowTitle(), "b");
}

TEST_F(KeysAndHelpTest, PixelsGoIntoThePictureAndComeBackOut) {
    Tellurax window;
    window.setWindowState(Qt::WindowNoState);
    EXPECT_EQ(window.ClientWidthPx(), window.Area().width());
    EXPECT_EQ(window.ClientHeightPx(), window.Area().height());
    EXPECT_GE(window.ScreenBitDepth(), 24);
    const Bitmap block{2, 1, {MakeRgb(255, 0, 0), MakeRgb(0, 0, 255)}};
    window.PutPixels(10, 20, block);
    Bitmap back;
    ASSERT_TRUE(window.GrabPixels(9, 20, 4, 1, back));
    EXPECT_EQ(back.pixels, (std::vector<Rgb>{MakeRgb(255, 255, 255), MakeRgb(255, 0, 0), MakeRgb(0, 0, 255),
                                             MakeRgb(255, 255, 255)}));
}

TEST_F(KeysAndHelpTest, EscWithNothingRunningOnlyCancelsTheExportRequests) {
    Tellurax window;
    PlotState& p = Plot();
    p.OutAscii = p.OutCgm = p.OutDxf = p.OutWmf = p.OutGc = p.OutSc = true;
    p.CurOutFile = Path("kept.txt");
    Put(p.CurOutFile, "x");
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(p.OutAscii || p.OutCgm || p.OutDxf || p.OutWmf || p.OutGc || p.OutSc);
    EXPECT_EQ(Design().PlotStopText, "");
    EXPECT_TRUE(std::filesystem::exists(p.CurOutFile));

    // While a page is being ended, Esc only asks the print run to abort.
    p.OutCgm = true;
    p.Printing = true;
    window.Spooling = true;
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(p.PrintAbort);
    EXPECT_TRUE(p.OutCgm);
    EXPECT_EQ(Design().PlotStopText, "");
}

TEST_F(KeysAndHelpTest, KeysSteerATextPlacement) {
    Tellurax window;
    DesignState& d = Design();
    // No placement: the keys do nothing.
    QTest::keyClick(&window, Qt::Key_Right);
    QTest::keyClick(&window, Qt::Key_3);
    EXPECT_EQ(window.TextX, 0);
    EXPECT_EQ(d.TextStep, 150);  // 10 pixels of 15 twips
    EXPECT_EQ(window.windowTitle(), "Tellurax: Equirectangular projection");

    d.CurrentText = "Atlantic";
    d.TextErased = true;
    d.TextFirstMove = true;
    window.TextX = 1290;
    window.TextY = 720;
    QTest::keyClick(&window, Qt::Key_Right);
    EXPECT_EQ(window.TextX, 1440);
    EXPECT_TRUE(window.CrossShown);
    EXPECT_FALSE(d.TextFirstMove);
    EXPECT_EQ(window.windowTitle(), "Tellurax:  x = 01440   y = 00720");

    QTest::keyClick(&window, Qt::Key_3);  // steps of 50 pixels
    EXPECT_EQ(d.TextStep, 750);
    QTest::keyClick(&window, Qt::Key_Down);
    EXPECT_EQ(window.TextY, 1470);
    QTest::keyClick(&window, Qt::Key_3, Qt::KeypadModifier);  // the keypad's digits do not count
    QTest::keyClick(&window, Qt::Key_1);
    EXPECT_EQ(d.TextStep, 15);

    // The edges hold the point.
    window.TextX = static_cast<int32_t>(window.ScaleWidth()) - 5;
    QTest::keyClick(&window, Qt::Key_Right);
    EXPECT_EQ(window.TextX, static_cast<int32_t>(window.ScaleWidth()));
    window.TextX = 5;
    QTest::keyClick(&window, Qt::Key_Left);
    EXPECT_EQ(window.TextX, 0);
    window.TextY = 5;
    QTest::keyClick(&window, Qt::Key_Up);
    EXPECT_EQ(window.TextY, 0);
    window.TextY = static_cast<int32_t>(window.ScaleHeight()) - 5;
    QTest::keyClick(&window, Qt::Key_Down);
    EXPECT_EQ(window.TextY, static_cast<int32_t>(window.ScaleHeight()));

    // Esc ends the placement, and opening a menu would too.
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(d.CurrentText, "");
    EXPECT_FALSE(window.CrossShown);
}

TEST_F(KeysAndHelpTest, TheFirstActivationChoosesTheFonts) {
    Tellurax window;
    DesignState& d = Design();
    EXPECT_TRUE(d.FontNames.empty());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    ASSERT_FALSE(d.FontNames.empty());
    EXPECT_TRUE(std::is_sorted(d.FontNames.begin(), d.FontNames.end()));
    for (const std::string& f : d.FontNames) EXPECT_EQ(f.find(" ["), std::string::npos) << f;
    // Here the free counterparts stand in for the Windows fonts.
    const bool arial = std::count(d.FontNames.begin(), d.FontNames.end(), "Arial") > 0;
    const bool liberation = std::count(d.FontNames.begin(), d.FontNames.end(), "Liberation Sans") > 0;
    if (!arial && liberation) {
        EXPECT_EQ(d.DefaultFontName, "Liberation Sans");
    }
    EXPECT_EQ(d.DefaultFontName, DefaultFontFamily(d.FontNames));
    EXPECT_EQ(d.DefaultFontSize, 12);
    EXPECT_EQ(window.FontName, d.DefaultFontName);
    for (int slot = 1; slot <= 3; ++slot) {
        EXPECT_EQ(d.FontSlotName[static_cast<size_t>(slot)], d.DefaultFontName);
        EXPECT_EQ(d.FontSlotSize[static_cast<size_t>(slot)], 12);
        EXPECT_EQ(d.FontSlotColor[static_cast<size_t>(slot)], 0);
    }
    EXPECT_EQ(d.RptFontName, d.DefaultFontName);

    // Later activations change nothing.
    d.FontSlotName[1] = "Picked";
    window.Form_Activate();
    EXPECT_EQ(d.FontSlotName[1], "Picked");
}

}  // namespace
}  // namespace tlrx
