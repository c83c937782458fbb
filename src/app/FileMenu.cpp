// The File menu: its check mark, the list of digital map files, printing, the exports of the map to a BMP,
// CGM, DXF, WMF or ASCII file, the circle files and Exit. Saving and
// recalling the design: DesignFileMenu.cpp.

#include <QAction>
#include <QCoreApplication>
#include <algorithm>
#include <optional>
#include <string>

#include "app/AscOutput.h"
#include "app/DrawingArea.h"
#include "app/PrintMap.h"
#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/SharedRoutines.h"
#include "designfile/CircleFiles.h"
#include "dialogs/common/FileChoice.h"
#include "dialogs/content/InputFileChoices.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/export/Bmp.h"
#include "plot/export/WmfExport.h"

namespace tlrx {

namespace {

constexpr int16_t kOpenMapFile = 0;
constexpr int16_t kPrintMap = 2;
constexpr int16_t kPrintSetup = 3;
constexpr int16_t kSaveBmp = 5;
constexpr int16_t kSaveCgm = 6;
constexpr int16_t kSaveDxf = 7;
constexpr int16_t kSaveWmf = 8;
constexpr int16_t kSaveAscii = 9;
constexpr int16_t kSaveGreatCircle = 11;
constexpr int16_t kSaveSmallCircle = 12;
constexpr int16_t kSaveDesign = 14;
constexpr int16_t kRecallDesign = 15;
constexpr int16_t kExit = 17;

// The save dialog of an export item and the name it keeps.
struct SaveDialog {
    const char* title;
    const char* filter;
    const char* defaultExt;
    std::string PlotState::*lastPath;
    const char* operation;  // ends the dialog's error message
};

const SaveDialog& ExportDialog(int16_t index) {
    static const SaveDialog dialogs[] = {
        {"Save Map As BMP File", "BMP Files (*.bmp)|*.bmp", "bmp", &PlotState::BmpFileName, " in Save as BMP"},
        {"Save Map As CGM File", "CGM Files (*.cgm)|*.cgm", "cgm", &PlotState::CgmFileName, " in Save as CGM"},
        {"Save Map As DXF File", "DXF Files (*.dxf)|*.dxf", "dxf", &PlotState::DxfFileName, " in Save as DXF"},
        {"Save Map As WMF File", "WMF Files (*.wmf)|*.wmf", "wmf", &PlotState::WmfFileName, " in Save as WMF"},
    };
    return dialogs[index - kSaveBmp];
}

const SaveDialog& CircleDialog(int16_t index) {
    static const SaveDialog dialogs[] = {
        {"Save Great Circle As ASCII File", "PRN Files (*.prn)|*.prn", "prn", &PlotState::GcFileName,
         " in Save Great Circle"},
        {"Save Small Circle As ASCII File", "PRN Files (*.prn)|*.prn", "prn", &PlotState::ScFileName,
         " in Save Small Circle"},
    };
    return dialogs[index - kSaveGreatCircle];
}

// The item's save dialog, opening on the item's last file. Returns the
// chosen name with the default extension; nothing after Cancel or an error.
std::optional<std::string> ChooseSaveFile(const SaveDialog& item) {
    const std::optional<std::string> chosen =
        ChooseFile({FileDialogKind::Save, Plot().*item.lastPath, item.title, item.filter, item.defaultExt,
                    kFileDialogOverwritePrompt | kFileDialogHideReadOnly, item.operation});
    if (!chosen) return std::nullopt;
    return WithDefaultExtension(*chosen, item.defaultExt);
}

// An export file that cannot be written is reported before anything is
// drawn, so that the window keeps its map and no run starts in vain.
bool ExportFileWritable(const std::string& path) {
    const std::string problem = OutputFileProblem(path);
    if (problem.empty()) return true;
    ShowProcError("mnuInput_Click", "Cannot create " + path + " (" + problem + ")");
    return false;
}

}  // namespace

void Tellurax::mnuInput_Click(int16_t index) {
    if (index < 0 || static_cast<size_t>(index) >= mnuInput.size()) return;
    // The item chosen last carries the mark, whatever its outcome.
    for (QAction* item : mnuInput) item->setChecked(false);
    mnuInput[static_cast<size_t>(index)]->setChecked(true);

    switch (index) {
    case kOpenMapFile: {
        InputFileChoices choices(this);
        choices.exec();
        break;
    }
    case kPrintMap: PrintMapItem(); break;
    case kPrintSetup: VbPrnDlgDisplay(); break;
    case kSaveBmp:
    case kSaveCgm:
    case kSaveDxf:
    case kSaveWmf: SaveMapAs(index); break;
    case kSaveAscii: SaveMapAsAscii(); break;
    case kSaveGreatCircle:
    case kSaveSmallCircle: SaveCircle(index); break;
    case kSaveDesign: SaveMapDesign(); break;
    case kRecallDesign: RecallMapDesign(); break;
    case kExit:
        // As closing the window: the settings are written and what drawing
        // left behind is released; then the program ends.
        if (close()) QCoreApplication::quit();
        break;
    default: break;
    }
}

void Tellurax::PrintMapItem() {
    DesignState& d = Design();
    if (!PrinterComponent()) return;
    {
        PrintMap layout;
        if (layout.PageMeasured) layout.exec();
    }
    // The layout dialog's Print Map clears the flag; anything else leaves it set.
    if (d.DialogCancelled) {
        d.DialogCancelled = false;
        return;
    }
    MapPrint();
}

void Tellurax::SaveMapAs(int16_t index) {
    PlotState& p = Plot();
    const SaveDialog& item = ExportDialog(index);
    const std::optional<std::string> chosen = ChooseSaveFile(item);
    if (!chosen) return;
    // The part of the window the dialog covered is drawn again before a
    // picture of it is taken.
    if (index == kSaveBmp) area_->repaint();
    p.*item.lastPath = *chosen;
    // A map file read by the run must not be emptied by its own output.
    if (const std::string clash = OutputThatIsInput({*chosen}); !clash.empty()) {
        ShowOutputIsInput(clash);
        return;
    }

    switch (index) {
    case kSaveBmp: BmpSave(*this); return;
    case kSaveCgm:
        if (!ExportFileWritable(*chosen)) return;
        p.OutCgm = true;
        break;
    case kSaveDxf:
        if (!ExportFileWritable(*chosen)) return;
        p.OutDxf = true;
        break;
    case kSaveWmf:
        if (!ExportFileWritable(*chosen)) return;
        StartWmfRecording(*chosen);
        break;
    default: return;
    }
    // The map is drawn over the window's picture and into the file.
    MapDraw();
}

void Tellurax::SaveMapAsAscii() {
    PlotState& p = Plot();
    {
        AscOutput names;
        names.exec();
    }
    if (!p.OutAscii) return;
    const size_t outputs = static_cast<size_t>(std::max(0, Design().NumInputFiles + p.GridOutputCount));
    for (size_t i = 1; i <= outputs && i < p.AscFileName.size(); ++i) {
        if (!ExportFileWritable(p.AscFileName[i])) {
            p.OutAscii = false;
            return;
        }
    }
    Cls();
    MapDraw();
}

void Tellurax::SaveCircle(int16_t index) {
    PlotState& p = Plot();
    const SaveDialog& item = CircleDialog(index);
    const std::optional<std::string> chosen = ChooseSaveFile(item);
    if (!chosen) return;
    p.*item.lastPath = *chosen;
    if (index == kSaveGreatCircle) {
        p.OutGc = true;
        GcSave();
    } else {
        p.OutSc = true;
        ScSave();
    }
}

}  // namespace tlrx
