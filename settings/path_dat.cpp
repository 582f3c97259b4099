#include "settings/path_dat.h"

#include <sys/stat.h>

#include "base/version.h"

#include "fileio/file_read.h"
#include "fileio/file_write.h"
#include "settings/app_paths.h"

namespace tovrik {

bool InstalledLayout(const std::string& appDir) {
    std::string bin = std::string("/") + kInstallBinDir;
    if (appDir.size() <= bin.size() || appDir.compare(appDir.size() - bin.size(), bin.size(), bin) != 0) return false;
    std::string share = appDir.substr(0, appDir.size() - bin.size()) + "/" + kInstallDataDir + "/tovrik-stats";
    struct stat info {};
    return stat(share.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string PathDatLocation(const std::string& appDir, const std::string& configDir) {
    if (!configDir.empty() && InstalledLayout(appDir)) return configDir + "/path.dat";
    std::string beside = appDir + "/path.dat";
    // Beside the program comes first; an installed program that cannot write
    // there keeps it in the user's configuration folder.
    if (FileExists(beside) || configDir.empty() || DirectoryWritable(appDir)) return beside;
    return configDir + "/path.dat";
}

std::string ReadPathDat(const std::string& location) {
    FileValue lines = FileValue::LineList();
    return FileRead(location, lines, 0) ? lines.lines()[0] : std::string();
}

void WritePathDat(const std::string& location, const std::string& configDir, const std::string& directory) {
    if (location.compare(0, configDir.size() + 1, configDir + "/") == 0) MakeDirectories(configDir);
    FileWrite(location, FileValue::Text(directory), true);
}

}  // namespace tovrik
