#include "fileio/file_read.h"
#include "fileio/file_write.h"
#include "settings/app_paths.h"
#include "ui/form1.h"

namespace tovrik {
namespace {

constexpr const char* kPrompt = "Selection du repertoire ET stats :";
constexpr std::int32_t kDrives = 17;  // the root of the folder tree: the computer's file systems

}  // namespace

std::string Form1::PathDatLocation() const {
    std::string beside = AppDir + "/path.dat";
    // Beside the program comes first; an installed program that cannot write
    // there keeps it in the user's configuration folder.
    if (FileExists(beside) || ConfigDir.empty() || DirectoryWritable(AppDir)) return beside;
    return ConfigDir + "/path.dat";
}

bool Form1::InitStatsDir() {
    if (FileExists(PathDatLocation())) {
        StatsDir = LoadStatsDir();
        return true;
    }
    StatsDir = AskStatsDir(kPrompt);
    if (StatsDir == "cancel") {
        controls_.EndProgram();
        return false;
    }
    SaveStatsDir(StatsDir);
    return true;
}

std::string Form1::LoadStatsDir() {
    FileValue lines = FileValue::LineList();
    return FileRead(PathDatLocation(), lines, 0) ? lines.lines()[0] : std::string();
}

void Form1::SaveStatsDir(const std::string& directory) {
    std::string location = PathDatLocation();
    if (location.compare(0, ConfigDir.size() + 1, ConfigDir + "/") == 0) MakeDirectories(ConfigDir);
    FileWrite(location, FileValue::Text(directory), true);  // a failure is silent: the choice holds for this run
}

std::string Form1::AskStatsDir(const std::string& prompt) {
    if (!BrowseFolder) return "cancel";
    return BrowseFolder(prompt, "", kDrives, 0, "");
}

}  // namespace tovrik
