#pragma once
// Printers for tests: each device context reports its printer's page
// exactly and prints through a PDF QPrinter laid out to match it, whatever
// the settings. The set-up dialog answers from a queue.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/Printer.h"

namespace tlrx {

// A printer of the scripted service: its page in device pixels, its
// settings, and the PDF file its print jobs write (none: a job cannot start,
// whatever printers the machine has).
struct ScriptedPrinter {
    std::string Name;
    PrinterPage Page;
    DevModeSettings Settings;
    std::string OutputFile;
};

class ScriptedPrinters : public PrinterService {
public:
    ScriptedPrinters();
    ~ScriptedPrinters() override;

    // The installed printers; the first is the system's current printer.
    std::vector<ScriptedPrinter> printers;

    // Answers of the set-up dialogs in turn: the name of an installed
    // printer confirms that printer; anything else, or an empty queue,
    // cancels. A confirmed choice keeps the component's settings.
    std::deque<std::string> choices;

    // The owner of every set-up dialog shown, in order.
    std::vector<QWidget*> dialogOwners;

    // Calls that asked the service about its printers (all but
    // NewPrinterDialog).
    int questions = 0;

    bool PrintersInstalled() override {
        ++questions;
        return !printers.empty();
    }
    std::optional<PrinterInfo> CurrentPrinter() override;
    PrinterSurface* CurrentPrinterDC() override;
    std::unique_ptr<PrinterDialog> NewPrinterDialog() override;
    std::unique_ptr<PrinterSurface> CreateDC(std::string_view deviceName, const DevModeSettings& settings) override;

    // The installed printer of that name, or nullptr.
    const ScriptedPrinter* Find(std::string_view name) const;

private:
    std::unique_ptr<PrinterSurface> currentDc_;
};

// Installs a ScriptedPrinters for the lifetime of the object; the service
// installed before comes back afterwards.
class ScopedScriptedPrinters : public ScriptedPrinters {
public:
    ScopedScriptedPrinters() : previous_(SetPrinterService(this)) {}
    ~ScopedScriptedPrinters() override { SetPrinterService(previous_); }
    ScopedScriptedPrinters(const ScopedScriptedPrinters&) = delete;
    ScopedScriptedPrinters& operator=(const ScopedScriptedPrinters&) = delete;

private:
    PrinterService* previous_;
};

}  // namespace tlrx
