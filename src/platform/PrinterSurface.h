#pragma once
// A printer device context: measures the printer's page at any time and
// draws between StartDoc and EndDoc, each page between StartPage and
// EndPage. Pens, brushes, fonts, settings and the clip may be set up before
// the job starts. Its device point (0, 0) is the corner of the printable
// area.

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/QtSurface.h"

class QPrinter;

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

class PrinterSurface : public QtSurface {
public:
    // A device context of printer, which it owns; the page is the printer's
    // page layout.
    explicit PrinterSurface(std::unique_ptr<QPrinter> printer);

    // A device context that reports page exactly. The printer must be set to
    // full-page mode on a sheet of the page's size; drawing is moved by the
    // page's offsets so that it lands where page says.
    PrinterSurface(std::unique_ptr<QPrinter> printer, const PrinterPage& page);

    // Ends a job still open, which then completes.
    ~PrinterSurface() override;

    int32_t GetDeviceCaps(DeviceCap cap) override;

    // Starts a print job named docName. False when a job is already open or
    // the printer refuses (for a PDF printer: no output file).
    bool StartDoc(std::string_view docName);
    // Starts the next page of the job (the first page follows StartDoc).
    bool StartPage();
    // Ends the page started last.
    bool EndPage();
    // Ends the job, which then goes to the printer (or its file). An open
    // page is ended first.
    bool EndDoc();
    // Ends the job and discards it where the printer allows: a job that goes
    // to a file leaves no file. A job already handed to a print queue (which
    // QPrinter cannot recall) still prints; a job that must stop mid-way is
    // best drawn into a QPicture first and replayed only when not stopped.
    bool AbortDoc();

    // True between StartDoc and EndDoc or AbortDoc.
    bool InDoc() const { return inDoc_; }

    // The printer itself, for the set-up dialog of the platform layer.
    QPrinter& Printer() { return *printer_; }

private:
    std::unique_ptr<QPrinter> printer_;
    std::optional<PrinterPage> page_;
    bool inDoc_ = false;
    bool pageOpen_ = false;
    int32_t pagesEnded_ = 0;
};

}  // namespace tlrx
