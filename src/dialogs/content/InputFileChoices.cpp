#include "dialogs/content/InputFileChoices.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/SharedRoutines.h"
#include "dialogs/content/InputFileParams.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "plot/mapfiles/MapFileTypes.h"

namespace tlrx {

namespace {

constexpr const char* kFilter =
    "ASCII (.prn, .utm)|*.prn;*.utm|MWDB2 (.all, .pnt, .cci)|*.all;*.pnt;*.cci|USGS DLG (.grv, .grf)|*.grv;*.grf|"
    "TLRX (.map)|*.map|WDB1 (.dat)|*.dat|WDB2 (.pkv, .pkd)|*.pkv;*.pkd|World (.mp1, .mps)|*.mp1;*.mps";

// A file chosen to be added must be a file that can be read now: the
// drawing run would otherwise stop at it later.
bool Readable(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    std::ifstream in(path, std::ios::binary);
    char c;
    return in.is_open() && (in.read(&c, 1) || in.eof());
}

}  // namespace

std::string InputFileLine(int number, std::string_view path) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%02d", number);
    return std::string(digits) + "   " + std::string(path);
}

int16_t InputFileFilterIndex(std::string_view path) {
    if (path.empty()) return 4;
    if (path.size() < 3) return 0;
    std::string ending(path.substr(path.size() - 3));
    for (char& c : ending) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // The groups are numbered in the order the kinds are listed.
    int16_t group = 0;
    std::string_view last;
    for (const MapFileType& type : MapFileTypes()) {
        if (type.openGroup != last) {
            ++group;
            last = type.openGroup;
        }
        if (type.extension == ending) return group;
    }
    return 0;
}

InputFileChoices::InputFileChoices(QWidget* parent) : DialogBase(parent, "InputFileChoices", HelpContextID) {
    setWindowTitle(QStringLiteral("Add or Edit Digital Map File"));
    InputFilesOpen = new QListWidget(this);
    InputFileAdd = new QPushButton(QStringLiteral("Add Digital Map File to List"), this);
    InputFileEdit = new QPushButton(QStringLiteral("Edit Digital Map File"), this);
    InputFileDelete = new QPushButton(QStringLiteral("Delete Digital Map File from List"), this);
    QBoxLayout* closing = AddButtonRow(OK, Cancel);
    Instructions = new QLabel(this);
    Instructions->setWordWrap(true);

    SetFieldHelp(InputFileAdd, 2890);
    SetFieldHelp(InputFileEdit, 2900);
    SetFieldHelp(InputFileDelete, 2910);
    SetFieldHelp(InputFilesOpen, 2920);

    InputFilesOpen->setMinimumWidth(InputFilesOpen->fontMetrics().horizontalAdvance(QString(60, QChar('M'))));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(InputFileAdd);
    buttons->addWidget(InputFileEdit);
    buttons->addWidget(InputFileDelete);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Current Digital Map Files:"), this));
    layout->addWidget(InputFilesOpen);
    layout->addLayout(buttons);
    layout->addWidget(Instructions);
    layout->addLayout(closing);

    connect(InputFileAdd, &QPushButton::clicked, this, &InputFileChoices::InputFileAdd_Click);
    connect(InputFileEdit, &QPushButton::clicked, this, &InputFileChoices::InputFileEdit_Click);
    connect(InputFileDelete, &QPushButton::clicked, this, &InputFileChoices::InputFileDelete_Click);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    FinishControls();
    Form_Load();
}

void InputFileChoices::Form_Load() {
    RebuildList(0);
    Instructions->setText(QStringLiteral(
        "To add a file to the list: Click on the line where the file is to be added, then press the Add Digital "
        "Map File button.\n\nTo edit or delete a file from the list: Click on the filename and press the Edit or "
        "Delete Digital Map File button.\n\nPress the OK button when you are done adding or editing digital map "
        "files."));
    adjustSize();
    PlaceAt(120, 600);
}

// Every line is made anew from the files, so numbers of any width stay
// aligned with their files.
void InputFileChoices::RebuildList(int line) {
    const DesignState& d = Design();
    InputFilesOpen->clear();
    for (int i = 1; i <= d.NumInputFiles; ++i)
        InputFilesOpen->addItem(QString::fromStdString(InputFileLine(i, d.InputFileName(i))));
    InputFilesOpen->addItem(QString::fromStdString(InputFileLine(d.NumInputFiles + 1, "")));
    InputFilesOpen->setCurrentRow(line);
}

void InputFileChoices::InputFileAdd_Click() {
    DesignState& d = Design();
    try {
        d.CurInputFileIndex = static_cast<int16_t>(std::max(InputFilesOpen->currentRow(), 0));
        FileDialogState& dlg = FileSaveLoad();
        dlg.CancelError = true;
        if (!d.CurInputFile.empty()) ParseFileName(d.CurInputFile, true);
        else dlg.FileName = "*.MAP";
        dlg.Filter = kFilter;
        dlg.FilterIndex = InputFileFilterIndex(d.CurInputFile);
        dlg.Flags = kFileDialogFileMustExist;
        dlg.DialogTitle = "Open Digital Map File";
        if (dlg.ShowOpen() != 0) return;
        if (!Readable(dlg.FileName)) {
            MsgBox("The digital map file " + dlg.FileName +
                       " does not exist or cannot be read.\n\nIt was not added to the list.",
                   "Open Digital Map File", MsgButtons::Ok, MsgIcon::Exclamation);
            return;
        }
        d.AddingInputFile = true;
        d.CurInputFile = dlg.FileName;
    } catch (const RuntimeError&) {
        return;
    }
    InputFileParams params(this, this);
    params.exec();
}

int InputFileChoices::ChosenFileLine() {
    const int line = InputFilesOpen->currentRow();
    if (line < 0) return -1;
    DesignState& d = Design();
    d.CurInputFileIndex = static_cast<int16_t>(line);
    if (line >= d.NumInputFiles) {
        InputFilesOpen->setCurrentRow(line);
        return -1;
    }
    return line;
}

void InputFileChoices::InputFileEdit_Click() {
    const int line = ChosenFileLine();
    if (line < 0) return;
    DesignState& d = Design();
    // The path comes from the file itself, not from a column of the line.
    d.CurInputFile = d.InputFileName(line + 1);
    d.EditingInputFile = true;
    InputFileParams params(this, this);
    params.exec();
}

void InputFileChoices::InputFileDelete_Click() {
    const int line = ChosenFileLine();
    if (line < 0) return;
    DesignState& d = Design();
    const std::string title = ParseFileName(d.InputFileName(line + 1), false);
    if (MsgBox("File: " + title + "\n\nRemove file from the list of digital map files?",
               "Delete Digital Map File from List", MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes) {
        InputFilesOpen->setCurrentRow(line);
        return;
    }
    d.EraseInputFile(line + 1);
    --d.NumInputFiles;
    RebuildList(line);
}

}  // namespace tlrx
