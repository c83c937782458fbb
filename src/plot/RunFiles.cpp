#include "plot/RunFiles.h"

#include <algorithm>
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
    if (path.empty()) return "Bad file name";
    return ReplaceProblem(path);
}

void RunFiles::OpenOutput(const std::string& path, std::ios::openmode mode, bool keep) {
    CloseOutputQuietly();
    outFailed_ = false;
    std::string name = path;
    if (staging_) {
        auto it = std::find_if(staged_.begin(), staged_.end(), [&](const auto& s) { return s.first == path; });
        if (it == staged_.end()) {
            auto file = std::make_unique<ReplacingFile>();
            if (!file->Open(path) || (keep && !file->CopyTarget())) OutputFailure(file->Error());
            staged_.emplace_back(path, std::move(file));
            it = staged_.end() - 1;
        }
        name = it->second->TempPath();
    }
    errno = 0;
    out_.open(name, mode);
    if (!out_.is_open()) OutputFailure();
}

void RunFiles::OutputFailure() { OutputFailure(SystemDescription()); }

void RunFiles::OutputFailure(const std::string& description) {
    outFailed_ = true;
    outPos_ = 0;
    Raise(description);
}

RunFiles::~RunFiles() { EndStaging(); }

void RunFiles::CreateOutputText(const std::string& path) {
    OpenOutput(path, std::ios::out | std::ios::binary | std::ios::trunc, false);
    outPos_ = 1;
}

void RunFiles::CreateOutputTextReplacing(const std::string& path) {
    CloseOutputQuietly();
    outFailed_ = false;
    auto file = std::make_unique<ReplacingFile>();
    if (!file->Open(path)) OutputFailure(file->Error());
    errno = 0;
    out_.open(file->TempPath(), std::ios::out | std::ios::binary | std::ios::trunc);
    if (!out_.is_open()) OutputFailure();
    replacing_ = std::move(file);
    outPos_ = 1;
}

void RunFiles::AppendOutputText(const std::string& path) {
    OpenOutput(path, std::ios::out | std::ios::binary | std::ios::app, true);
}

void RunFiles::OpenOutputBinary(const std::string& path) {
    if (staging_) {
        OpenOutput(path, std::ios::in | std::ios::out | std::ios::binary, true);
        outPos_ = 1;
        return;
    }
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

void RunFiles::CreateOutputBinary(const std::string& path) {
    OpenOutput(path, std::ios::in | std::ios::out | std::ios::binary | std::ios::trunc, false);
    outPos_ = 1;
}

void RunFiles::StageOutputs() {
    EndStaging();
    staging_ = true;
}

void RunFiles::CommitOutputs() {
    std::string failure;
    try {
        CloseOutput();
    } catch (const RuntimeError& e) {
        failure = e.what();
    }
    if (failure.empty()) {
        for (auto& [name, file] : staged_) {
            if (!file->Commit() && failure.empty()) failure = file->Error();
        }
    }
    EndStaging();
    if (!failure.empty()) Raise(failure);
}

void RunFiles::DiscardOutputs() {
    CloseOutputQuietly();
    staged_.clear();
}

void RunFiles::EndStaging() {
    DiscardOutputs();
    staging_ = false;
}

bool RunFiles::OutputExists(const std::string& path) const {
    if (staging_) {
        return std::any_of(staged_.begin(), staged_.end(), [&](const auto& s) { return s.first == path; });
    }
    std::error_code ec;
    return std::filesystem::exists(path, ec);
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
    const std::string description = failed ? SystemDescription() : std::string();
    out_.clear();
    outFailed_ = false;
    std::unique_ptr<ReplacingFile> file = std::move(replacing_);
    if (failed) Raise(description);
    if (file && !file->Commit()) Raise(file->Error());
}

void RunFiles::CloseOutputQuietly() {
    if (out_.is_open()) out_.close();
    outPos_ = 0;
    out_.clear();
    outFailed_ = false;
    replacing_.reset();
}

bool RunFiles::InputBuffer::Open(const std::string& path) {
    Close();
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) return false;
    // The blocks are read straight into block_.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    if (block_.empty()) block_.resize(kInputBlockBytes);
    blockStart_ = fileAt_ = 0;
    setg(block_.data(), block_.data(), block_.data());
    return true;
}

void RunFiles::InputBuffer::Close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    blockStart_ = fileAt_ = 0;
    setg(nullptr, nullptr, nullptr);
}

