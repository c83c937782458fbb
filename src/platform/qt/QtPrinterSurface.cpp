#include "platform/qt/QtPrinterSurface.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
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

// The longest the program goes without asking the abort procedure (and so
// without answering) while a job's printer works.
constexpr std::chrono::milliseconds kAnswerEvery{25};

// A printer for a job on printer: a PDF printer writing file, or without a
// file one on the same queue, with printer's page, resolution and settings.
std::unique_ptr<QPrinter> JobPrinter(const QPrinter& printer, const QString& file) {
    std::unique_ptr<QPrinter> job;
    if (file.isEmpty()) {
        job = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(printer.printerName()), QPrinter::HighResolution);
    } else {
        job = std::make_unique<QPrinter>(QPrinter::HighResolution);
        job->setOutputFormat(QPrinter::PdfFormat);
        job->setOutputFileName(file);
    }
    job->setPdfVersion(printer.pdfVersion());
    job->setDocName(printer.docName());
    job->setCreator(printer.creator());
    job->setResolution(printer.resolution());
    job->setColorMode(printer.colorMode());
    job->setPageLayout(printer.pageLayout());
    job->setFullPage(printer.fullPage());
    job->setCopyCount(printer.copyCount());
    job->setCollateCopies(printer.collateCopies());
    job->setDuplex(printer.duplex());
    job->setPaperSource(printer.paperSource());
    job->setPageOrder(printer.pageOrder());
    return job;
}

// A name for a new file made from pattern (ending in XXXXXX), free now;
// empty when the folder takes no new file.
QString FreeFileName(const QString& pattern) {
    QTemporaryFile reserved(pattern);
    if (!reserved.open()) return {};
    // The printer makes the file itself, as it would make the output file.
    return reserved.fileName();
}

}  // namespace

// A job's printer and the thread that paints on it: steps run there one
// after the other while the caller waits for them as it likes. Everything
// that paints on the printer runs on that thread, and the printer goes
// there too when the thread ends.
class PrintJobOutput {
public:
    // A step: false when the printer refused.
    using Step = std::function<bool(QPrinter& printer, std::unique_ptr<QPainter>& painter)>;

    PrintJobOutput(std::unique_ptr<QPrinter> printer, QString file)
        : printer_(std::move(printer)), file_(std::move(file)), thread_([this] { Run(); }) {}
    // Runs the steps still to come and lets the printer go.
    ~PrintJobOutput() {
        {
            const std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    PrintJobOutput(const PrintJobOutput&) = delete;
    PrintJobOutput& operator=(const PrintJobOutput&) = delete;

    void Post(Step step) {
        {
            const std::lock_guard lock(mutex_);
            steps_.push_back(std::move(step));
        }
        wake_.notify_all();
    }
    // True when every step posted has run, waiting up to wait for that.
    bool Idle(std::chrono::milliseconds wait) {
        std::unique_lock lock(mutex_);
        return done_.wait_for(lock, wait, [this] { return steps_.empty() && !busy_; });
    }
    bool Failed() {
        const std::lock_guard lock(mutex_);
        return failed_;
    }
    // The job's file; empty when the toolkit sends the job to its queue.
    const QString& File() const { return file_; }

private:
    void Run() {
        for (;;) {
            Step step;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return quit_ || !steps_.empty(); });
                if (steps_.empty()) break;
                step = std::move(steps_.front());
                steps_.pop_front();
                busy_ = true;
            }
            const bool ok = step(*printer_, painter_);
            {
                const std::lock_guard lock(mutex_);
                busy_ = false;
                failed_ = failed_ || !ok;
            }
            done_.notify_all();
        }
        painter_.reset();
        printer_.reset();
    }

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;  // on the printer, from the first page on
    const QString file_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::deque<Step> steps_;
    bool busy_ = false;
    bool failed_ = false;
    bool quit_ = false;
    std::thread thread_;  // last: starts when the rest is ready
};

