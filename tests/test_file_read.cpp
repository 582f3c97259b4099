#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileio/file_read.h"
#include "tests/test_support.h"

namespace tovrik {
namespace {

using testing::TempDir;

std::vector<std::string> Lines(const std::string& bytes, std::int32_t limit = 0, bool* result = nullptr) {
    TempDir dir;
    std::string path = dir.write("f.txt", bytes);
    FileValue target = FileValue::LineList({"old"});
    bool ok = FileRead(path, target, limit);
    if (result != nullptr) *result = ok;
    return target.lines();
}

TEST(FileRead, SplitsLinesAtEveryRunOfLineEnds) {
    using L = std::vector<std::string>;
    struct Case {
        const char* name;
        std::string bytes;
        L lines;
    };
    const Case cases[] = {
        {"CR LF", "A\r\nB", L{"A", "B"}},
        {"runs of LF and CR", "A\n\n\nB\r\r", L{"A", "B"}},
        {"LF before CR", "A\n\rB", L{"A", "B"}},
        {"leading line ends", "\r\nABC", L{"ABC"}},
        {"no line end", "ABC", L{"ABC"}},
        {"single byte", "A", L{"A"}},
        {"Latin-1 byte and NUL", std::string("x\xE9y\0z", 5), L{std::string("x\xE9y\0z", 5)}},
        {"nothing trimmed", " A\t", L{" A\t"}},
    };
    for (const Case& c : cases) {
        bool ok = false;
        EXPECT_EQ(Lines(c.bytes, 0, &ok), c.lines) << c.name;
        EXPECT_TRUE(ok) << c.name;
    }
}

TEST(FileRead, OnlyLineEndsIsFalseWithAnEmptyList) {
    bool ok = true;
    EXPECT_EQ(Lines("\r\n\r\n", 0, &ok), std::vector<std::string>{});
    EXPECT_FALSE(ok);
}

TEST(FileRead, Limit) {
    EXPECT_EQ(Lines("ABCD", 2), std::vector<std::string>{"AB"});
    for (std::int32_t limit : {0, -1, 99}) EXPECT_EQ(Lines("ABCD", limit), std::vector<std::string>{"ABCD"}) << limit;
}

TEST(FileRead, ModesByKindName) {
    TempDir dir;
    std::string path = dir.write("f.bin", std::string("A\r\nB\0", 5));
    FileValue text = FileValue::Text("old");
    ASSERT_TRUE(FileRead(path, text, 0));
    EXPECT_EQ(text.text(), std::string("A\r\nB\0", 5));

    FileValue bytes = FileValue::ByteList({9});
    ASSERT_TRUE(FileRead(path, bytes, 0));
    EXPECT_EQ(bytes.bytes(), (FileValue::Bytes{'A', '\r', '\n', 'B', 0}));
    ASSERT_TRUE(FileRead(path, bytes, 3));
    EXPECT_EQ(bytes.bytes().size(), 3u);

    for (const char* kind : {"Long", "Double", "Variant()", ""}) {
        FileValue other = FileValue::Other(kind);
        EXPECT_FALSE(FileRead(path, other, 0)) << kind;
        EXPECT_EQ(other.KindName(), kind);
    }
}

TEST(FileRead, FailuresLeaveTheTargetAsItWas) {
    TempDir dir;
    std::string empty = dir.write("empty.txt", "");
    std::string folder = dir.mkdir("folder.txt");
    std::string fifo = dir / "x.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string dangling = dir / "dangling.txt";
    ASSERT_EQ(symlink("nowhere.txt", dangling.c_str()), 0);

    for (const std::string& path : {empty, folder, fifo, dangling, dir / "missing.txt"}) {
        for (FileValue before : {FileValue::Text("keep"), FileValue::LineList({"keep"}), FileValue::ByteList({1})}) {
            FileValue target = before;
            EXPECT_FALSE(FileRead(path, target, 0)) << path;  // a FIFO returns at once, no writer needed
            EXPECT_TRUE(target == before) << path;
        }
    }
}

TEST(FileRead, FollowsLinksToFiles) {
    TempDir dir;
    dir.write("real.txt", "A");
    std::string link = dir / "link.txt";
    ASSERT_EQ(symlink("real.txt", link.c_str()), 0);
    FileValue target = FileValue::LineList();
    EXPECT_TRUE(FileRead(link, target, 0));
    EXPECT_EQ(target.lines(), std::vector<std::string>{"A"});
}

TEST(FileExists, FilesDirectoriesAndPatterns) {
    TempDir dir;
    dir.write("b.txt", "x");
    dir.mkdir("a.txt");
    dir.write("c.dat", "x");
    EXPECT_TRUE(FileExists(dir / "b.txt"));
    EXPECT_FALSE(FileExists(dir / "a.txt"));
    EXPECT_FALSE(FileExists(dir / "missing"));
    EXPECT_FALSE(FileExists(dir / "*.txt"));  // the first match, a.txt, is a directory
    EXPECT_TRUE(FileExists(dir / "b.*"));
    EXPECT_TRUE(FileExists(dir / "?.DAT"));  // case does not matter
    EXPECT_FALSE(FileExists(dir / "*.none"));
}

TEST(EditorLine, CountsLinesAsAnEditorShowsThem) {
    std::string bytes = "a\r\n\nb\rc\r\n";
    EXPECT_EQ(EditorLine(bytes, 0), 1);
    EXPECT_EQ(EditorLine(bytes, 4), 3);  // b, after CR LF and an empty line
    EXPECT_EQ(EditorLine(bytes, 6), 4);  // c, after a lone CR
}

}  // namespace
}  // namespace tovrik
