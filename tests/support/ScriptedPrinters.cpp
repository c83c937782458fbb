#include <QPageSize>
#include <QPrinter>

#include "platform/qt/QtPrinterSurface.h"
#include "support/ScriptedPrinters.h"

namespace tlrx {

namespace {

// A PDF printer whose sheet is the page's, painted from the sheet's corner;
// the device context moves drawing to the printable area's corner.
std::unique_ptr<PrinterSurface> MakeDC(const ScriptedPrinter& p) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The file first: QPrinter turns an empty file name into the machine's
    // default printer, and a printer without a file must not reach a queue.
    printer->setOutputFileName(QString::fromStdString(p.OutputFile));
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setFullPage(true);
    const PrinterPage& page = p.Page;
    if (page.LogPixelsX > 0 && page.LogPixelsY > 0 && page.PhysicalWidth > 0 && page.PhysicalHeight > 0) {
        printer->setResolution(page.LogPixelsX);
        printer->setPageSize(QPageSize(
            QSizeF(double(page.PhysicalWidth) / page.LogPixelsX, double(page.PhysicalHeight) / page.LogPixelsY),
            QPageSize::Inch));
    }
    return std::make_unique<QtPrinterSurface>(std::move(printer), page);
}

class ScriptedPrinterDialog : public PrinterDialog {
public:
    explicit ScriptedPrinterDialog(ScriptedPrinters& service) : service_(service) {}

    bool ShowPrinter(QWidget* owner) override {
        service_.dialogOwners.push_back(owner);
        std::string choice;
        if (!service_.choices.empty()) {
            choice = service_.choices.front();
            service_.choices.pop_front();
        }
        const ScriptedPrinter* chosen = service_.Find(choice);
        if (!chosen) return false;
        PrinterName = chosen->Name;
        DriverName.clear();
        Port.clear();
        if (Flags & kPdReturnDc) dc_ = MakeDC(*chosen);
        return true;
    }

private:
    ScriptedPrinters& service_;
};

}  // namespace

ScriptedPrinters::ScriptedPrinters() = default;
ScriptedPrinters::~ScriptedPrinters() = default;

const ScriptedPrinter* ScriptedPrinters::Find(std::string_view name) const {
    for (const ScriptedPrinter& p : printers)
        if (p.Name == name) return &p;
    return nullptr;
}

std::optional<PrinterInfo> ScriptedPrinters::CurrentPrinter() {
    ++questions;
    if (printers.empty()) return std::nullopt;
    const ScriptedPrinter& p = printers.front();
    return PrinterInfo{p.Name, "PDF", p.OutputFile, p.Settings};
}

PrinterSurface* ScriptedPrinters::CurrentPrinterDC() {
    ++questions;
    if (!currentDc_ && !printers.empty()) currentDc_ = MakeDC(printers.front());
    return currentDc_.get();
}

std::unique_ptr<PrinterDialog> ScriptedPrinters::NewPrinterDialog() {
    return std::make_unique<ScriptedPrinterDialog>(*this);
}

std::unique_ptr<PrinterSurface> ScriptedPrinters::CreateDC(std::string_view deviceName, const DevModeSettings&) {
    ++questions;
    const ScriptedPrinter* p = Find(deviceName);
    return p ? MakeDC(*p) : nullptr;
}

}  // namespace tlrx
