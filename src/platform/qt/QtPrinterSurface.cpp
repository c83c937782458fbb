#include "platform/qt/QtPrinterSurface.h"

#include <dlfcn.h>

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace tlrx {

namespace {

// Bytes of recording replayed between two questions to the abort procedure:
// some 60 000 points of lines, a tenth of a second's work for a PDF printer.
constexpr uint kPieceBytes = 1u << 20;
// Points of polylines handed over between two questions.
constexpr size_t kPiecePoints = 60000;

// A printer's pixel is far below what the eye tells apart on paper, and the
// points of a dense map's lines follow each other in single pixels there:
// a line keeps only the points it would pass farther than three quarters
// of a pixel from, which takes the work of handing the page over and of the
// printer's file with them.
constexpr double kLineTolerance = 0.75;

// The print system's own call that sends a finished file to a queue as one
// job (cupsPrintFile), found at run time in the library the toolkit's
// print support uses; nullptr where there is none. Its option records are
// a name and a value.
struct QueueOption {
    char* name;
    char* value;
};
using SendFileToQueue = int (*)(const char* queue, const char* file, const char* title, int optionCount,
                                QueueOption* options);

SendFileToQueue QueueSender() {
    static const SendFileToQueue send = []() -> SendFileToQueue {
        void* library = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
        void* symbol = library ? dlsym(library, "cupsPrintFile") : nullptr;
        SendFileToQueue found = nullptr;
        static_assert(sizeof found == sizeof symbol);
        std::memcpy(&found, &symbol, sizeof found);
        return found;
    }();
    return send;
}

// The job options the toolkit gives a queue for what a QPrinter holds:
// paper, copies, sides and orientation.
std::vector<std::pair<std::string, std::string>> QueueOptions(const QPrinter& printer) {
    std::vector<std::pair<std::string, std::string>> options;
    const QPageLayout layout = printer.pageLayout();
    options.emplace_back("media", layout.pageSize().key().toStdString());
    if (printer.copyCount() > 1) {
        options.emplace_back("copies", std::to_string(printer.copyCount()));
        if (printer.collateCopies()) options.emplace_back("Collate", "True");
    }
    const bool landscape = layout.orientation() == QPageLayout::Landscape;
    switch (printer.duplex()) {
    case QPrinter::DuplexNone: options.emplace_back("sides", "one-sided"); break;
    case QPrinter::DuplexAuto:
        options.emplace_back("sides", landscape ? "two-sided-short-edge" : "two-sided-long-edge");
        break;
    case QPrinter::DuplexLongSide: options.emplace_back("sides", "two-sided-long-edge"); break;
    case QPrinter::DuplexShortSide: options.emplace_back("sides", "two-sided-short-edge"); break;
    }
    if (landscape) options.emplace_back("landscape", "");
    return options;
}

}  // namespace

QtPrinterSurface::QtPrinterSurface(std::unique_ptr<QPrinter> printer)
    : QtSurface(*printer, DeferPainting{}), printer_(std::move(printer)) {
    SetLineTolerance(kLineTolerance);
}

QtPrinterSurface::QtPrinterSurface(std::unique_ptr<QPrinter> printer, const PrinterPage& page)
    : QtSurface(*printer, DeferPainting{}), printer_(std::move(printer)), page_(page) {
    SetLineTolerance(kLineTolerance);
}

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
    // A queue's job is written into a file of its own first and sent whole
    // when it ends: a job stopped before then leaves nothing in the queue.
    // (Without the print system's call the toolkit sends it as it ends.)
    if (printer_->outputFormat() == QPrinter::NativeFormat && printer_->outputFileName().isEmpty() && QueueSender()) {
        QTemporaryFile spool(QDir::temp().filePath(QStringLiteral("tellurax-job-XXXXXX")));
        spool.setAutoRemove(false);
        if (!spool.open()) return false;
        spoolFile_ = spool.fileName();
        spool.close();
        // Not named .pdf, which would turn the queue into a plain PDF printer.
        printer_->setOutputFileName(spoolFile_);
    }
    inDoc_ = true;
    pagesHandedOver_ = 0;
    return true;
}

bool QtPrinterSurface::SendSpoolFile() {
    std::vector<std::pair<std::string, std::string>> options = QueueOptions(*printer_);
    std::vector<QueueOption> records;
    for (auto& [name, value] : options) records.push_back({name.data(), value.data()});
    // The queue's own name, without an instance after a slash.
    const std::string queue = printer_->printerName().section(QLatin1Char('/'), 0, 0).toLocal8Bit().toStdString();
    const std::string file = spoolFile_.toLocal8Bit().toStdString();
    const std::string title = printer_->docName().toLocal8Bit().toStdString();
    return QueueSender()(queue.c_str(), file.c_str(), title.c_str(), static_cast<int>(records.size()),
                         records.empty() ? nullptr : records.data()) > 0;
}

void QtPrinterSurface::DropSpoolFile() {
    if (spoolFile_.isEmpty()) return;
    QFile::remove(spoolFile_);
    spoolFile_.clear();
    printer_->setOutputFileName(QString());
}

