// The printing run of the main window and the printer set-up command.

#include <QAction>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <memory>
#include <optional>

#include "app/RuntimeText.h"
#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "platform/BusyPointer.h"
#include "platform/Events.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "platform/qt/WindowActivation.h"
#include "plot/PlotState.h"
#include "plot/PrinterMetrics.h"
#include "plot/Scaling.h"

namespace tlrx {

namespace {

// A printer that cannot take the job: the one box the user sees, naming the
// printer and what to do about it.
void ReportPrinterNotOpened(const std::string& name) {
    ShowProcError("MapPrint", "The printer \"" + name +
                                  "\" cannot be opened. Make sure that it is installed and ready, or choose "
                                  "another printer with Print Setup.");
}

// Called while a page or the job is handed to the printer: lets Esc be
// seen, and cancels the job when it was pressed or the spooler ran out of
// disk.
bool AbortProc(int32_t errorCode) {
    DoEvents();
    return !(errorCode == kSpOutOfDisk || Plot().PrintAbort);
}

}  // namespace

void Tellurax::MapPrint() {
    DesignState& d = Design();
    PlotState& p = Plot();
    std::optional<HourglassPointer> hourglass;  // shown, and the caption saved, from the lobes on
    std::unique_ptr<PrinterSurface> dc;
    SettlePrintLayout();
    runActive_ = true;
    // Esc stops the printing: the window has the keyboard before it starts.
    ActivateAndWait(*this);
    runStart_ = std::chrono::steady_clock::now();
    // Files of an earlier run are finished: a stop must not delete them.
    p.CurOutFile.clear();
    p.RunAsciiFiles.clear();
    try {
        p.AsciiScale = CheckedDiv(d.RelMapWidth, d.MapXMax - d.MapXMin);
        ScalePrinter();
        const int ascFiles = d.NumInputFiles + p.GridOutputCount;
        p.AscFileName.resize(static_cast<size_t>(std::max(ascFiles, 0) + 1));
        p.Printing = true;
        LockMenus(true);
        p.CurColor = d.GridColor;

        const std::string name = p.PrnDlg ? p.PrnDlg->PrinterName : std::string();
        if (p.PrnDlg) dc = Printers().CreateDC(name, p.PrnDlg->Settings);
        if (!dc) {
            ReportPrinterNotOpened(name);
        } else {
            p.PrinterDC = dc.get();
            hourglass.emplace();
            d.SavedCaption = Caption();
            PrintPage(*dc);
        }
    } catch (const std::exception& e) {
        ShowProcError("MapPrint", e.what());
    }

    // The job is over whatever happened: ended, or else aborted; the pen the
    // passes left goes with the printer.
    if (dc) {
        if (dc->InDoc()) dc->AbortDoc();
        ReleaseDrawingPen(2, "MapPrint");
        if (p.DrawDC == dc.get()) p.DrawDC = nullptr;
        p.PrinterDC = nullptr;
        dc.reset();
    }
    d.PlotStopText.clear();
    p.PlotTime = ElapsedSeconds();
    d.CurLobeOffset = 0;
    d.LastPass = true;
    if (hourglass) {
        hourglass.reset();
        SetCaption(d.SavedCaption);
    }
    Beep();
    p.PrintAbort = false;
    p.Printing = false;
    Spooling = false;
    LockMenus(false);
    runActive_ = false;
    if (closePending_) {
        closePending_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void Tellurax::PrintPage(PrinterSurface& dc) {
    DesignState& d = Design();
    PlotState& p = Plot();

    // Nothing is drawn outside the printed map box: its device pixels from
    // the printable area's corner, two more to the right and below.
    if (dc.GetDeviceCaps(DeviceCap::ClipCaps) > 0) {
        const float units = p.PrinterUnits;
        const float left = p.PrnMapLeft - p.PrnMinLeft;
        const float top = p.PrnMapTop - p.PrnMinTop;
        const int16_t x1 = ToInt16(CheckedDiv(left * units, p.PrnTwipsPerPixelX));
        const int16_t x2 = ToInt16(CheckedDiv((left + p.PrnMapWidth) * units, p.PrnTwipsPerPixelX)) + 2;
        const int16_t y1 = ToInt16(CheckedDiv(top * units, p.PrnTwipsPerPixelY));
        const int16_t y2 = ToInt16(CheckedDiv(top * units + float(p.DrawHeightTwips), p.PrnTwipsPerPixelY)) + 2;
        if (!dc.SetClipRect(x1, y1, x2, y2)) {
            ShowApiError("SelectClipRgn error(1) in MapPrint");
            return;
        }
    }

    p.PrintAbort = false;
    Spooling = false;
    d.PlotStopText.clear();
    if (!dc.SetAbortProc(AbortProc)) {
        ShowApiError("SetAbortProc error(1) in MapPrint");
        return;
    }
    if (!dc.StartDoc("Tellurax")) {
        ReportPrinterNotOpened(p.PrnDlg->PrinterName);
        return;
    }
    if (!dc.StartPage()) {
        ShowApiError("StartPage error(1) in MapPrint");
        return;
    }
    dc.SetBkMode(BkMode::Transparent);

    // The passes draw the text items on the last lobe; the run draws none of
    // its own. A stop ends the lobes, and its abort request cancels the job
    // while the page is ended.
    DrawLobes(true);

    // The page and then the job are handed over; Esc cancels them until the
    // job is sent.
    Spooling = true;
    const int32_t r = dc.EndPage();
    const bool ended = r > 0 && dc.EndDoc();
    Spooling = false;
    if (p.PrintAbort || ended) return;
    if (r > 0) ShowApiError("EndDoc(1) error in MapPrint");
    else if (r != kSpAppAbort) ShowApiError("EndPage(1) error in MapPrint: " + Str(static_cast<float>(r)));
}

void Tellurax::VbPrnDlgDisplay() {
    if (!PrinterComponent()) return;
    if (!Plot().PrnDlg->ShowPrinter(this)) return;
    try {
        GetPrnPageMetrics();
    } catch (const RuntimeError& e) {
        ShowProcError("VbPrnDlgDisplay", e.what());
    }
}

bool Tellurax::PrinterComponent() {
    SettlePrintLayout();
    return PrinterAtHand("mnuInput_Click");
}

}  // namespace tlrx
