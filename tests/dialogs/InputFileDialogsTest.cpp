// The digital map file list and the symbology dialog: the numbered lines,
// Add, Edit and Delete with their boxes and file dialog, what the grid shows
// for a new or a listed file and what its OK stores.

#include <QDialog>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <functional>

#include "GeoDialogTest.h"
#include "core/SharedRoutines.h"
#include "dialogs/content/InputFileChoices.h"
#include "dialogs/content/InputFileParams.h"
#include "support/FakeHost.h"

namespace tlrx {
namespace {

using test::WhenShown;

std::string Sample(const std::string& name) { return std::string(TLRX_TEST_DATA_DIR) + "/../../data/samples/" + name; }

// While it lives, acts on every modal dialog that comes up: the colour and
// font pickers the symbology dialog opens.
class OnPicker {
public:
    explicit OnPicker(std::function<void(QDialog&)> act) : act_(std::move(act)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) act_(*dialog);
        });
        timer_.start(5);
    }
    // Presses the dialog's OK button.
    static void PressOk(QDialog& dialog) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == "OK") return button->click();
        dialog.reject();
    }

private:
    std::function<void(QDialog&)> act_;
    QTimer timer_;
};

class InputFileDialogsTest : public test::GeoDialogTest {
protected:
    // Files 1..n named f1.map.. with settings that tell them apart.
    static void MakeFiles(int n) {
        DesignState& d = Design();
        d.NumInputFiles = static_cast<int16_t>(n);
        ResizeInputFiles(n);
        for (int i = 1; i <= n; ++i) {
            d.InputFileName(i) = "/maps/f" + std::to_string(i) + ".map";
            d.InputFileSymbolType(i) = static_cast<int16_t>(1 + i % 12);
            d.InputFileLabelFontName(i) = "Font " + std::to_string(i);
            d.InputFileLabelFontSize(i) = static_cast<int16_t>(8 + i);
            d.InputFileLabelFontUnderline(i) = i % 2 == 1;
            for (int k = 1; k <= 72; ++k) {
                d.FeatureSelected(k, i) = (k + i) % 2 == 0;
                d.FeatureColor(k, i) = 1000 * i + k;
                d.FeatureLineWidth(k, i) = static_cast<int16_t>(15 * i);
                d.FeatureSymbolRadius(k, i) = static_cast<int16_t>(30 * i);
                d.FeatureBorderWidth(k, i) = static_cast<int16_t>(45 * i);
            }
        }
    }
    static std::vector<std::string> Lines(const InputFileChoices& list) {
        std::vector<std::string> out;
        for (int i = 0; i < list.InputFilesOpen->count(); ++i)
            out.push_back(list.InputFilesOpen->item(i)->text().toStdString());
        return out;
    }
    // Opens the symbology dialog for a file as the list dialog would.
    static void Listed(int file) {
        DesignState& d = Design();
        d.CurInputFileIndex = static_cast<int16_t>(file - 1);
        d.CurInputFile = d.InputFileName(file);
        d.EditingInputFile = true;
    }
    static void Added(const std::string& path, int place) {
        DesignState& d = Design();
        d.CurInputFileIndex = static_cast<int16_t>(place - 1);
        d.CurInputFile = path;
        d.AddingInputFile = true;
    }
    static std::string Header(const InputFileParams& p, int column) {
        return p.GeoFeatures->horizontalHeaderItem(column)->text().toStdString();
    }
    static std::string Widths(const InputFileParams& p, int row) {
        return (p.CellText(row, 1) + "/" + p.CellText(row, 2)).toStdString();
    }
};