bool QtPrinterSurface::StartPage() {
    if (!inDoc_ || recording_) return false;
    recording_ = std::make_unique<QPicture>();
    pieces_.clear();
    recordingOrigin_ = page_ ? DevPoint{page_->PhysicalOffsetX, page_->PhysicalOffsetY} : DevPoint{};
    if (!BeginPaint(recordingOrigin_, recording_.get())) {
        recording_.reset();
        return false;
    }
    recordingStart_ = static_cast<int>(recording_->size());
    return true;
}

QtPrinterSurface::Piece QtPrinterSurface::Recorded(std::unique_ptr<QPicture> recording) {
    Piece piece;
    piece.recording = std::move(recording);
    return piece;
}

void QtPrinterSurface::NextRecording() {
    EndPaint();
    pieces_.push_back(Recorded(std::move(recording_)));
    recording_ = std::make_unique<QPicture>();
    BeginPaint(recordingOrigin_, recording_.get());
    recordingStart_ = static_cast<int>(recording_->size());
}

void QtPrinterSurface::AfterDrawing() {
    if (!recording_ || recording_->size() < kPieceBytes || !IsPainting()) return;
    NextRecording();
}

bool QtPrinterSurface::KeepPolyline(const QPoint* points, int count, const QPainter& painter) {
    if (!recording_ || !IsPainting()) return false;
    // What was drawn before the line stays before it. A new recording takes
    // the surface's settings, which may be the ones the line is flushed
    // for: the line's are taken before.
    if (static_cast<int>(recording_->size()) > recordingStart_) {
        Piece lines;
        lines.pen = painter.pen();
        lines.transform = painter.worldTransform();
        if (painter.hasClipping()) lines.clip = painter.clipRegion();
        NextRecording();
        lines.paintState = PaintState();
        pieces_.push_back(std::move(lines));
    }
    const bool extend = !pieces_.empty() && !pieces_.back().recording && pieces_.back().paintState == PaintState() &&
                        pieces_.back().points.size() < kPiecePoints;
    if (!extend) {
        Piece lines;
        lines.pen = painter.pen();
        lines.transform = painter.worldTransform();
        if (painter.hasClipping()) lines.clip = painter.clipRegion();
        lines.paintState = PaintState();
        pieces_.push_back(std::move(lines));
    }
    Piece& lines = pieces_.back();
    lines.points.insert(lines.points.end(), points, points + count);
    lines.counts.push_back(count);
    return true;
}

int32_t QtPrinterSurface::EndPage() {
    if (!recording_) return kSpError;
    EndPaint();
    std::vector<Piece> page = std::move(pieces_);
    pieces_.clear();
    page.push_back(Recorded(std::move(recording_)));
    // The last moment the job can be cancelled without a trace.
    if (abortProc_ && !abortProc_(0)) return kSpAppAbort;
    const int32_t handedOver = HandOver(page);
    if (handedOver <= 0) return handedOver;
    return ++pagesHandedOver_;
}

int32_t QtPrinterSurface::HandOver(const std::vector<Piece>& page) {
    if (!output_) {
        output_ = std::make_unique<QPainter>();
        if (!output_->begin(printer_.get())) {
            output_.reset();
            return kSpError;
        }
    } else if (!printer_->newPage()) {
        return kSpError;
    }
    for (size_t i = 0; i < page.size(); ++i) {
        // Between two pieces the program answers, and a stop cancels the job.
        if (i > 0 && abortProc_ && !abortProc_(0)) return kSpAppAbort;
        if (!page[i].recording) {
            const Piece& lines = page[i];
            output_->save();
            output_->setRenderHint(QPainter::Antialiasing, false);
            output_->setWorldTransform(lines.transform);
            if (lines.clip) output_->setClipRegion(*lines.clip);
            else output_->setClipping(false);
            output_->setPen(lines.pen);
            output_->setBrush(Qt::NoBrush);
            const QPoint* p = lines.points.data();
            for (const int n : lines.counts) {
                output_->drawPolyline(p, n);
                p += n;
            }
            output_->restore();
            continue;
        }
        const QPicture& piece = *page[i].recording;
        output_->save();
        // A picture is replayed scaled from its own resolution to the
        // device's; the page was drawn in the device's pixels already.
        output_->scale(qreal(piece.logicalDpiX()) / printer_->logicalDpiX(),
                       qreal(piece.logicalDpiY()) / printer_->logicalDpiY());
        output_->drawPicture(0, 0, piece);
        output_->restore();
    }
    return 1;
}

bool QtPrinterSurface::EndDoc() {
    if (!inDoc_) return false;
    bool ok = true;
    if (recording_ && EndPage() <= 0) ok = false;
    inDoc_ = false;
    if (output_) {
        ok = output_->end() && ok;
        output_.reset();
        if (ok && !spoolFile_.isEmpty()) ok = SendSpoolFile();
    }
    DropSpoolFile();
    return ok;
}

bool QtPrinterSurface::AbortDoc() {
    if (!inDoc_) return false;
    if (recording_) {
        EndPaint();
        recording_.reset();
    }
    pieces_.clear();
    inDoc_ = false;
    if (output_) {
        // A file is removed where the printer cannot recall its job.
        const bool recalled = printer_->abort();
        output_->end();
        output_.reset();
        if (!recalled && !printer_->outputFileName().isEmpty()) QFile::remove(printer_->outputFileName());
    }
    DropSpoolFile();
    return true;
}

bool QtPrinterSurface::SetAbortProc(PrintAbortProc proc) {
    abortProc_ = std::move(proc);
    return true;
}

}  // namespace tlrx
