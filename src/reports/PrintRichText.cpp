#include "reports/PrintRichText.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <cmath>
#include <string>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/PrintUnits.h"
#include "platform/MessageBox.h"
#include "platform/PrinterSurface.h"
#include "plot/PlotState.h"
#include "plot/PrinterMetrics.h"

namespace tlrx {

namespace {

constexpr int32_t kDefaultTabTwips = 720;  // stops beyond the paragraph's own

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    return static_cast<int32_t>(std::llround(static_cast<double>(a) * b / c));
}

// Measures the report's text in twips.
class TwipsMeasure {
public:
    explicit TwipsMeasure(const ReportModel& report) : device_(1, 1, QImage::Format_RGB32) {
        device_.setDotsPerMeterX(56693);
        device_.setDotsPerMeterY(56693);
        font_ = QFont(QString::fromStdString(report.fontName));
        font_.setPointSizeF(report.fontSize > 0 ? report.fontSize : 10);
        font_.setKerning(false);
    }
    double Width(const ReportRun& run, std::string_view text) {
        font_.setBold(run.bold);
        font_.setItalic(run.italic);
        return QFontMetricsF(font_, &device_)
            .horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    double LineHeight() const { return QFontMetricsF(font_, &device_).lineSpacing(); }

private:
    QFont font_;
    QImage device_;
};

// The next tab stop after x (twips).
double NextStop(const std::vector<int32_t>& tabs, double x) {
    for (const int32_t t : tabs)
        if (t > x + 0.5) return t;
    return (std::floor(x / kDefaultTabTwips) + 1) * kDefaultTabTwips;
}

void DrawText(Surface& dc, const ReportModel& report, const ReportRun& run, std::string_view text, int32_t x, int32_t y,
              int32_t logPixelsY) {
    LogFont lf;
    lf.height = -static_cast<int32_t>(std::lround(report.fontSize * logPixelsY / 72.0));
    lf.weight = run.bold ? 700 : 400;
    lf.italic = run.italic;
    lf.underline = run.underline;
    lf.strikeOut = run.strikeout;
    lf.faceName = report.fontName;
    const GdiObject font = dc.CreateFontIndirect(lf);
    const GdiObject old = font ? dc.SelectObject(font) : 0;
    dc.SetTextColor(static_cast<Rgb>(report.color & 0xFFFFFF));
    dc.TextOut(x, y, text);
    if (font) {
        dc.SelectObject(old);
        dc.DeleteObject(font);
    }
}

// The printing error box: "Error: ", the error's number, two line ends and
// its description, under "Error printing " and the document name.
void ShowPrintError(std::string_view description, const std::string& title) {
    struct Known {
        std::string_view description;
        int number;
    };
    static constexpr Known known[] = {{kInvalidCall, 5},
                                      {kOverflow, 6},
                                      {kSubscriptOutOfRange, 9},
                                      {kDivisionByZero, 11},
                                      {"Object variable or With block variable not set", 91}};
    std::string text = "Error: ";
    for (const Known& k : known)
        if (k.description == description) text += std::to_string(k.number);
    MsgBox(text + "\r\n\r\n" + std::string(description), title, MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace

double ReportLineHeight(const ReportModel& report) { return TwipsMeasure(report).LineHeight(); }

size_t ReportLineCount(const ReportModel& report) {
    size_t n = report.paragraphs.size();
    if (n > 0 && report.paragraphs.back().runs.empty()) --n;
    return n;
}

size_t FormatReportPage(const ReportModel& report, Surface& dc, const TwipsRect& render, size_t first,
                        int32_t logPixelsX, int32_t logPixelsY) {
    TwipsMeasure measure(report);
    const double lineHeight = measure.LineHeight();
    const size_t count = ReportLineCount(report);
    const auto px = [logPixelsX](double twips) {
        return static_cast<int32_t>(std::lround(twips * logPixelsX / kTwipsPerInch));
    };
    const auto py = [logPixelsY](double twips) {
        return static_cast<int32_t>(std::lround(twips * logPixelsY / kTwipsPerInch));
    };
    if (render.right <= render.left) return first;
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextAlign(AlignLeft | AlignTop);
    dc.SetClipRect(px(render.left), py(render.top), px(render.right), py(render.bottom));
    double y = render.top;
    size_t k = first;
    for (; k < count; ++k) {
        if (y + lineHeight > render.bottom) break;
        const ReportParagraph& p = report.paragraphs[k];
        double x = 0;
        for (const ReportRun& run : p.runs) {
            std::string_view text = run.text;
            while (true) {
                const size_t tab = text.find('\t');
                const std::string_view piece = text.substr(0, tab);
                if (!piece.empty()) {
                    if (!run.hidden) DrawText(dc, report, run, piece, px(render.left + x), py(y), logPixelsY);
                    x += measure.Width(run, piece);
                }
                if (tab == std::string_view::npos) break;
                x = NextStop(p.tabs, x);
                text.remove_prefix(tab + 1);
            }
        }
        y += lineHeight;
    }
    dc.ClearClip();
    return k;
}

bool PrintRichText(const ReportModel& report, std::string_view docName) {
    const DesignState& d = Design();
    const int16_t units = Plot().PrinterUnits;
    const auto twips = [units](float margin) { return static_cast<int32_t>(std::nearbyint(units * margin)); };
    const int32_t L = twips(d.RptMarginLeft), R = twips(d.RptMarginRight);
    const int32_t T = twips(d.RptMarginTop), B = twips(d.RptMarginBottom);
    const std::string errorTitle = "Error printing " + std::string(docName);
    PrinterSurface* dc = nullptr;
    try {
        dc = &GetPrinterDc();
    } catch (const RuntimeError& e) {
        ShowPrintError(e.what(), errorTitle);
        return false;
    }
    const int32_t lpx = dc->GetDeviceCaps(DeviceCap::LogPixelsX);
    const int32_t lpy = dc->GetDeviceCaps(DeviceCap::LogPixelsY);
    if (lpx <= 0 || lpy <= 0) {
        ShowPrintError(kDivisionByZero, errorTitle);
        return false;
    }
    const int32_t pageRight = MulDiv(dc->GetDeviceCaps(DeviceCap::PhysicalWidth), kTwipsPerInch, lpx);
    const int32_t pageBottom = MulDiv(dc->GetDeviceCaps(DeviceCap::PhysicalHeight), kTwipsPerInch, lpy);
    const int32_t offsetX = MulDiv(dc->GetDeviceCaps(DeviceCap::PhysicalOffsetX), kTwipsPerInch, lpx);
    const int32_t offsetY = MulDiv(dc->GetDeviceCaps(DeviceCap::PhysicalOffsetY), kTwipsPerInch, lpy);
    // The device's origin is the corner of its printable area: every margin
    // is measured from its edge of the paper, so all four move by the offsets.
    const TwipsRect render{L - offsetX, T - offsetY, pageRight - R - offsetX, pageBottom - B - offsetY};

    const size_t count = ReportLineCount(report);
    if (report.Length() == 0 || count == 0) return false;
    const char* noRoom = "The report margins leave no room for a line of the report.";
    if (render.right <= render.left || render.bottom - render.top < ReportLineHeight(report)) {
        MsgBox(noRoom, errorTitle, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    if (!dc->StartDoc(docName)) {
        MsgBox("Error in StartDoc", "Tellurax");
        return false;
    }
    size_t next = 0;
    while (next < count) {
        dc->StartPage();
        const size_t after = FormatReportPage(report, *dc, render, next, lpx, lpy);
        dc->EndPage();
        if (after == next) {
            MsgBox(noRoom, errorTitle, MsgButtons::Ok, MsgIcon::Exclamation);
            break;
        }
        next = after;
    }
    dc->EndDoc();
    return true;
}

}  // namespace tlrx
