#include "engine/file_search.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <set>
#include <utility>

#include "base/run_error.h"
#include "fileio/directory.h"
#include "fileio/unique_fd.h"

namespace tovrik {
namespace {

// What one search has met: the directories walked and the entries listed.
struct Seen {
    std::set<FileId> directories, entries;
};

void Walk(const std::string& dir, UniqueFd fd, const std::string& pattern, FileList& list, Seen& seen) {
    // Each directory once, however many links lead to it (loops included),
    // and none of the kernel's own file systems (/proc, /sys, ...).
    FileId id = IdOf(fd);
    if (!id.known() || !seen.directories.insert(id).second || OnVirtualFileSystem(fd)) return;
    std::vector<DirEntry> entries = ListDirectory(std::move(fd));

    for (const DirEntry& entry : entries) {
        if (!WildcardMatch(entry.name, pattern)) continue;
        // A link or a hard link to an entry already listed adds nothing.
        if (entry.id.known() && !seen.entries.insert(entry.id).second) continue;
        if (list.Count == kLongMax)
            throw RunError(RunError::Kind::Overflow, "more than 2,147,483,647 match files were found.");
        ++list.Count;
        list.Items.push_back(FoundEntry{entry.name, entry.isDirectory});
        list.Paths.push_back(dir);
    }

    for (const DirEntry& entry : entries) {
        if (!entry.isDirectory || entry.name == "." || entry.name == "..") continue;
        std::string sub = dir + entry.name + "/";
        UniqueFd subFd(open(sub.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (subFd) Walk(sub, std::move(subFd), pattern, list, seen);
    }
}

}  // namespace

std::int32_t FindFiles(const std::string& dir, const std::string& pattern, FileList& list) {
    UniqueFd fd(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    Seen seen;
    if (fd) Walk(dir, std::move(fd), pattern, list, seen);
    return list.Count;
}

void FindMatchFiles(const std::string& statsDir, FileList& list) {
    if (statsDir.empty()) return;
    FindFiles(statsDir.back() == '/' ? statsDir : statsDir + "/", "*.txt", list);
}

}  // namespace tovrik