TEST_F(InputFileDialogsTest, LinesAreNumberedWithAtLeastTwoDigits) {
    EXPECT_EQ(InputFileLine(1, "/a/b.map"), "01   /a/b.map");
    EXPECT_EQ(InputFileLine(12, ""), "12   ");
    EXPECT_EQ(InputFileLine(100, "x.prn"), "100   x.prn");

    struct Case {
        const char* path;
        int16_t group;
    } const cases[] = {
        {"a.prn", 1}, {"a.UTM", 1}, {"a.all", 2}, {"a.pnt", 2}, {"a.cci", 2}, {"a.grv", 3}, {"a.GRF", 3}, {"a.map", 4},
        {"", 4},      {"a.dat", 5}, {"a.pkv", 6}, {"a.pkd", 6}, {"a.mp1", 7}, {"a.Mps", 7}, {"a.txt", 0}, {"ab", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(InputFileFilterIndex(c.path), c.group) << c.path;
}

TEST_F(InputFileDialogsTest, TheListShowsEveryFileAndThePlaceAfterTheLast) {
    InputFileChoices list;
    EXPECT_EQ(list.windowTitle(), "Add or Edit Digital Map File");
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"01   Tlrx4.map", "02   "}));
    EXPECT_EQ(list.InputFilesOpen->currentRow(), 0);
    EXPECT_EQ(list.Instructions->text().toStdString(),
              "To add a file to the list: Click on the line where the file is to be added, then press the Add "
              "Digital Map File button.\n\nTo edit or delete a file from the list: Click on the filename and press "
              "the Edit or Delete Digital Map File button.\n\nPress the OK button when you are done adding or "
              "editing digital map files.");
}

TEST_F(InputFileDialogsTest, DeletingFileTwoOfThreeMovesEverySettingOfFileThree) {
    MakeFiles(3);
    const InputFileRecord third = Design().InputFile(3);
    InputFileChoices list;
    list.InputFilesOpen->setCurrentRow(1);
    boxes.answers = {MsgAnswer::No};
    list.InputFileDelete_Click();
    EXPECT_EQ(Design().NumInputFiles, 3);

    boxes.answers = {MsgAnswer::Yes};
    list.InputFileDelete_Click();
    ASSERT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(boxes.log[1].title, "Delete Digital Map File from List");
    EXPECT_EQ(boxes.log[1].text, "File: f2.map\n\nRemove file from the list of digital map files?");
    EXPECT_EQ(boxes.log[1].buttons, MsgButtons::YesNo);
    EXPECT_EQ(boxes.log[1].icon, MsgIcon::Question);

    const DesignState& d = Design();
    EXPECT_EQ(d.NumInputFiles, 2);
    EXPECT_EQ(d.MaxInputFile(), 2);
    EXPECT_EQ(d.InputFile(2), third);
    EXPECT_EQ(d.FeatureColor(72, 2), 3072);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"01   /maps/f1.map", "02   /maps/f3.map", "03   "}));
    EXPECT_EQ(list.InputFilesOpen->currentRow(), 1);

    // The place after the last file is not a file: Edit and Delete do nothing.
    list.InputFilesOpen->setCurrentRow(2);
    list.InputFileDelete_Click();
    list.InputFileEdit_Click();
    EXPECT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(d.NumInputFiles, 2);
    EXPECT_EQ(list.InputFilesOpen->currentRow(), 2);

    // Deleting every file leaves the single placeholder line.
    list.InputFilesOpen->setCurrentRow(0);
    list.InputFileDelete_Click();
    list.InputFileDelete_Click();
    EXPECT_EQ(d.NumInputFiles, 0);
    EXPECT_EQ(d.MaxInputFile(), 0);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"01   "}));

    // With no files, Add makes the chosen file number 1.
    fileDialogs.choices = {FileDialogChoice::Name(Sample("nw.dat"))};
    WhenShown<InputFileParams>([](InputFileParams& p) { p.OK->click(); });
    list.InputFileAdd_Click();
    EXPECT_EQ(d.NumInputFiles, 1);
    EXPECT_EQ(d.InputFileName(1), Sample("nw.dat"));
    EXPECT_EQ(d.MaxGeoFeature(), 72);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"01   " + Sample("nw.dat"), "02   "}));
}

TEST_F(InputFileDialogsTest, MoreThanNinetyNineFilesKeepTheirNumbersAndPaths) {
    MakeFiles(120);
    InputFileChoices list;
    ASSERT_EQ(list.InputFilesOpen->count(), 121);
    EXPECT_EQ(list.InputFilesOpen->item(98)->text(), "99   /maps/f99.map");
    EXPECT_EQ(list.InputFilesOpen->item(110)->text(), "111   /maps/f111.map");
    EXPECT_EQ(list.InputFilesOpen->item(120)->text(), "121   ");

    boxes.answers = {MsgAnswer::Yes};
    list.InputFilesOpen->setCurrentRow(4);
    list.InputFileDelete_Click();
    EXPECT_EQ(list.InputFilesOpen->item(98)->text(), "99   /maps/f100.map");
    EXPECT_EQ(list.InputFilesOpen->item(99)->text(), "100   /maps/f101.map");

    // Edit takes the path of the file, whatever the width of its number.
    std::string opened;
    WhenShown<InputFileParams>([&](InputFileParams& p) {
        opened = Design().CurInputFile;
        EXPECT_EQ(p.MapFileLabel->text().toStdString(), "Map File: /maps/f111.map");
        p.Cancel->click();
    });
    list.InputFilesOpen->setCurrentRow(109);
    list.InputFileEdit_Click();
    EXPECT_EQ(opened, "/maps/f111.map");
    EXPECT_FALSE(Design().EditingInputFile);
}

