#pragma once
// A printer device context on a QPrinter. Each page is drawn into a
// recording, measured as the printer's page, and replayed onto the printer
// when it is ended: a job stopped before then never reaches the printer
// (Qt cannot recall a job from a print queue once painting on it began).
// The recording is kept in pieces of about a megabyte.
//
// A job is painted on a printer of its own, a copy of this one that writes
// a file, on a thread of its own: replaying the pieces, and writing each
// finished page and the job's file (which for a large page takes seconds
// in one call of Qt's), while the calling thread asks the abort procedure
// every few hundredths of a second, so that the program goes on answering
// and a stop can still cancel the job. Only when the job's file is
// complete and no stop came is it handed over: renamed to the output file
// of a PDF printer, or sent to the print queue whole. A cancelled job is
// given up at once; its thread finishes the call under way and removes the
// file.
// Its polylines leave out the points within three quarters of a printer
// pixel of the line through the others, and are kept as points rather than
// recorded: runs of them with the same pen, clip and transform are pieces
// of their own between the recorded ones, drawn straight onto the printer.

#include <QPen>
#include <QPrinter>
#include <QRegion>
#include <QString>
#include <QTransform>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/PrinterSurface.h"
#include "platform/qt/QtSurface.h"

class QPainter;
class QPicture;

namespace tlrx {

class PrintJobOutput;

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

    // What the open job's printer is doing while the abort procedure is
    // asked: nothing yet, taking the pieces of a page, writing the finished
    // job, or done writing it, before it is handed over.
    enum class JobStage { None, Pages, Finishing, Written };
    JobStage Stage() const { return stage_; }

    // Waits until the jobs given up have finished the calls they were in
    // and removed their files (at the latest when the application ends).
    static void WaitForCancelledJobs();

private:
    // Whether a job could start now: the output file can be written, or the
    // print queue exists.
    bool CanOpen() const;
    // A piece of a page: a recording, or polylines drawn with one pen,
    // clip and transform.
    struct Piece {
        std::unique_ptr<QPicture> recording;
        QPen pen;
        QTransform transform;
        std::optional<QRegion> clip;
        uint64_t paintState = 0;
        std::vector<QPoint> points;  // the polylines one after the other
        std::vector<int> counts;     // their numbers of points
    };
    static Piece Recorded(std::unique_ptr<QPicture> recording);
    // Paints a piece of a page on the job's printer.
    static void PaintPiece(QPainter& output, const QPrinter& printer, const Piece& piece);
    // Replays a finished page onto the job's printer; painting on it
    // starts with the first page.
    // Returns kSpAppAbort when the abort procedure stopped it, kSpError when
    // the printer refused, else 1.
    int32_t HandOver(std::vector<Piece> page);
    // Ends the recording's current piece and starts the next.
    void AfterDrawing() override;
    // Ends the recording's current piece and starts the next at once.
    void NextRecording();
    // Keeps the polyline in the page's pieces, after what was recorded.
    bool KeepPolyline(const QPoint* points, int count, const QPainter& painter) override;
    // Waits for the job's thread to finish the call under way, asking the
    // abort procedure as it goes. False when a stop cancelled the job (it
    // is given up then).
    bool AwaitOutput();
    // Gives up the job's printer and file.
    void CancelOutput();
    // Hands the finished file over: renamed to the output file, or sent to
    // the queue. False when that failed.
    bool Deliver();
    // Sends the finished file of a queue's job to the queue; false when the
    // queue refused it.
    bool SendSpoolFile(const QString& file);

    // Where a finished job goes: into the output file, whole to a print
    // queue, or (without the print system's call for that) into the queue
    // by the toolkit as its printer ends.
    enum class Delivery { File, Queue, Toolkit };

    std::unique_ptr<QPrinter> printer_;
    std::optional<PrinterPage> page_;
    std::unique_ptr<QPicture> recording_;  // the open page's current piece
    int recordingStart_ = 0;               // its size before anything was drawn on it
    std::vector<Piece> pieces_;            // its pieces before
    DevPoint recordingOrigin_;
    std::unique_ptr<PrintJobOutput> output_;  // the job's printer, once a page was handed over
    Delivery delivery_ = Delivery::File;
    JobStage stage_ = JobStage::None;
    PrintAbortProc abortProc_;
    bool inDoc_ = false;
    int32_t pagesHandedOver_ = 0;
};

}  // namespace tlrx
