#include "fileio/file_write.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "fileio/file_read.h"
#include "fileio/unique_fd.h"

namespace tovrik {

bool ShellDeleteFile(const std::string& path) {
    unlink(path.c_str());
    struct stat info {};
    return lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

bool FileWrite(const std::string& path, const FileValue& data, bool deleteFirst) {
    if (deleteFirst && FileExists(path) && !ShellDeleteFile(path)) return false;

    // Opened without truncation: an existing file keeps its tail past the new
    // bytes. Non-blocking, so that a FIFO without a reader fails at once.
    UniqueFd fd(open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644));
    if (!fd) return false;

    std::string bytes;
    if (data.isText())
        bytes = data.text();
    else
        for (const std::string& line : data.lines()) bytes += line + "\r\n";
    return !bytes.empty() && pwrite(fd.get(), bytes.data(), bytes.size(), 0) > 0;
}

namespace {

// Holds back the signals that end a program (Ctrl+C, a hang-up, a kill) for
// its lifetime: one that comes meanwhile is delivered once the temporary file
// is renamed or removed, so none is left behind.
class HeldSignals {
public:
    HeldSignals() {
        sigset_t ending;
        sigemptyset(&ending);
        for (int signal : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) sigaddset(&ending, signal);
        pthread_sigmask(SIG_BLOCK, &ending, &before_);
    }
    ~HeldSignals() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
    sigset_t before_;
};

}  // namespace

std::optional<std::string> WriteWhole(const std::string& path, std::string_view bytes) {
    struct stat info {};
    const bool replaced = lstat(path.c_str(), &info) == 0;
    if (replaced && !S_ISREG(info.st_mode)) return std::string("it is not a regular file");
    HeldSignals held;
    // The temporary lies beside the file, so that the rename stays on its file system.
    std::string temporary = (std::filesystem::path(path).parent_path() / ".tovrik-XXXXXX").string();
    UniqueFd fd(mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd) return std::string(std::strerror(errno));
    auto fail = [&](int error) {
        unlink(temporary.c_str());
        return std::optional<std::string>(std::strerror(error));
    };
    for (std::string_view rest = bytes; !rest.empty();) {
        ssize_t n = write(fd.get(), rest.data(), rest.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return fail(n < 0 ? errno : ENOSPC);
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
    // A file replaced keeps its mode; a new one has a new file's. A full disk may tell only at the flush or the close.
    mode_t mask = umask(0);
    umask(mask);
    if (fchmod(fd.get(), replaced ? info.st_mode & 07777 : 0666 & ~mask) != 0 || fsync(fd.get()) != 0)
        return fail(errno);
    if (close(fd.release()) != 0) return fail(errno);
    if (rename(temporary.c_str(), path.c_str()) != 0) return fail(errno);
    return {};
}

}  // namespace tovrik
