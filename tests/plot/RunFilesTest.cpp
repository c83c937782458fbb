#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "GridTestSupport.h"
#include "core/Errors.h"
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

}  // namespace
}  // namespace tlrx
