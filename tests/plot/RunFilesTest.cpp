#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "GridTestSupport.h"
#include "core/Errors.h"
#include "platform/ReplacingFile.h"
#include "plot/RunFiles.h"

namespace tlrx {
namespace {

class RunFilesTest : public ::testing::Test {
protected:
    void TearDown() override {
        files.CloseOutputQuietly();
        files.CloseInput();
    }
    RunFiles files;
    std::string dir = test::TestFolder();
};

TEST_F(RunFilesTest, TextLinesEndInCrLfAndAppendKeepsTheFile) {
    const std::string path = dir + "/a.txt";
    files.CreateOutputText(path);
    files.WriteLine("one");
    files.CloseOutput();
    files.AppendOutputText(path);
    files.WriteLine("two");
    files.CloseOutput();
    EXPECT_EQ(test::FileBytes(path), "one\r\ntwo\r\n");
    files.CreateOutputText(path);  // created anew: the old lines go
    files.WriteLine("three");
    files.CloseOutput();
    EXPECT_EQ(test::FileBytes(path), "three\r\n");
}

TEST_F(RunFilesTest, BinaryAccessWritesAtOneBasedPositions) {
    const std::string path = dir + "/b.bin";
    files.OpenOutputBinary(path);  // created when missing
    files.WriteBytes("abcdef", 6);
    files.SeekOutput(3);
    files.WriteBytes("XY", 2);
    files.CloseOutput();
    files.OpenOutputBinary(path);  // kept when present
    files.SeekOutput(7);
    files.WriteBytes("g", 1);
    files.CloseOutput();
    EXPECT_EQ(test::FileBytes(path), "abXYefg");
}

TEST_F(RunFilesTest, InputReadsBytesLinesAndPositions) {
    const std::string path = dir + "/in.bin";
    {
        std::ofstream out(path, std::ios::binary);
        out << "abcd\r\nef\n\nlast";
    }
    files.OpenInput(path);
    EXPECT_EQ(files.InputLength(), 14);
    char bytes[4];
    files.ReadInput(bytes, 4);
    EXPECT_EQ(std::string(bytes, 4), "abcd");
    EXPECT_EQ(files.InputPosition(), 5);
    std::string line;
    std::vector<std::string> lines;
    while (files.ReadInputLine(line, 100)) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"", "ef", "", "last"}));  // a last line without its end
    EXPECT_TRUE(files.InputAtEnd());
    EXPECT_EQ(files.InputPosition(), 15);
    files.SeekInput(13);
    EXPECT_FALSE(files.InputAtEnd());
    try {
        files.ReadInput(bytes, 3);  // two bytes are left
        FAIL() << "a read past the end must fail";
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "Input past end of file");
    }
    files.SeekInput(1);
    files.ReadInput(bytes, 1);
    EXPECT_EQ(bytes[0], 'a');
    files.CloseInput();
    EXPECT_THROW(files.ReadInput(bytes, 1), RuntimeError);
}

TEST_F(RunFilesTest, FailuresAreRaisedAndMarkTheOutput) {
    EXPECT_THROW(files.CreateOutputText(dir + "/missing/folder/x.txt"), RuntimeError);
    EXPECT_TRUE(files.OutputFailed());
    EXPECT_FALSE(files.OutputOpen());

    // A full disk: the buffered lines fail when they reach it, at the latest on closing.
    files.CreateOutputText("/dev/full");
    EXPECT_FALSE(files.OutputFailed());
    files.WriteLine("buffered");
    try {
        files.CloseOutput();
        FAIL() << "closing a file whose data could not be written must fail";
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "No space left on device");
    }
    EXPECT_FALSE(files.OutputOpen());

    files.CreateOutputText("/dev/full");
    const std::string longLine(20000, 'x');
    EXPECT_THROW(files.WriteLine(longLine), RuntimeError);
    EXPECT_TRUE(files.OutputFailed());
    EXPECT_THROW(files.CloseOutput(), RuntimeError);  // never closed as good
    EXPECT_FALSE(files.OutputOpen());
    EXPECT_FALSE(files.OutputFailed());  // no output: nothing failing

    EXPECT_THROW(files.WriteLine("no file"), RuntimeError);
    EXPECT_THROW(files.OpenInput(dir + "/none.map"), RuntimeError);
}

