#include "fileio/directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "base/ascii.h"

namespace tovrik {
namespace {

// Fills in what `entry` names after links. A plain entry is told by the
// listing alone (the directory's device, the entry's inode); a link or an
// entry of unknown type takes one stat.
void Resolve(int dirFd, dev_t device, const dirent64& raw, DirEntry& entry) {
    if (raw.d_type != DT_LNK && raw.d_type != DT_UNKNOWN) {
        entry.isDirectory = raw.d_type == DT_DIR;
        entry.isRegular = raw.d_type == DT_REG;
        entry.id = FileId{device, raw.d_ino};
        return;
    }
    struct stat info {};
    if (fstatat(dirFd, raw.d_name, &info, 0) != 0) return;
    entry.isDirectory = S_ISDIR(info.st_mode);
    entry.isRegular = S_ISREG(info.st_mode);
    entry.id = FileId{info.st_dev, info.st_ino};
}

// The file system types of the kernel's own making, by the names mount
// gives them.
constexpr std::string_view kVirtualTypes[] = {
    "proc",      "sysfs",     "devtmpfs", "cgroup", "cgroup2",    "debugfs", "tracefs",     "securityfs",
    "pstore",    "bpf",       "devpts",   "mqueue", "configfs",   "fusectl", "binfmt_misc", "efivarfs",
    "selinuxfs", "hugetlbfs", "autofs",   "nsfs",   "rpc_pipefs", "nfsd"};

// The devices of the mounted file systems of those types, from the mount
// table. devtmpfs, for one, reports itself as tmpfs to statfs.
std::set<dev_t> VirtualDevices() {
    std::set<dev_t> devices;
    std::ifstream table("/proc/self/mountinfo");
    for (std::string line; std::getline(table, line);) {
        // id parent major:minor root point options [optional...] - type source ...
        std::istringstream fields(line);
        std::string id, parent, device, field;
        fields >> id >> parent >> device;
        while (fields >> field && field != "-") {
        }
        std::string type;
        fields >> type;
        unsigned major = 0, minor = 0;
        if (std::sscanf(device.c_str(), "%u:%u", &major, &minor) != 2) continue;
        for (std::string_view virtualType : kVirtualTypes)
            if (type == virtualType) devices.insert(makedev(major, minor));
    }
    return devices;
}

}  // namespace

bool NameLess(std::string_view a, std::string_view b) {
    if (FoldedLess(a, b)) return true;
    if (FoldedLess(b, a)) return false;
    return a < b;  // the same but for case: by the raw bytes
}

Failure FailureOf(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return Failure::Denied;
        case EMFILE:
        case ENFILE:
        case ENOMEM:
        case ENOBUFS:
        case EIO:
            return Failure::System;
        default:
            return Failure::Gone;
    }
}

RunError SystemError(const std::string& path, const char* what, const char* done, int error) {
    RunError failure(error == ENOMEM ? RunError::Kind::OutOfMemory : RunError::Kind::System,
                     std::string("the ") + what + " cannot be " + done + ": " + std::strerror(error) + ".");
    failure.locate(path, 0);
    return failure;
}

std::vector<DirEntry> ListDirectory(const UniqueFd& dir, unsigned long long device, int* error) {
    // The raw listing, on the descriptor as it is: no second descriptor for
    // a directory stream, and the folder stays open for what is opened in it.
    std::vector<DirEntry> entries;
    alignas(dirent64) char buffer[32768];
    for (;;) {
        ssize_t got = getdents64(dir.get(), buffer, sizeof buffer);
        if (got < 0 && error != nullptr) *error = errno;
        if (got <= 0) break;  // the end, or a folder that cannot be read further
        for (ssize_t at = 0; at < got;) {
            const auto* raw = reinterpret_cast<const dirent64*>(buffer + at);
            entries.push_back(DirEntry{raw->d_name, false, false, FileId{}});
            Resolve(dir.get(), static_cast<dev_t>(device), *raw, entries.back());
            at += raw->d_reclen;
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return NameLess(a.name, b.name); });
    return entries;
}

std::vector<DirEntry> ListDirectory(UniqueFd dir) { return ListDirectory(dir, IdOf(dir).device); }

std::vector<DirEntry> ListDirectory(const std::string& path) { return ListDirectory(OpenDirectoryAt(AT_FDCWD, path)); }

UniqueFd OpenDirectoryAt(int dir, const std::string& name) {
    return UniqueFd(openat(dir, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

std::optional<std::string> WhyNotListable(const std::string& path) {
    if (path.empty()) return std::string(std::strerror(ENOENT));
    if (OpenDirectoryAt(AT_FDCWD, path)) return {};
    return std::string(std::strerror(errno));
}

FileId IdOf(const UniqueFd& fd) {
    struct stat info {};
    if (fstat(fd.get(), &info) != 0) return FileId{};
    return FileId{info.st_dev, info.st_ino};
}

bool OnVirtualFileSystem(const UniqueFd& dir) {
    // The magic numbers of statfs tell most of them without the mount table.
    static constexpr unsigned long kMagic[] = {
        0x9fa0,     /* proc */ 0x62656572,     /* sysfs */ 0x27e0eb,       /* cgroup */ 0x63677270, /* cgroup2 */
        0x64626720, /* debugfs */ 0x74726163,  /* tracefs */ 0x73636673,                            /* securityfs */
        0x6165676C, /* pstore */ 0xcafe4a11,   /* bpf */ 0x1cd1,           /* devpts */ 0x19800202, /* mqueue */
        0x62656570, /* configfs */ 0x65735543, /* fusectl */ 0x42494e4d,                            /* binfmt_misc */
        0xde5e81e4, /* efivarfs */ 0xf97cff8c, /* selinuxfs */ 0x6e736673, /* nsfs */};
    struct statfs fs {};
    if (fstatfs(dir.get(), &fs) == 0)
        for (unsigned long magic : kMagic)
            if (static_cast<unsigned long>(fs.f_type) == magic) return true;
    struct stat info {};
    if (fstat(dir.get(), &info) != 0) return false;
    static const std::set<dev_t> devices = VirtualDevices();
    return devices.count(info.st_dev) != 0;
}

bool WildcardMatch(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*") return true;
    // Iterative glob with one backtrack point: the last "*" seen.
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || AsciiUpper(static_cast<unsigned char>(pattern[p])) ==
                                                                   AsciiUpper(static_cast<unsigned char>(name[n])))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool HasWildcard(std::string_view path) {
    std::size_t slash = path.rfind('/');
    std::string_view last = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return last.find_first_of("*?") != std::string_view::npos;
}

}  // namespace tovrik
