#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tovrik {

// What the search keeps of one found entry.
struct FoundEntry {
    std::string name;  // the whole name
    bool isDirectory = false;
};

// The found entries: entry k is Items[k] found in the directory Paths[k]
// (which ends in "/"). Count is the number held.
struct FileList {
    std::vector<FoundEntry> Items;
    std::vector<std::string> Paths;
    std::int32_t Count = 0;
};

// Adds to `list` every entry below `dir` (which ends in "/") whose name
// matches `pattern`, depth first: a directory's own matches in name order,
// then each subdirectory in name order. Links are followed, but each
// directory is walked and each entry listed once, the first time the search
// meets it; the kernel's own file systems (/proc, /sys, ...) are not walked.
// Directories that cannot be read add nothing. Returns list.Count.
// Throws RunError (Overflow) past 2,147,483,647 entries.
std::int32_t FindFiles(const std::string& dir, const std::string& pattern, FileList& list);

// Lists the match files ("*.txt") below the statistics folder `statsDir`
// (given without its trailing "/"; "/" for the root) into `list`. An empty
// folder setting names no folder and lists nothing.
void FindMatchFiles(const std::string& statsDir, FileList& list);

}  // namespace tovrik
