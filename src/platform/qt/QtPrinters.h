#pragma once
// The Qt printer service: CUPS printers through QPrinterInfo, QPrinter and
// QPrintDialog, and the mapping between device-mode settings and QPrinter.

#include "platform/Printer.h"
#include "platform/qt/QtPrinterSurface.h"

class QPrinter;

namespace tlrx {

class QtPrinterService : public PrinterService {
public:
    QtPrinterService();
    ~QtPrinterService() override;

    bool PrintersInstalled() override;
    std::optional<PrinterInfo> CurrentPrinter() override;
    PrinterSurface* CurrentPrinterDC() override;
    std::unique_ptr<PrinterDialog> NewPrinterDialog() override;
    std::unique_ptr<PrinterSurface> CreateDC(std::string_view deviceName, const DevModeSettings& settings) override;

private:
    // Takes the system's default printer (or the first one) on first use.
    bool TakeCurrentPrinter();
    std::unique_ptr<QtPrinterSurface> currentDc_;
    std::string driverName_;
    std::string port_;
};

// Sets the printer to the settings that Qt can express: copies, orientation,
// duplex, colour mode, paper source, a paper code Qt knows, and a positive
// print quality as the resolution. Other values leave the printer's own.
void ApplyDevMode(QPrinter& printer, const DevModeSettings& settings);

// The printer's settings as device-mode values (paper code 256 for a paper
// without one; a paper source Qt does not name reads 7, automatic).
DevModeSettings ReadDevMode(const QPrinter& printer);

}  // namespace tlrx
