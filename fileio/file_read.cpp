#include "fileio/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <new>

#include "base/run_error.h"
#include "fileio/directory.h"
#include "fileio/unique_fd.h"

namespace tovrik {
namespace {

// The room a match file is first read into: far more than a match's file.
constexpr std::size_t kFirstRead = 64 * 1024;

bool PatternExists(const std::string& path) {
    std::size_t slash = path.rfind('/');
    std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::string pattern = slash == std::string::npos ? path : path.substr(slash + 1);
    for (const DirEntry& entry : ListDirectory(dir))
        if (WildcardMatch(entry.name, pattern)) return !entry.isDirectory;
    return false;
}

}  // namespace

bool FileExists(const std::string& path) {
    if (HasWildcard(path)) return PatternExists(path);
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

UniqueFd OpenRegularFile(int dir, const std::string& name, std::uint64_t& size) {
    // Non-blocking and never a terminal, so that a FIFO or a device slipped in
    // after the listing cannot hold the open; only a regular file is kept.
    UniqueFd fd(openat(dir, name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat info {};
    if (!fd || fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return UniqueFd();
    size = static_cast<std::uint64_t>(info.st_size);
    return fd;
}

namespace {

// Reads `count` bytes of `fd` into `data`, from its byte `done` on (those
// before are there already); fewer when the file is shorter now. With
// `once`, the first read that gives anything ends it (a regular file gives
// less than asked only at its end).
std::size_t ReadAll(const UniqueFd& fd, const std::string& path, char* data, std::size_t count, std::size_t done = 0,
                    bool once = false) {
    while (done < count) {
        ssize_t got = pread(fd.get(), data + done, count - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        // A failing disk is no end of the file: a sum without the rest would be wrong.
        if (got < 0 && FailureOf(errno) == Failure::System) throw SystemError(path, "file", "read", errno);
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
        if (once) break;
    }
    return done;
}

// `count` bytes of room in `buffer`, or the run-time error that names the file.
void MakeRoom(std::string& buffer, std::uint64_t count, const std::string& path, bool zeroed) {
    RunError::Kind kind = RunError::Kind::Overflow;
    std::string detail = "the file is too large to read (" + std::to_string(count) + " bytes; at most 2,147,483,647).";
    if (count <= kMaxFileSize) {
        try {
            if (zeroed) buffer.assign(static_cast<std::size_t>(count), '\0');
            if (buffer.size() < count) buffer.resize(static_cast<std::size_t>(count));
            return;
        } catch (const std::bad_alloc&) {
            kind = RunError::Kind::OutOfMemory;
            detail = "the file is too large to hold in memory (" + std::to_string(count) + " bytes).";
        }
    }
    RunError error(kind, detail);
    error.locate(path, 0);
    throw error;
}

// Opens a file to read, without a FIFO's wait or a terminal's control, and
// without writing its access time back where the user owns it: a match file
// read for the first time since it was written, or in a day, would have its
// inode written to the journal, 100,000 of them on the first run of a day.
UniqueFd OpenToRead(int dir, const std::string& name) {
    static std::atomic<bool> notOwner{false};  // the files are another user's: ask no more
    constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    if (!notOwner.load(std::memory_order_relaxed)) {
        UniqueFd fd(openat(dir, name.c_str(), kFlags | O_NOATIME));
        if (fd || errno != EPERM) return fd;
        notOwner.store(true, std::memory_order_relaxed);
    }
    return UniqueFd(openat(dir, name.c_str(), kFlags));
}

}  // namespace

void ReadAhead(int dir, const std::string& name) {
    // A FIFO or a device in the file's place takes no advice, and is let be.
    UniqueFd fd = OpenToRead(dir, name);
    if (fd) posix_fadvise(fd.get(), 0, 0, POSIX_FADV_WILLNEED);
}

std::size_t ReadFileAt(int dir, const std::string& name, const std::string& path, std::string& buffer, bool& denied) {
    // One read into the buffer's room tells a match file whole. Only a file
    // that fills it takes a stat, for its size and that it is a regular file:
    // a FIFO, socket or terminal put in the listed file's place fails the
    // positioned read itself, and a device that fills the room fails the stat.
    UniqueFd fd = OpenToRead(dir, name);
    denied = !fd && FailureOf(errno) == Failure::Denied;
    if (!fd && FailureOf(errno) == Failure::System) throw SystemError(path, "file", "opened", errno);
    if (!fd) return 0;
    if (buffer.size() < kFirstRead) buffer.resize(kFirstRead);
    std::size_t got = ReadAll(fd, path, buffer.data(), buffer.size(), 0, true);
    if (got < buffer.size()) return got;
    struct stat info {};
    if (fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size <= got) return got;
    MakeRoom(buffer, size, path, false);
    return ReadAll(fd, path, buffer.data(), static_cast<std::size_t>(size), got);
}

std::size_t ReadFileBytes(const std::string& path, std::int32_t limit, std::string& buffer) {
    // Without wildcards the exists test is the open below: a missing path and
    // a directory fail there just the same, without a stat of their own.
    if (HasWildcard(path) && !PatternExists(path)) return 0;
    std::uint64_t size = 0;
    UniqueFd fd = OpenRegularFile(AT_FDCWD, path, size);
    if (!fd) return 0;
    std::uint64_t count =
        limit > 0 && static_cast<std::uint64_t>(limit) < size ? static_cast<std::uint64_t>(limit) : size;
    MakeRoom(buffer, count, path, true);  // bytes past a short read stay zero
    return ReadAll(fd, path, buffer.data(), buffer.size());
}

void SplitLines(std::string_view bytes, std::vector<std::string_view>& lines) {
    lines.clear();
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (p < end) {
        while (p < end && (*p == '\n' || *p == '\r')) ++p;
        const char* start = p;
        while (p < end && *p != '\n' && *p != '\r') ++p;
        if (p > start) lines.emplace_back(start, static_cast<std::size_t>(p - start));
    }
}

bool FileRead(const std::string& path, FileValue& target, std::int32_t limit) {
    std::string buffer;
    std::size_t read = ReadFileBytes(path, limit, buffer);
    if (read == 0) return false;
    if (target.isText()) {
        target.text() = std::move(buffer);
        return true;
    }
    std::vector<std::string_view> views;
    SplitLines(std::string_view(buffer).substr(0, read), views);
    FileValue::Lines& lines = target.lines();
    lines.assign(views.begin(), views.end());
    return !lines.empty();
}

}  // namespace tovrik
