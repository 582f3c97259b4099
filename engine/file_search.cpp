#include "engine/file_search.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <limits>
#include <utility>

#include "engine/run_error.h"
#include "fileio/directory.h"

namespace tovrik {
namespace {

using DirId = std::pair<dev_t, ino_t>;

void Walk(const std::string& dir, int fd, const std::string& pattern, FileList& list, std::vector<DirId>& branch) {
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        close(fd);
        return;
    }
    DirId id{info.st_dev, info.st_ino};
    if (std::find(branch.begin(), branch.end(), id) != branch.end()) {
        close(fd);  // a link back to a directory being walked: a loop
        return;
    }
    std::vector<DirEntry> entries = ListDirectory(fd);

    for (const DirEntry& entry : entries) {
        if (!WildcardMatch(entry.name, pattern)) continue;
        if (list.Count == std::numeric_limits<std::int32_t>::max())
            throw RunError(RunError::Kind::Overflow, "", "more than 2,147,483,647 match files were found.");
        ++list.Count;
        list.Items.push_back(FindData{entry.isDirectory ? FindData::kDirectory : 0, entry.name});
        list.Paths.push_back(dir);
    }

    branch.push_back(id);
    for (const DirEntry& entry : entries) {
        if (!entry.isDirectory || entry.name == "." || entry.name == "..") continue;
        std::string sub = dir + entry.name + "/";
        int subFd = open(sub.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (subFd >= 0) Walk(sub, subFd, pattern, list, branch);
    }
    branch.pop_back();
}

}  // namespace

std::int32_t FindFiles(const std::string& dir, const std::string& pattern, FileList& list) {
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        std::vector<DirId> branch;
        Walk(dir, fd, pattern, list, branch);
    }
    return list.Count;
}

}  // namespace tovrik
