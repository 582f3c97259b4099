#include "settings/path_dat.h"

#include <cerrno>
#include <cstring>

#include "fileio/file_read.h"
#include "fileio/file_write.h"
#include "settings/app_paths.h"

namespace tovrik {

bool IsPortable(const std::string& appDir) { return FileExists(appDir + "/" + kPortableMarker); }

std::string PathDatLocation(const std::string& appDir, const std::string& configDir) {
    if (IsPortable(appDir)) return appDir + "/path.dat";
    return configDir.empty() ? "" : configDir + "/path.dat";
}

std::string ReadPathDat(const std::string& location) {
    FileValue lines = FileValue::LineList();
    return FileRead(location, lines, 0) ? lines.lines()[0] : std::string();
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
