#include "settings/path_dat.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fileio/file_read.h"
#include "fileio/file_write.h"
#include "settings/app_paths.h"

namespace tovrik {
namespace {

constexpr std::int32_t kMostPath = 4096;  // PATH_MAX: no folder's path is longer

}  // namespace

bool IsPortable(const std::string& appDir) { return FileExists(appDir + "/" + kPortableMarker); }

std::string PathDatLocation(const std::string& appDir, const std::string& configDir) {
    if (IsPortable(appDir)) return appDir + "/path.dat";
    return configDir.empty() ? "" : configDir + "/path.dat";
}

std::string ReadPathDat(const std::string& location, std::string* why) {
    FileValue lines = FileValue::LineList();
    if (FileRead(location, lines, kMostPath)) return lines.lines()[0];
    struct stat info {};
    if (why != nullptr && stat(location.c_str(), &info) == 0 && (!S_ISREG(info.st_mode) || info.st_size > 0)) {
        const int fd = open(location.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        *why = !S_ISREG(info.st_mode) ? "it is not a regular file" : fd < 0 ? std::strerror(errno) : "";
        if (fd >= 0) close(fd);
    }
    return std::string();
}

std::optional<std::string> WritePathDat(const std::string& location, const std::string& configDir,
                                        const std::string& directory) {
    if (location.empty()) return std::string("no home folder is known");
    errno = 0;
    bool inConfig = location.compare(0, configDir.size() + 1, configDir + "/") == 0;
    if ((inConfig && !MakeDirectories(configDir)) || !FileWrite(location, FileValue::Text(directory), true))
        return std::string(errno != 0 ? std::strerror(errno) : "it could not be written");
    return {};
}

}  // namespace tovrik
