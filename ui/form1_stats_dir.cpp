#include "fileio/file_read.h"
#include "settings/app_paths.h"
#include "settings/path_dat.h"
#include "ui/form1.h"

namespace tovrik {
namespace {

constexpr const char* kPrompt = "Selection du repertoire ET stats :";

}  // namespace

std::string Form1::PathDatLocation() const { return tovrik::PathDatLocation(AppDir, ConfigDir); }

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

std::string Form1::LoadStatsDir() { return ReadPathDat(PathDatLocation()); }

void Form1::SaveStatsDir(const std::string& directory) { WritePathDat(PathDatLocation(), ConfigDir, directory); }

std::string Form1::AskStatsDir(const std::string& prompt) {
    if (!BrowseFolder) return "cancel";
    return BrowseFolder(prompt, UsualStatsFolder());
}

}  // namespace tovrik
