#include "fileio/file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/run_error.h"
#include "fileio/file_read.h"
#include "fileio/unique_fd.h"

namespace tovrik {

bool ShellDeleteFile(const std::string& path, std::int32_t flags) {
    if (flags < kIntegerMin || flags > kIntegerMax)
        throw RunError(RunError::Kind::Overflow,
                       "the delete flags " + std::to_string(flags) + " are outside -32,768 to 32,767.");
    unlink(path.c_str());
    struct stat info {};
    return lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

bool FileWrite(const std::string& path, const FileValue& data, bool deleteFirst) {
    if (deleteFirst && FileExists(path) && !ShellDeleteFile(path, kSilentDelete)) return false;

    // Opened without truncation: an existing file keeps its tail past the new
    // bytes. Non-blocking, so that a FIFO without a reader fails at once.
    UniqueFd fd(open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644));
    if (!fd) return false;

    std::string kind = LowerKindName(data);
    std::string bytes;
    bool known = true;
    if (kind == "string") {
        bytes = data.text();
    } else if (kind == "string()") {
        for (const std::string& line : data.lines()) bytes += line + "\r\n";
    } else if (kind == "byte()") {
        bytes.assign(data.bytes().begin(), data.bytes().end());
    } else {
        known = false;
    }

    bool written = false;
    if (known && !bytes.empty()) {
        ssize_t n = pwrite(fd.get(), bytes.data(), bytes.size(), 0);
        written = n > 0;
    }
    return written;
}

}  // namespace tovrik
