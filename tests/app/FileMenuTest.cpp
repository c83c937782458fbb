// The File menu's exports as a user makes them: the menu item, the file
// dialog (scripted), the drawing run and the file it leaves; Cancel, dialog
// errors, files that cannot be written and Stop.

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/AscOutput.h"
#include "app/DrawingArea.h"
#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "platform/FileDialog.h"
#include "plot/PlotState.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;
using test::AppTest;
using test::WhenShown;

constexpr int16_t kBmp = 5, kCgm = 6, kDxf = 7, kWmf = 8, kAscii = 9;

// An export item of the File menu and what its file looks like.
struct Format {
    int16_t item;
    const char* ext;
    const char* title;
    const char* filter;
    const char* operation;
    std::string PlotState::*name;
    std::string magic;  // the file's first bytes
};

const std::vector<Format>& Formats() {
    static const std::vector<Format> formats = {
        {kBmp, "bmp", "Save Map As BMP File", "BMP Files (*.bmp)|*.bmp", " in Save as BMP", &PlotState::BmpFileName,
         "BM"},
        {kCgm, "cgm", "Save Map As CGM File", "CGM Files (*.cgm)|*.cgm", " in Save as CGM", &PlotState::CgmFileName,
         std::string("\x00\x3F", 2)},
        {kDxf, "dxf", "Save Map As DXF File", "DXF Files (*.dxf)|*.dxf", " in Save as DXF", &PlotState::DxfFileName,
         "  0\r\nSECTION"},
        {kWmf, "wmf", "Save Map As WMF File", "WMF Files (*.wmf)|*.wmf", " in Save as WMF", &PlotState::WmfFileName,
         "\xD7\xCD\xC6\x9A"},
    };
    return formats;
}

// The folder of the test's files: a run of the export check
// (check_file_menu, TLRX_FILE_MENU_OUT set) keeps its own, so that it never
// clears the files of the same test running at the same time.
std::filesystem::path FileMenuFolder() {
    const char* chosen = std::getenv("TLRX_FILE_MENU_OUT");
    if (chosen && *chosen) return std::filesystem::path(chosen) / "test-files";
    return std::filesystem::path(TLRX_TEST_OUT_DIR) / "app-files";
}

class FileMenuTest : public AppTest {
protected:
    FileMenuTest() : AppTest(FileMenuFolder()) {}
    // The world map of the source tree as input file 1.
    static void UseWorldMap() { Design().InputFileName(1) = std::string(TLRX_TEST_DATA_DIR) + "/../../data/Tlrx4.map"; }
    static std::string Sample(const std::string& name) {
        return std::string(TLRX_TEST_DATA_DIR) + "/../../data/samples/" + name;
    }
    // Chooses the item with the file dialog answering `choice`.
    void Choose(Tellurax& window, int16_t item, FileDialogChoice choice) {
        fileDialogs.choices.push_back(std::move(choice));
        window.mnuInput[static_cast<size_t>(item)]->trigger();
    }
    static bool Checked(const Tellurax& window, int16_t item) {
        for (size_t i = 0; i < window.mnuInput.size(); ++i)
            if (window.mnuInput[i]->isChecked() != (i == static_cast<size_t>(item))) return false;
        return true;
    }
    static std::string Head(const std::string& path, size_t n) { return Contents(path).substr(0, n); }
    // A mark on the window's picture, to see whether a run drew over it.
    static void Mark(Tellurax& window) { window.DC().SetPixel(3, 3, MakeRgb(255, 0, 0)); }
    static bool Marked(Tellurax& window) { return (window.Area().Picture().pixel(3, 3) & 0xFFFFFF) == 0xFF0000u; }
    void ExpectNoRequest() {
        const PlotState& p = Plot();
        EXPECT_FALSE(p.OutAscii || p.OutCgm || p.OutDxf || p.OutWmf);
        EXPECT_EQ(p.MetafileDC, nullptr);
    }
    void ExpectNoBox() {
        for (const auto& b : boxes.log) ADD_FAILURE() << b.title << ": " << b.text;
    }
};

