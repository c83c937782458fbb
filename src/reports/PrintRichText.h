#pragma once
// Printing a report: one print document on the chosen printer (PrnDlg's,
// else the system's current one), page after page inside the report margins.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "reports/ReportModel.h"

namespace tlrx {

class Surface;

// A rectangle in twips.
struct TwipsRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Lays out the report's lines from paragraph `first` on one page inside
// `render` (twips from the corner of the printable area) and draws them on
// dc, whose resolution is logPixelsX by logPixelsY. Lines are not wrapped:
// what passes the right edge is cut off. Hidden text takes its place and is
// not drawn. Returns the first paragraph that did not fit (`first` when not
// even one line fits).
size_t FormatReportPage(const ReportModel& report, Surface& dc, const TwipsRect& render, size_t first,
                        int32_t logPixelsX, int32_t logPixelsY);

// The height of one report line in twips.
double ReportLineHeight(const ReportModel& report);

// The paragraphs that carry text: all but an empty last one.
size_t ReportLineCount(const ReportModel& report);

// Prints the report under docName with the report margins (RptMargin*,
// PrinterUnits), each measured from its edge of the paper. True when the
// document was started and ended; false for an empty report (nothing
// printed, no message), a printer that cannot be reached or whose job will
// not start ("Error in StartDoc"), or another failure ("Error: " and its
// description under "Error printing " and docName). Margins that leave no
// room for a line start no document and say "The report margins leave no
// room for a line of the report."; a page that takes no line ends the
// document with the same message (no endless run of empty pages).
bool PrintRichText(const ReportModel& report, std::string_view docName);

}  // namespace tlrx
