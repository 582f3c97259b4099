#include "base/quote.h"
#include "engine/match_file.h"
#include "fileio/directory.h"
#include "fileio/file_read.h"
#include "fileio/file_write.h"
#include "settings/app_paths.h"
#include "settings/path_dat.h"
#include "ui/form1.h"

namespace tovrik {
namespace {

constexpr const char* kPrompt = "Selection du repertoire ET stats :";
// Where no game keeps a statistics folder yet, most likely the game was never told to write one.
constexpr const char* kNoGameFolder =
    "No game folder was found. Either game saves its statistics after each match once told so in its "
    "console: /seta cg_autoAction 4 (today's game also sorts them by month with /seta cg_autoFolders 1).";

}  // namespace

std::string Form1::PathDatLocation() const { return tovrik::PathDatLocation(AppDir, ConfigDir); }

bool Form1::InitStatsDir() {
    const std::string location = PathDatLocation();
    if (!location.empty() && FileExists(location)) {
        std::string why;
        StatsDir = ReadPathDat(location, &why);
        // A remembered folder that is gone would show nothing but zeros.
        std::optional<std::string> reason = WhyNotListable(StatsDir);
        if (!why.empty())
            controls_.ShowMessage("The remembered statistics folder cannot be read from \"" + Escaped(location) +
                                  "\": " + why + ". Please choose it again.");
        else if (!reason)
            return true;
        else
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

void Form1::SaveStatsDir(const std::string& directory) {
    const std::string location = PathDatLocation();
    if (std::optional<std::string> reason = WritePathDat(location, ConfigDir, directory))
        controls_.ShowMessage("The chosen folder cannot be remembered in \"" + Escaped(location) + "\": " + *reason +
                              ". It is used until the window closes.");
}

void Form1::ChangeStatsDir(const std::string& directory) {
    StatsDir = directory;
    SaveStatsDir(directory);
    KnownMaps.clear();
    controls_.List3_Clear();
    controls_.List3_AddItem(kAllMaps);
}

std::string Form1::ChoiceLocation() const {
    const std::string location = PathDatLocation();
    return location.empty() ? "" : DirOf(location) + "/choice.dat";
}

std::pair<std::string, std::string> Form1::LoadChoice() const {
    FileValue lines = FileValue::LineList();
    if (ChoiceLocation().empty() || !FileRead(ChoiceLocation(), lines, 0)) return {};
    const FileValue::Lines& read = lines.lines();
    // A line "-" stands for no map: the reader keeps no empty line.
    return {read[0], read.size() > 1 && read[1] != "-" ? read[1] : ""};
}

void Form1::SaveChoice(const std::string& weapon, const std::string& mapChoice) const {
    // Not worth a word when it cannot be kept: the next start just asks less.
    if (!ChoiceLocation().empty())
        WriteWhole(ChoiceLocation(), weapon + "\n" + (mapChoice.empty() ? "-" : mapChoice) + "\n");
}

std::string Form1::AskStatsDir(const std::string& prompt) {
    if (!BrowseFolder) return "cancel";
    const std::string usual = UsualStatsFolder();
    return BrowseFolder(prompt, usual, usual.empty() ? kNoGameFolder : "");
}

}  // namespace tovrik
