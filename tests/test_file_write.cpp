#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/run_error.h"
#include "fileio/file_read.h"
#include "fileio/file_write.h"
#include "tests/test_support.h"

namespace tovrik {
namespace {

using testing::Slurp;
using testing::TempDir;

TEST(FileWrite, RowsOfTheWriter) {
    struct Case {
        const char* name;
        const char* before;  // nullptr: no file
        FileValue data;
        bool deleteFirst;
        bool result;
        std::string after;
    };
    const Case cases[] = {
        {"text to a missing file", nullptr, FileValue::Text("abc"), false, true, "abc"},
        {"empty text creates an empty file", nullptr, FileValue::Text(""), false, false, ""},
        {"overwrite keeps the old tail", "123456", FileValue::Text("XY"), false, true, "XY3456"},
        {"delete first replaces", "123456", FileValue::Text("XY"), true, true, "XY"},
        {"lines end in CR LF", "123456old", FileValue::LineList({"A", "B"}), false, true, "A\r\nB\r\nold"},
        {"no lines write nothing", nullptr, FileValue::LineList(), false, false, ""},
        {"bytes unchanged", nullptr, FileValue::ByteList({0, 0xE9, '\n'}), false, true, std::string("\0\xE9\n", 3)},
        {"no bytes write nothing", "keep", FileValue::ByteList(), false, false, "keep"},
        {"other kind creates an empty file", nullptr, FileValue::Other("Long"), false, false, ""},
        {"other kind leaves a file", "keep", FileValue::Other("Double"), false, false, "keep"},
        {"other kind after the delete", "keep", FileValue::Other("Double"), true, false, ""},
        {"delete flag on a missing file", nullptr, FileValue::Text("new"), true, true, "new"},
        {"bytes above 127 as they are", nullptr, FileValue::Text("/home/\xC3\xA9lodie"), true, true,
         "/home/\xC3\xA9lodie"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        std::string path = dir / "f.dat";
        if (c.before != nullptr) dir.write("f.dat", c.before);
        EXPECT_EQ(FileWrite(path, c.data, c.deleteFirst), c.result) << c.name;
        EXPECT_EQ(Slurp(path), c.after) << c.name;
    }
}

TEST(FileWrite, FailingDeleteLeavesTheFile) {
    // Nobody can delete a file of /proc, root included.
    ASSERT_TRUE(FileExists("/proc/version"));
    EXPECT_FALSE(ShellDeleteFile("/proc/version", kSilentDelete));
    EXPECT_FALSE(FileWrite("/proc/version", FileValue::Text("x"), true));
    EXPECT_TRUE(FileExists("/proc/version"));
}

TEST(FileWrite, CannotOpen) {
    TempDir dir;
    EXPECT_FALSE(FileWrite(dir / "missing/f.dat", FileValue::Text("x"), false));
    EXPECT_FALSE(FileWrite(dir.mkdir("folder"), FileValue::Text("x"), true));
    std::string fifo = dir / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(FileWrite(fifo, FileValue::Text("x"), false));  // no reader: fails at once
}

TEST(ShellDeleteFile, DeletesOutrightAndKeepsTheFlagsWidth) {
    TempDir dir;
    std::string path = dir.write("f.dat", "x");
    EXPECT_TRUE(ShellDeleteFile(path, kSilentDelete));
    EXPECT_FALSE(FileExists(path));
    EXPECT_TRUE(ShellDeleteFile(path, kSilentDelete));  // already gone
    EXPECT_FALSE(ShellDeleteFile(dir.mkdir("folder"), kSilentDelete));
    dir.write("g.dat", "x");
    for (std::int32_t flags : {32768, -32769}) {
        try {
            ShellDeleteFile(dir / "g.dat", flags);
            ADD_FAILURE() << flags;
        } catch (const RunError& error) {
            EXPECT_EQ(error.kind(), RunError::Kind::Overflow);
        }
    }
    EXPECT_TRUE(FileExists(dir / "g.dat"));
    EXPECT_TRUE(ShellDeleteFile(dir / "g.dat", -32768));
}

}  // namespace
}  // namespace tovrik
