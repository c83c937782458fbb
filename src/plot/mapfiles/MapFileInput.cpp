#include "plot/mapfiles/MapFileInput.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/Errors.h"
#include "core/NumberText.h"
#include "plot/RunFiles.h"

namespace tlrx {

void RaiseLineTooLong(const std::string& path) {
    Raise(path + " has a line longer than " + std::to_string(kMaxMapLineChars) + " characters");
}

void RequireMapFile(const std::string& path) {
    if (path.empty()) Raise(kFileNotFound);
    // Looked at without opening: opening a named pipe waits for a writer.
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    // A folder of that name is no map file either.
    if (!std::filesystem::exists(status) || std::filesystem::is_directory(status)) Raise(kFileNotFound);
    if (!std::filesystem::is_regular_file(status)) Raise(path + " is not a regular file");
}

void OpenMapFile(const std::string& path) {
    RequireMapFile(path);
    Files().OpenInput(path);
}

InputCursor::InputCursor() {
    const std::string_view ahead = Files().InputAhead();
    begin_ = next = ahead.data();
    end = ahead.data() + ahead.size();
}

void InputCursor::Commit() {
    Files().TakeInput(static_cast<size_t>(next - begin_));
    begin_ = next;
}

bool InputCursor::Refill() {
    Commit();
    ++fills_;
    // A stop may have closed the input meanwhile: then the file has ended.
    RunFiles& files = Files();
    const std::string_view ahead = files.InputOpen() ? files.InputAhead() : std::string_view();
    begin_ = next = ahead.data();
    end = ahead.data() + ahead.size();
    return next < end;
}

bool InputCursor::Read(void* data, size_t count) {
    auto* out = static_cast<char*>(data);
    while (count > 0) {
        if (!More()) return false;
        const size_t n = std::min(count, static_cast<size_t>(end - next));
        std::memcpy(out, next, n);
        next += n, out += n, count -= n;
    }
    return true;
}

namespace {

constexpr std::string_view kTypeMismatch = "Type mismatch";

}  // namespace

double FreeFieldNumber(std::string_view field) {
    const char* first = field.data();
    const char* last = first + field.size();
    if (first == last) return 0;
    if (*first == '+') ++first;
    // Most fields are plain decimals.
    const char* p = first;
    const bool negative = p < last && *p == '-';
    if (negative) ++p;
    double value = 0;
    if (ReadPlainDecimal(p, last, value) && p == last) return negative ? -value : value;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) Raise(kOverflow);
    if (ec != std::errc{} || end != last) Raise(kTypeMismatch);
    return value;
}

double FieldNumber(std::string_view text) {
    // Most fields are plain decimals, perhaps between blanks: read without copying them.
    {
        const char* p = text.data();
        const char* last = p + text.size();
        while (p < last && *p == ' ') ++p;
        bool negative = false;
        if (p < last && (*p == '+' || *p == '-')) negative = *p++ == '-';
        const char* digits = p;
        double value = 0;
        const bool exact = ReadPlainDecimal(p, last, value);
        const char* after = p;
        while (after < last && *after == ' ') ++after;
        // Ended by another character or by the field's end, not by blanks inside the number.
        if (after == p || after == last) {
            if (p == digits || (p == digits + 1 && *digits == '.')) return 0;  // no digit
            if (exact) return negative ? -value : value;
        }
    }
    // Reused for every field, so that reading a field allocates nothing once it has grown.
    thread_local std::string compact;
    compact.clear();
    for (const char c : text)
        if (c != ' ') compact.push_back(c);
    return LeadingNumber(compact);
}

}  // namespace tlrx