// The default world with a map text item, exported by each item to a name
// typed without its extension. The files go to TLRX_FILE_MENU_OUT when it is
// set: check_file_menu.sh opens them in the outside readers.
TEST_F(FileMenuTest, EachExportItemWritesTheMapToTheChosenFile) {
    SetMapPlotPass({});  // the program's own passes
    SetPrintTextPass({});
    const char* chosen = std::getenv("TLRX_FILE_MENU_OUT");
    const std::string folder = chosen && *chosen ? chosen : dir;
    fs::create_directories(folder);
    Tellurax window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    UseWorldMap();
    DesignState& d = Design();
    d.NumTextItems = 1;
    ResizeTextItems(1);
    d.TextItems[1].TextItemText = "Tellurax world";
    d.TextItems[1].TextItemFontName = d.DefaultFontName;
    d.TextItems[1].TextItemFontSize = 20;
    d.TextItems[1].TextItemColor = MakeRgb(0, 0, 128);
    // Inside the map: LibreOffice shows a CGM file on a wide page that cuts
    // off its top and bottom.
    d.TextItems[1].TextItemX = static_cast<int32_t>(window.ScaleWidth() * 0.36f);
    d.TextItems[1].TextItemY = static_cast<int32_t>(window.ScaleHeight() * 0.4f);
    d.FontSlotName[FontSlotText] = d.DefaultFontName;
    // The height of its font, as a text placement stores it.
    window.FontName = d.DefaultFontName;
    window.FontSize = 20;
    TextMetric metric;
    ASSERT_TRUE(window.GetTextMetrics(metric));
    d.TextItems[1].TextItemAscent = static_cast<int16_t>(metric.ascent * d.TwipsPerPixelY);
    d.TextItems[1].TextItemDescent = static_cast<int16_t>(metric.descent * d.TwipsPerPixelY);

    // BMP last, so that its picture is of the drawn map.
    std::vector<Format> formats(Formats().begin() + 1, Formats().end());
    formats.push_back(Formats().front());
    for (const Format& f : formats) {
        SCOPED_TRACE(f.ext);
        fileDialogs.log.clear();
        ResetDoEventsCount();
        const std::string file = folder + "/world." + f.ext;
        fs::remove(file);
        Choose(window, f.item, FileDialogChoice::Name(folder + "/world"));

        ASSERT_EQ(fileDialogs.log.size(), 1u);
        const FileDialogRequest& shown = fileDialogs.log[0];
        EXPECT_EQ(shown.kind, FileDialogKind::Save);
        EXPECT_EQ(shown.title, f.title);
        EXPECT_EQ(shown.filter, f.filter);
        EXPECT_EQ(shown.filterIndex, 1);
        EXPECT_EQ(shown.defaultExt, f.ext);
        EXPECT_EQ(shown.flags, 6);  // ask before replacing a file, no read-only box
        EXPECT_EQ(Plot().*f.name, file);
        ASSERT_TRUE(fs::exists(file));
        EXPECT_EQ(Head(file, f.magic.size()), f.magic);
        EXPECT_TRUE(Checked(window, f.item));
        ExpectNoRequest();
        ExpectNoBox();
        if (f.item == kBmp) {
            // No run: the picture on the window as it stands.
            EXPECT_EQ(DoEventsCount(), 0);
            const QImage read(QString::fromStdString(file));
            EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32),
                      window.Area().Picture().convertToFormat(QImage::Format_RGB32));
            window.Area().Picture().save(QString::fromStdString(folder + "/world-window.png"));
        } else {
            EXPECT_GT(DoEventsCount(), 16);  // the graticule and the map were drawn
        }
    }
    // The vector files hold the map text.
    for (const char* ext : {"cgm", "dxf"})
        EXPECT_NE(Contents(folder + "/world." + ext).find("Tellurax world"), std::string::npos) << ext;
}

