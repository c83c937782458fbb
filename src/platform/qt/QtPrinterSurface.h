#pragma once
// A printer device context on a QPrinter: QPainter drawing between
// StartDoc and EndDoc, the page measured by the printer or reported as given.

#include <QPrinter>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/PrinterSurface.h"
#include "platform/qt/QtSurface.h"

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

    // Ends a job still open, which then completes.
    ~QtPrinterSurface() override;

    int32_t GetDeviceCaps(DeviceCap cap) override;

    bool StartDoc(std::string_view docName) override;
    bool StartPage() override;
    bool EndPage() override;
    bool EndDoc() override;
    bool AbortDoc() override;
    bool InDoc() const override { return inDoc_; }

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
