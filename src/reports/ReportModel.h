#pragma once
// One report as the report windows build it: paragraphs (lines) of styled
// runs, each paragraph with its tab stops in twips. Built once per focus
// gain and rendered twice: into the report window's box and into RTF; the
// printed pages are laid out from it too.
//
// All runs share the report font's name and size; a run is bold or not,
// italic, underlined, struck out, and either in the report colour or hidden
// (written in the box's background colour: it takes its width but is not
// seen).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tlrx {

// The background colour of the report box, in which hidden text is written.
inline constexpr int32_t kReportBackColor = 0xFFFFFF;

struct ReportRun {
    std::string text;  // UTF-8, tab characters included; never a line end
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    bool hidden = false;  // background colour in place of the report colour
};

struct ReportParagraph {
    std::vector<int32_t> tabs;  // tab stops, twips from the left edge of the text
    std::vector<ReportRun> runs;

    std::string Text() const;  // the runs' texts joined
};

struct ReportModel {
    std::string fontName;
    double fontSize = 10;  // points: the size the measuring font took
    int32_t color = 0;     // RGB of the visible text, 0x00BBGGRR
    std::vector<ReportParagraph> paragraphs;

    // The whole text, paragraphs ended by CR LF except an empty last one.
    std::string PlainText() const;
    // Characters of the text as the box counts them: each paragraph's
    // characters (UTF-8 sequences count one) and one for its end.
    int32_t Length() const;
    // The first character position of paragraph k (Length() for k past the end).
    int32_t ParagraphStart(size_t k) const;
};

}  // namespace tlrx
