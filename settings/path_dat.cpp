#include "settings/path_dat.h"

#include "fileio/file_read.h"
#include "fileio/file_write.h"
#include "settings/app_paths.h"

namespace tovrik {

std::string PathDatLocation(const std::string& appDir, const std::string& configDir) {
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
