#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/file_search.h"
#include "fileio/directory.h"
#include "tests/test_support.h"

namespace tovrik {
namespace {

using testing::TempDir;

// The entries of a search below `dir`, as paths relative to it.
std::vector<std::string> Found(const TempDir& dir, const std::string& pattern = "*.txt") {
    FileList list;
    FindFiles(dir.path() + "/", pattern, list);
    std::vector<std::string> found;
    for (std::int32_t k = 0; k < list.Count; ++k)
        found.push_back(list.Paths[k].substr(dir.path().size() + 1) + list.Items[k].cFileName);
    EXPECT_EQ(list.Items.size(), static_cast<std::size_t>(list.Count));
    EXPECT_EQ(list.Paths.size(), static_cast<std::size_t>(list.Count));
    return found;
}

using Names = std::vector<std::string>;

TEST(FindFiles, DepthFirstInNameOrder) {
    TempDir dir;
    for (const char* name : {"stats/2026.12.07/183004.txt", "stats/2026.12.06/201907.txt",
                             "stats/2026.12.06/194512.txt", "b.txt", "A.TXT", "a.txt", "notes.md", "sub/c.txt"})
        dir.write(name, "x");
    EXPECT_EQ(Found(dir), (Names{"A.TXT", "a.txt", "b.txt", "stats/2026.12.06/194512.txt",
                                 "stats/2026.12.06/201907.txt", "stats/2026.12.07/183004.txt", "sub/c.txt"}));
}

TEST(FindFiles, DirectoriesMatchingThePatternAreListedAndSearched) {
    TempDir dir;
    dir.write("x.txt/inner.txt", "x");
    dir.mkdir("empty");
    FileList list;
    EXPECT_EQ(FindFiles(dir.path() + "/", "*.txt", list), 2);
    EXPECT_EQ(list.Items[0].cFileName, "x.txt");
    EXPECT_EQ(list.Items[0].dwFileAttributes & FindData::kDirectory, FindData::kDirectory);
    EXPECT_EQ(list.Paths[1], dir.path() + "/x.txt/");
    EXPECT_EQ(list.Items[1].cFileName, "inner.txt");
}

TEST(FindFiles, ExtendsAList) {
    TempDir dir;
    dir.write("a.txt", "x");
    dir.write("b.txt", "x");
    FileList list;
    list.Count = 3;
    list.Items.resize(3);
    list.Paths.resize(3);
    EXPECT_EQ(FindFiles(dir.path() + "/", "*.txt", list), 5);
}

TEST(FindFiles, NothingFound) {
    TempDir dir;
    dir.mkdir("empty/deeper");
    EXPECT_EQ(Found(dir), Names{});
    FileList list;
    EXPECT_EQ(FindFiles(dir / "missing/", "*.txt", list), 0);
}

TEST(FindFiles, WholeNamesAndDeepTrees) {
    TempDir dir;
    std::string deep;
    for (int i = 0; i < 30; ++i) deep += "a-rather-long-folder-name/";  // far past 260 characters
    dir.write(deep + " leading space.txt", "x");
    dir.write(".hidden/h.txt", "x");
    EXPECT_EQ(Found(dir), (Names{".hidden/h.txt", deep + " leading space.txt"}));
}

TEST(FindFiles, FollowsDirectoryLinksButNotLoops) {
    TempDir dir;
    dir.write("real/a.txt", "x");
    ASSERT_EQ(symlink("../real", (dir / "real/loop").c_str()), 0);  // back to itself
    ASSERT_EQ(symlink("real", (dir / "zlink").c_str()), 0);         // a second way in
    EXPECT_EQ(Found(dir), (Names{"real/a.txt", "zlink/a.txt"}));
}

TEST(FindFiles, UnreadableDirectoryAddsNothing) {
    TempDir dir;
    dir.write("a.txt", "x");
    // A file where a directory link points: cannot be searched, whoever runs.
    dir.write("plain", "x");
    ASSERT_EQ(symlink("plain/", (dir / "broken").c_str()), 0);
    EXPECT_EQ(Found(dir), Names{"a.txt"});
}

TEST(Wildcard, Matching) {
    struct Case {
        const char* name;
        const char* pattern;
        bool match;
    };
    const Case cases[] = {
        {"a.txt", "*.txt", true},  {"A.TXT", "*.txt", true}, {"a.txt.bak", "*.txt", false},
        {".txt", "*.txt", true},   {"txt", "*.txt", false},  {"noext", "*.*", true},
        {"ab", "a?", true},        {"a", "a?", false},       {"abcbc", "*bc", true},
        {"x.txt", "x*.t?t", true}, {"", "*", true},          {"é.txt", "?.txt", false},
    };
    for (const Case& c : cases) EXPECT_EQ(WildcardMatch(c.name, c.pattern), c.match) << c.name << " " << c.pattern;
}

TEST(Wildcard, NameOrder) {
    EXPECT_TRUE(NameLess("a", "B"));
    EXPECT_TRUE(NameLess("A", "a"));  // equal but for case: raw bytes decide
    EXPECT_TRUE(NameLess("a", "_"));  // letters compare upper-cased, and "_" follows "Z"
    EXPECT_TRUE(NameLess("2026.12.06", "2026.12.07"));
    EXPECT_TRUE(NameLess("abc", "abcd"));
}

}  // namespace
}  // namespace tovrik