namespace {

// Jobs given up whose threads may still be finishing a call.
std::mutex cancelledMutex;
std::vector<std::unique_ptr<PrintJobOutput>> cancelledJobs;
bool waitRegistered = false;

}  // namespace

void QtPrinterSurface::WaitForCancelledJobs() {
    std::vector<std::unique_ptr<PrintJobOutput>> jobs;
    {
        const std::lock_guard lock(cancelledMutex);
        jobs.swap(cancelledJobs);
        waitRegistered = false;
    }
    jobs.clear();
}

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
    if (!printer_->outputFileName().isEmpty()) delivery_ = Delivery::File;
    else delivery_ = QueueSender() ? Delivery::Queue : Delivery::Toolkit;
    inDoc_ = true;
    pagesHandedOver_ = 0;
    return true;
}

bool QtPrinterSurface::SendSpoolFile(const QString& file) {
    std::vector<std::pair<std::string, std::string>> options = QueueOptions(*printer_);
    std::vector<QueueOption> records;
    for (auto& [name, value] : options) records.push_back({name.data(), value.data()});
    // The queue's own name, without an instance after a slash.
    const std::string queue = printer_->printerName().section(QLatin1Char('/'), 0, 0).toLocal8Bit().toStdString();
    const std::string path = file.toLocal8Bit().toStdString();
    const std::string title = printer_->docName().toLocal8Bit().toStdString();
    return QueueSender()(queue.c_str(), path.c_str(), title.c_str(), static_cast<int>(records.size()),
                         records.empty() ? nullptr : records.data()) > 0;
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
    // The last moment the job can be cancelled before its printer gets the page.
    if (abortProc_ && !abortProc_(0)) return kSpAppAbort;
    const int32_t handedOver = HandOver(std::move(page));
    if (handedOver <= 0) return handedOver;
    return ++pagesHandedOver_;
}

void QtPrinterSurface::PaintPiece(QPainter& output, const QPrinter& printer, const Piece& piece) {
    if (!piece.recording) {
        output.save();
        output.setRenderHint(QPainter::Antialiasing, false);
        output.setWorldTransform(piece.transform);
        if (piece.clip) output.setClipRegion(*piece.clip);
        else output.setClipping(false);
        output.setPen(piece.pen);
        output.setBrush(Qt::NoBrush);
        const QPoint* p = piece.points.data();
        for (const int n : piece.counts) {
            output.drawPolyline(p, n);
            p += n;
        }
        output.restore();
        return;
    }
    const QPicture& recording = *piece.recording;
    output.save();
    // A picture is replayed scaled from its own resolution to the device's;
    // the page was drawn in the device's pixels already.
    output.scale(qreal(recording.logicalDpiX()) / printer.logicalDpiX(),
                 qreal(recording.logicalDpiY()) / printer.logicalDpiY());
    output.drawPicture(0, 0, recording);
    output.restore();
}

int32_t QtPrinterSurface::HandOver(std::vector<Piece> page) {
    const bool first = !output_;
    if (first) {
        QString file;
        if (delivery_ == Delivery::File) {
            // Beside the output file, so that it becomes that file by a rename.
            const QFileInfo out(printer_->outputFileName());
            file = FreeFileName(out.dir().filePath(QLatin1Char('.') + out.fileName() + QStringLiteral("-XXXXXX")));
        }
        if (delivery_ == Delivery::Queue || (delivery_ == Delivery::File && file.isEmpty()))
            file = FreeFileName(QDir::temp().filePath(QStringLiteral("tellurax-job-XXXXXX")));
        if (file.isEmpty() && delivery_ != Delivery::Toolkit) return kSpError;
        output_ = std::make_unique<PrintJobOutput>(JobPrinter(*printer_, file), file);
    }
    const auto shared = std::make_shared<const std::vector<Piece>>(std::move(page));
    stage_ = JobStage::Pages;
    for (size_t i = 0; i < shared->size(); ++i) {
        output_->Post([shared, i, first](QPrinter& printer, std::unique_ptr<QPainter>& output) {
            if (i == 0 && first) {
                output = std::make_unique<QPainter>();
                if (!output->begin(&printer)) {
                    output.reset();
                    return false;
                }
            } else if (i == 0 && (!output || !printer.newPage())) {
                return false;
            }
            if (!output) return false;
            PaintPiece(*output, printer, (*shared)[i]);
            return true;
        });
        // While each piece is painted the program answers, and a stop
        // cancels the job.
        if (!AwaitOutput()) return kSpAppAbort;
        if (output_->Failed()) {
            stage_ = JobStage::None;
            return kSpError;
        }
    }
    stage_ = JobStage::None;
    return 1;
}

