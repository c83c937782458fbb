#pragma once
// The surroundings of a report test: fresh states, the scripted services, a
// main window of fixed size, a report font that the set-up installs, and
// the lines of a built report.

#include <filesystem>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "platform/Host.h"
#include "reports/ReportModel.h"
#include "support/FakeHost.h"
#include "support/TestFixture.h"

namespace tlrx::test {

class ReportTest : public TlrxTest {
protected:
    ReportTest() : TlrxTest(std::filesystem::path(TLRX_TEST_OUT_DIR) / "report-files") {
        host.scaleWidth = 15240;  // 1016 x 705 pixels at 15 twips per pixel
        host.scaleHeight = 10575;
        SetMainWindow(&host);
        DesignState& d = Design();
        d.TwipsPerPixelX = d.TwipsPerPixelY = 15;
        d.RptFontName = "Liberation Sans";
        d.RptFontSize = 10;
    }
    ~ReportTest() override { SetMainWindow(nullptr); }

    // Each line's text, hidden runs included.
    static std::vector<std::string> Lines(const ReportModel& r) {
        std::vector<std::string> out;
        for (const ReportParagraph& p : r.paragraphs) out.push_back(p.Text());
        if (!out.empty() && out.back().empty()) out.pop_back();
        return out;
    }
    // The lines from the one that starts with `first`, count of them.
    static std::vector<std::string> LinesFrom(const ReportModel& r, const std::string& first, size_t count) {
        const std::vector<std::string> all = Lines(r);
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i].rfind(first, 0) == 0)
                return std::vector<std::string>(all.begin() + long(i),
                                                all.begin() + long(std::min(all.size(), i + count)));
        return {};
    }
    // The paragraph whose text starts with `first`.
    static const ReportParagraph* Find(const ReportModel& r, const std::string& first) {
        for (const ReportParagraph& p : r.paragraphs)
            if (p.Text().rfind(first, 0) == 0) return &p;
        return nullptr;
    }
    // The text of a paragraph's hidden runs, joined.
    static std::string HiddenText(const ReportParagraph& p) {
        std::string s;
        for (const ReportRun& run : p.runs)
            if (run.hidden) s += run.text;
        return s;
    }

    FakeHost host;
};

}  // namespace tlrx::test
