#include "fileio/directory.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>

namespace tovrik {
namespace {

unsigned char Upper(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c; }

bool IsDirectoryAt(int dirFd, const dirent& entry) {
    if (entry.d_type == DT_DIR) return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
    struct stat info {};
    return fstatat(dirFd, entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

bool NameLess(std::string_view a, std::string_view b) {
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = Upper(static_cast<unsigned char>(a[i]));
        unsigned char y = Upper(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

std::vector<DirEntry> ListDirectory(UniqueFd dirFd) {
    std::vector<DirEntry> entries;
    DIR* dir = fdopendir(dirFd.get());
    if (dir == nullptr) return entries;
    dirFd.release();  // closedir closes it now
    while (const dirent* entry = readdir(dir))
        entries.push_back(DirEntry{entry->d_name, IsDirectoryAt(dirfd(dir), *entry)});
    closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return NameLess(a.name, b.name); });
    return entries;
}

std::vector<DirEntry> ListDirectory(const std::string& path) {
    return ListDirectory(UniqueFd(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)));
}

bool WildcardMatch(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*") return true;
    // Iterative glob with one backtrack point: the last "*" seen.
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || Upper(static_cast<unsigned char>(pattern[p])) ==
                                                                   Upper(static_cast<unsigned char>(name[n])))) {
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