TEST_F(FileMenuTest, TheDefaultExtensionIsAppendedUnlessTheNameEndsInIt) {
    Tellurax window;
    const struct {
        const char* typed;
        const char* written;
    } cases[] = {{"world", "world.cgm"}, {"world.CGM", "world.CGM"}, {"world.txt", "world.txt.cgm"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Choose(window, kCgm, FileDialogChoice::Name(Path(c.typed)));
        EXPECT_EQ(Plot().CgmFileName, Path(c.written));
        EXPECT_TRUE(fs::exists(Path(c.written)));
    }
    EXPECT_FALSE(fs::exists(Path("world.txt")));
    ExpectNoBox();
}

// Each dialog opens on the last file of its kind; Cancel ends the command
// without a word and an error with its box, the design, the window and the
// files as they were.
TEST_F(FileMenuTest, CancelAndDialogErrorsChangeNothing) {
    Tellurax window;
    for (const Format& f : Formats()) {
        SCOPED_TRACE(f.ext);
        const std::string old = Path("maps/old.") + f.ext;
        Plot().*f.name = old;
        FileSaveLoad().InitDir = "/elsewhere";
        Mark(window);
        fileDialogs.log.clear();
        boxes.log.clear();
        ResetDoEventsCount();

        Choose(window, f.item, FileDialogChoice::Cancel());
        ASSERT_EQ(fileDialogs.log.size(), 1u);
        EXPECT_EQ(fileDialogs.log[0].fileName, "old." + std::string(f.ext));
        EXPECT_EQ(fileDialogs.log[0].initDir, Path("maps"));
        EXPECT_TRUE(boxes.log.empty());

        Choose(window, f.item, FileDialogChoice::Error(20477));
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, std::string("Error 20477") + f.operation);
        EXPECT_EQ(boxes.log[0].title, "File Common Dialog Error");
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);

        EXPECT_EQ(Plot().*f.name, old);
        ExpectNoRequest();
        EXPECT_TRUE(Marked(window));
        EXPECT_EQ(DoEventsCount(), 0);
        EXPECT_TRUE(Checked(window, f.item));
    }
    // A kind without a last file keeps the folder last given to the dialog.
    Plot().BmpFileName.clear();
    Choose(window, kBmp, FileDialogChoice::Cancel());
    EXPECT_EQ(fileDialogs.log.back().fileName, "");
    EXPECT_EQ(fileDialogs.log.back().initDir, Path("maps"));
    EXPECT_TRUE(fs::is_empty(dir));
}

// A file that cannot be written is named before anything is drawn: the
// window keeps its map, no run starts and nothing is written.
TEST_F(FileMenuTest, AnExportFileThatCannotBeWrittenIsReportedBeforeTheRun) {
    Tellurax window;
    fs::create_directories(Path("folder.dxf"));
    const struct {
        int16_t item;
        std::string typed;
        std::string message;
    } cases[] = {
        {kCgm, Path("missing/world"),
         "Error: Cannot create " + Path("missing/world.cgm") + " (No such file or directory)"},
        {kDxf, Path("folder.dxf"), "Error: Cannot create " + Path("folder.dxf") + " (Is a directory)"},
        {kWmf, Path("missing/world"),
         "Error: Cannot create " + Path("missing/world.wmf") + " (No such file or directory)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Mark(window);
        boxes.log.clear();
        ResetDoEventsCount();
        Choose(window, c.item, FileDialogChoice::Name(c.typed));
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, c.message);
        EXPECT_EQ(boxes.log[0].title, "Error in mnuInput_Click");
        EXPECT_TRUE(Marked(window));
        EXPECT_EQ(DoEventsCount(), 0);
        ExpectNoRequest();
    }
    EXPECT_FALSE(fs::exists(Path("missing")));

    // The ASCII export, whose dialog has accepted a name in a missing folder.
    Mark(window);
    boxes.log.clear();
    WhenShown<AscOutput>([this](AscOutput& dlg) {
        fileDialogs.choices = {FileDialogChoice::Name(Path("grid.txt")),
                               FileDialogChoice::Name(Path("missing/map.txt"))};
        for (int row = 0; row < 2; ++row) {
            dlg.AscGrid->setCurrentCell(row, 2);
            dlg.AscFileSelect();
        }
        dlg.OK->click();
    });
    window.mnuInput[kAscii]->trigger();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: Cannot create " + Path("missing/map.txt") + " (No such file or directory)");
    EXPECT_TRUE(Marked(window));
    EXPECT_EQ(DoEventsCount(), 0);
    ExpectNoRequest();
    EXPECT_FALSE(fs::exists(Path("grid.txt")));
}