// A replacing output takes the file's place only when closed after every
// line was written; the file keeps its permissions, a link stays a link.
// Anything else leaves the file as it was and no temporary file.
TEST_F(RunFilesTest, AReplacingOutputTakesTheFilesPlaceOnlyWhenComplete) {
    namespace fs = std::filesystem;
    const std::string path = dir + "/circle.prn";
    std::ofstream(path, std::ios::binary) << "old";
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const auto entries = [this] {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };

    files.CreateOutputTextReplacing(path);
    files.WriteLine("new");
    files.CloseOutputQuietly();  // dropped
    EXPECT_EQ(test::FileBytes(path), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"circle.prn"});

    files.CreateOutputTextReplacing(path);
    files.WriteLine("new");
    EXPECT_EQ(test::FileBytes(path), "old");  // not yet
    files.CloseOutput();
    EXPECT_EQ(test::FileBytes(path), "new\r\n");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(), std::vector<std::string>{"circle.prn"});

    fs::create_symlink("circle.prn", dir + "/link.prn");
    files.CreateOutputTextReplacing(dir + "/link.prn");
    files.WriteLine("linked");
    files.CloseOutput();
    EXPECT_TRUE(fs::is_symlink(dir + "/link.prn"));
    EXPECT_EQ(test::FileBytes(path), "linked\r\n");

    // Names that are no file to replace are refused before anything is written.
    fs::create_directories(dir + "/folder.prn");
    const struct {
        std::string path;
        const char* description;
    } refused[] = {
        {dir + "/folder.prn", "Is a directory"},
        {"/dev/null", "Not a regular file"},
        {dir + "/missing/circle.prn", "No such file or directory"},
        {"", "No such file or directory"},
    };
    for (const auto& c : refused) {
        try {
            files.CreateOutputTextReplacing(c.path);
            ADD_FAILURE() << c.path << " was accepted";
        } catch (const RuntimeError& e) {
            EXPECT_STREQ(e.what(), c.description) << c.path;
        }
        EXPECT_FALSE(files.OutputOpen());
    }
    EXPECT_EQ(entries(), (std::vector<std::string>{"circle.prn", "folder.prn", "link.prn"}));
    EXPECT_TRUE(fs::is_empty(dir + "/folder.prn"));
}

// Lines up to the bound come back whole, their CR LF taken off; a longer
// line comes back longer than the bound, read no further than two
// characters past it.
TEST_F(RunFilesTest, InputLinesAreReadUpToTheirBound) {
    const std::string path = dir + "/lines.txt";
    {
        std::ofstream out(path, std::ios::binary);
        out << "abcd\r\nabcd\nabcde\n" << std::string(100000, 'x') << "\nend";
    }
    files.OpenInput(path);
    std::string line;
    std::vector<std::string> lines;
    while (files.ReadInputLine(line, 4) && line.size() <= 4) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"abcd", "abcd"}));
    EXPECT_EQ(line, "abcde");
    ASSERT_TRUE(files.ReadInputLine(line, 4));
    EXPECT_EQ(line, "xxxxxx");
    EXPECT_EQ(files.InputPosition(), 18 + 6);
}

