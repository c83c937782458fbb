#pragma once
// Our own RTF writer for the subset the reports use. Word processors open
// its files with the report's layout: the same lines, columns on the same
// tab stops.
//
// What it writes:
//  - header: "{\rtf1\ansi\ansicpg1252\deff0\uc1"; the text is Windows-1252
//    where it can be, and Unicode beyond;
//  - font table: one font, \f0, the report font's name ("{\fonttbl{\f0\fnil
//    \fcharset0 Name;}}"); a name's "\", "{", "}" and ";" are left out;
//  - colour table: entry 0 the automatic colour, 1 the report colour, 2 the
//    background colour ("{\colortbl;\red0\green0\blue0;\red255\green255
//    \blue255;}"); hidden text is \cf2, never \v, so that it keeps its width;
//  - one paragraph per report line: "\pard" and its tab stops as "\txN"
//    (twips from the left edge of the text), the runs, "\par";
//  - each run: "\plain\f0\fsN" (N half-points), "\cf1" or "\cf2", and "\b",
//    "\i", "\ul", "\strike" when set, then its text;
//  - text: tab as "\tab"; "\", "{" and "}" escaped with a backslash; ASCII
//    letters as themselves; a character of Windows-1252 beyond ASCII as
//    "\'hh"; any other character as "\uN?" (N the signed 16-bit value of
//    its UTF-16 unit, each unit of a surrogate pair on its own, "?" the
//    replacement a reader without Unicode shows); control characters and
//    ill-formed UTF-8 bytes as "?".

#include <string>
#include <string_view>

#include "reports/ReportModel.h"

namespace tlrx {

// The report as RTF text (ASCII only).
std::string ReportToRtf(const ReportModel& report);

// The text of one run with the escapes above.
std::string RtfEscape(std::string_view utf8);

// Writes ReportToRtf(report) as the file at path, replacing any file there
// only once the new one is complete. False when it cannot be written; an
// earlier file then stays as it was.
bool SaveReportRtf(const ReportModel& report, const std::string& path);

}  // namespace tlrx