TEST_F(InputFileDialogsTest, AddChoosesAFileAndInsertsItWhereTheLineWasSelected) {
    Design().CurInputFile = "/opt/tellurax/Tlrx4.map";
    InputFileChoices list;
    // Cancelled: nothing changes.
    fileDialogs.choices = {FileDialogChoice::Cancel()};
    list.InputFileAdd_Click();
    ASSERT_EQ(fileDialogs.log.size(), 1u);
    const FileDialogRequest& r = fileDialogs.log[0];
    EXPECT_EQ(r.kind, FileDialogKind::Open);
    EXPECT_EQ(r.title, "Open Digital Map File");
    EXPECT_EQ(r.filterIndex, 4);
    EXPECT_EQ(r.flags, kFileDialogFileMustExist);
    EXPECT_EQ(r.fileName, "Tlrx4.map");
    EXPECT_EQ(r.initDir, "/opt/tellurax");
    EXPECT_EQ(r.filter,
              "ASCII (.prn, .utm)|*.prn;*.utm|MWDB2 (.all, .pnt, .cci)|*.all;*.pnt;*.cci|USGS DLG (.grv, "
              ".grf)|*.grv;*.grf|TLRX (.map)|*.map|WDB1 (.dat)|*.dat|WDB2 (.pkv, .pkd)|*.pkv;*.pkd|World (.mp1, "
              ".mps)|*.mp1;*.mps");
    EXPECT_EQ(Design().NumInputFiles, 1);
    EXPECT_FALSE(Design().AddingInputFile);

    // A file added on line 0 becomes file 1; the others move up.
    const std::string pkv = Sample("nw.pkv");
    fileDialogs.choices = {FileDialogChoice::Name(pkv)};
    WhenShown<InputFileParams>([](InputFileParams& p) {
        EXPECT_EQ(p.Table(), GeofeatureTable::WdbFeatures);
        p.OK->click();
    });
    list.InputFilesOpen->setCurrentRow(0);
    list.InputFileAdd_Click();
    const DesignState& d = Design();
    EXPECT_EQ(d.NumInputFiles, 2);
    EXPECT_EQ(d.InputFileName(1), pkv);
    EXPECT_EQ(d.InputFileName(2), "Tlrx4.map");
    EXPECT_TRUE(d.FeatureSelected(5, 2));  // file 2 keeps the start-up symbology
    EXPECT_EQ(d.CurInputFile, pkv);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"01   " + pkv, "02   Tlrx4.map", "03   "}));
    EXPECT_EQ(list.InputFilesOpen->currentRow(), 0);
    EXPECT_TRUE(boxes.log.empty());  // no label font for a .pkv file
    // The next dialog starts from the last file, in its group.
    fileDialogs.choices = {FileDialogChoice::Cancel()};
    list.InputFileAdd_Click();
    EXPECT_EQ(fileDialogs.log.back().filterIndex, 6);
    EXPECT_EQ(fileDialogs.log.back().fileName, "nw.pkv");
}

