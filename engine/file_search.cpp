#include "engine/file_search.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <utility>

#include "base/run_error.h"
#include "fileio/directory.h"
#include "fileio/unique_fd.h"

namespace tovrik {
namespace {

using DirId = std::pair<dev_t, ino_t>;

void Walk(const std::string& dir, UniqueFd fd, const std::string& pattern, FileList& list, std::vector<DirId>& branch) {
    struct stat info {};
    if (fstat(fd.get(), &info) != 0) return;
    DirId id{info.st_dev, info.st_ino};
    // A link back to a directory being walked: a loop.
    if (std::find(branch.begin(), branch.end(), id) != branch.end()) return;
    std::vector<DirEntry> entries = ListDirectory(std::move(fd));

    for (const DirEntry& entry : entries) {
        if (!WildcardMatch(entry.name, pattern)) continue;
        if (list.Count == kLongMax)
            throw RunError(RunError::Kind::Overflow, "", "more than 2,147,483,647 match files were found.");
        ++list.Count;
        list.Items.push_back(FindData{entry.isDirectory ? FindData::kDirectory : 0, entry.name});
        list.Paths.push_back(dir);
    }

    branch.push_back(id);
    for (const DirEntry& entry : entries) {
        if (!entry.isDirectory || entry.name == "." || entry.name == "..") continue;
        std::string sub = dir + entry.name + "/";
        UniqueFd subFd(open(sub.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (subFd) Walk(sub, std::move(subFd), pattern, list, branch);
    }
    branch.pop_back();
}

}  // namespace

std::int32_t FindFiles(const std::string& dir, const std::string& pattern, FileList& list) {
    UniqueFd fd(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd) {
        std::vector<DirId> branch;
        Walk(dir, std::move(fd), pattern, list, branch);
    }
    return list.Count;
}

}  // namespace tovrik
