#pragma once
// A printer device context: measures the printer's page at any time and
// draws between StartDoc and EndDoc, each page between StartPage and
// EndPage. Pens, brushes, fonts, settings and the clip may be set up before
// the job starts. Its device point (0, 0) is the corner of the printable
// area. The program's printers are QtPrinterSurfaces (platform/qt).
//
// A page is handed to the printer only when it is ended: what is drawn on it
// before then can still be dropped, so that a job stopped while its page is
// drawn or ended prints nothing.

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/Surface.h"

namespace tlrx {

// A printer's page in device pixels, as the device capabilities read it.
struct PrinterPage {
    int32_t LogPixelsX = 0;  // pixels per inch
    int32_t LogPixelsY = 0;
    int32_t PhysicalWidth = 0;  // the whole sheet
    int32_t PhysicalHeight = 0;
    int32_t PhysicalOffsetX = 0;  // corner of the printable area from the sheet's corner
    int32_t PhysicalOffsetY = 0;
    int32_t HorzRes = 0;  // the printable area
    int32_t VertRes = 0;
    int32_t ClipCaps = 1;  // 0: the device reports that it cannot clip
};

// Results of EndPage besides a page count: the spooler's codes.
inline constexpr int32_t kSpError = -1;      // the page could not be handed to the printer
inline constexpr int32_t kSpAppAbort = -2;   // the abort procedure cancelled the job
inline constexpr int32_t kSpOutOfDisk = -4;  // error code the abort procedure may receive

// The abort procedure of a print job: called with the spooler's error code
// (0 for none) while a page is being ended; returns false to cancel the job.
using PrintAbortProc = std::function<bool(int32_t errorCode)>;

// The job control of a printer device context; the drawing calls are the
// Surface's. (Surface is a virtual base, so that an implementation can take
// its drawing calls from another surface class.)
class PrinterSurface : public virtual Surface {
public:
    // Starts a print job named docName. False when a job is already open or
    // the printer cannot be opened (for a PDF printer: no output file, or
    // one that cannot be written; for a print queue: one the system no
    // longer has). Nothing reaches the printer yet.
    virtual bool StartDoc(std::string_view docName) = 0;
    // Starts the next page of the job.
    virtual bool StartPage() = 0;
    // Ends the page started last and hands it to the printer, asking the
    // abort procedure first and again while a large page is handed over.
    // Returns the number of pages handed over so far
    // (> 0), kSpAppAbort when the abort procedure cancelled the job (the
    // page is dropped; the job must then be aborted), or kSpError.
    virtual int32_t EndPage() = 0;
    // Ends the job, which then goes to the printer (or its file). An open
    // page is ended first. A job none of whose pages reached the printer
    // sends nothing. The abort procedure is asked while the job is finished
    // and once more before it is sent: false when it cancelled the job
    // (nothing is sent; the job is over) or the printer refused it.
    virtual bool EndDoc() = 0;
    // Ends the job and discards it: pages not yet handed over are dropped,
    // and a job that goes to a file leaves no file. A print queue gets
    // nothing either, except where the print system's own call to send a
    // finished job is missing: pages already handed over then still print.
    virtual bool AbortDoc() = 0;
    // True between StartDoc and EndDoc or AbortDoc.
    virtual bool InDoc() const = 0;
    // Registers the abort procedure EndPage and EndDoc consult (empty: none).
    virtual bool SetAbortProc(PrintAbortProc proc) = 0;
};

}  // namespace tlrx