TEST_F(InputFileDialogsTest, AFileThatCannotBeReadIsRefusedBeforeItEntersTheList) {
    InputFileChoices list;
    const std::string folder = dir;  // a folder is no map file
    for (const std::string& path : {Path("gone.map"), folder}) {
        fileDialogs.choices = {FileDialogChoice::Name(path)};
        list.InputFileAdd_Click();
        ASSERT_FALSE(boxes.log.empty());
        EXPECT_EQ(boxes.log.back().title, "Open Digital Map File");
        EXPECT_EQ(boxes.log.back().text, "The digital map file " + path +
                                             " does not exist or cannot be read.\n\nIt was not added to the list.");
        EXPECT_EQ(boxes.log.back().icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(Design().NumInputFiles, 1);
    EXPECT_FALSE(Design().AddingInputFile);
    EXPECT_EQ(Lines(list).size(), 2u);
}

TEST_F(InputFileDialogsTest, TheFamilyOfANewFileSetsItsRowsAndDefaults) {
    struct Case {
        const char* name;
        int rows;
        int visible;
        const char* first;
    } const cases[] = {
        {"a.all", 10, 10, "Coastlines"},
        {"b.Map", 10, 10, "Coastlines"},
        {"c.cci", 10, 10, "Coastlines"},
        {"d.pnt", 1, 1, "All features"},
        {"e.prn", 1, 1, "All features"},
        {"f.grf", 72, 14, "River, double line, shoreline"},
        {"g.pkd", 36, 14, "International Boundaries"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Added(c.name, 2);
        InputFileParams p;
        EXPECT_EQ(p.DataRows(), c.rows);
        EXPECT_EQ(p.GeoVisibleRows(), c.visible);
        EXPECT_EQ(p.GeoFeatures->item(0, 3)->text().toStdString(), c.first);
        EXPECT_EQ(p.SelectedSymbolType(), 1);
        EXPECT_EQ(Header(p, 1), "Line Width");
        for (int r = 1; r <= c.rows; ++r) {
            EXPECT_EQ(p.RowColor(r), GeofeatureDefaultColor(p.Table(), r));
            EXPECT_EQ(Widths(p, r), "0001/");
            EXPECT_TRUE(p.RowPlotted(r));
        }
        p.Cancel->click();
        EXPECT_EQ(Design().NumInputFiles, 1);
        EXPECT_FALSE(Design().AddingInputFile);
    }
}

TEST_F(InputFileDialogsTest, OkStoresANewFileFromTheGrid) {
    Added(Sample("nw.all"), 2);
    InputFileParams p;
    EXPECT_EQ(p.windowTitle(), "Digital Map File Plot Parameters");
    p.OK->click();
    const DesignState& d = Design();
    ASSERT_EQ(d.NumInputFiles, 2);
    EXPECT_EQ(d.InputFileName(2), Sample("nw.all"));
    EXPECT_EQ(d.InputFileSymbolType(2), SymLine);
    for (int k = 1; k <= 72; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(d.FeatureSelected(k, 2), k <= 10);
        if (k <= 10) {
            EXPECT_EQ(d.FeatureColor(k, 2), d.FeatureColor(k, 1));  // the start-up colours
            EXPECT_EQ(d.FeatureLineWidth(k, 2), 15);
        }
    }
    EXPECT_FALSE(d.AddingInputFile);
    EXPECT_FALSE(d.DialogCancelled);
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(InputFileDialogsTest, ChoosingASymbolTypeRewritesTheWidths) {
    Added("x.map", 2);
    InputFileParams p;
    p.SelectSymbolType(SymSquare);
    EXPECT_EQ(Header(p, 1), "Symbol Radius");
    EXPECT_EQ(Header(p, 2), "Border Width");
    EXPECT_EQ(Widths(p, 1), "0003/0001");
    EXPECT_EQ(Widths(p, 10), "0003/0001");
    p.SelectSymbolType(SymSquareFilled);
    EXPECT_EQ(Header(p, 2), "");
    EXPECT_EQ(Widths(p, 1), "0003/");
    p.Cancel->click();

    // A listed file shows what it stores; a stored 0 shows as 0000 until a
    // type is chosen.
    DesignState& d = Design();
    d.InputFileSymbolType(1) = SymCircle;
    d.FeatureSymbolRadius(1, 1) = 0;
    d.FeatureBorderWidth(2, 1) = 60;
    Listed(1);
    InputFileParams q;
    EXPECT_EQ(q.SelectedSymbolType(), SymCircle);
    EXPECT_EQ(Header(q, 1), "Symbol Radius");
    EXPECT_EQ(Widths(q, 1), "0000/0001");
    EXPECT_EQ(Widths(q, 2), "0003/0004");
    q.SelectSymbolType(SymCross);
    EXPECT_EQ(Widths(q, 1), "0003/0001");
    q.SelectSymbolType(SymLine);
    EXPECT_EQ(Header(q, 1), "Line Width");
    EXPECT_EQ(Widths(q, 1), "0001/");
}

TEST_F(InputFileDialogsTest, OkOfAListedFileStoresOnlyTheWidthsOfItsType) {
    DesignState& d = Design();
    d.FeatureSymbolRadius(3, 1) = 90;
    d.FeatureBorderWidth(3, 1) = 30;
    d.FeatureSelected(11, 1) = true;
    Listed(1);
    InputFileParams p;
    // Row 3 turned off, row 4 given 5 pixels through the size dialog.
    p.GeoFeatures_Click(3, 3);
    EXPECT_FALSE(p.RowPlotted(3));
    WhenShown<SymbolSizeSpin>([](SymbolSizeSpin& size) {
        EXPECT_EQ(size.windowTitle(), "Line Width");
        EXPECT_EQ(size.FieldLabel->text(), "Line Width:");
        EXPECT_EQ(size.Spin->value(), 1);
        EXPECT_EQ(size.Spin->maximum(), 600);
        size.Spin->setValue(5);
        size.ButtonOK->click();
    });
    p.GeoFeatures_Click(4, 1);
    EXPECT_EQ(p.CellText(4, 1), "0005");
    // A colour picked for swatch 2 goes to row 2.
    d.ColorPicBoxIndex = 2;
    EXPECT_EQ(p.SwatchColor(), d.FeatureColor(2, 1));
    p.ApplyPickedColor(PaletteRgb(0x0080FF));
    p.OK->click();

    EXPECT_FALSE(d.FeatureSelected(3, 1));
    EXPECT_FALSE(d.FeatureSelected(11, 1));  // beyond the family's rows
    EXPECT_EQ(d.FeatureLineWidth(4, 1), 75);
    EXPECT_EQ(d.FeatureColor(2, 1), PaletteRgb(0x0080FF));
    EXPECT_EQ(d.FeatureSymbolRadius(3, 1), 90);  // kept for the line type
    EXPECT_EQ(d.FeatureBorderWidth(3, 1), 30);
    EXPECT_EQ(d.FeatureSymbolRadius(4, 1), 45);
    EXPECT_FALSE(d.EditingInputFile);
    // The label font of the file went into font slot 2 (empty: the defaults).
    EXPECT_EQ(d.FontSlotName[FontSlotLabel], d.DefaultFontName);
    EXPECT_EQ(d.FontSlotSize[FontSlotLabel], d.DefaultFontSize);
}

TEST_F(InputFileDialogsTest, TheFeatureHeaderTogglesEveryRowAndEmptyBorderCellsDoNothing) {
    Added("x.map", 2);
    InputFileParams p;
    p.GeoFeatures_HeaderPressed(3);
    for (int r = 1; r <= 10; ++r) EXPECT_FALSE(p.RowPlotted(r)) << r;
    p.GeoFeatures_Click(5, 3);
    p.GeoFeatures_HeaderPressed(3);  // row 1 is grey: all black
    for (int r = 1; r <= 10; ++r) EXPECT_TRUE(p.RowPlotted(r)) << r;
    p.GeoFeatures_HeaderPressed(1);
    EXPECT_TRUE(p.RowPlotted(1));

    // Column 2 is empty for a line: no size dialog comes up.
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto* size = qobject_cast<SymbolSizeSpin*>(QApplication::activeModalWidget())) {
            shown = true;
            size->reject();
        }
    });
    p.GeoFeatures_Click(1, 2);
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown);
    EXPECT_EQ(p.CellText(1, 2), "");
    // A bordered type's border cell opens it with its own caption.
    p.SelectSymbolType(SymTriangle);
    WhenShown<SymbolSizeSpin>([](SymbolSizeSpin& size) {
        EXPECT_EQ(size.windowTitle(), "Border Width of Symbol");
        EXPECT_EQ(size.FieldLabel->text(), "Border Width:");
        size.reject();  // closed without OK: the cell stays
    });
    p.GeoFeatures_Click(1, 2);
    EXPECT_EQ(p.CellText(1, 2), "0001");
}

