// The ASCII output dialog: its rows, the file choice of a row, and the
// checks of OK with their messages.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/AscOutput.h"
#include "core/DesignState.h"
#include "platform/FileDialog.h"
#include "plot/PlotState.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;
using test::AppTest;

class AscOutputTest : public AppTest {
protected:
    // Input files with these paths, and gridOutputs graticule outputs.
    static void UseInputs(const std::vector<std::string>& paths, int16_t gridOutputs) {
        DesignState& d = Design();
        d.NumInputFiles = static_cast<int16_t>(paths.size());
        ResizeInputFiles(d.NumInputFiles);
        for (size_t i = 0; i < paths.size(); ++i) d.InputFileName(i + 1) = paths[i];
        Plot().GridOutputCount = gridOutputs;
    }
    static std::vector<std::string> Column(const AscOutput& dlg, int column) {
        std::vector<std::string> texts;
        for (int r = 0; r < dlg.AscGrid->rowCount(); ++r)
            texts.push_back(dlg.AscGrid->item(r, column)->text().toStdString());
        return texts;
    }
    // Sets the output name of row (1 on) as the file dialog would.
    static void SetName(AscOutput& dlg, int row, const std::string& name) {
        dlg.AscGrid->item(row - 1, 2)->setText(QString::fromStdString(" " + name));
    }
};

TEST_F(AscOutputTest, OneRowPerGraticuleOutputAndInputFileWithTheLastNames) {
    UseInputs({"/maps/world.map", "C:\\maps\\nw.prn", "rivers.dat"}, 2);
    Plot().AscFileName = {"", Path("points.txt"), Path("lines.txt"), Path("world.txt")};
    Plot().OutAscii = true;
    AscOutput dlg;
    EXPECT_EQ(dlg.windowTitle(), "Enter Filenames for ASCII Output Files");
    EXPECT_EQ(dlg.HelpTopic(), 2030u);
    EXPECT_FALSE(Plot().OutAscii);
    EXPECT_EQ(dlg.AscOutputRowCount, 5);
    std::vector<std::string> headers;
    for (int c = 0; c < 3; ++c)
        headers.push_back(dlg.AscGrid->model()->headerData(c, Qt::Horizontal).toString().toStdString());
    EXPECT_EQ(headers, (std::vector<std::string>{" #", " Input Filename", " Output ASCII Filename"}));
    EXPECT_EQ(Column(dlg, 0), (std::vector<std::string>{" 01", " 02", " 03", " 04", " 05"}));
    EXPECT_EQ(Column(dlg, 1),
              (std::vector<std::string>{" Grid points", " Grid lines", " world.map", " nw.prn", " rivers.dat"}));
    EXPECT_EQ(Column(dlg, 2), (std::vector<std::string>{" " + Path("points.txt"), " " + Path("lines.txt"),
                                                        " " + Path("world.txt"), " ", " "}));
    EXPECT_EQ(Plot().AscFileName.size(), 6u);  // the names kept, room for the new rows
    EXPECT_EQ(dlg.AscGrid->currentRow(), 0);
    EXPECT_EQ(dlg.AscGrid->currentColumn(), 2);
    EXPECT_TRUE(dlg.Label1->text().startsWith("To export map data in ASCII format"));
    EXPECT_TRUE(boxes.log.empty());
    // F1 on the grid: the dialog's help topic.
    QTest::keyClick(dlg.AscGrid, Qt::Key_F1);
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].data, 2030u);
}

TEST_F(AscOutputTest, TheGraticuleRowsFollowTheGridAndNoRowsAtAllAreSaid) {
    UseInputs({"/maps/world.map"}, 1);
    {
        AscOutput dlg;
        EXPECT_EQ(Column(dlg, 1), (std::vector<std::string>{" Grid", " world.map"}));
    }
    UseInputs({}, 0);
    AscOutput dlg;
    EXPECT_EQ(dlg.AscGrid->rowCount(), 0);
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text,
              "There are no ASCII output files, because there is no grid and there are no input map files!");
    EXPECT_EQ(boxes.log[0].title, "ASCII Output File Information");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Information);
    // OK stores nothing and asks for the run all the same.
    dlg.OK_Click();
    EXPECT_TRUE(Plot().OutAscii);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

