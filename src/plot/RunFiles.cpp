#include "plot/RunFiles.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/Errors.h"

namespace tlrx {

namespace {

// The description of the last system error, or a general one when the
// library left none.
std::string SystemDescription() {
    return errno != 0 ? std::string(std::strerror(errno)) : std::string("Device I/O error");
}

}  // namespace

RunFiles& Files() {
    static RunFiles files;
    return files;
}

std::string OutputFileProblem(const std::string& path) {
    namespace fs = std::filesystem;
    if (path.empty()) return "Bad file name";
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    const bool existed = fs::exists(status);
    if (fs::is_directory(status)) return "Is a directory";
    if (existed && !fs::is_regular_file(status)) return "Not a regular file";
    errno = 0;
    std::ofstream probe(path, std::ios::out | std::ios::binary | std::ios::app);
    if (!probe.is_open()) return SystemDescription();
    probe.close();
    if (!existed) fs::remove(path, ec);
    return {};
}

void RunFiles::OpenOutput(const std::string& path, std::ios::openmode mode) {
    CloseOutputQuietly();
    outFailed_ = false;
    errno = 0;
    out_.open(path, mode);
    if (!out_.is_open()) OutputFailure();
}

void RunFiles::OutputFailure() {
    outFailed_ = true;
    outPos_ = 0;
    Raise(SystemDescription());
}

void RunFiles::CreateOutputText(const std::string& path) {
    OpenOutput(path, std::ios::out | std::ios::binary | std::ios::trunc);
    outPos_ = 1;
}

void RunFiles::AppendOutputText(const std::string& path) {
    OpenOutput(path, std::ios::out | std::ios::binary | std::ios::app);
}

void RunFiles::OpenOutputBinary(const std::string& path) {
    CloseOutputQuietly();
    outFailed_ = false;
    errno = 0;
    out_.open(path, std::ios::in | std::ios::out | std::ios::binary);
    if (!out_.is_open()) {
        // Reading and writing needs an existing file: create it first.
        std::ofstream create(path, std::ios::out | std::ios::binary);
        if (!create.is_open()) OutputFailure();
        create.close();
        out_.clear();
        out_.open(path, std::ios::in | std::ios::out | std::ios::binary);
        if (!out_.is_open()) OutputFailure();
    }
    outPos_ = 1;
}

void RunFiles::WriteLine(std::string_view text) {
    if (!out_.is_open()) Raise("Bad file name or number");
    errno = 0;
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    out_.write("\r\n", 2);
    if (!out_) OutputFailure();
    if (outPos_ > 0) outPos_ += static_cast<int64_t>(text.size()) + 2;
}

void RunFiles::WriteBytes(const void* data, size_t count) {
    if (!out_.is_open()) Raise("Bad file name or number");
    errno = 0;
    out_.write(static_cast<const char*>(data), static_cast<std::streamsize>(count));
    if (!out_) OutputFailure();
    if (outPos_ > 0) outPos_ += static_cast<int64_t>(count);
}

void RunFiles::SeekOutput(int64_t position) {
    if (!out_.is_open()) Raise("Bad file name or number");
    if (position < 1) Raise(kInvalidCall);
    // Every seek flushes the stream's buffer: skip the ones that move nowhere.
    if (position == outPos_) return;
    errno = 0;
    out_.seekp(static_cast<std::streamoff>(position - 1));
    if (!out_) OutputFailure();
    outPos_ = position;
}

void RunFiles::CloseOutput() {
    if (!out_.is_open()) return;
    errno = 0;
    out_.close();
    outPos_ = 0;
    const bool failed = !out_ || outFailed_;
    out_.clear();
    outFailed_ = false;
    if (failed) Raise(SystemDescription());
}

void RunFiles::CloseOutputQuietly() {
    if (out_.is_open()) out_.close();
    outPos_ = 0;
    out_.clear();
    outFailed_ = false;
}

void RunFiles::OpenInput(const std::string& path) {
    CloseInput();
    errno = 0;
    in_.open(path, std::ios::in | std::ios::binary);
    if (!in_.is_open()) Raise(SystemDescription());
}

void RunFiles::CloseInput() {
    if (in_.is_open()) in_.close();
    in_.clear();
}

void RunFiles::ReadInput(void* data, size_t count) {
    if (!in_.is_open()) Raise("Bad file name or number");
    in_.read(static_cast<char*>(data), static_cast<std::streamsize>(count));
    if (static_cast<size_t>(in_.gcount()) != count) {
        in_.clear();
        Raise(kInputPastEnd);
    }
}

bool RunFiles::ReadInputLine(std::string& line, size_t maxChars) {
    if (!in_.is_open()) Raise("Bad file name or number");
    if (InputAtEnd()) return false;
    // Room for the bound, a CR before the LF and one character more; the
    // buffer is kept from line to line.
    const size_t room = maxChars + 2;
    if (lineBuffer_.size() < room + 1) lineBuffer_.resize(room + 1);
    in_.getline(lineBuffer_.data(), static_cast<std::streamsize>(room + 1));
    size_t length = static_cast<size_t>(in_.gcount());
    // Without eof or fail the line end was taken too; fail means `room`
    // characters were stored and the line goes on.
    if (!in_.eof() && !in_.fail()) --length;
    in_.clear();
    line.assign(lineBuffer_.data(), length);
    if (!line.empty() && line.back() == '\r' && length <= maxChars + 1) line.pop_back();
    return true;
}

bool RunFiles::InputAtEnd() {
    if (!in_.is_open()) Raise("Bad file name or number");
    in_.clear();  // an end met before is looked for again
    return in_.peek() == std::ifstream::traits_type::eof();
}

void RunFiles::SeekInput(int64_t position) {
    if (!in_.is_open()) Raise("Bad file name or number");
    if (position < 1) Raise(kInvalidCall);
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(position - 1));
    if (!in_) Raise("Device I/O error");
}

int64_t RunFiles::InputPosition() {
    if (!in_.is_open()) Raise("Bad file name or number");
    in_.clear();  // the position at the end is still known
    const std::streampos here = in_.tellg();
    if (here < 0) Raise("Device I/O error");
    return static_cast<int64_t>(here) + 1;
}

int64_t RunFiles::InputLength() {
    if (!in_.is_open()) Raise("Bad file name or number");
    in_.clear();
    const std::streampos here = in_.tellg();
    in_.seekg(0, std::ios::end);
    const std::streampos end = in_.tellg();
    in_.seekg(here);
    if (!in_ || end < 0) Raise("Device I/O error");
    return static_cast<int64_t>(end);
}

}  // namespace tlrx
