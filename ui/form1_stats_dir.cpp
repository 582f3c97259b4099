#include "base/quote.h"
#include "fileio/directory.h"
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
    const std::string location = PathDatLocation();
    if (!location.empty() && FileExists(location)) {
        StatsDir = LoadStatsDir();
        // A remembered folder that is gone would show nothing but zeros.
        std::optional<std::string> reason = WhyNotListable(StatsDir);
        if (!reason) return true;
        controls_.ShowMessage("The statistics folder \"" + Escaped(StatsDir) + "\" cannot be opened: " + *reason +
                              ". Please choose it again.");
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

void Form1::SaveStatsDir(const std::string& directory) {
    const std::string location = PathDatLocation();
    if (std::optional<std::string> reason = WritePathDat(location, ConfigDir, directory))
        controls_.ShowMessage("The chosen folder cannot be remembered in \"" + Escaped(location) + "\": " + *reason +
                              ". It is used until the window closes.");
}

std::string Form1::AskStatsDir(const std::string& prompt) {
    if (!BrowseFolder) return "cancel";
    return BrowseFolder(prompt, UsualStatsFolder());
}

}  // namespace tovrik
