#pragma once
// A printer device context on a QPrinter. Each page is drawn into a
// recording, measured as the printer's page, and replayed onto the printer
// when it is ended: a job stopped before then never reaches the printer
// (Qt cannot recall a job from a print queue once painting on it began).

#include <QPrinter>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/PrinterSurface.h"
#include "platform/qt/QtSurface.h"

class QPainter;
class QPicture;

namespace tlrx {

class QtPrinterSurface : public QtSurface, public PrinterSurface {
public:
    // A device context of printer, which it owns; the page is the printer's
    // page layout.
    explicit QtPrinterSurface(std::unique_ptr<QPrinter> printer);

    // A device context that reports page exactly. The printer must be set to
    // full-page mode on a sheet of the page's size; drawing is moved by the
    // page's offsets so that it lands where page says.
    QtPrinterSurface(std::unique_ptr<QPrinter> printer, const PrinterPage& page);

    // Ends a job still open, which then completes (without asking its abort
    // procedure).
    ~QtPrinterSurface() override;

    int32_t GetDeviceCaps(DeviceCap cap) override;

    bool StartDoc(std::string_view docName) override;
    bool StartPage() override;
    int32_t EndPage() override;
    bool EndDoc() override;
    bool AbortDoc() override;
    bool InDoc() const override { return inDoc_; }
    bool SetAbortProc(PrintAbortProc proc) override;

    // The printer itself, for the set-up dialog of the platform layer.
    QPrinter& Printer() { return *printer_; }

private:
    // Whether a job could start now: the output file can be written, or the
    // print queue exists.
    bool CanOpen() const;
    // Replays a finished page onto the printer; painting on the printer
    // starts with the first page.
    bool HandOver(const QPicture& page);

    std::unique_ptr<QPrinter> printer_;
    std::optional<PrinterPage> page_;
    std::unique_ptr<QPicture> recording_;  // the open page
    std::unique_ptr<QPainter> output_;     // on the printer, once a page was handed over
    PrintAbortProc abortProc_;
    bool inDoc_ = false;
    int32_t pagesHandedOver_ = 0;
};

}  // namespace tlrx
