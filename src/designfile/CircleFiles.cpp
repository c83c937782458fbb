#include "designfile/CircleFiles.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <system_error>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "platform/Host.h"
#include "platform/MessageBox.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"

namespace tlrx {

namespace {

// The degrees with four decimals after a sign position, in a field of at
// least `digits` integer digits.
void AppendDegrees(std::string& line, double degrees, int digits) {
    if (!std::isfinite(degrees)) Raise(kOverflow);
    // to_chars writes "." whatever the locale: the file reads back anywhere.
    char text[340];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, std::fabs(degrees), std::chars_format::fixed, 4);
    if (ec != std::errc{}) Raise(kOverflow);
    const auto length = static_cast<int>(end - text);
    line += degrees < 0 ? '-' : ' ';
    line.append(static_cast<size_t>(std::max(0, digits + 5 - length)), '0');
    line.append(text, end);
}

// One line of a circle file: a point in degrees.
void WritePoint(bool segmentStart, double lat, double lon) {
    std::string line = segmentStart ? "-1  " : " 0  ";
    AppendDegrees(line, lat, 2);
    line += "  ";
    AppendDegrees(line, lon, 3);
    Files().WriteLine(line);
}

// Writes `path` through the run's output with `writePoints`, under the
// caption `caption`; a failure is reported as an error of `procedure`.
// True when the file is complete.
template <typename WritePoints>
bool WriteCircleFile(const std::string& path, std::string_view caption, std::string_view procedure,
                     WritePoints writePoints) {
    DesignState& d = Design();
    Host& window = MainWindow();
    RunFiles& files = Files();
    bool captionSet = false;
    try {
        files.CreateOutputTextReplacing(path);
        d.SavedCaption = window.Caption();
        window.SetCaption(caption);
        captionSet = true;
        writePoints();
        files.CloseOutput();
        window.SetCaption(d.SavedCaption);
        return true;
    } catch (const std::exception& e) {
        ShowProcError(procedure, e.what());
        files.CloseOutputQuietly();
        if (captionSet) window.SetCaption(d.SavedCaption);
        return false;
    }
}

}  // namespace

void GcSave() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    if (!p.OutGc) return;
    if (!d.GcDefined) {
        MsgBox(
            "You have not defined the endpoints of the great circle.\n\nTo define the endpoints, press OK, then "
            "select the Great Circle option from the Design Map menu.",
            "Great Circle Not Defined", MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    const bool written = WriteCircleFile(p.GcFileName, "Tellurax: printing Great Circle", "GcSave", [&d] {
        const int32_t step = d.GcStep;
        if (step == 0) Raise(kInvalidCall);
        bool first = true;
        for (int32_t i = d.GcFirst; step > 0 ? i <= d.GcLast : i >= d.GcLast; i += step) {
            WritePoint(first, Item(d.GcLat, i), Item(d.GcLon, i));
            first = false;
        }
    });
    if (written) p.OutGc = false;
}

void ScSave() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    if (!p.OutSc) return;
    if (!d.ScDefined) {
        MsgBox(
            "You have not defined the center of the small circle.\n\nTo define the center, press OK, then select "
            "the Small Circle option from the Design Map menu.",
            "Small Circle Not Defined", MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    const bool written = WriteCircleFile(p.ScFileName, "Tellurax: printing Small Circle", "ScSave", [&d] {
        for (int32_t k = 1; k <= d.ScCount; ++k) {
            const int32_t first = Item(d.ScCircleEnd, k - 1) + 1;
            const int32_t last = Item(d.ScCircleEnd, k);
            for (int32_t j = first; j <= last; ++j) WritePoint(j == first, Item(d.ScLat, j), Item(d.ScLon, j));
        }
    });
    if (written) p.OutSc = false;
}

}  // namespace tlrx