TEST_F(InputFileDialogsTest, OkOfAPrnFileAsksForTheLabelFont) {
    FakeHost host;
    SetMainWindow(&host);
    DesignState& d = Design();
    d.FontSlotName[FontSlotLabel] = "Liberation Serif";
    d.FontSlotSize[FontSlotLabel] = 11;
    d.FontSlotColor[FontSlotLabel] = 0x0000FF;
    d.FontSlotItalic[FontSlotLabel] = true;
    d.FontDialogOK = true;  // as the font picker leaves it after its OK
    Added(Sample("nw.prn"), 2);
    InputFileParams p;
    {
        const OnPicker picker(&OnPicker::PressOk);  // the picker keeps slot 2's font
        p.OK->click();
    }
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Select Label Font");
    EXPECT_EQ(boxes.log[0].text,
              "Tellurax .PRN and .UTM files may contain labels that can be displayed next to the point they "
              "represent.\n\nWhen you press OK, a Font selection dialog box will appear.  Use this box to select "
              "the font that will be used to display any labels contained in this file.");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Information);
    EXPECT_EQ(d.FontSlotIndex, FontSlotLabel);
    EXPECT_FALSE(d.FontDialogOK);
    EXPECT_EQ(d.InputFileLabelFontName(2), "Liberation Serif");
    EXPECT_EQ(d.InputFileLabelFontSize(2), 11);
    EXPECT_EQ(d.InputFileLabelFontColor(2), 0x0000FF);
    EXPECT_TRUE(d.InputFileLabelFontItalic(2));
    EXPECT_EQ(host.FontName, "Liberation Serif");  // the window keeps the font
    SetMainWindow(nullptr);
}

