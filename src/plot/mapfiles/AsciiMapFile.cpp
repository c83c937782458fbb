// ASCII map files: free-format text records "flag, second, third" with an
// optional label in double quotes. Degree files (.prn and every extension no
// other reader claims): latitude and longitude in decimal degrees. Metre files
// (.utm): easting and northing in metres, read only on the UTM projection.
// A flag other than 0 starts a segment. Numbers are separated by commas or
// blanks (tabs and line ends count as blanks); a blank before a comma belongs
// to the separator, and two commas in a row enclose an empty field, read as 0.
// A label is recognised by the double quote right after the separator that
// ends the third number and runs to the next double quote on its line.

#include <array>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "plot/mapfiles/MapFileInput.h"
#include "plot/mapfiles/MapFileTypes.h"
#include "plot/mapfiles/MapReaders.h"
#include "plot/RunFiles.h"

namespace tlrx {

namespace {

constexpr std::string_view kTypeMismatch = "Type mismatch";

// Raised inside a record when a yield between its parts has seen a stop.
struct StopSeen {};

// Reads the records character by character. Every line is held to the
// bound of the text map files; the line ends passed between records (empty
// lines, the end of a labelled line) count as work that hands the pass
// nothing, and yield as such.
class RecordReader {
public:
    RecordReader(std::streambuf& in, const std::string& path, MapPointSink& sink)
        : in_(in), path_(path), idle_(sink) {}

    // Reads one record: the three numbers and the label, if any.
    void Read(double& flag, double& second, double& third, std::string& label) {
        flag = Number();
        second = Number();
        third = Number();
        label.clear();
        if (Peek() == '"') ReadLabel(label);
    }

    // Skips the blanks and line ends after a record; true at the end of the file.
    bool AtEnd() {
        SkipSpace();
        return Peek() == kEof;
    }

private:
    static constexpr int kEof = std::char_traits<char>::eof();
    static bool IsBlank(int c) { return c == ' ' || c == '\t'; }
    static bool IsLineEnd(int c) { return c == '\r' || c == '\n'; }

    int Peek() { return in_.sgetc(); }

    // Counts `n` characters taken from the current line.
    void Count(size_t n) {
        lineChars_ += n;
        if (lineChars_ > kMaxMapLineChars) RaiseLineTooLong(path_);
    }

    // Consumes the next character, keeping count of the line's length.
    int Take() {
        const int c = in_.sbumpc();
        if (IsLineEnd(c)) lineChars_ = 0;
        else Count(1);
        return c;
    }

    void SkipBlanks() {
        while (IsBlank(Peek())) Take();
    }

    // Blanks and line ends, each line end (LF, CR LF or CR) counted as idle work.
    void SkipSpace() {
        for (int c = Peek(); IsBlank(c) || IsLineEnd(c); c = Peek()) {
            Take();
            const bool lineEnd = c == '\n' || (c == '\r' && Peek() != '\n');
            if (lineEnd && idle_.Add()) throw StopSeen{};
        }
    }

    // The next number field and the separator after it.
    double Number() {
        SkipSpace();
        if (Peek() == kEof) Raise(kInputPastEnd);
        std::array<char, 64> token{};
        size_t length = 0;
        for (int c = Peek(); c != kEof && c != ',' && !IsBlank(c) && !IsLineEnd(c); c = Peek()) {
            if (length == token.size()) Raise(kTypeMismatch);
            token[length++] = static_cast<char>(in_.sbumpc());
        }
        Count(length);
        double value = 0;
        if (length > 0) {
            const char* first = token.data();
            const char* last = first + length;
            if (*first == '+') ++first;
            const auto [end, ec] = std::from_chars(first, last, value);
            if (ec == std::errc::result_out_of_range) Raise(kOverflow);
            if (ec != std::errc{} || end != last) Raise(kTypeMismatch);
        }
        // The separator: blanks, then at most one comma or one line end.
        SkipBlanks();
        if (Peek() == ',') {
            Take();
        } else if (Peek() == '\r') {
            Take();
            if (Peek() == '\n') Take();
        } else if (Peek() == '\n') {
            Take();
        }
        return value;
    }

    // The rest of the line, from the opening double quote; the label is the
    // text between it and the next double quote.
    void ReadLabel(std::string& label) {
        Take();  // the opening quote
        bool closed = false;
        for (int c = Peek(); c != kEof && !IsLineEnd(c); c = Peek()) {
            Take();
            if (closed) continue;
            if (c == '"') closed = true;
            else label.push_back(static_cast<char>(c));
        }
        if (!closed) Raise(kInvalidCall);
    }

    std::streambuf& in_;
    const std::string& path_;
    IdleYields idle_;
    size_t lineChars_ = 0;  // characters of the current line consumed so far
};

}  // namespace

void ReadAsciiFile(const std::string& path, int16_t /*file*/, MapPointSink& sink) {
    const bool metres = MapFileTypeOf(path).kind == MapKind::Utm;
    if (metres && Design().ProjCode != ProjUtm) return;  // eastings and northings fit no other map
    if (!sink.RowSelected(1)) return;

    OpenMapFile(path);
    RunFiles& files = Files();
    std::streambuf& buffer = *files.Input().rdbuf();

    sink.SetRow(1);
    RecordReader reader(buffer, path, sink);
    double flag = 0, second = 0, third = 0;
    std::string label;  // reused: grows to the longest label, at most the line bound
    try {
        // A record is always attempted: an empty file is a read error.
        do {
            reader.Read(flag, second, third, label);
            const bool start = ToInt16(flag) != 0;
            if (metres) {
                sink.UtmPoint(ToInt32(third), ToInt32(second), start);  // easting first in the file
            } else {
                sink.Point(ToInt32(second * 3600), ToInt32(third * 3600), start);
            }
            if (sink.Stopped()) return;
            if (!label.empty()) sink.Label(label);
        } while (!reader.AtEnd());
    } catch (const StopSeen&) {
        return;
    }
}

}  // namespace tlrx