// A click or Space on a name opens the file dialog preset with it; the
// chosen name gets ".txt" unless it ends so; Cancel and errors change nothing.
TEST_F(AscOutputTest, ANameIsChosenWithTheFileDialog) {
    UseInputs({"/maps/world.map"}, 1);
    Plot().AscFileName = {"", "/out/old grid.txt", ""};
    AscOutput dlg;
    const struct {
        FileDialogChoice choice;
        std::string cell;
    } cases[] = {
        {FileDialogChoice::Name("/out/grid"), " /out/grid.txt"},
        {FileDialogChoice::Name("/out/grid.TXT"), " /out/grid.TXT"},
        {FileDialogChoice::Name("/out/grid.prn"), " /out/grid.prn.txt"},
        {FileDialogChoice::Cancel(), " /out/grid.prn.txt"},
        {FileDialogChoice::Error(20477), " /out/grid.prn.txt"},
    };
    std::string preset = "/out/old grid.txt";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        fileDialogs.log.clear();
        fileDialogs.choices = {c.choice};
        dlg.AscGrid->setCurrentCell(0, 2);
        dlg.AscGrid_Click();
        ASSERT_EQ(fileDialogs.log.size(), 1u);
        const FileDialogRequest& shown = fileDialogs.log[0];
        EXPECT_EQ(shown.kind, FileDialogKind::Save);
        EXPECT_EQ(shown.title, "Save As ASCII File");
        EXPECT_EQ(shown.filter, "Text Files (*.txt)|*.txt");
        EXPECT_EQ(shown.filterIndex, 1);
        EXPECT_EQ(shown.defaultExt, "txt");
        EXPECT_EQ(shown.flags, 4);  // the dialog asks nothing: OK does
        EXPECT_EQ(shown.fileName, preset);
        EXPECT_EQ(dlg.AscGrid->item(0, 2)->text().toStdString(), c.cell);
        preset = c.cell.substr(1);
    }
    EXPECT_TRUE(boxes.log.empty());

    // Space on a name opens the dialog; a click on a fixed column does not.
    dlg.show();
    fileDialogs.log.clear();
    dlg.AscGrid->setCurrentCell(1, 2);
    QTest::keyClick(dlg.AscGrid, Qt::Key_Space);
    EXPECT_EQ(fileDialogs.log.size(), 1u);
    dlg.AscGrid->setCurrentCell(1, 1);
    dlg.AscGrid_Click();
    QTest::keyClick(dlg.AscGrid, Qt::Key_Space);
    EXPECT_EQ(fileDialogs.log.size(), 1u);
}

