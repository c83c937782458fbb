#pragma once
// The reader of the ASCII map files: free-format text records "flag, second, third" with an
// optional label in double quotes. Degree files (.prn and every extension no
// other reader claims): latitude and longitude in decimal degrees. Metre files
// (.utm): easting and northing in metres, read only on the UTM projection.
// A flag other than 0 starts a segment. Numbers are separated by commas or
// blanks (tabs and line ends count as blanks); a blank before a comma belongs
// to the separator, and two commas in a row enclose an empty field, read as 0.
// A label is recognised by the double quote right after the separator that
// ends the third number and runs to the next double quote on its line.
//
// The reader is a template over the sink, so that the plotting pass has it
// call the pass's own point handling directly (ReadAsciiRecords);
// ReadAsciiFile reads through any MapPointSink.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/ProjectionTable.h"
#include "plot/RunFiles.h"
#include "plot/mapfiles/MapFileInput.h"
#include "plot/mapfiles/MapFileTypes.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx {

// Raised inside a record when a yield between its parts has seen a stop.
struct AsciiStopSeen {};

// Reads the records from the input scanned in place. Every line is held to
// the bound of the text map files; the line ends passed between records
// (empty lines, the end of a labelled line) count as work that hands the
// pass nothing, and yield as such.
class AsciiRecordReader {
public:
    AsciiRecordReader(const std::string& path, MapPointSink& sink) : path_(path), idle_(sink) {}

    // Reads one record: the three numbers and the label, if any.
    void Read(double& flag, double& second, double& third, std::string& label) {
        if (!OneLineRecord(flag, second, third)) {
            flag = Number();
            second = Number();
            third = Number();
        }
        label.clear();
        if (Peek() == '"') ReadLabel(label);
    }

    // Skips the blanks and line ends after a record; true at the end of the file.
    bool AtEnd() {
        SkipSpace();
        return !in_.More();
    }

private:
    static constexpr std::string_view kTypeMismatch = "Type mismatch";
    static constexpr int kEof = std::char_traits<char>::eof();
    // The longest number field.
    static constexpr size_t kMaxFieldChars = 64;

    static bool IsBlank(int c) { return c == ' ' || c == '\t'; }
    static bool IsLineEnd(int c) { return c == '\r' || c == '\n'; }
    // What ends a number field: a comma, a blank or a line end.
    static bool EndsField(char c) {
        return static_cast<unsigned char>(c) <= ',' && (c == ',' || IsBlank(c) || IsLineEnd(c));
    }

    int Peek() { return in_.More() ? static_cast<unsigned char>(*in_.next) : kEof; }

    // Counts `n` characters taken from the current line.
    void Count(size_t n) {
        lineChars_ += n;
        if (lineChars_ > kMaxMapLineChars) RaiseLineTooLong(path_);
    }

    // Takes the next character, which is no line end, as part of the line.
    void TakeInLine() {
        ++in_.next;
        Count(1);
    }

    // Takes the next character, a line end.
    void TakeLineEnd() {
        ++in_.next;
        lineChars_ = 0;
    }

    void SkipBlanks() {
        while (in_.More() && IsBlank(*in_.next)) TakeInLine();
    }

    // Blanks and line ends, each line end (LF, CR LF or CR) counted as idle work.
    void SkipSpace() {
        while (in_.More()) {
            const char c = *in_.next;
            if (IsBlank(c)) {
                TakeInLine();
            } else if (IsLineEnd(c)) {
                TakeLineEnd();
                const bool lineEnd = c == '\n' || Peek() != '\n';
                if (lineEnd && idle_.Add()) throw AsciiStopSeen{};
            } else {
                return;
            }
        }
    }

    // The next number field and the separator after it.
    [[gnu::always_inline]] double Number() {
        SkipSpace();
        if (!in_.More()) Raise(kInputPastEnd);
        double value = 0;
        if (!PlainField(value)) value = FreeFieldNumber(Field());
        // The separator: blanks, then at most one comma or one line end.
        SkipBlanks();
        const int c = Peek();
        if (c == ',') {
            TakeInLine();
        } else if (c == '\r') {
            TakeLineEnd();
            if (Peek() == '\n') TakeLineEnd();
        } else if (c == '\n') {
            TakeLineEnd();
        }
        return value;
    }

    // Most fields: a plain decimal with an optional "+" and "-" before it,
    // ended within the bytes at hand: true with its value, the field taken;
    // false, nothing taken, for any other field.
    bool PlainField(double& number) {
        const char* first = in_.next;
        const char* p = first;
        if (p < in_.end && *p == '+') ++p;
        const bool negative = p < in_.end && *p == '-';
        if (negative) ++p;
        double value = 0;
        // At most 19 digits: far within the longest field.
        if (!ReadPlainDecimal(p, in_.end, value) || p == in_.end || !EndsField(*p)) return false;
        in_.next = p;
        Count(static_cast<size_t>(p - first));
        number = negative ? -value : value;
        return true;
    }

