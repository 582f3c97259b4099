#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/file_value.h"
#include "fileio/unique_fd.h"

namespace tovrik {

// True when `path` names an existing entry that is not a directory. A path
// whose last component holds "*" or "?" is a pattern: its first match, in
// listing order, decides.
bool FileExists(const std::string& path);

// Reads the whole file (or its first `limit` bytes when 0 < limit < size) into
// `target`, in the mode its kind names: a text takes the bytes, a list of
// lines the lines. False, with the target untouched, for a missing path, a
// directory, anything but a regular file, an empty or unreadable file; lines
// of only line ends are False with the target emptied.
bool FileRead(const std::string& path, FileValue& target, std::int32_t limit);

// The largest file the reader takes, in bytes.
constexpr std::uint64_t kMaxFileSize = 2147483647;

// Opens `name` in the directory open as `dir` (AT_FDCWD: the working
// directory) for reading, and its size: only a regular file, and never in a
// way that could block or take a terminal. Not open for anything else.
UniqueFd OpenRegularFile(int dir, const std::string& name, std::uint64_t& size);

// Reads the whole regular file `name` in `dir` into the first bytes of
// `buffer`, which grows as needed and never shrinks, and returns the number
// read: 0 for a missing or empty file, anything but a regular file, and one
// the user may not read (`denied` then set). A file past kMaxFileSize, too
// large for memory, or that the system cannot open or read now (out of
// descriptors, a failing disk) throws RunError naming it as `path`; nothing
// of it is kept.
std::size_t ReadFileAt(int dir, const std::string& name, const std::string& path, std::string& buffer, bool& denied);

// Asks the system to bring the file `name` of the folder open as `dir` from
// the disk, without waiting for it: a read of it soon after waits less.
void ReadAhead(int dir, const std::string& name);

// Reads what FileRead reads into `buffer` (it holds the count asked for, zero
// past a short read) and returns the number of bytes read: 0 where FileRead
// is False with the target untouched. Throws as ReadFileAt.
std::size_t ReadFileBytes(const std::string& path, std::int32_t limit, std::string& buffer);

// The lines of `bytes`: the maximal runs holding neither CR nor LF, in order,
// Views point into `bytes`; `lines` is cleared first.
void SplitLines(std::string_view bytes, std::vector<std::string_view>& lines);

}  // namespace tovrik
