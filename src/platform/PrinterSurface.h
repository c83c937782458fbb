#pragma once
// A printer device context: measures the printer's page at any time and
// draws between StartDoc and EndDoc, each page between StartPage and
// EndPage. Pens, brushes, fonts, settings and the clip may be set up before
// the job starts. Its device point (0, 0) is the corner of the printable
// area. The program's printers are QtPrinterSurfaces (platform/qt).

#include <cstdint>
#include <string_view>

#include "platform/Surface.h"

namespace tlrx {

// A printer's page in device pixels, as the device capabilities read it.
struct PrinterPage {
    int32_t LogPixelsX = 0;       // pixels per inch
    int32_t LogPixelsY = 0;
    int32_t PhysicalWidth = 0;    // the whole sheet
    int32_t PhysicalHeight = 0;
    int32_t PhysicalOffsetX = 0;  // corner of the printable area from the sheet's corner
    int32_t PhysicalOffsetY = 0;
    int32_t HorzRes = 0;          // the printable area
    int32_t VertRes = 0;
};

// The job control of a printer device context; the drawing calls are the
// Surface's. (Surface is a virtual base, so that an implementation can take
// its drawing calls from another surface class.)
class PrinterSurface : public virtual Surface {
public:
    // Starts a print job named docName. False when a job is already open or
    // the printer refuses (for a PDF printer: no output file).
    virtual bool StartDoc(std::string_view docName) = 0;
    // Starts the next page of the job (the first page follows StartDoc).
    virtual bool StartPage() = 0;
    // Ends the page started last.
    virtual bool EndPage() = 0;
    // Ends the job, which then goes to the printer (or its file). An open
    // page is ended first.
    virtual bool EndDoc() = 0;
    // Ends the job and discards it where the printer allows: a job that goes
    // to a file leaves no file. A job already handed to a print queue still
    // prints; a job that must stop mid-way is best drawn into a picture first
    // and replayed only when not stopped.
    virtual bool AbortDoc() = 0;
    // True between StartDoc and EndDoc or AbortDoc.
    virtual bool InDoc() const = 0;
};

}  // namespace tlrx