    // Most records: three plain fields on one line, before the last line end
    // of the bytes at hand, separated by blanks or by a comma among blanks.
    // True, with the record and its separator taken as Number takes them,
    // for such a record; false, nothing taken, for any other, which Number
    // reads. The line end after the record bounds every scan here, so no
    // character is checked against the end of the bytes at hand.
    bool OneLineRecord(double& flag, double& second, double& third) {
        if (in_.Fills() != scannedFill_) {
            scannedFill_ = in_.Fills();
            const void* last =
                in_.next < in_.end ? memrchr(in_.next, '\n', static_cast<size_t>(in_.end - in_.next)) : nullptr;
            lastLineEnd_ = last ? static_cast<const char*>(last) : in_.next;
        }
        const char* first = in_.next;
        if (first >= lastLineEnd_) return false;
        const char* p = first;
        double values[3];
        for (double& value : values) {
            // Blanks, and between fields at most one comma among them; a
            // line end makes the field fail.
            while (IsBlank(*p)) ++p;
            if (&value != values && *p == ',') {
                ++p;
                while (IsBlank(*p)) ++p;
            }
            if (*p == '+') ++p;
            const bool negative = *p == '-';
            if (negative) ++p;
            if (!ScanPlainDecimal(p, value) || !EndsField(*p)) return false;
            if (negative) value = -value;
        }
        // The separator after the record.
        while (IsBlank(*p)) ++p;
        if (lineChars_ + static_cast<size_t>(p - first) + (*p == ',') > kMaxMapLineChars) return false;
        if (*p == ',') {
            ++p;
            lineChars_ += static_cast<size_t>(p - first);
        } else if (IsLineEnd(*p)) {
            p += *p == '\r' && p[1] == '\n' ? 2 : 1;
            lineChars_ = 0;
        } else {
            lineChars_ += static_cast<size_t>(p - first);
        }
        in_.next = p;
        flag = values[0], second = values[1], third = values[2];
        return true;
    }

    // The next field, taken: in place when it ends within the bytes at hand,
    // else copied.
    std::string_view Field() {
        const char* first = in_.next;
        const char* limit =
            in_.end - first > static_cast<ptrdiff_t>(kMaxFieldChars) ? first + kMaxFieldChars + 1 : in_.end;
        const char* last = first;
        while (last < limit && !EndsField(*last)) ++last;
        std::string_view field;
        if (last < in_.end && last - first <= static_cast<ptrdiff_t>(kMaxFieldChars)) {
            field = std::string_view(first, static_cast<size_t>(last - first));
            in_.next = last;
        } else {
            size_t length = 0;
            while (in_.More() && !EndsField(*in_.next)) {
                if (length == field_.size()) Raise(kTypeMismatch);
                field_[length++] = *in_.next++;
            }
            field = std::string_view(field_.data(), length);
        }
        Count(field.size());
        return field;
    }

    // The rest of the line, from the opening double quote; the label is the
    // text between it and the next double quote.
    void ReadLabel(std::string& label) {
        TakeInLine();  // the opening quote
        bool closed = false;
        while (in_.More() && !IsLineEnd(*in_.next)) {
            const char c = *in_.next;
            TakeInLine();
            if (closed) continue;
            if (c == '"') closed = true;
            else label.push_back(c);
        }
        if (!closed) Raise(kInvalidCall);
    }

    InputCursor in_;
    const std::string& path_;
    IdleYields idle_;
    size_t lineChars_ = 0;  // characters of the current line consumed so far
    // The last line end of the bytes at hand (their start when they hold
    // none), found by OneLineRecord in the bytes of fill scannedFill_.
    uint64_t scannedFill_ = ~uint64_t{0};
    const char* lastLineEnd_ = nullptr;
    // A field that runs past the bytes at hand.
    std::array<char, kMaxFieldChars> field_{};
};

// Reads ASCII map file `path` into `sink` (ReadAsciiFile). The sink's calls
// per point are made on its own type: for a final sink class they are direct
// calls, which the compiler may inline into the scan.
template <typename Sink>
void ReadAsciiRecords(const std::string& path, Sink& sink) {
    const bool metres = MapFileTypeOf(path).kind == MapKind::Utm;
    if (metres && FamilyOf(Design().ProjCode) != ProjFamily::Utm) return;  // eastings and northings fit no other map
    if (!sink.RowSelected(1)) return;

    OpenMapFile(path);
    sink.SetRow(1);
    AsciiRecordReader reader(path, sink);
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
    } catch (const AsciiStopSeen&) {
        return;
    }
}

}  // namespace tlrx