// A file of several blocks: reads, lines, seeks within the block held and
// beyond it, and the bytes scanned in place all see the file's bytes at the
// input's position.
TEST_F(RunFilesTest, InputAcrossBlocks) {
    const std::string path = dir + "/blocks.bin";
    std::string bytes(3 * kInputBlockBytes + 1000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(' ' + i * 7 % 95);
    for (size_t i = 5; i < bytes.size(); i += 1001) bytes[i] = '\n';
    {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    files.OpenInput(path);
    EXPECT_EQ(files.InputLength(), static_cast<int64_t>(bytes.size()));
    EXPECT_EQ(files.InputPosition(), 1);  // told the length without moving

    const int64_t block = static_cast<int64_t>(kInputBlockBytes);
    // Positions (1-based) in the first block, across its end, far beyond, back.
    for (const int64_t at : {int64_t{1}, block - 3, block + 10, 3 * block - 2, int64_t{100}, 2 * block + 1}) {
        SCOPED_TRACE(at);
        files.SeekInput(at);
        char got[8];
        files.ReadInput(got, sizeof got);
        EXPECT_EQ(std::string(got, sizeof got), bytes.substr(static_cast<size_t>(at - 1), sizeof got));
        EXPECT_EQ(files.InputPosition(), at + 8);
    }

    // Scanning in place: the bytes ahead start at the position; taking them
    // moves it, no further than the bytes held; then the next block.
    files.SeekInput(block - 99);
    std::string_view ahead = files.InputAhead();
    ASSERT_GE(ahead.size(), 40u);
    EXPECT_EQ(ahead, std::string_view(bytes).substr(static_cast<size_t>(block - 100), ahead.size()));
    files.TakeInput(40);
    EXPECT_EQ(files.InputPosition(), block - 59);
    const size_t held = files.InputAhead().size();
    files.TakeInput(held + 1000);
    const int64_t next = block - 59 + static_cast<int64_t>(held);
    EXPECT_EQ(files.InputPosition(), next);
    ahead = files.InputAhead();
    EXPECT_EQ(ahead.size(), std::min(kInputBlockBytes, bytes.size() - static_cast<size_t>(next - 1)));
    EXPECT_EQ(ahead, std::string_view(bytes).substr(static_cast<size_t>(next - 1), ahead.size()));

    // Lines across a block's end.
    files.SeekInput(block - 30);
    std::string line;
    ASSERT_TRUE(files.ReadInputLine(line, 4096));
    const size_t from = static_cast<size_t>(block - 31);
    EXPECT_EQ(line, bytes.substr(from, bytes.find('\n', from) - from));

    // The last bytes, then the end.
    files.SeekInput(static_cast<int64_t>(bytes.size()) - 1);
    ahead = files.InputAhead();
    EXPECT_EQ(ahead, std::string_view(bytes).substr(bytes.size() - 2));
    files.TakeInput(2);
    EXPECT_TRUE(files.InputAhead().empty());
    EXPECT_TRUE(files.InputAtEnd());
    char c = 0;
    EXPECT_THROW(files.ReadInput(&c, 1), RuntimeError);
    files.SeekInput(static_cast<int64_t>(bytes.size()) + 50);  // past the end: nothing there
    EXPECT_TRUE(files.InputAtEnd());
    EXPECT_TRUE(files.InputAhead().empty());
    files.CloseInput();
    EXPECT_THROW(files.InputAhead(), RuntimeError);
}

TEST_F(RunFilesTest, InputIsReadAndClosed) {
    const std::string path = dir + "/in.map";
    files.CreateOutputText(path);
    files.WriteLine("12");
    files.CloseOutput();
    files.OpenInput(path);
    EXPECT_TRUE(files.InputOpen());
    std::string text;
    files.Input() >> text;
    EXPECT_EQ(text, "12");
    files.CloseInput();
    EXPECT_FALSE(files.InputOpen());
}

// Whether an export can be written is found out without a trace: a missing
// file is not left behind, an existing one keeps its bytes and time.
TEST_F(RunFilesTest, AFileThatCannotBeWrittenIsToldBeforehandWithoutATrace) {
    namespace fs = std::filesystem;
    const std::string existing = dir + "/old.cgm";
    std::ofstream(existing, std::ios::binary) << "old bytes";
    const auto written = fs::last_write_time(existing);
    fs::create_directories(dir + "/folder.cgm");
    const struct {
        std::string path;
        std::string problem;
    } cases[] = {
        {dir + "/new.cgm", ""},
        {existing, ""},
        {dir + "/folder.cgm", "Is a directory"},
        {dir + "/missing/new.cgm", "No such file or directory"},
        {"/dev/null", "Not a regular file"},
        {dir + "/" + std::string(300, 'n') + ".cgm", "File name too long"},
        {"", "Bad file name"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OutputFileProblem(c.path), c.problem) << c.path;
    }
    EXPECT_FALSE(fs::exists(dir + "/new.cgm"));
    EXPECT_EQ(test::FileBytes(existing), "old bytes");
    EXPECT_EQ(fs::last_write_time(existing), written);
}

// Where the system refuses writing although the permissions allow it, its
// own reason is given: a test cannot mount a read-only file system, so the
// system's verdict on the file and its folder is scripted.
int g_writeVerdict = 0;
struct ScriptedWriteAccess {
    ScriptedWriteAccess() {
        SetWriteAccessCheck([](const char*) { return g_writeVerdict; });
    }
    ~ScriptedWriteAccess() { SetWriteAccessCheck(nullptr); }
};

TEST_F(RunFilesTest, AFileTheSystemWillNotLetBeWrittenIsRefusedWithTheSystemsReason) {
    const std::string existing = dir + "/old.cgm";
    std::ofstream(existing, std::ios::binary) << "old bytes";
    const ScriptedWriteAccess scripted;
    const struct {
        int error;
        const char* description;
    } cases[] = {
        {EROFS, "Read-only file system"},
        {EACCES, "Permission denied"},
        {EPERM, "Operation not permitted"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        g_writeVerdict = c.error;
        // A new file's folder is asked beforehand; the file itself is
        // refused by the system when it is made.
        EXPECT_EQ(OutputFileProblem(dir + "/new.cgm"), c.description);
        EXPECT_EQ(OutputFileProblem(existing), c.description);
        EXPECT_EQ(WriteFileReplacing(existing, "new bytes"), c.description);
        try {
            files.CreateOutputTextReplacing(existing);
            ADD_FAILURE() << "the file was replaced";
        } catch (const RuntimeError& e) {
            EXPECT_STREQ(e.what(), c.description);
        }
    }
    g_writeVerdict = 0;
    EXPECT_EQ(OutputFileProblem(existing), "");
    EXPECT_EQ(test::FileBytes(existing), "old bytes");
    EXPECT_EQ(test::TemporaryFiles(dir), 0);
}

}  // namespace
}  // namespace tlrx
