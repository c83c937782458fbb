#include "reports/ReportBuilder.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <cmath>

#include "core/DesignState.h"

namespace tlrx {

namespace {

constexpr int kTwipsPerMeter = 56693;  // 1440 per inch

}  // namespace

int32_t RoundTwips(double twips) { return static_cast<int32_t>(std::nearbyint(twips)); }

int16_t ReportWidthOf(double twips) {
    const double w = std::nearbyint(twips);
    return w >= 32767 ? int16_t{32767} : static_cast<int16_t>(w);
}

ReportBuilder::ReportBuilder() : device_(1, 1, QImage::Format_RGB32) {
    device_.setDotsPerMeterX(kTwipsPerMeter);
    device_.setDotsPerMeterY(kTwipsPerMeter);
    const DesignState& d = Design();
    font_ = QFont(QString::fromStdString(d.RptFontName));
    font_.setPointSizeF(d.RptFontSize > 0 ? d.RptFontSize : 10);
    font_.setItalic(d.RptFontItalic);
    font_.setBold(d.RptFontBold);
    font_.setUnderline(d.RptFontUnderline);
    font_.setStrikeOut(d.RptFontStrikethru);
    font_.setKerning(false);
    italic_ = d.RptFontItalic;
    underline_ = d.RptFontUnderline;
    strikeout_ = d.RptFontStrikethru;
    fontBold_ = d.RptFontBold;
    // The size the font took, which every piece of text is set in.
    model_.fontSize = QFontInfo(font_).pointSizeF();
    if (model_.fontSize <= 0) model_.fontSize = font_.pointSizeF();
    font_.setPointSizeF(model_.fontSize);
    model_.fontName = d.RptFontName.empty() ? font_.family().toStdString() : d.RptFontName;
    model_.color = d.RptFontColor & 0xFFFFFF;
    model_.paragraphs.emplace_back();
}

double ReportBuilder::W(std::string_view text) const {
    const QFontMetricsF fm(font_, &device_);
    return fm.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void ReportBuilder::SetMeasureBold(bool bold) { font_.setBold(bold); }

double ReportBuilder::LineHeight() const { return QFontMetricsF(font_, &device_).lineSpacing(); }

void ReportBuilder::Append(RunStyle style, std::string_view text) {
    ReportRun proto;
    proto.bold = style == RunStyle::Bold || fontBold_;
    proto.italic = italic_;
    proto.underline = underline_;
    proto.strikeout = strikeout_;
    proto.hidden = style == RunStyle::Hidden;
    while (!text.empty()) {
        const size_t end = text.find("\r\n");
        const std::string_view piece = text.substr(0, end);
        if (!piece.empty()) {
            ReportRun run = proto;
            run.text = piece;
            model_.paragraphs.back().runs.push_back(std::move(run));
        }
        if (end == std::string_view::npos) break;
        ReportParagraph next;
        next.tabs = model_.paragraphs.back().tabs;
        model_.paragraphs.push_back(std::move(next));
        text.remove_prefix(end + 2);
    }
}

void ReportBuilder::SetTabs(std::vector<int32_t> tabs) { model_.paragraphs.back().tabs = std::move(tabs); }

void ReportBuilder::Header(std::string_view title, std::string_view after) {
    SetMeasureBold(true);
    const double n = std::nearbyint((Design().RptWidth - W(title)) / (2 * W("-")));
    SetMeasureBold(false);
    const std::string dashes(n > 0 ? static_cast<size_t>(n) : 0, '-');
    std::string line = dashes;
    line += title;
    line += dashes;
    line += after;
    Append(RunStyle::Bold, line);
}

}  // namespace tlrx