bool QtPrinterSurface::AwaitOutput() {
    do {
        if (abortProc_ && !abortProc_(0)) {
            CancelOutput();
            return false;
        }
    } while (!output_->Idle(kAnswerEvery));
    return true;
}

void QtPrinterSurface::CancelOutput() {
    stage_ = JobStage::None;
    if (!output_) return;
    const bool toolkit = delivery_ == Delivery::Toolkit;
    output_->Post([file = output_->File(), toolkit](QPrinter& printer, std::unique_ptr<QPainter>& output) {
        if (output && output->isActive()) {
            if (toolkit) printer.abort();
            output->end();
        }
        if (!file.isEmpty()) QFile::remove(file);
        return true;
    });
    // The thread finishes the call it is in while the program goes on.
    const std::lock_guard lock(cancelledMutex);
    std::erase_if(cancelledJobs,
                  [](const std::unique_ptr<PrintJobOutput>& job) { return job->Idle(std::chrono::milliseconds(0)); });
    cancelledJobs.push_back(std::move(output_));
    if (!waitRegistered) {
        waitRegistered = true;
        qAddPostRoutine(&QtPrinterSurface::WaitForCancelledJobs);
    }
}

bool QtPrinterSurface::Deliver() {
    const QString file = output_->File();
    output_.reset();
    switch (delivery_) {
    case Delivery::Toolkit: return true;
    case Delivery::Queue: {
        const bool sent = SendSpoolFile(file);
        QFile::remove(file);
        return sent;
    }
    case Delivery::File: break;
    }
    const QString target = printer_->outputFileName();
    std::error_code error;
    std::filesystem::rename(file.toLocal8Bit().toStdString(), target.toLocal8Bit().toStdString(), error);
    if (!error) return true;
    // Another file system, or a folder that takes no new file: the output
    // file gets the contents.
    QFile in(file);
    QFile out(target);
    const bool copied = in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                        out.write(in.readAll()) == in.size() && out.flush();
    in.close();
    out.close();
    QFile::remove(file);
    return copied;
}

bool QtPrinterSurface::EndDoc() {
    if (!inDoc_) return false;
    bool ok = true;
    if (recording_ && EndPage() <= 0) ok = false;
    inDoc_ = false;
    if (!output_) return ok;
    if (!ok) {
        CancelOutput();
        return false;
    }
    // Writing the job's file, the longest step for a large page.
    stage_ = JobStage::Finishing;
    output_->Post([](QPrinter&, std::unique_ptr<QPainter>& output) { return output && output->end(); });
    if (!AwaitOutput()) return false;
    if (output_->Failed()) {
        CancelOutput();
        return false;
    }
    // The last moment the job can be cancelled without a trace.
    stage_ = JobStage::Written;
    if (abortProc_ && !abortProc_(0)) {
        CancelOutput();
        return false;
    }
    stage_ = JobStage::None;
    return Deliver();
}

bool QtPrinterSurface::AbortDoc() {
    if (!inDoc_) return false;
    if (recording_) {
        EndPaint();
        recording_.reset();
    }
    pieces_.clear();
    inDoc_ = false;
    CancelOutput();
    return true;
}

bool QtPrinterSurface::SetAbortProc(PrintAbortProc proc) {
    abortProc_ = std::move(proc);
    return true;
}

}  // namespace tlrx