// Stop during an export leaves no new file, and every earlier file of the
// same name as it was, written by the run or not.
TEST_F(FileMenuTest, StopLeavesNoNewFileAndTheEarlierFilesAsTheyWere) {
    Tellurax window;
    for (const Format& f : Formats()) {
        if (f.item == kBmp) continue;
        SCOPED_TRACE(f.ext);
        const std::string file = Path("map.") + f.ext;
        Put(file, "earlier export");
        ResetDoEventsCount();
        SetDoEventsHook([&](int64_t n) {
            if (n == 3) QTest::keyClick(&window, Qt::Key_Escape);
        });
        Choose(window, f.item, FileDialogChoice::Name(file));
        EXPECT_EQ(DoEventsCount(), 3);
        EXPECT_EQ(Contents(file), "earlier export");
        ExpectNoRequest();
    }

    // ASCII: the grid's file, written when the stop came, and the map
    // file's, not reached, stay as they were.
    Put(Path("grid.txt"), "earlier grid");
    Put(Path("map.txt"), "earlier export");
    ResetDoEventsCount();
    WhenShown<AscOutput>([this](AscOutput& dlg) {
        fileDialogs.choices = {FileDialogChoice::Name(Path("grid.txt")), FileDialogChoice::Name(Path("map.txt"))};
        for (int row = 0; row < 2; ++row) {
            dlg.AscGrid->setCurrentCell(row, 2);
            dlg.AscFileSelect();
        }
        boxes.answers = {MsgAnswer::Yes, MsgAnswer::Yes};  // replace grid.txt and map.txt
        dlg.OK->click();
    });
    window.mnuInput[kAscii]->trigger();
    EXPECT_EQ(DoEventsCount(), 3);
    EXPECT_EQ(Contents(Path("grid.txt")), "earlier grid");
    EXPECT_EQ(Contents(Path("map.txt")), "earlier export");
    ExpectNoRequest();
    ASSERT_EQ(boxes.log.size(), 2u);  // the questions about both files
    EXPECT_EQ(boxes.log[1].title, "Save As ASCII File");
}

TEST_F(FileMenuTest, SaveAsAsciiClearsTheWindowAndWritesOneFilePerOutput) {
    SetMapPlotPass({});
    Tellurax window;
    Design().InputFileName(1) = Sample("nw.map");
    Mark(window);
    WhenShown<AscOutput>([this](AscOutput& dlg) {
        fileDialogs.choices = {FileDialogChoice::Name(Path("grid")), FileDialogChoice::Name(Path("nw"))};
        for (int row = 0; row < 2; ++row) {
            dlg.AscGrid->setCurrentCell(row, 2);
            dlg.AscFileSelect();
        }
        dlg.OK->click();
    });
    window.mnuInput[kAscii]->trigger();
    ExpectNoBox();
    EXPECT_TRUE(Checked(window, kAscii));
    EXPECT_FALSE(Marked(window));  // cleared before the run
    EXPECT_EQ(Plot().AscFileName, (std::vector<std::string>{"", Path("grid.txt"), Path("nw.txt")}));
    ExpectNoRequest();
    for (const char* name : {"grid.txt", "nw.txt"}) {
        SCOPED_TRACE(name);
        const std::string text = Contents(Path(name));
        ASSERT_GT(text.size(), 100u);
        // Lines of two numbers, x from 0 to 1 across the map, and the
        // pen-up marker after each line.
        EXPECT_EQ(text.substr(text.size() - 23), "5.0000000  05.0000000\r\n");
        EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
        EXPECT_EQ(text.find_first_not_of("0123456789.- \r\n"), std::string::npos);
    }

    // Cancel in the dialog: no clearing, no run.
    Mark(window);
    ResetDoEventsCount();
    WhenShown<AscOutput>([](AscOutput& dlg) { dlg.Cancel->click(); });
    window.mnuInput[kAscii]->trigger();
    EXPECT_TRUE(Marked(window));
    EXPECT_EQ(DoEventsCount(), 0);
    ExpectNoRequest();
}

}  // namespace
}  // namespace tlrx
