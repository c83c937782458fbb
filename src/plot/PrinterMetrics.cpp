#include "plot/PrinterMetrics.h"

#include <cstdint>

#include "core/Errors.h"
#include "core/PrintUnits.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "plot/PlotState.h"

namespace tlrx {

namespace {

constexpr std::string_view kObjectNotSet = "Object variable or With block variable not set";
constexpr std::string_view kNoPrinterInfo =
    "Problem getting printer information from the system. Make sure the printer is set up correctly.";

// 32-bit whole-number results, raising Overflow outside the range.
int32_t ToLong(int64_t v) {
    if (v < INT32_MIN || v > INT32_MAX) Raise(kOverflow);
    return static_cast<int32_t>(v);
}

}  // namespace

void PrinterDialogInit() {
    PlotState& p = Plot();
    PrinterService& printers = Printers();
    p.PrnDlg = printers.NewPrinterDialog();
    const std::optional<PrinterInfo> current = printers.CurrentPrinter();
    if (!current) Raise(kNoPrinterInfo);
    PrinterDialog& dlg = *p.PrnDlg;
    dlg.PrinterName = current->DeviceName;
    dlg.DriverName = current->DriverName;
    dlg.Port = current->Port;
    dlg.Settings = current->Settings;
    dlg.Flags = kPdPrintSetup | kPdReturnDc | kPdUseDevModeCopiesAndCollate;
    // The system printer is taken once and kept, so nothing needs to stop it
    // from following later changes of the system's default.
}

bool LookUpPrinters() {
    PlotState& p = Plot();
    PrinterService& printers = Printers();
    if (!printers.PrintersInstalled()) {
        p.PrnDlg.reset();
        return false;
    }
    if (p.PrnDlg) {
        p.PrnDlg->LookUpAgain(printers);
        return true;
    }
    try {
        PrinterDialogInit();
    } catch (const RuntimeError&) {
        p.PrnDlg.reset();
        throw;
    }
    p.PrnDlg->LookUpAgain(printers);
    return true;
}

bool PrinterAtHand(std::string_view procedure) {
    try {
        if (LookUpPrinters()) return true;
    } catch (const RuntimeError& e) {
        ShowProcError(procedure, e.what());
        return false;
    }
    MsgBox("No printer is installed. Add a printer to the system, then try again.", "No printer", MsgButtons::Ok,
           MsgIcon::Exclamation);
    return false;
}

PrinterSurface& GetPrinterDc() {
    const PlotState& p = Plot();
    if (!p.PrnDlg) Raise(kObjectNotSet);
    if (PrinterSurface* dc = p.PrnDlg->hDC()) return *dc;
    PrinterSurface* dc = Printers().CurrentPrinterDC();
    if (!dc) Raise(kNoPrinterInfo);
    return *dc;
}

void GetPrnPageMetrics() {
    PlotState& p = Plot();
    Surface& dc = GetPrinterDc();
    const int32_t logPixelsX = dc.GetDeviceCaps(DeviceCap::LogPixelsX);
    const int32_t logPixelsY = dc.GetDeviceCaps(DeviceCap::LogPixelsY);
    const int32_t horzRes = dc.GetDeviceCaps(DeviceCap::HorzRes);
    const int32_t vertRes = dc.GetDeviceCaps(DeviceCap::VertRes);
    const int32_t physWidth = dc.GetDeviceCaps(DeviceCap::PhysicalWidth);
    const int32_t physHeight = dc.GetDeviceCaps(DeviceCap::PhysicalHeight);
    const int32_t offsetX = dc.GetDeviceCaps(DeviceCap::PhysicalOffsetX);
    const int32_t offsetY = dc.GetDeviceCaps(DeviceCap::PhysicalOffsetY);

    // Unprintable margins at the right and bottom edges, in pixels.
    const int32_t rightPx = ToLong(int64_t(physWidth) - horzRes - offsetX);
    const int32_t bottomPx = ToLong(int64_t(physHeight) - vertRes - offsetY);

    p.PrnTwipsPerPixelX = static_cast<float>(CheckedDiv(kTwipsPerInch, logPixelsX));
    p.PrnTwipsPerPixelY = static_cast<float>(CheckedDiv(kTwipsPerInch, logPixelsY));

    // Pixels to print units through the stored single-precision twips per pixel.
    const auto horz = [&p](int32_t px) {
        return static_cast<float>(CheckedDiv(double(p.PrnTwipsPerPixelX) * px, p.PrinterUnits));
    };
    const auto vert = [&p](int32_t px) {
        return static_cast<float>(CheckedDiv(double(p.PrnTwipsPerPixelY) * px, p.PrinterUnits));
    };
    p.PrnMinLeft = horz(offsetX);
    p.PrnPrintableRight = horz(ToLong(int64_t(offsetX) + horzRes));
    p.PrnMinRight = horz(rightPx);
    p.PrnMinTop = vert(offsetY);
    p.PrnPrintableBottom = vert(ToLong(int64_t(offsetY) + vertRes));
    p.PrnMinBottom = vert(bottomPx);
    p.PrnPrintableWidth = horz(horzRes);
    p.PrnPrintableHeight = vert(vertRes);
    p.PaperWidth = horz(physWidth);
    p.PaperHeight = vert(physHeight);
}

}  // namespace tlrx
