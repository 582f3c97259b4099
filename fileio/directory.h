#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/run_error.h"
#include "fileio/unique_fd.h"

namespace tovrik {

// What a directory entry names, after links: its device and inode. Both are 0
// when that cannot be told (a dangling link), and such entries are never the
// same as another.
struct FileId {
    unsigned long long device = 0, inode = 0;
    bool known() const { return inode != 0; }
    bool operator<(const FileId& o) const { return device != o.device ? device < o.device : inode < o.inode; }
    bool operator==(const FileId& o) const { return device == o.device && inode == o.inode; }
    struct Hash {  // inodes seldom repeat across devices
        std::size_t operator()(const FileId& id) const { return std::hash<unsigned long long>()(id.inode); }
    };
};

// One entry of a directory listing. `isDirectory` and `id` follow links: a
// link to a directory is a directory.
struct DirEntry {
    std::string name;
    bool isDirectory = false;
    bool isRegular = false;  // a regular file: the only kind a match file is read from
    FileId id;
};

// What a failure to open or read an entry of the tree means: it is gone or no
// file to read (passed over), the user may not read it (passed over and
// counted), or the system cannot serve it now, for want of descriptors or
// memory or with a failing disk (it stops the run: no total would be right).
enum class Failure { Gone, Denied, System };
Failure FailureOf(int error);

// A run-time error of the system's: "the `what` cannot be `done`: <why>."
// about `path`.
RunError SystemError(const std::string& path, const char* what, const char* done, int error);

// Orders names as the listing gives them: bytes compared with ASCII letters
// upper-cased, ties by the raw bytes.
bool NameLess(std::string_view a, std::string_view b);

// The entries of the directory open as `dir` ("." and ".." included), sorted
// by NameLess; the descriptor is closed. Empty when it cannot be read.
std::vector<DirEntry> ListDirectory(UniqueFd dir);
// The same for a directory known to lie on `device`, which stays open; where
// the listing fails part way, `error` receives the system's error number.
std::vector<DirEntry> ListDirectory(const UniqueFd& dir, unsigned long long device, int* error = nullptr);

// The sorted entries of the directory at `path`; empty when it cannot be read.
std::vector<DirEntry> ListDirectory(const std::string& path);

// Opens the directory `name` in the directory open as `dir` (AT_FDCWD: the
// working directory), following links; not open when it cannot be.
UniqueFd OpenDirectoryAt(int dir, const std::string& name);

// Why the directory at `path` cannot be listed, in the system's words; nothing
// when it can.
std::optional<std::string> WhyNotListable(const std::string& path);

// The identity of the file open as `fd`; unknown when it cannot be told.
FileId IdOf(const UniqueFd& fd);

// True when the directory open as `dir` lies on a file system of the kernel's
// own making (proc, sysfs, devtmpfs, cgroup, debugfs, ...) rather than files
// on a disk: told by the file system's type, whatever the folder's name.
bool OnVirtualFileSystem(const UniqueFd& dir);

// Wildcard match: "*" any run, "?" one character, ASCII case ignored, and
// "*.*" matches every name.
bool WildcardMatch(std::string_view name, std::string_view pattern);

// True when the last component of `path` holds "*" or "?".
bool HasWildcard(std::string_view path);

}  // namespace tovrik