TEST_F(InputFileDialogsTest, TheSpaceKeyActsAsAClickAndASwatchOpensThePicker) {
    Added("x.map", 2);
    InputFileParams p;
    ShowActive(p);
    p.GeoFeatures->setFocus();
    p.GeoFeatures->setCurrentCell(2, 3);
    QTest::keyClick(p.GeoFeatures, Qt::Key_Space);
    EXPECT_FALSE(p.RowPlotted(3));
    EXPECT_TRUE(p.RowPlotted(2));

    // The picker closed without a pick leaves the colour.
    const int32_t before = p.RowColor(2);
    {
        const OnPicker picker([](QDialog& dialog) { dialog.reject(); });
        p.ColorPicBox_Click(2);
    }
    EXPECT_EQ(Design().ColorPicBoxIndex, 2);
    EXPECT_EQ(Design().ColorTarget, TargetGeofeature);
    EXPECT_EQ(p.RowColor(2), before);
    EXPECT_EQ(p.focusWidget(), p.GeoFeatures);  // the grid takes the focus back
    p.Cancel->click();
}

TEST_F(InputFileDialogsTest, TheGridShowsItsFeatureHeadingWholeAndTheCurrentColourCellInItsOwnColour) {
    for (const char* name : {"d.pnt", "a.all", "f.grf"}) {
        SCOPED_TRACE(name);
        Added(name, 2);
        InputFileParams p;
        ShowActive(p);
        const QHeaderView* header = p.GeoFeatures->horizontalHeader();
        EXPECT_GE(header->sectionSize(3), header->sectionSizeHint(3)) << "Geographic Feature";

        // A colour just picked for the first swatch: its cell is current in
        // the focused grid, the focus shown as after keyboard use.
        p.setAttribute(Qt::WA_KeyboardFocusChange);
        Design().ColorPicBoxIndex = 1;
        p.ApplyPickedColor(0x0000FF);
        p.GeoFeatures->setFocus();
        ASSERT_TRUE(p.GeoFeatures->hasFocus());
        const QImage shot = p.GeoFeatures->viewport()->grab().toImage();
        const QPoint centre = p.GeoFeatures->visualItemRect(p.GeoFeatures->item(0, 0)).center();
        EXPECT_EQ(QColor(shot.pixel(centre)), QColor(255, 0, 0));
        p.Cancel->click();
    }
}

TEST_F(InputFileDialogsTest, HelpTopics) {
    InputFileChoices list;
    ShowActive(list);
    EXPECT_EQ(list.HelpTopic(), 1620u);
    const std::pair<QWidget*, uint32_t> fields[] = {{list.InputFileAdd, 2890},
                                                    {list.InputFileEdit, 2900},
                                                    {list.InputFileDelete, 2910},
                                                    {list.InputFilesOpen, 2920},
                                                    {list.OK, 1620}};
    for (const auto& [field, topic] : fields) {
        field->setFocus();
        EXPECT_EQ(list.HelpTopicForFocus(), topic);
    }
    Added("x.map", 2);
    InputFileParams p;
    ShowActive(p);
    EXPECT_EQ(p.HelpTopic(), 1630u);
    p.GeoFeatures->setFocus();
    EXPECT_EQ(p.HelpTopicForFocus(), 2960u);
    p.SymbolType1->setFocus();
    EXPECT_EQ(p.HelpTopicForFocus(), 1630u);
    p.Cancel->click();
}

}  // namespace
}  // namespace tlrx
