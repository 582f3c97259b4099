#pragma once

#include <bitset>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "fileio/directory.h"
#include "fileio/unique_fd.h"

namespace tovrik {

// One entry the walk found: the folder it lies in, open and by its index in
// the walk's folders, and its name.
struct FoundFile {
    std::shared_ptr<const UniqueFd> folderFd;
    std::uint32_t folder = 0;
    std::string name;
    bool isDirectory = false;
    bool isRegular = false;
    int error = 0;  // a folder that cannot be listed: the system's error number; the walk ends with it
};

// The files met, by their device and inode: a bit each, in words of the
// inodes that lie together, as the files of a folder mostly do.
class SeenFiles {
public:
    // True the first time `id` is met.
    bool insert(const FileId& id);

private:
    static constexpr unsigned kBits = std::numeric_limits<std::uint64_t>::digits;
    std::unordered_map<FileId, std::bitset<kBits>, FileId::Hash> words_;  // by device and inode / kBits
};

// Walks a directory tree depth first and yields every entry whose name
// matches a pattern: a directory's own matches in name order, then each
// subdirectory in name order. Links are followed, but each directory is
// walked and each entry yielded once, the first time the walk meets it; the
// kernel's own file systems (/proc, /sys, ...) are not walked. A directory
// below that is gone yields nothing, one the user may not read is counted;
// where the system cannot open or list one (out of descriptors or memory, a
// failing disk), or cannot list the folder walked itself, the walk yields it
// with its error and ends. Each directory is opened relative to its parent,
// so depth knows no path length limit, and the walk keeps its own stack
// rather than recursing.
class TreeWalk {
public:
    // Walks below `dir` ("" names no folder and yields nothing).
    TreeWalk(const std::string& dir, std::string pattern);

    // The next match in search order into `file`; false at the end. Throws
    // RunError (Overflow) past 2,147,483,647 matches.
    bool next(FoundFile& file);

    // The folders met so far, each ending in "/".
    const std::vector<std::string>& folders() const { return folders_; }
    // The folders passed over so far for want of permission.
    std::size_t denied() const { return denied_; }

private:
    struct Frame {
        std::shared_ptr<const UniqueFd> fd;
        std::uint32_t folder;
        unsigned long long device;
        std::vector<DirEntry> entries;
        std::size_t nextMatch = 0, nextSub = 0, lastSub = 0;
    };
    void enter(UniqueFd fd, std::string path, unsigned long long parentDevice);
    // Opens the subdirectory `entry` of the folder on top of the stack and enters it: one gone is passed
    // over, one the user may not read counted, one the system cannot open now ends the walk.
    void descend(const DirEntry& entry);
    // Ends the walk with the folder `name` of folder `folder` that failed with `error`.
    void fail(std::uint32_t folder, std::string name, int error);

    std::string pattern_;
    std::vector<Frame> stack_;
    std::vector<std::string> folders_;
    SeenFiles seenDirectories_, seenEntries_;
    std::int32_t count_ = 0;
    std::size_t denied_ = 0;
    std::optional<FoundFile> failed_;  // yielded next, and last
};

// The walk of the match files ("*.txt") below the statistics folder
// `statsDir`, given without its trailing "/" ("/" for the root).
TreeWalk MatchFiles(const std::string& statsDir);

}  // namespace tovrik
