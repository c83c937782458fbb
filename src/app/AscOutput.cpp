#include "app/AscOutput.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "core/DesignState.h"
#include "core/SharedRoutines.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/ReplacingFile.h"
#include "plot/PlotState.h"

namespace tlrx {

namespace {

constexpr int kNameColumn = 2;

// Absolute, with "." and ".." and doubled separators resolved, so that two
// spellings of one file compare equal; links are not followed.
std::string CleanPath(const std::string& name) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(name, ec);
    if (ec) path = name;
    path = path.lexically_normal();
    if (!path.has_filename() && path.has_parent_path() && path != path.root_path()) path = path.parent_path();
    return path.string();
}

std::string Trimmed(const QString& text) { return text.trimmed().toStdString(); }

// Two names of one file: the same clean path, or the same file on disk
// (through links, hard links or a linked folder).
bool SameFile(const std::string& a, const std::string& b) {
    return CleanPath(a) == CleanPath(b) || SameFileOnDisk(a, b);
}

}  // namespace

std::string OutputThatIsInput(const std::vector<std::string>& outputs) {
    const DesignState& d = Design();
    for (const std::string& name : outputs) {
        for (int i = 1; i <= d.NumInputFiles; ++i)
            if (SameFile(d.InputFileName(i), name)) return name;
    }
    return {};
}

void ShowOutputIsInput(const std::string& name) {
    MsgBox("The output file " + name + "\nis one of the input map files!", "Error: Output Filename", MsgButtons::Ok,
           MsgIcon::Exclamation);
}

AscOutput::AscOutput(QWidget* parent) : DialogBase(parent, "AscOutput", HelpContextID) {
    setWindowTitle(QStringLiteral("Enter Filenames for ASCII Output Files"));
    Label1 = new QLabel(this);
    Label1->setWordWrap(true);
    AscGrid = new QTableWidget(this);
    AscGrid->setColumnCount(3);
    AscGrid->verticalHeader()->hide();
    AscGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AscGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    AscGrid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The name column is wider than the grid: a current name must not
    // scroll the row's number and source out of sight.
    AscGrid->setAutoScroll(false);
    AscGrid->installEventFilter(this);
    QBoxLayout* buttons = AddButtonRow(OK, Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(Label1);
    layout->addWidget(AscGrid, 1);
    layout->addLayout(buttons);

    connect(AscGrid, &QTableWidget::cellClicked, this, [this] { AscGrid_Click(); });
    connect(OK, &QPushButton::clicked, this, &AscOutput::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &AscOutput::Cancel_Click);

    FinishControls();
    Form_Load();
}

void AscOutput::Form_Load() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    resize(640, 400);
    CenterOnScreen();
    p.OutAscii = false;
    Label1->setText(QStringLiteral(
        "To export map data in ASCII format, you must enter an Output ASCII Filename for each item listed in "
        "the Input Filename column.\n\nTo enter a filename, click (or press the Space Bar) on a cell in the "
        "column labeled Output ASCII Filename."));
    AscGrid->setHorizontalHeaderLabels(
        {QStringLiteral(" #"), QStringLiteral(" Input Filename"), QStringLiteral(" Output ASCII Filename")});
    AscGrid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    const int rows = std::max(0, d.NumInputFiles + p.GridOutputCount);
    AscOutputRowCount = static_cast<int16_t>(rows);
    if (rows == 0) {
        MsgBox("There are no ASCII output files, because there is no grid and there are no input map files!",
               "ASCII Output File Information", MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    p.AscFileName.resize(static_cast<size_t>(rows) + 1);

    AscGrid->setRowCount(rows);
    const QFontMetrics metrics(AscGrid->font());
    AscGrid->setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral("888   ")));
    AscGrid->setColumnWidth(1, metrics.horizontalAdvance(QStringLiteral("  WWWWWWWW.WWW")));
    AscGrid->setColumnWidth(2, metrics.horizontalAdvance(QString(100, QChar('W'))));

    std::vector<std::string> sources;
    if (p.GridOutputCount == 2) sources = {"Grid points", "Grid lines"};
    else if (p.GridOutputCount == 1) sources = {"Grid"};
    for (int i = 1; i <= d.NumInputFiles; ++i) sources.push_back(ParseFileName(d.InputFileName(i), false));

    const QBrush fixed = palette().button();
    for (int r = 1; r <= rows; ++r) {
        auto* number = new QTableWidgetItem(QStringLiteral(" %1").arg(r, 2, 10, QChar('0')));
        auto* source = new QTableWidgetItem(QString::fromStdString(" " + sources[static_cast<size_t>(r - 1)]));
        // The first two columns are fixed: shown, never chosen.
        for (QTableWidgetItem* item : {number, source}) {
            item->setFlags(Qt::ItemIsEnabled);
            item->setBackground(fixed);
        }
        auto* name = new QTableWidgetItem(QString::fromStdString(" " + p.AscFileName[static_cast<size_t>(r)]));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        AscGrid->setItem(r - 1, 0, number);
        AscGrid->setItem(r - 1, 1, source);
        AscGrid->setItem(r - 1, kNameColumn, name);
    }
    SetCurrentRow(1);
}