// The checks of OK, each keeping the dialog open on the offending row with
// nothing stored.
TEST_F(AscOutputTest, OkRefusesEmptyNamesMapFilesAndTwoNamesForOneFile) {
    const std::string map = Path("world.map");
    Put(map, "");
    // Other names of the map file on disk: a link, a hard link, a linked folder.
    fs::create_symlink(map, Path("alias.txt"));
    fs::create_hard_link(map, Path("hard.txt"));
    fs::create_directory_symlink(dir, Path("linked"));
    const struct {
        const char* name;
        std::vector<std::string> names;
        const char* text;
        const char* title;
        int row;
    } cases[] = {
        {"an empty name",
         {Path("a.txt"), "  ", Path("c.txt")},
         "There must be an output filename\nfor each grid and input file!",
         "Error: Null Filename",
         2},
        {"an input map file, spelt otherwise",
         {Path("a.txt"), dir + "/./sub/../world.map", Path("c.txt")},
         nullptr,
         "Error: Output Filename",
         2},
        {"an input map file through a link",
         {Path("a.txt"), Path("alias.txt"), Path("c.txt")},
         nullptr,
         "Error: Output Filename",
         2},
        {"an input map file through a hard link",
         {Path("a.txt"), Path("hard.txt"), Path("c.txt")},
         nullptr,
         "Error: Output Filename",
         2},
        {"an input map file in a linked folder",
         {Path("a.txt"), Path("linked/world.map"), Path("c.txt")},
         nullptr,
         "Error: Output Filename",
         2},
        {"one file twice",
         {Path("a.txt"), Path("b.txt"), dir + "//b.txt"},
         "The output files must have\ndifferent filenames.",
         "Error: Duplicate Filename",
         3},
        {"the first pair counts",
         {Path("a.txt"), Path("b.txt"), Path("b.txt"), Path("a.txt")},
         "The output files must have\ndifferent filenames.",
         "Error: Duplicate Filename",
         4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseInputs({map, Path("rivers.map")}, static_cast<int16_t>(c.names.size() - 2));
        boxes.log.clear();
        Plot().AscFileName = {"", "kept"};
        AscOutput dlg;
        for (size_t r = 0; r < c.names.size(); ++r) SetName(dlg, static_cast<int>(r + 1), c.names[r]);
        dlg.AscGrid->setCurrentCell(0, 0);
        dlg.OK_Click();
        ASSERT_EQ(boxes.log.size(), 1u);
        if (c.text) EXPECT_EQ(boxes.log[0].text, c.text);
        else EXPECT_EQ(boxes.log[0].text, "The output file " + c.names[1] + "\nis one of the input map files!");
        EXPECT_EQ(boxes.log[0].title, c.title);
        EXPECT_EQ(boxes.log[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(dlg.AscGrid->currentRow(), c.row - 1);
        EXPECT_EQ(dlg.AscGrid->currentColumn(), 2);
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        EXPECT_FALSE(Plot().OutAscii);
        EXPECT_EQ(Plot().AscFileName[1], "kept");
    }
}

// Names that differ in letter case are different files; an existing file is
// replaced only when the user says so, and the answer No chooses that row's
// name again before every row is checked again.
TEST_F(AscOutputTest, OkAsksBeforeReplacingAFileAndStoresTheNames) {
    UseInputs({Path("world.map")}, 1);
    Put(Path("a.txt"), "old");
    Put(Path("B.txt"), "old");
    AscOutput dlg;
    SetName(dlg, 1, Path("a.txt"));
    SetName(dlg, 2, Path("B.txt"));
    // a.txt: Yes. B.txt: No, the file dialog is cancelled, and asked again
    // after a.txt: Yes; then No again and b.txt chosen: a.txt asked a third time.
    boxes.answers = {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::No};
    fileDialogs.choices = {FileDialogChoice::Cancel(), FileDialogChoice::Name(Path("b"))};
    dlg.OK_Click();
    // a, B (No: cancelled), a, B (No: b.txt), a; b.txt does not exist.
    std::vector<std::string> asked;
    for (const auto& b : boxes.log) {
        EXPECT_EQ(b.title, "Save As ASCII File");
        EXPECT_EQ(b.buttons, MsgButtons::YesNo);
        EXPECT_EQ(b.icon, MsgIcon::Question);
        asked.push_back(b.text);
    }
    const std::string a = Path("a.txt") + "\nThis file already exists.\n\nReplace existing file?";
    const std::string bigB = Path("B.txt") + "\nThis file already exists.\n\nReplace existing file?";
    EXPECT_EQ(asked, (std::vector<std::string>{a, bigB, a, bigB, a}));
    EXPECT_EQ(fileDialogs.log.size(), 2u);
    EXPECT_EQ(fileDialogs.log[1].fileName, Path("B.txt"));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(Plot().OutAscii);
    EXPECT_EQ(Plot().AscFileName, (std::vector<std::string>{"", Path("a.txt"), Path("b.txt")}));

    // Different letter case: two files.
    boxes.log.clear();
    boxes.answers.clear();
    AscOutput again;
    SetName(again, 1, Path("a.txt"));
    SetName(again, 2, Path("A.txt"));
    again.OK_Click();
    EXPECT_EQ(boxes.log.size(), 1u);  // the question about a.txt
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_EQ(Plot().AscFileName[2], Path("A.txt"));
}

TEST_F(AscOutputTest, CancelStoresNothing) {
    UseInputs({Path("world.map")}, 1);
    Plot().AscFileName = {"", Path("grid.txt"), Path("map.txt")};
    AscOutput dlg;
    SetName(dlg, 1, Path("other.txt"));
    dlg.Cancel->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(Plot().OutAscii);
    EXPECT_EQ(Plot().AscFileName, (std::vector<std::string>{"", Path("grid.txt"), Path("map.txt")}));
}

}  // namespace
}  // namespace tlrx
