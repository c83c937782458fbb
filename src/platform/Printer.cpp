#include "platform/Printer.h"

#include <utility>

namespace tlrx {

PrinterDialog::~PrinterDialog() = default;

bool PrinterDialog::LookUpAgain(PrinterService& printers) {
    std::unique_ptr<PrinterSurface> fresh = printers.CreateDC(PrinterName, Settings);
    if (!fresh) return false;
    dc_ = std::move(fresh);
    return true;
}

namespace {

// What the program sees before a printer service is installed: no printers.
class NoPrinters : public PrinterService {
public:
    bool PrintersInstalled() override { return false; }
    std::optional<PrinterInfo> CurrentPrinter() override { return std::nullopt; }
    PrinterSurface* CurrentPrinterDC() override { return nullptr; }
    std::unique_ptr<PrinterDialog> NewPrinterDialog() override { return std::make_unique<NoPrinterDialog>(); }
    std::unique_ptr<PrinterSurface> CreateDC(std::string_view, const DevModeSettings&) override { return nullptr; }

private:
    class NoPrinterDialog : public PrinterDialog {
    public:
        bool ShowPrinter(QWidget*) override { return false; }
    };
};

PrinterService* g_service = nullptr;

}  // namespace

PrinterService& Printers() {
    static NoPrinters none;
    return g_service ? *g_service : none;
}

PrinterService* SetPrinterService(PrinterService* service) { return std::exchange(g_service, service); }

}  // namespace tlrx
