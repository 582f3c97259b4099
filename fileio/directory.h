#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fileio/unique_fd.h"

namespace tovrik {

// One entry of a directory listing. `isDirectory` follows links: a link to a
// directory is a directory.
struct DirEntry {
    std::string name;
    bool isDirectory = false;
};

// Orders names as the listing gives them: bytes compared with ASCII letters
// upper-cased, ties by the raw bytes.
bool NameLess(std::string_view a, std::string_view b);

// The entries of the directory open as `dir` ("." and ".." included), sorted
// by NameLess; the descriptor is closed. Empty when it cannot be read.
std::vector<DirEntry> ListDirectory(UniqueFd dir);

// The sorted entries of the directory at `path`; empty when it cannot be read.
std::vector<DirEntry> ListDirectory(const std::string& path);

// Wildcard match: "*" any run, "?" one character, ASCII case ignored, and
// "*.*" matches every name.
bool WildcardMatch(std::string_view name, std::string_view pattern);

// True when the last component of `path` holds "*" or "?".
bool HasWildcard(std::string_view path);

}  // namespace tovrik
