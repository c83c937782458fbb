#include "platform/qt/QtPrinterSurface.h"

#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>

namespace tlrx {

QtPrinterSurface::QtPrinterSurface(std::unique_ptr<QPrinter> printer)
    : QtSurface(*printer, DeferPainting{}), printer_(std::move(printer)) {}

QtPrinterSurface::QtPrinterSurface(std::unique_ptr<QPrinter> printer, const PrinterPage& page)
    : QtSurface(*printer, DeferPainting{}), printer_(std::move(printer)), page_(page) {}

QtPrinterSurface::~QtPrinterSurface() {
    // Both painters must let go of their devices before the devices go.
    abortProc_ = {};
    EndDoc();
    EndPaint();
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
    case DeviceCap::ClipCaps: return page_->ClipCaps;
    }
    return 0;
}

bool QtPrinterSurface::CanOpen() const {
    const QString file = printer_->outputFileName();
    if (!file.isEmpty()) {
        // Tried for appending, an existing file keeps its contents; one made
        // only for the trial goes again.
        QFile out(file);
        const bool existed = out.exists();
        if (!out.open(QIODevice::Append)) return false;
        out.close();
        if (!existed) out.remove();
        return true;
    }
    // A PDF printer needs its file; a queue must still be there.
    if (printer_->outputFormat() == QPrinter::PdfFormat) return false;
    return printer_->isValid() && !QPrinterInfo::printerInfo(printer_->printerName()).isNull();
}

bool QtPrinterSurface::StartDoc(std::string_view docName) {
    if (inDoc_ || !CanOpen()) return false;
    printer_->setDocName(QString::fromUtf8(docName.data(), static_cast<qsizetype>(docName.size())));
    inDoc_ = true;
    pagesHandedOver_ = 0;
    return true;
}

bool QtPrinterSurface::StartPage() {
    if (!inDoc_ || recording_) return false;
    recording_ = std::make_unique<QPicture>();
    const DevPoint origin = page_ ? DevPoint{page_->PhysicalOffsetX, page_->PhysicalOffsetY} : DevPoint{};
    if (!BeginPaint(origin, recording_.get())) {
        recording_.reset();
        return false;
    }
    return true;
}

int32_t QtPrinterSurface::EndPage() {
    if (!recording_) return kSpError;
    EndPaint();
    const std::unique_ptr<QPicture> page = std::move(recording_);
    // The last moment the job can be cancelled without a trace.
    if (abortProc_ && !abortProc_(0)) return kSpAppAbort;
    if (!HandOver(*page)) return kSpError;
    return ++pagesHandedOver_;
}

bool QtPrinterSurface::HandOver(const QPicture& page) {
    if (!output_) {
        output_ = std::make_unique<QPainter>();
        if (!output_->begin(printer_.get())) {
            output_.reset();
            return false;
        }
    } else if (!printer_->newPage()) {
        return false;
    }
    output_->save();
    // A picture is replayed scaled from its own resolution to the device's;
    // the page was drawn in the device's pixels already.
    output_->scale(qreal(page.logicalDpiX()) / printer_->logicalDpiX(),
                   qreal(page.logicalDpiY()) / printer_->logicalDpiY());
    output_->drawPicture(0, 0, page);
    output_->restore();
    return true;
}

bool QtPrinterSurface::EndDoc() {
    if (!inDoc_) return false;
    bool ok = true;
    if (recording_ && EndPage() <= 0) ok = false;
    inDoc_ = false;
    if (output_) {
        ok = output_->end() && ok;
        output_.reset();
    }
    return ok;
}

bool QtPrinterSurface::AbortDoc() {
    if (!inDoc_) return false;
    if (recording_) {
        EndPaint();
        recording_.reset();
    }
    inDoc_ = false;
    if (output_) {
        // A file is removed where the printer cannot recall its job.
        const bool recalled = printer_->abort();
        output_->end();
        output_.reset();
        if (!recalled && !printer_->outputFileName().isEmpty()) QFile::remove(printer_->outputFileName());
    }
    return true;
}

bool QtPrinterSurface::SetAbortProc(PrintAbortProc proc) {
    abortProc_ = std::move(proc);
    return true;
}

}  // namespace tlrx
