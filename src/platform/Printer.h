#pragma once
// Printers as the program sees them: whether any is installed, the system's
// current printer, the printer-selection component with its set-up dialog,
// and printer device contexts for measuring the page and for print jobs.
// The program installs the Qt service (CUPS printers); tests install
// scripted printers that write PDF files with fixed pages.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/PrinterSurface.h"

class QWidget;

namespace tlrx {

// The seven device-mode settings of a printer: 16-bit values with the
// meanings of the fields of the same names in a Windows device-mode record.
struct DevModeSettings {
    // Paper source: 1 only one (upper), 2 lower, 3 middle, 4 manual,
    // 5 envelope, 6 envelope manual, 7 automatic, 8 tractor, 9 small format,
    // 10 large format, 11 large capacity, 14 cassette, 15 form source.
    int16_t DefaultSource = 7;
    int16_t ColorMode = 2;  // 1 monochrome, 2 colour
    int16_t Copies = 1;
    int16_t Duplex = 1;          // 1 one-sided, 2 long edge (vertical), 3 short edge (horizontal)
    int16_t Orientation = 1;     // 1 portrait, 2 landscape
    int16_t PaperSize = 1;       // paper code: 1 letter, 5 legal, 8 A3, 9 A4, 11 A5, ...; 256 user-defined
    int16_t PrintQuality = 600;  // dots per inch when positive; -1 draft, -2 low, -3 medium, -4 high

    bool operator==(const DevModeSettings&) const = default;
};

class PrinterService;

// Flags of the printer-selection component's dialog.
inline constexpr uint32_t kPdPrintSetup = 0x40;                     // a printer set-up dialog (no page range)
inline constexpr uint32_t kPdReturnDc = 0x100;                      // a confirmed choice gives a device context
inline constexpr uint32_t kPdUseDevModeCopiesAndCollate = 0x40000;  // copies stay in the settings

// The printer-selection component: a chosen printer with its device name,
// two further texts and its settings, and the set-up dialog that chooses
// another one.
class PrinterDialog {
public:
    virtual ~PrinterDialog();

    std::string PrinterName;  // device name of the chosen printer
    std::string DriverName;   // two further texts, kept for the dialog only
    std::string Port;
    DevModeSettings Settings;
    uint32_t Flags = 0;  // kPd... flags

    // The device context of the chosen printer, owned by the component and
    // valid until the next confirmed choice or look-up; nullptr until a
    // dialog with kPdReturnDc has been confirmed or the printer looked up.
    PrinterSurface* hDC() const { return dc_.get(); }

    // Shows the set-up dialog over owner (may be nullptr), preset with the
    // chosen printer and settings. True when the user confirmed a choice:
    // then PrinterName and Settings describe the new choice, and hDC() is its
    // device context when Flags hold kPdReturnDc. Cancel changes nothing.
    virtual bool ShowPrinter(QWidget* owner) = 0;

    // Reads the chosen printer afresh from printers: its device context is
    // made again for PrinterName and Settings, so that a page changed since
    // (another unprintable border, say) is measured as it is now. A printer
    // printers no longer has keeps the device context it had. False then.
    bool LookUpAgain(PrinterService& printers);

protected:
    std::unique_ptr<PrinterSurface> dc_;
};

// The system's current printer, as the window toolkit's printer object
// holds it.
struct PrinterInfo {
    std::string DeviceName;
    std::string DriverName;
    std::string Port;
    DevModeSettings Settings;
};

class PrinterService {
public:
    virtual ~PrinterService() = default;

    // True when at least one printer is installed.
    virtual bool PrintersInstalled() = 0;

    // The system's current printer, taken when first asked for and kept
    // (later changes of the system's default are not followed); nullopt when
    // no printer is installed.
    virtual std::optional<PrinterInfo> CurrentPrinter() = 0;

    // The device context of the current printer, owned by the service;
    // nullptr when no printer is installed.
    virtual PrinterSurface* CurrentPrinterDC() = 0;

    // A new printer-selection component with no printer chosen yet (never
    // nullptr).
    virtual std::unique_ptr<PrinterDialog> NewPrinterDialog() = 0;

    // A device context for a print job on the printer named deviceName with
    // the given settings; nullptr when there is no such printer.
    virtual std::unique_ptr<PrinterSurface> CreateDC(std::string_view deviceName, const DevModeSettings& settings) = 0;
};

// The installed printer service; with none installed, a service without
// printers.
PrinterService& Printers();

// Installs the service used by Printers() (nullptr: none) and returns the
// one installed before (nullptr for none). The caller keeps ownership.
PrinterService* SetPrinterService(PrinterService* service);

}  // namespace tlrx
