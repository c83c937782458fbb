#pragma once
// The two files of a drawing run: the map file being read ("file number 1")
// and the export being written ("file number 2"). They live in one run-state
// object so that Stop can close them wherever the run happens to be.
//
// Every failure raises RuntimeError with the system's description of the
// cause ("No space left on device"); a failed write also marks the output as
// failed, so that the file is never taken for a complete one.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ReplacingFile.h"

namespace tlrx {

// The description of a read that meets the end of the file.
inline constexpr std::string_view kInputPastEnd = "Input past end of file";

// The input is read from the file in blocks of this many bytes.
inline constexpr size_t kInputBlockBytes = size_t{1} << 18;

class RunFiles {
public:
    RunFiles() = default;
    ~RunFiles();
    RunFiles(const RunFiles&) = delete;
    RunFiles& operator=(const RunFiles&) = delete;

    // ---- The output, file number 2 ----

    // Creates the file anew for text lines; an existing file is replaced.
    void CreateOutputText(const std::string& path);
    // For text lines that replace the file only once they are all written:
    // they go to a new temporary file in the same folder, which CloseOutput
    // renames over `path` (see platform/ReplacingFile.h). A failure at any
    // point, CloseOutputQuietly or the end of the process before CloseOutput
    // leaves the file at `path` as it was, and no temporary file once the
    // output is closed.
    void CreateOutputTextReplacing(const std::string& path);
    // Opens the file for text lines written after its end; a missing file is created.
    void AppendOutputText(const std::string& path);
    // Opens the file for binary reading and writing at byte position 1,
    // keeping its contents; a missing file is created.
    void OpenOutputBinary(const std::string& path);
    // Creates the file anew for binary reading and writing; an existing file is replaced.
    void CreateOutputBinary(const std::string& path);

    // ---- The outputs of a run ----
    // From StageOutputs until CommitOutputs or DiscardOutputs, every output
    // opened by name is written to a temporary file standing in for that
    // name, one per name and kept from open to open (an append or a binary
    // open of a name starts from the file's contents). The files under those
    // names change only when CommitOutputs replaces each with its temporary
    // file; a stopped or failed run discards them and leaves every earlier
    // file as it was. A name that cannot be replaced (a read-only file, a
    // folder, a device) fails at its first open.
    void StageOutputs();
    bool OutputsStaged() const { return staging_; }
    // Closes the output and replaces every staged name with its file; raises
    // the first failure (those staged names that failed keep their old file).
    // Staging ends.
    void CommitOutputs();
    // Closes the output and drops every staged file. Staging goes on, so that
    // whatever a given-up run still writes is staged anew and dropped too.
    void DiscardOutputs();
    // Drops every staged file, and staging ends.
    void EndStaging();
    // Whether a file of this name exists: when staged, whether this run has
    // opened it.
    bool OutputExists(const std::string& path) const;

    bool OutputOpen() const { return out_.is_open(); }
    // True once a write (or the open) of the current output has failed,
    // until the output is closed or another one opened.
    bool OutputFailed() const { return outFailed_; }

    // Writes text and the line end CR LF.
    void WriteLine(std::string_view text);
    // Writes bytes at the current position.
    void WriteBytes(const void* data, size_t count);
    // Moves the write position to a byte position, 1 being the first byte.
    // Costs nothing when the output is known to be there already, so a
    // writer may name the position of every element it writes.
    void SeekOutput(int64_t position);

    // Flushes and closes the output; raises when the data could not all be
    // written, now or by an earlier write (a replacing output then leaves
    // the old file). Nothing happens when no output is open.
    void CloseOutput();
    // Closes the output without a verdict: for a stop, or after a failure
    // that has already been reported. A replacing output is dropped; a
    // staged one stays staged.
    void CloseOutputQuietly();

    // ---- The input, file number 1 ----

    // Opens a map file for binary reading.
    void OpenInput(const std::string& path);
    bool InputOpen() const { return inBuffer_.IsOpen(); }
    std::istream& Input() { return in_; }
    void CloseInput();

    // The bytes read ahead from the input and not yet taken, for a reader
    // that scans them in place; reads the next block when none are left.
    // Empty at the end of the file. The view holds until the next call of
    // any input function.
    std::string_view InputAhead();
    // Takes `count` bytes of InputAhead() as read (at most as many as it holds).
    void TakeInput(size_t count);

    // Reads exactly `count` bytes; raises kInputPastEnd when the file ends first.
    void ReadInput(void* data, size_t count);
    // Reads the next line into `line` without its line end (LF, or CR LF);
    // false at the end of the file. A last line without a line end is read.
    // No more than the bound is read: a line longer than `maxChars` comes
    // back longer than `maxChars` (cut after maxChars + 2 characters, the
    // rest of it left unread), whatever its real length.
    bool ReadInputLine(std::string& line, size_t maxChars);
    // True when no byte is left to read.
    bool InputAtEnd();
    // Moves the read position to a byte position, 1 being the first byte.
    void SeekInput(int64_t position);
    // The byte position of the next read, 1 being the first byte.
    int64_t InputPosition();
    // The length of the input in bytes.
    int64_t InputLength();

private:
    // Opens path, or the file staged for it (made on its first open, with
    // the old contents when `keep`), with mode.
    void OpenOutput(const std::string& path, std::ios::openmode mode, bool keep);
    [[noreturn]] void OutputFailure();
    [[noreturn]] void OutputFailure(const std::string& description);

    std::fstream out_;
    bool outFailed_ = false;
    int64_t outPos_ = 0;  // 1-based write position of out_, 0 when not known

    std::unique_ptr<ReplacingFile> replacing_;  // a replacing output's temporary file
    bool staging_ = false;
    std::vector<std::pair<std::string, std::unique_ptr<ReplacingFile>>> staged_;  // by name, in order of opening
    // The input's stream buffer: the file read a block at a time into memory
    // kept from file to file. A seek that lands in the block held moves no
    // file position and reads nothing.
    class InputBuffer : public std::streambuf {
    public:
        ~InputBuffer() override { Close(); }
        bool Open(const std::string& path);
        bool IsOpen() const { return file_ != nullptr; }
        void Close();
        std::string_view Ahead();
        void Take(size_t count);
        // The length of the file in bytes, -1 when it cannot be told.
        int64_t Length();

    protected:
        int_type underflow() override;
        pos_type seekoff(off_type offset, std::ios::seekdir dir, std::ios::openmode which) override;
        pos_type seekpos(pos_type position, std::ios::openmode which) override;

    private:
        pos_type SeekTo(int64_t target);

        std::FILE* file_ = nullptr;  // unbuffered: every read fills a block
        std::vector<char> block_;
        int64_t blockStart_ = 0;  // the file position of the block's first byte
        int64_t fileAt_ = 0;      // the position of file_
    };

    InputBuffer inBuffer_;
    std::istream in_{&inBuffer_};
    std::vector<char> lineBuffer_;  // ReadInputLine's, kept at the longest bound asked for
};

// The one pair of run files of the process.
RunFiles& Files();

// Why no file of this name can be written, as the system describes it
// ("Permission denied"); empty when one can. Changes nothing.
std::string OutputFileProblem(const std::string& path);

}  // namespace tlrx
