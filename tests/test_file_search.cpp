#include <unistd.h>

#include "engine/file_search.h"
#include "tests/support/testing.h"

namespace tovrik {
namespace {

using testing::TempDir;
using Names = std::vector<std::string>;

// The entries of a search below `dir`, as paths relative to it.
Names Found(const TempDir& dir, const std::string& pattern = "*.txt") {
    FileList list;
    EXPECT_EQ(FindFiles(dir.path() + "/", pattern, list), list.Count);
    Names found;
    for (std::int32_t k = 0; k < list.Count; ++k)
        found.push_back(list.Paths[k].substr(dir.path().size() + 1) + list.Items[k].cFileName);
    EXPECT_EQ(list.Items.size(), found.size());
    EXPECT_EQ(list.Paths.size(), found.size());
    return found;
}

TEST(FindFiles, DepthFirstInNameOrderWithWholeNames) {
    TempDir dir;
    std::string deep;
    for (int i = 0; i < 30; ++i) deep += "a-rather-long-folder-name/";  // far past 260 characters
    for (const std::string& name :
         {std::string("stats/2026.12.07/183004.txt"), std::string("stats/2026.12.06/2.txt"),
          std::string("stats/2026.12.06/1.txt"), std::string("b.txt"), std::string("A.TXT"), std::string("a.txt"),
          std::string("notes.md"), std::string(".hidden/h.txt"), deep + " leading space.txt"})
        dir.write(name, "x");
    dir.mkdir("empty/deeper");
    EXPECT_EQ(Found(dir), (Names{"A.TXT", "a.txt", "b.txt", ".hidden/h.txt", deep + " leading space.txt",
                                 "stats/2026.12.06/1.txt", "stats/2026.12.06/2.txt", "stats/2026.12.07/183004.txt"}));
    EXPECT_EQ(Found(dir, "?.txt"),
              (Names{"A.TXT", "a.txt", "b.txt", ".hidden/h.txt", "stats/2026.12.06/1.txt", "stats/2026.12.06/2.txt"}));
}

TEST(FindFiles, DirectoriesMatchingThePatternAreListedAndSearched) {
    TempDir dir;
    dir.write("x.txt/inner.txt", "x");
    FileList list;
    EXPECT_EQ(FindFiles(dir.path() + "/", "*.txt", list), 2);
    EXPECT_EQ(list.Items[0].cFileName, "x.txt");
    EXPECT_EQ(list.Items[0].dwFileAttributes, FindData::kDirectory);
    EXPECT_EQ(list.Items[1].dwFileAttributes, 0u);
    EXPECT_EQ(list.Paths[1], dir.path() + "/x.txt/");
}

TEST(FindFiles, ExtendsAListAndFindsNothingWithoutAnError) {
    TempDir dir;
    dir.write("a.txt", "x");
    dir.write("b.txt", "x");
    FileList list;
    list.Count = 3;
    list.Items.resize(3);
    list.Paths.resize(3);
    EXPECT_EQ(FindFiles(dir.path() + "/", "*.txt", list), 5);
    EXPECT_EQ(FindFiles(dir / "missing/", "*.txt", list), 5);
    EXPECT_EQ(Found(dir, "*.none"), Names{});
    // A statistics folder with or without its "/" (as "/" itself has one) is
    // searched from one "/"; an empty setting searches nothing.
    for (const std::string& setting : {dir.path(), dir.path() + "/", std::string()}) {
        FileList found;
        FindMatchFiles(setting, found);
        EXPECT_EQ(found.Paths,
                  setting.empty() ? std::vector<std::string>{} : std::vector<std::string>(2, dir.path() + "/"));
    }
}

TEST(FindFiles, EachDirectoryAndMatchOnceAndNoKernelFileSystems) {
    TempDir dir;
    dir.write("real/a.txt", "x");
    dir.write("plain", "x");
    ASSERT_EQ(symlink("../real", (dir / "real/loop").c_str()), 0);  // back to itself
    ASSERT_EQ(symlink("real", (dir / "b").c_str()), 0);             // a second way in, met first
    ASSERT_EQ(symlink("plain/", (dir / "broken").c_str()), 0);      // cannot be searched, whoever runs
    ASSERT_EQ(link((dir / "real/a.txt").c_str(), (dir / "real/hard.txt").c_str()), 0);
    ASSERT_EQ(symlink("a.txt", (dir / "real/soft.txt").c_str()), 0);
    ASSERT_EQ(symlink("/proc", (dir / "proc").c_str()), 0);
    ASSERT_EQ(symlink("/sys", (dir / "sys").c_str()), 0);
    EXPECT_EQ(Found(dir), (Names{"b/a.txt"}));
    for (const std::string& found : Found(dir, "*"))
        EXPECT_TRUE(found.find('/') == std::string::npos || found[0] == 'b') << found;
    FileList list;
    EXPECT_EQ(FindFiles("/proc/", "*", list) + FindFiles("/sys/", "*", list) + FindFiles("/dev/", "*", list), 0);
}

}  // namespace
}  // namespace tovrik
