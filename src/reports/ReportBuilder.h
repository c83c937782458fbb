#pragma once
// What both report builders share: the measuring font (the report font,
// whose bold setting section headers switch), widths of texts in twips in
// that font, the three text styles, appending at the end of the report,
// tab stops and the centred section headers.

#include <QFont>
#include <QImage>
#include <cstdint>
#include <string_view>
#include <vector>

#include "reports/ReportModel.h"

namespace tlrx {

enum class RunStyle {
    Bold,    // titles, headers, column headings: always bold
    Normal,  // bold only when the report font is
    Hidden,  // as Normal, in the background colour
};

// The nearest whole number, halves to the even one.
int32_t RoundTwips(double twips);

// RptWidth for a measured line width: rounded, and held at 32767 for a line
// wider than a 16-bit width can hold.
int16_t ReportWidthOf(double twips);

class ReportBuilder {
public:
    // Takes the report font from the design state (RptFont) and starts an
    // empty report in it.
    ReportBuilder();

    // Width of text in twips in the measuring font as it stands.
    double W(std::string_view text) const;
    // Sets the measuring font bold or not.
    void SetMeasureBold(bool bold);
    // The size the measuring font took, in points.
    double Size() const { return model_.fontSize; }
    // Line spacing of the report font in twips.
    double LineHeight() const;

    // Appends text in a style; each CR LF ends the paragraph, and the next
    // one takes over its tab stops.
    void Append(RunStyle style, std::string_view text);
    // Sets the tab stops (twips) of the paragraph at the end of the report.
    void SetTabs(std::vector<int32_t> tabs);
    // A section header: n dashes, the title (a blank at each end), n dashes,
    // bold, then `after`. n is measured bold from RptWidth; the measuring font
    // is left not bold.
    void Header(std::string_view title, std::string_view after);

    ReportModel& Model() { return model_; }
    ReportModel Take() { return std::move(model_); }

private:
    ReportModel model_;
    QFont font_;
    QImage device_;  // 1440 dots per inch: its pixels are twips
    bool italic_ = false;
    bool underline_ = false;
    bool strikeout_ = false;
    bool fontBold_ = false;
};

}  // namespace tlrx
