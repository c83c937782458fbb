#include "reports/ReportModel.h"

namespace tlrx {

namespace {

// Characters of UTF-8 text: every byte that does not continue a sequence.
int32_t CharCount(std::string_view text) {
    int32_t n = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

std::string ReportParagraph::Text() const {
    std::string s;
    for (const ReportRun& r : runs) s += r.text;
    return s;
}

std::string ReportModel::PlainText() const {
    std::string s;
    for (size_t k = 0; k < paragraphs.size(); ++k) {
        s += paragraphs[k].Text();
        if (k + 1 < paragraphs.size() || !paragraphs[k].runs.empty()) s += "\r\n";
    }
    return s;
}

int32_t ReportModel::ParagraphStart(size_t k) const {
    int32_t pos = 0;
    for (size_t i = 0; i < k && i < paragraphs.size(); ++i) pos += CharCount(paragraphs[i].Text()) + 1;
    return pos;
}

int32_t ReportModel::Length() const {
    // An empty last paragraph (after the last line end) adds nothing.
    size_t n = paragraphs.size();
    if (n > 0 && paragraphs.back().runs.empty()) --n;
    return ParagraphStart(n);
}

}  // namespace tlrx
