// The File menu's Save Map Design and Recall Map Design as a user meets
// them: the dialogs (scripted), the extension rules, the recalled design in
// the window's caption and Projection menu, and a recall that fails.

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <string>

#include "AppTestSupport.h"
#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "core/ProjectionTable.h"
#include "platform/FileDialog.h"
#include "plot/PlotState.h"

namespace tlrx {
namespace {

using test::AppTest;

constexpr int16_t kSaveDesign = 14, kRecallDesign = 15;

class DesignFileMenuTest : public AppTest {
protected:
    void Choose(Tellurax& window, int16_t item, std::initializer_list<FileDialogChoice> choices) {
        for (const FileDialogChoice& c : choices) fileDialogs.choices.push_back(c);
        window.mnuInput[static_cast<size_t>(item)]->trigger();
    }
    static QAction* MarkedProjection(Tellurax& w) {
        for (QAction* a : w.mnuProj)
            if (a->isChecked()) return a;
        for (QAction* a : w.mnuProjMollweide)
            if (a->isChecked()) return a;
        return nullptr;
    }
};

TEST_F(DesignFileMenuTest, SavingAsksForANameAndAddsTheExtension) {
    Tellurax window;
    EXPECT_TRUE(window.mnuInput[kSaveDesign]->isEnabled());
    EXPECT_TRUE(window.mnuInput[kRecallDesign]->isEnabled());
    Choose(window, kSaveDesign, {FileDialogChoice::Name(Path("plan"))});
    ASSERT_EQ(fileDialogs.log.size(), 1u);
    const FileDialogRequest& shown = fileDialogs.log[0];
    EXPECT_EQ(shown.kind, FileDialogKind::Save);
    EXPECT_EQ(shown.title, "Save Map Design");
    EXPECT_EQ(shown.filter, "Configuration (*.cnf)|*.cnf");
    EXPECT_EQ(shown.defaultExt, "cnf");
    EXPECT_EQ(shown.flags, 6);
    EXPECT_EQ(shown.fileName, "");  // no design file yet
    EXPECT_EQ(Plot().CnfFileName, Path("plan.cnf"));
    EXPECT_EQ(Contents(Path("plan.cnf")).substr(0, 42), "Tellurax configuration file version 3.01\r\n");
    EXPECT_TRUE(window.mnuInput[kSaveDesign]->isChecked());
    EXPECT_TRUE(boxes.log.empty());

    // A name with the extension in another case is kept as typed; the dialog
    // opens on the last design file.
    Choose(window, kSaveDesign, {FileDialogChoice::Name(Path("plan.Cnf"))});
    EXPECT_EQ(fileDialogs.log[1].fileName, "plan.cnf");
    EXPECT_EQ(fileDialogs.log[1].initDir, dir);
    EXPECT_EQ(Plot().CnfFileName, Path("plan.Cnf"));

    Choose(window, kSaveDesign, {FileDialogChoice::Error(32768)});
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error 32768 in Save Map Design");
    EXPECT_EQ(boxes.log[0].title, "File Common Dialog Error");
}

// Saved with one projection and recalled after choosing another, the design
// comes back with its caption, menu mark and defined projection.
TEST_F(DesignFileMenuTest, RecallingTakesBackTheProjectionAndMarksIt) {
    Tellurax window;
    DesignState& d = Design();
    d.ProjCode = ProjAlbers;
    d.ProjName = "Albers Equal-Area";
    d.TextItems[1].TextItemText = "Lake \"Tahoe\", CA";
    d.NumTextItems = 1;
    Choose(window, kSaveDesign, {FileDialogChoice::Name(Path("albers.cnf"))});
    ASSERT_TRUE(boxes.log.empty());

    d.ProjCode = ProjMercator;
    d.ProjName = "Mercator";
    d.TextItems[1].TextItemText = "";
    d.ProjDefined.assign(ProjCodeBound, false);
    const std::string before = window.Caption();
    Choose(window, kRecallDesign, {FileDialogChoice::Name(Path("albers.cnf"))});
    ASSERT_TRUE(boxes.log.empty()) << boxes.log[0].text;
    EXPECT_EQ(fileDialogs.log.back().kind, FileDialogKind::Open);
    EXPECT_EQ(fileDialogs.log.back().title, "Recall Map Design");
    EXPECT_EQ(fileDialogs.log.back().flags, 4096);
    EXPECT_EQ(d.ProjCode, ProjAlbers);
    EXPECT_EQ(d.TextItems[1].TextItemText, "Lake \"Tahoe\", CA");
    EXPECT_EQ(window.Caption(), "Tellurax: Albers Equal-Area projection");
    EXPECT_EQ(d.SavedCaption, before);
    EXPECT_EQ(MarkedProjection(window), window.mnuProj[10]);
    EXPECT_TRUE(d.ProjDefined[ProjAlbers]);
    EXPECT_EQ(d.StdParProjCode, ProjAlbers);
    EXPECT_TRUE(window.mnuInput[kRecallDesign]->isChecked());
}

// The mark after a recall is the item that carries the recalled code, in
// whichever place the menu lists it; a code that is no projection marks none.
TEST_F(DesignFileMenuTest, RecallingADesignOfEachProjectionMarksThatProjectionsItem) {
    Tellurax window;
    DesignState& d = Design();
    struct Case {
        int16_t code;
        QAction* item;
    };
    const Case cases[] = {
        {ProjMercator, window.mnuProj[0]},
        {ProjEquirectangular, window.mnuProj[1]},
        {ProjCylEqualArea, window.mnuProj[2]},
        {ProjHammer, window.mnuProj[4]},
        {ProjMollweide, window.mnuProjMollweide[0]},
        {ProjInterruptedMollweide, window.mnuProjMollweide[1]},
        {ProjRobinson, window.mnuProj[6]},
        {ProjEquidistantConic, window.mnuProj[8]},
        {ProjConformalConic, window.mnuProj[9]},
        {ProjAlbers, window.mnuProj[10]},
        {ProjGnomonic, window.mnuProj[12]},
        {ProjStereographic, window.mnuProj[13]},
        {ProjOrthographic, window.mnuProj[14]},
        {ProjVerticalPerspective, window.mnuProj[15]},
        {ProjAzEquidistant, window.mnuProj[16]},
        {ProjAzEqualArea, window.mnuProj[17]},
        {ProjUtm, window.mnuProj[19]},
        {3, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        d.ProjCode = c.code;
        d.ProjName = c.item ? std::string(FindProjection(c.code)->name) : "Polyconic";
        const std::string file = Path("p" + std::to_string(c.code) + ".cnf");
        Choose(window, kSaveDesign, {FileDialogChoice::Name(file)});
        d.ProjCode = c.code == ProjMercator ? ProjRobinson : ProjMercator;  // the mark stays on the last recall's
        Choose(window, kRecallDesign, {FileDialogChoice::Name(file)});
        ASSERT_TRUE(boxes.log.empty()) << boxes.log[0].text;
        EXPECT_EQ(d.ProjCode, c.code);
        EXPECT_EQ(MarkedProjection(window), c.item);
        if (c.item) {
            EXPECT_EQ(c.item->data().toInt(), c.code);
        }
    }
}

TEST_F(DesignFileMenuTest, ANameWithoutTheExtensionIsAskedForAgain) {
    Tellurax window;
    Put(Path("plan.txt"), "Tellurax configuration file version 3.01\r\n");
    Choose(window, kRecallDesign, {FileDialogChoice::Name(Path("plan.txt")), FileDialogChoice::Cancel()});
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "File extension must be CNF");
    EXPECT_EQ(boxes.log[0].title, "File Extension Error");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(fileDialogs.log.size(), 2u);  // the dialog again, then Cancel: silent
    EXPECT_EQ(Plot().CnfFileName, "");
    EXPECT_EQ(window.Caption(), "Tellurax: Equirectangular projection");
}

// A file that fails to read changes neither the design, nor the caption,
// nor the menu, nor which projections count as defined.
TEST_F(DesignFileMenuTest, AFailedRecallLeavesTheWindowAsItWas) {
    Tellurax window;
    Put(Path("cut.cnf"), "Tellurax configuration file version 3.01\r\nMercator\r\n 1 \r\n");
    Choose(window, kRecallDesign, {FileDialogChoice::Name(Path("cut.cnf"))});
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: Input past end of file in line 4, field 1 (grid type text)");
    EXPECT_EQ(boxes.log[0].title, "Error in CnfRead");
    EXPECT_EQ(Design().ProjCode, ProjEquirectangular);
    EXPECT_EQ(window.Caption(), "Tellurax: Equirectangular projection");
    EXPECT_EQ(MarkedProjection(window), window.mnuProj[1]);
    EXPECT_FALSE(Design().ProjDefined[ProjMercator]);
    EXPECT_FALSE(Design().ProjDefined[ProjEquirectangular]);
}

// A design saved in a window and recalled in it, unchanged, comes back
// unchanged, whatever the start-up estimate of a maximised window's drawing
// area was: a maximised window measures it.
TEST_F(DesignFileMenuTest, SaveRecallSaveInAnUnchangedWindowGivesTheSameFile) {
    struct Case {
        const char* name;
        bool maximised;
        int32_t width, height;  // the estimate, pixels (the real area is 796 by about 777)
    };
    const Case cases[] = {
        {"estimate wider, shorter", true, 1024, 718},
        {"estimate a few pixels short", true, 796, 770},
        {"estimate larger", true, 1000, 800},
        {"normal window", false, 1024, 718},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        Tellurax window;
        DesignState& d = Design();
        d.FullScreenWidthPx = c.width;
        d.FullScreenHeightPx = c.height;
        if (c.maximised) {
            window.showMaximized();
        } else {
            window.setWindowState(Qt::WindowNoState);
            window.resize(640, 420);
            window.show();
        }
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(1);
        const float scaleWidth = window.ScaleWidth(), scaleHeight = window.ScaleHeight();
        TextItem& item = d.TextItems[1];
        item.TextItemText = "Tahoe";
        item.TextItemFontName = "Liberation Sans";
        item.TextItemFontSize = 12;
        item.TextItemX = 9000;
        item.TextItemY = 6000;
        item.TextItemAscent = 165;
        item.TextItemDescent = 45;
        item.TextItemCharWidth = 90;
        d.NumTextItems = 1;
        // The first recall gives classes without a symbol radius one pixel;
        // from then on a recall changes nothing.
        const auto saveAndRecall = [&] {
            Choose(window, kSaveDesign, {FileDialogChoice::Name(Path("plan.cnf"))});
            const std::string saved = Contents(Path("plan.cnf"));
            Choose(window, kRecallDesign, {FileDialogChoice::Name(Path("plan.cnf"))});
            QTest::qWait(1);
            return saved;
        };
        saveAndRecall();
        const std::string first = saveAndRecall();
        EXPECT_EQ(window.isMaximized(), c.maximised);
        EXPECT_EQ(window.ScaleWidth(), scaleWidth);
        EXPECT_EQ(window.ScaleHeight(), scaleHeight);
        EXPECT_EQ(Design().TextItems[1].TextItemY, 6000);
        EXPECT_TRUE(saveAndRecall() == first);
        EXPECT_TRUE(boxes.log.empty());
    }
}

}  // namespace
}  // namespace tlrx