RunFiles::InputBuffer::int_type RunFiles::InputBuffer::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (file_ == nullptr) return traits_type::eof();
    const int64_t next = blockStart_ + (egptr() - eback());
    errno = 0;
    if (fileAt_ != next) {
        if (fseeko(file_, next, SEEK_SET) != 0) Raise(SystemDescription());
        fileAt_ = next;
    }
    const size_t got = std::fread(block_.data(), 1, block_.size(), file_);
    if (got < block_.size() && std::ferror(file_)) {
        std::clearerr(file_);
        Raise(SystemDescription());
    }
    fileAt_ += static_cast<int64_t>(got);
    blockStart_ = next;
    setg(block_.data(), block_.data(), block_.data() + got);
    return got > 0 ? traits_type::to_int_type(*gptr()) : traits_type::eof();
}

std::string_view RunFiles::InputBuffer::Ahead() {
    if (gptr() == egptr()) underflow();
    return {gptr(), static_cast<size_t>(egptr() - gptr())};
}

void RunFiles::InputBuffer::Take(size_t count) {
    const size_t held = static_cast<size_t>(egptr() - gptr());
    setg(eback(), gptr() + std::min(count, held), egptr());
}

int64_t RunFiles::InputBuffer::Length() {
    if (file_ == nullptr || fseeko(file_, 0, SEEK_END) != 0) return -1;
    fileAt_ = ftello(file_);
    return fileAt_;
}

RunFiles::InputBuffer::pos_type RunFiles::InputBuffer::SeekTo(int64_t target) {
    if (file_ == nullptr || target < 0) return pos_type(off_type(-1));
    if (target >= blockStart_ && target <= blockStart_ + (egptr() - eback())) {
        setg(eback(), eback() + (target - blockStart_), egptr());
    } else {
        // Read from there on the next read.
        blockStart_ = target;
        setg(block_.data(), block_.data(), block_.data());
    }
    return pos_type(off_type(target));
}

RunFiles::InputBuffer::pos_type RunFiles::InputBuffer::seekoff(off_type offset, std::ios::seekdir dir,
                                                               std::ios::openmode /*which*/) {
    switch (dir) {
    case std::ios::beg: return SeekTo(offset);
    case std::ios::cur: return SeekTo(blockStart_ + (gptr() - eback()) + offset);
    default: {
        const int64_t length = Length();
        return length < 0 ? pos_type(off_type(-1)) : SeekTo(length + offset);
    }
    }
}

RunFiles::InputBuffer::pos_type RunFiles::InputBuffer::seekpos(pos_type position, std::ios::openmode /*which*/) {
    return SeekTo(off_type(position));
}

void RunFiles::OpenInput(const std::string& path) {
    CloseInput();
    errno = 0;
    if (!inBuffer_.Open(path)) Raise(SystemDescription());
}

void RunFiles::CloseInput() {
    inBuffer_.Close();
    in_.clear();
}

std::string_view RunFiles::InputAhead() {
    if (!InputOpen()) Raise("Bad file name or number");
    return inBuffer_.Ahead();
}

void RunFiles::TakeInput(size_t count) { inBuffer_.Take(count); }

void RunFiles::ReadInput(void* data, size_t count) {
    if (!InputOpen()) Raise("Bad file name or number");
    in_.read(static_cast<char*>(data), static_cast<std::streamsize>(count));
    if (static_cast<size_t>(in_.gcount()) != count) {
        in_.clear();
        Raise(kInputPastEnd);
    }
}

bool RunFiles::ReadInputLine(std::string& line, size_t maxChars) {
    if (!InputOpen()) Raise("Bad file name or number");
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
    if (!InputOpen()) Raise("Bad file name or number");
    in_.clear();  // an end met before is looked for again
    return in_.peek() == std::istream::traits_type::eof();
}

void RunFiles::SeekInput(int64_t position) {
    if (!InputOpen()) Raise("Bad file name or number");
    if (position < 1) Raise(kInvalidCall);
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(position - 1));
    if (!in_) Raise("Device I/O error");
}

int64_t RunFiles::InputPosition() {
    if (!InputOpen()) Raise("Bad file name or number");
    in_.clear();  // the position at the end is still known
    const std::streampos here = in_.tellg();
    if (here < 0) Raise("Device I/O error");
    return static_cast<int64_t>(here) + 1;
}

int64_t RunFiles::InputLength() {
    if (!InputOpen()) Raise("Bad file name or number");
    const int64_t length = inBuffer_.Length();
    if (length < 0) Raise("Device I/O error");
    return length;
}

}  // namespace tlrx
