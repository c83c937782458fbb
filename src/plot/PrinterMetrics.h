#pragma once
// The chosen printer and its page measured in print units.
//
// None of these procedures traps errors: a failure raises RuntimeError and
// its caller shows the failure in its own error box.

#include <string_view>

#include "platform/PrinterSurface.h"

namespace tlrx {

// Creates the printer-selection component PrnDlg and gives it the system's
// current printer: its device name and two further texts, then its seven
// settings; sets the dialog to a printer set-up that returns a device
// context (kPdPrintSetup | kPdReturnDc | kPdUseDevModeCopiesAndCollate).
// Called at start-up and by LookUpPrinters, only when a printer is
// installed. Raises
// "Problem getting printer information from the system. Make sure the
// printer is set up correctly." when the system has no current printer
// (PrnDlg then exists, with no printer).
void PrinterDialogInit();

// Looks the printers up again before a command that prints or measures a
// page, so that printers added, removed or changed since the last look are
// followed: with no printer installed PrnDlg goes and the result is false;
// otherwise PrnDlg exists (made by PrinterDialogInit when it did not) and
// its printer's page will be measured as it is now. Raises as
// PrinterDialogInit (PrnDlg then goes again).
bool LookUpPrinters();

// LookUpPrinters for a command that needs a printer now: a failure is shown
// in the error box of procedure, and no printer at all in a box that says
// so. True when the chosen printer can be measured and printed on.
bool PrinterAtHand(std::string_view procedure);

// The device context for measuring the chosen printer: the one PrnDlg holds
// after a confirmed set-up dialog, else the system's current printer's.
// Borrowed: the caller never deletes it. Raises "Object variable or With
// block variable not set" when PrnDlg does not exist, and the printer
// information error above when there is no current printer.
PrinterSurface& GetPrinterDc();

// Measures the printer of GetPrinterDc into the PrinterPageMetrics fields:
// twips per printer pixel, and in print units (PrinterUnits twips each) the
// unprintable margins, the printable area and the paper. Raises "Division by
// zero" (or "Overflow" for 0 / 0) for a resolution of 0 or a PrinterUnits of
// 0, and "Overflow" when a pixel sum leaves the 32-bit range; the fields
// computed before the failing step keep their new values, the others their
// old ones.
void GetPrnPageMetrics();

}  // namespace tlrx
