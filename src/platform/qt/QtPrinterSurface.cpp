#include "platform/qt/QtPrinterSurface.h"

#include <QFile>
#include <QPrinter>

namespace tlrx {

QtPrinterSurface::QtPrinterSurface(std::unique_ptr<QPrinter> printer)
    : QtSurface(*printer, DeferPainting{}), printer_(std::move(printer)) {}

QtPrinterSurface::QtPrinterSurface(std::unique_ptr<QPrinter> printer, const PrinterPage& page)
    : QtSurface(*printer, DeferPainting{}), printer_(std::move(printer)), page_(page) {}

QtPrinterSurface::~QtPrinterSurface() {
    // The painter must let go of the printer before the printer goes.
    EndDoc();
}

int32_t QtPrinterSurface::GetDeviceCaps(DeviceCap cap) {
    if (!page_) return QtSurface::GetDeviceCaps(cap);
    switch (cap) {
    case DeviceCap::HorzRes: return page_->HorzRes;
    case DeviceCap::VertRes: return page_->VertRes;
    case DeviceCap::LogPixelsX: return page_->LogPixelsX;
    case DeviceCap::LogPixelsY: return page_->LogPixelsY;
    case DeviceCap::PhysicalWidth: return page_->PhysicalWidth;
    case DeviceCap::PhysicalHeight: return page_->PhysicalHeight;
    case DeviceCap::PhysicalOffsetX: return page_->PhysicalOffsetX;
    case DeviceCap::PhysicalOffsetY: return page_->PhysicalOffsetY;
    }
    return 0;
}

bool QtPrinterSurface::StartDoc(std::string_view docName) {
    if (inDoc_) return false;
    printer_->setDocName(QString::fromUtf8(docName.data(), static_cast<qsizetype>(docName.size())));
    const DevPoint origin = page_ ? DevPoint{page_->PhysicalOffsetX, page_->PhysicalOffsetY} : DevPoint{};
    if (!BeginPaint(origin)) return false;
    inDoc_ = true;
    pageOpen_ = false;
    pagesEnded_ = 0;
    return true;
}

bool QtPrinterSurface::StartPage() {
    if (!inDoc_ || pageOpen_) return false;
    // Painting starts on the first page; every later one is a new sheet.
    if (pagesEnded_ > 0 && !printer_->newPage()) return false;
    pageOpen_ = true;
    return true;
}

bool QtPrinterSurface::EndPage() {
    if (!pageOpen_) return false;
    Flush();  // the page's lines belong on it, not on the next
    pageOpen_ = false;
    ++pagesEnded_;
    return true;
}

bool QtPrinterSurface::EndDoc() {
    if (!inDoc_) return false;
    if (pageOpen_) EndPage();
    inDoc_ = false;
    return EndPaint();
}

bool QtPrinterSurface::AbortDoc() {
    if (!inDoc_) return false;
    Flush();
    const bool recalled = printer_->abort();
    inDoc_ = false;
    pageOpen_ = false;
    EndPaint();
    if (!recalled && !printer_->outputFileName().isEmpty()) QFile::remove(printer_->outputFileName());
    return true;
}

}  // namespace tlrx
