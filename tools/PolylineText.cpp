#include "PolylineText.h"

#include <fstream>
#include <stdexcept>

namespace tlrx::convert {
namespace {

std::string Trim(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    const size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// Reads a decimal number of at most 5 decimals at s[pos] into 1e-5 units,
// exactly; advances pos. False when there is no such number.
bool ReadFixed5(const std::string& s, size_t& pos, int64_t& value) {
    size_t i = pos;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    int64_t whole = 0;
    int digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && digits < 12) whole = whole * 10 + (s[i++] - '0'), ++digits;
    int64_t frac = 0;
    int decimals = 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            if (++decimals > 5) return false;
            frac = frac * 10 + (s[i++] - '0');
        }
    }
    if (digits + decimals == 0) return false;
    if (i < s.size() && s[i] >= '0' && s[i] <= '9') return false;
    for (int k = decimals; k < 5; ++k) frac *= 10;
    value = whole * kUnitsPerDegree + frac;
    if (negative) value = -value;
    pos = i;
    return true;
}

}  // namespace

Layer ReadPolylineText(const std::string& path, int row) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    Layer layer;
    layer.row = row;
    layer.path = path;
    std::string text;
    int lineNo = 0;
    bool inPolyline = false;
    while (std::getline(in, text)) {
        ++lineNo;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        const auto fail = [&](const std::string& why) {
            throw std::runtime_error(path + ":" + std::to_string(lineNo) + ": " + why);
        };
        if (text.empty()) continue;
        if (text[0] == '#') {
            if (text.rfind("# Polylines:", 0) != 0) layer.header.push_back(text);
            continue;
        }
        if (text[0] == '>') {
            if (inPolyline && layer.lines.back().points.empty()) layer.lines.pop_back();
            layer.lines.push_back(Polyline{Trim(text.substr(1)), {}});
            inPolyline = true;
            continue;
        }
        if (!inPolyline) fail("a point before the first '>' line");
        size_t pos = text.find_first_not_of(" \t");
        int64_t lon = 0, lat = 0;
        if (!ReadFixed5(text, pos, lon)) fail("expected a longitude with at most 5 decimals");
        const size_t gap = text.find_first_not_of(" \t", pos);
        if (gap == pos || gap == std::string::npos) fail("expected 'lon lat'");
        pos = gap;
        if (!ReadFixed5(text, pos, lat)) fail("expected a latitude with at most 5 decimals");
        if (text.find_first_not_of(" \t", pos) != std::string::npos) fail("text after 'lon lat'");
        if (lon < -kUnits180 || lon > kUnits180) fail("longitude outside -180..180");
        if (lat < -kUnits90 || lat > kUnits90) fail("latitude outside -90..90");
        layer.lines.back().points.push_back(Point{static_cast<int32_t>(lon), static_cast<int32_t>(lat)});
    }
    if (inPolyline && layer.lines.back().points.empty()) layer.lines.pop_back();
    return layer;
}

void WritePolylineText(std::ostream& out, const Layer& layer, const std::string& extraHeader) {
    size_t points = 0;
    for (const Polyline& l : layer.lines) points += l.points.size();
    for (const std::string& h : layer.header) out << h << '\n';
    if (!extraHeader.empty()) out << extraHeader << '\n';
    out << "# Polylines: " << layer.lines.size() << "  Points: " << points << '\n';
    for (const Polyline& l : layer.lines) {
        out << '>';
        if (!l.label.empty()) out << ' ' << l.label;
        out << '\n';
        for (const Point& p : l.points) out << FormatDegrees(p.lon) << ' ' << FormatDegrees(p.lat) << '\n';
    }
}

}  // namespace tlrx::convert
