#include "core/AngleText.h"

#include <cmath>

#include "core/Errors.h"

namespace tlrx {

double DmsFieldValue(std::string_view text, int pos, int len) {
    double value = 0;
    for (int i = pos - 1; i < pos - 1 + len && i < static_cast<int>(text.size()); ++i) {
        const char c = text[static_cast<size_t>(i)];
        if (c == ' ') continue;
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
    }
    return value;
}

namespace {

struct DmsColumns {
    int degPos, degLen, minPos, secPos, letterPos;
    char negative;  // the letter that makes the value negative, 0 for none
};

constexpr DmsColumns kLat{1, 2, 7, 13, 19, 'S'};
constexpr DmsColumns kLon{1, 3, 8, 14, 20, 'W'};
constexpr DmsColumns kArc{1, 3, 8, 14, 0, 0};

int32_t TextToSec(std::string_view text, const DmsColumns& c) {
    const double sec = 3600.0 * DmsFieldValue(text, c.degPos, c.degLen) + 60.0 * DmsFieldValue(text, c.minPos, 2) +
                       DmsFieldValue(text, c.secPos, 2);
    int32_t value = ToInt32(sec);
    if (c.negative && static_cast<int>(text.size()) >= c.letterPos &&
        text[static_cast<size_t>(c.letterPos - 1)] == c.negative)
        value = -value;
    return value;
}

std::string TwoDigits(int v) {
    return std::string(1, static_cast<char>('0' + v / 10)) + static_cast<char>('0' + v % 10);
}

std::string PadDigits(int v, size_t width) {
    std::string s = std::to_string(v);
    if (s.size() < width) s.insert(0, width - s.size(), '0');
    return s;
}

}  // namespace

int32_t LatTextToSec(std::string_view text) { return TextToSec(text, kLat); }
int32_t LonTextToSec(std::string_view text) { return TextToSec(text, kLon); }
int32_t ArcTextToSec(std::string_view text) { return TextToSec(text, kArc); }
double LatTextToDeg(std::string_view text) { return LatTextToSec(text) / 3600.0; }
double LonTextToDeg(std::string_view text) { return LonTextToSec(text) / 3600.0; }
double ArcTextToDeg(std::string_view text) { return ArcTextToSec(text) / 3600.0; }

void DegMinSec(double deg, std::string& out, std::string_view kind, int16_t gap) {
    try {
        const double a = std::fabs(deg);
        int16_t d = ToInt16(std::floor(a));
        const double f = a - d;
        int m = static_cast<int>(std::floor(f * 60));
        int s = static_cast<int>(RoundHalfEven((f - m / 60.0) * 3600));
        if (s == 60) {
            ++m;
            s = 0;
        }
        if (m == 60) {
            d = ToInt16(d + 1.0);
            m = 0;
        }
        const bool lat = kind == "LAT";
        const std::string blanks(static_cast<size_t>(std::max<int16_t>(gap, 0)), ' ');
        std::string text = PadDigits(d, lat ? 2 : 3) + blanks + TwoDigits(m) + blanks + TwoDigits(s);
        if (kind != "ARC") text += blanks + (lat ? (deg < 0 ? "S" : "N") : (deg < 0 ? "W" : "E"));
        out = std::move(text);
    } catch (const RuntimeError& e) {
        ShowProcError("DegMinSec", e.what());
    }
}

}  // namespace tlrx
