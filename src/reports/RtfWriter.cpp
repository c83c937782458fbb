#include "reports/RtfWriter.h"

#include <cmath>
#include <cstdio>
#include <exception>

#include "core/Errors.h"
#include "platform/ReplacingFile.h"
#include "platform/TextEncoding.h"

namespace tlrx {

namespace {

// The Windows-1252 byte of a character, or 0 when the code page has none.
unsigned char Cp1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    for (int b = 0x80; b < 0xA0; ++b)
        if (Cp1252Char(static_cast<unsigned char>(b)) == c) return static_cast<unsigned char>(b);
    return 0;
}

void AppendUnicode(std::string& out, char32_t c) {
    const auto unit = [&out](unsigned u) { out += "\\u" + std::to_string(static_cast<int16_t>(u)) + "?"; };
    if (c >= 0x10000) {
        const char32_t v = c - 0x10000;
        unit(0xD800 + static_cast<unsigned>(v >> 10));
        unit(0xDC00 + static_cast<unsigned>(v & 0x3FF));
    } else {
        unit(static_cast<unsigned>(c));
    }
}

std::string Rgb(int32_t color) {
    return "\\red" + std::to_string(color & 0xFF) + "\\green" + std::to_string((color >> 8) & 0xFF) + "\\blue" +
           std::to_string((color >> 16) & 0xFF) + ";";
}

}  // namespace

std::string RtfEscape(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const Utf8Char ch = DecodeUtf8(text, i);
        if (ch.length == 0) {
            out += '?';
            ++i;
            continue;
        }
        i += ch.length;
        const char32_t c = ch.code;
        if (c == '\t') out += "\\tab ";
        else if (c == '\\' || c == '{' || c == '}') out += {'\\', static_cast<char>(c)};
        else if (c < 0x20 || c == 0x7F) out += '?';
        else if (c < 0x80) out += static_cast<char>(c);
        else if (const unsigned char b = Cp1252Byte(c); b != 0) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", b);
            out += hex;
        } else {
            AppendUnicode(out, c);
        }
    }
    return out;
}

std::string ReportToRtf(const ReportModel& report) {
    std::string name;
    for (const char c : report.fontName)
        if (c != '\\' && c != '{' && c != '}' && c != ';') name += c;
    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl{\\f0\\fnil\\fcharset0 " + RtfEscape(name) +
                      ";}}\n{\\colortbl;" + Rgb(report.color) + Rgb(kReportBackColor) + "}\n";
    const long halfPoints = std::lround(report.fontSize * 2);
    for (const ReportParagraph& p : report.paragraphs) {
        if (&p == &report.paragraphs.back() && p.runs.empty()) break;  // nothing after the last line end
        out += "\\pard";
        for (const int32_t t : p.tabs) out += "\\tx" + std::to_string(t);
        for (const ReportRun& r : p.runs) {
            out += "\\plain\\f0\\fs" + std::to_string(halfPoints) + (r.hidden ? "\\cf2" : "\\cf1");
            if (r.bold) out += "\\b";
            if (r.italic) out += "\\i";
            if (r.underline) out += "\\ul";
            if (r.strikeout) out += "\\strike";
            out += ' ';
            out += RtfEscape(r.text);
        }
        out += "\\par\n";
    }
    out += "}\n";
    return out;
}

bool SaveReportRtf(const ReportModel& report, const std::string& path) {
    try {
        return WriteFileReplacing(path, ReportToRtf(report)).empty();
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace tlrx
