// The drawing run of the main window and the top-level menu that starts
// and stops it.

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app/AscOutput.h"
#include "app/DrawingArea.h"
#include "app/MapReduce.h"
#include "app/PlotPasses.h"
#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/GraticuleInterrupt.h"
#include "core/NumberText.h"
#include "core/ProjectionTable.h"
#include "platform/Bitmap.h"
#include "platform/BusyPointer.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "platform/qt/WindowActivation.h"
#include "plot/MapLabels.h"
#include "plot/PlotGrid.h"
#include "plot/PlotState.h"
#include "plot/PrinterMetrics.h"
#include "plot/RunFiles.h"
#include "plot/Scaling.h"
#include "plot/StopRun.h"

namespace tlrx {

namespace {

constexpr const char* kEscape = "Escape";
constexpr const char* kGridDiskError = "GridDiskError";

// The files the requested exports write.
std::vector<std::string> RunOutputs() {
    const PlotState& p = Plot();
    std::vector<std::string> outputs;
    if (p.OutCgm) outputs.push_back(p.CgmFileName);
    if (p.OutDxf) outputs.push_back(p.DxfFileName);
    if (p.OutWmf) outputs.push_back(p.WmfFileName);
    if (p.OutAscii) {
        const int count = Design().NumInputFiles + p.GridOutputCount;
        for (int i = 1; i <= count && static_cast<size_t>(i) < p.AscFileName.size(); ++i)
            outputs.push_back(p.AscFileName[static_cast<size_t>(i)]);
    }
    return outputs;
}

}  // namespace

void Tellurax::mnuBar_Click(int16_t index) {
    DesignState& d = Design();
    // Opening any top-level menu ends a text placement.
    if (CrossShown) {
        CrossShown = false;
        TextCursor();
    }
    if (!d.CurrentText.empty()) TextDone();

    switch (index) {
    case 0: {
        // Printing needs an installed printer: the printers are looked up
        // again each time, so that one added, removed or changed since is
        // followed; one the system cannot describe is left to the commands.
        SettlePrintLayout();
        bool printers = false;
        try {
            printers = LookUpPrinters();
        } catch (const RuntimeError&) {
            printers = Printers().PrintersInstalled();
        }
        mnuInput[2]->setEnabled(printers);
        mnuInput[3]->setEnabled(printers);
        break;
    }
    case 3: {
        MapReduce size;
        size.exec();
        if (d.DialogCancelled) {
            d.DialogCancelled = false;
            return;
        }
        Cls();
        MapDraw();
        break;
    }
    case 5:
        // Stop is an Esc to the window, handled once the run yields.
        area_->ShowDrawing();
        QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        break;
    default: break;
    }
}

void Tellurax::MapDraw() {
    DesignState& d = Design();
    PlotState& p = Plot();
    // An output that is one of the map files read would be emptied before
    // it is read: the run does not start.
    if (const std::string clash = OutputThatIsInput(RunOutputs()); !clash.empty()) {
        ShowOutputIsInput(clash);
        EndFailedRun();
        return;
    }
    std::optional<HourglassPointer> hourglass;  // shown, and the caption saved, from here
    runActive_ = true;
    // Esc stops the run: the window has the keyboard before it starts, also
    // right after the dialog that started it has closed.
    ActivateAndWait(*this);
    runStart_ = std::chrono::steady_clock::now();
    // A file of an earlier run is finished: only this run's export may be
    // deleted when it fails.
    p.CurOutFile.clear();
    p.RunAsciiFiles.clear();
    p.ExportTextReplaced = false;
    // The export this run writes, for the notice of lost characters.
    const char* exportKind = p.OutCgm ? "CGM" : p.OutDxf ? "DXF" : p.OutWmf ? "WMF" : nullptr;
    bool finished = false;
    try {
        p.PenWidth = 1;
        p.AsciiScale = CheckedDiv(d.RelMapWidth, d.MapXMax - d.MapXMin);
        FitPicture();
        ScaleScreen();
        const int ascFiles = d.NumInputFiles + p.GridOutputCount;
        p.AscFileName.resize(static_cast<size_t>(std::max(ascFiles, 0) + 1));
        p.DxfNoPolyline = false;
        p.DxfSeqEndPos = 0;
        Plotting = true;
        LockMenus(true);

        // A picture kept for repainting placed text is out of date now. The
        // drawing area's own picture is the window's persistent image:
        // everything drawn lands in it, and the area repaints from it.
        if (WindowPicture.hBitmap) DeleteBmp(WindowPicture);

        hourglass.emplace();
        d.SavedCaption = Caption();

        // The export files replace earlier ones of their names only when the
        // run is complete.
        Files().StageOutputs();
        if (DrawLobes(false)) {
            PrintTextPass();
            Files().CommitOutputs();
            finished = true;
        }

        p.PlotTime = ElapsedSeconds();
        d.CurLobeOffset = 0;
        d.LastPass = true;
        ReleaseDrawingPen(1);
        p.OutGc = p.OutAscii = p.OutCgm = p.OutDxf = p.OutWmf = false;
        p.RunAsciiFiles.clear();  // finished
        p.CgmPos = 1;
    } catch (const std::exception& e) {
        ShowProcError("MapDraw", e.what());
        ReleaseDrawingPen(2);
        EndFailedRun();
    }
    // A run that did not finish leaves every earlier file as it was.
    if (!finished) Files().EndStaging();
    // However the run ended, all it drew is shown and the labels' temporary
    // text items go again.
    area_->ShowDrawing();
    RemoveTemporaryLabelItems();
    p.PenWidth = 1;
    Plotting = false;
    if (hourglass) {
        hourglass.reset();
        SetCaption(d.SavedCaption);
    }
    LockMenus(false);
    // A resize during the run: the picture follows now.
    FitPicture();
    if (finished && exportKind && p.ExportTextReplaced)
        MsgBox(std::string("Some map text holds characters that a ") + exportKind +
                   " file cannot hold: each of them was written as \"?\".",
               std::string("Save as ") + exportKind, MsgButtons::Ok, MsgIcon::Information);
    p.ExportTextReplaced = false;
    runActive_ = false;
    if (closePending_) {
        closePending_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

bool Tellurax::DrawLobes(bool printing) {
    DesignState& d = Design();
    const bool lobes = IsInterrupted(d.ProjCode);
    int first = 1;
    int last = 1;
    if (lobes) last = ToInt16(LeadingNumber(d.InterruptText[0]) + 1);
    d.CurLobeOffset = 0;
    d.FirstPass = true;
    d.LastPass = true;

    if (!DrawLobeRange(first, last, printing)) return false;
    if (!lobes) return true;
    // The southern lobes, after the gap between the hemispheres.
    first = last + 2;
    last = ToInt16(first + LeadingNumber(d.InterruptText[1]));
    return DrawLobeRange(first, last, printing);
}

bool Tellurax::DrawLobeRange(int first, int last, bool printing) {
    DesignState& d = Design();
    const bool lobes = IsInterrupted(d.ProjCode);
    for (int lobe = first; lobe <= last; ++lobe) {
        if (lobes) {
            const double offset = Item(d.LobeOffset, lobe);
            if (lobe != 1) d.FirstPass = false;
            d.LastPass = first > 1 && lobe == last;
            CalcGraticuleInterrupt(static_cast<int16_t>(lobe));
            d.CurLobeOffset = offset;
        }
        SetCaption(printing ? "Tellurax: click on Stop or press Esc to stop printing"
                            : "Tellurax: click on Stop or press Esc to stop plotting");

        PlotGrid();
        if (d.PlotStopText == kEscape || d.PlotStopText == kGridDiskError) {
            d.PlotStopText.clear();
            return false;
        }
        if (!printing) area_->ShowDrawing();

        MapPlotPass();
        if (d.PlotStopText == kEscape) {
            d.PlotStopText.clear();
            return false;
        }
        // A printed page has one beep, at its end.
        if (!printing) Beep();
    }
    return true;
}

void Tellurax::ReleaseDrawingPen(int site, std::string_view procedure) {
    PlotState& p = Plot();
    if (p.OldPen != 0) {
        if (p.DrawDC) p.DrawDC->SelectObject(p.OldPen);
        p.OldPen = 0;
    }
    if (p.DrawPen != 0) {
        if (!p.DrawDC || !p.DrawDC->DeleteObject(p.DrawPen))
            ShowApiError("DeleteObject(" + std::to_string(site) + ") error in " + std::string(procedure));
        p.DrawPen = 0;
    }
}

void Tellurax::EndFailedRun() {
    DesignState& d = Design();
    PlotState& p = Plot();
    // As after a stop: the partial export goes with the WMF recording, no
    // request outlives the run, and the next plain Draw Map only draws.
    p.PlotTime = ElapsedSeconds();
    d.CurLobeOffset = 0;
    d.LastPass = true;
    StopRun();
    d.PlotStopText.clear();
}

float Tellurax::ElapsedSeconds() const {
    // A monotonic clock: midnight and clock changes do not count.
    const std::chrono::duration<float> elapsed = std::chrono::steady_clock::now() - runStart_;
    return elapsed.count();
}

}  // namespace tlrx