void AscOutput::SetCurrentRow(int row) {
    if (row >= 1 && row <= AscOutputRowCount) AscGrid->setCurrentCell(row - 1, kNameColumn);
}

std::string AscOutput::RowName(int row) const {
    const QTableWidgetItem* cell = AscGrid->item(row - 1, kNameColumn);
    return cell ? Trimmed(cell->text()) : std::string();
}

void AscOutput::AscGrid_Click() {
    if (AscGrid->currentColumn() == kNameColumn) AscFileSelect();
}

void AscOutput::AscGrid_KeyPress(int keyAscii) {
    if (keyAscii == ' ' && AscGrid->currentColumn() == kNameColumn) AscFileSelect();
}

bool AscOutput::eventFilter(QObject* watched, QEvent* event) {
    if (watched == AscGrid && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->text() == QStringLiteral(" ")) {
            AscGrid_KeyPress(' ');
            return true;
        }
    }
    return DialogBase::eventFilter(watched, event);
}

void AscOutput::AscFileSelect() {
    QTableWidgetItem* cell = AscGrid->item(AscGrid->currentRow(), kNameColumn);
    if (cell == nullptr) return;
    FileDialogState& dlg = FileSaveLoad();
    dlg.CancelError = true;
    const std::string text = cell->text().toStdString();
    dlg.FileName = text.substr(std::min(text.find_first_not_of(' '), text.size()));
    dlg.DialogTitle = "Save As ASCII File";
    dlg.Filter = "Text Files (*.txt)|*.txt";
    dlg.FilterIndex = 1;
    dlg.DefaultExt = "txt";
    // The dialog does not ask before replacing a file: OK does.
    dlg.Flags = kFileDialogHideReadOnly;
    if (dlg.ShowSave() == 0 && !dlg.FileName.empty())
        cell->setText(QString::fromStdString(" " + WithDefaultExtension(dlg.FileName, dlg.DefaultExt)));
    AscGrid->viewport()->update();
}

void AscOutput::OK_Click() {
    PlotState& p = Plot();
    const int rows = AscOutputRowCount;
    SetCurrentRow(std::max(AscGrid->currentRow() + 1, 1));

    for (;;) {
        for (int r = 1; r <= rows; ++r) {
            if (!RowName(r).empty()) continue;
            MsgBox("There must be an output filename\nfor each grid and input file!", "Error: Null Filename",
                   MsgButtons::Ok, MsgIcon::Exclamation);
            SetCurrentRow(r);
            return;
        }
        for (int r = 1; r <= rows; ++r) {
            if (OutputThatIsInput({RowName(r)}).empty()) continue;
            ShowOutputIsInput(RowName(r));
            SetCurrentRow(r);
            return;
        }
        // A file the user will not replace is chosen anew; the checks then start again.
        bool chosenAgain = false;
        for (int r = 1; r <= rows && !chosenAgain; ++r) {
            std::error_code ec;
            if (!std::filesystem::exists(RowName(r), ec)) continue;
            const MsgAnswer answer = MsgBox(RowName(r) + "\nThis file already exists.\n\nReplace existing file?",
                                            "Save As ASCII File", MsgButtons::YesNo, MsgIcon::Question);
            if (answer == MsgAnswer::Yes) continue;
            SetCurrentRow(r);
            AscFileSelect();
            chosenAgain = true;
        }
        if (!chosenAgain) break;
    }
    for (int i = 1; i < rows; ++i) {
        for (int j = i + 1; j <= rows; ++j) {
            if (!SameFile(RowName(i), RowName(j))) continue;
            MsgBox("The output files must have\ndifferent filenames.", "Error: Duplicate Filename", MsgButtons::Ok,
                   MsgIcon::Exclamation);
            SetCurrentRow(j);
            return;
        }
    }

    for (int r = 1; r <= rows; ++r) p.AscFileName[static_cast<size_t>(r)] = RowName(r);
    p.OutAscii = true;
    accept();
}

void AscOutput::Cancel_Click() { reject(); }

}  // namespace tlrx
