#include "fileio/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "base/run_error.h"
#include "fileio/directory.h"
#include "fileio/unique_fd.h"

namespace tovrik {
namespace {

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

std::size_t ReadFileBytes(const std::string& path, std::int32_t limit, std::string& buffer) {
    // Without wildcards the exists test is the open below: a missing path and
    // a directory fail there just the same, without a stat of their own.
    if (HasWildcard(path) && !PatternExists(path)) return 0;

    // Non-blocking, so that opening a FIFO does not wait for a writer; only
    // regular files are read, as anything else may block or never end.
    UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd) return 0;
    struct stat info {};
    if (fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;

    // Sizes are 32-bit: the low part of the size, as a signed count.
    auto size = static_cast<std::int32_t>(static_cast<std::uint32_t>(info.st_size & 0xFFFFFFFF));
    if (size <= 0) return 0;
    std::int32_t count = limit > 0 && limit < size ? limit : size;

    // Bytes past a short read (a file that shrank meanwhile) stay zero.
    try {
        buffer.assign(static_cast<std::size_t>(count), '\0');
    } catch (const std::bad_alloc&) {
        RunError error(RunError::Kind::OutOfMemory,
                       "the file is too large to hold in memory (" + std::to_string(count) + " bytes).");
        error.locate(path, 0);
        throw error;
    }
    std::size_t done = 0;
    while (done < buffer.size()) {
        ssize_t got = pread(fd.get(), buffer.data() + done, buffer.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void SplitLines(std::string_view bytes, std::vector<std::string_view>& lines, std::size_t most) {
    lines.clear();
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (p < end && lines.size() < most) {
        while (p < end && (*p == '\n' || *p == '\r')) ++p;
        const char* start = p;
        while (p < end && *p != '\n' && *p != '\r') ++p;
        if (p > start) lines.emplace_back(start, static_cast<std::size_t>(p - start));
    }
}

bool FileRead(const std::string& path, FileValue& target, std::int32_t limit) {
    std::string kind = LowerKindName(target);
    bool known = kind == "string" || kind == "string()" || kind == "byte()";
    if (!known) return false;  // whatever the file holds, nothing is read
    std::string buffer;
    std::size_t read = ReadFileBytes(path, limit, buffer);
    if (read == 0) return false;
    if (kind == "string") {
        target.text() = std::move(buffer);
        return true;
    }
    if (kind == "byte()") {
        target.bytes().assign(buffer.begin(), buffer.end());
        return true;
    }
    std::vector<std::string_view> views;
    SplitLines(std::string_view(buffer).substr(0, read), views);
    FileValue::Lines& lines = target.lines();
    lines.assign(views.begin(), views.end());
    return !lines.empty();
}

int EditorLine(std::string_view bytes, std::size_t offset) {
    int line = 1;
    for (std::size_t i = 0; i < offset && i < bytes.size(); ++i)
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) ++line;
    return line;
}

int EditorLineOfFile(const std::string& path, std::size_t index) {
    std::string buffer;
    std::size_t read = ReadFileBytes(path, 0, buffer);
    std::vector<std::string_view> lines;
    SplitLines(std::string_view(buffer).substr(0, read), lines);
    if (index >= lines.size()) return 0;
    return EditorLine(buffer, static_cast<std::size_t>(lines[index].data() - buffer.data()));
}

}  // namespace tovrik
