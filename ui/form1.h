#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/match_file.h"
#include "ui/controls.h"

namespace tovrik {

// The folder browser as the window reaches it: (title, initial path, root,
// flags, icon name) -> the chosen path, or "cancel".
using BrowseFolderFn = std::function<std::string(const std::string& title, const std::string& initialPath,
                                                 std::int32_t root, std::int32_t flags, const std::string& iconName)>;

// What a run found beyond the totals: the lowest and highest collected
// accuracy and how many were collected.
struct RunExtremes {
    float Minimum = 100;
    float Maximum = 0;
    std::int32_t Collected = 0;
};

// The main window's state and procedures. It reaches its controls only
// through Form1Controls, so the same code drives the Qt window, the tests and
// the report tool.
class Form1 {
public:
    static constexpr const char* kAllMaps = tovrik::kAllMaps;
    static const std::vector<std::string>& Weapons();  // the weapon list, in list order

    explicit Form1(Form1Controls& controls, char decimalSeparator = ',');

    // Window state.
    std::string StatsDir;             // without a trailing "/"
    std::set<std::string> KnownMaps;  // the maps already put into List3
    bool MapsListed = false;          // true once a run has completed
    std::int32_t TotHeadshots = 0, TotShots = 0, TotHits = 0, TotKills = 0, TotDeaths = 0, GamesPlayed = 0;
    double AvgAccuracy = 0;
    RunExtremes LastRun;  // the extremes of the last completed run

    char DecimalSeparator;        // of the numbers shown: ',' or '.'
    std::string AppDir;           // the program's own directory, where "path.dat" lives
    std::string ConfigDir;        // fallback home of "path.dat"
    BrowseFolderFn BrowseFolder;  // the folder browser, owned by the window

    // Start-up and the handlers. Form_Load returns false when the program was
    // ended (another instance, or the directory choice cancelled).
    bool Form_Load();
    void FillLists();
    void List2_Click() { ComputeStats(); }
    void List3_Click() { ComputeStats(); }
    void Form_Unload(std::int16_t& cancel);
    void CloseMain() {}

    // The statistics run; a RunError stops it where it arises and reaches the caller.
    void ComputeStats();
    // Scans one match file, adding to the totals; returns the accuracy of the
    // last counted line, 0 when none was counted or the file cannot be read.
    float ScanMatchFile(const std::string& path, const std::string& weapon, const std::string& mapChoice,
                        int accuracyField);

    // The chart.
    void DrawGrid();
    void DrawAccuracySegment(float prev, float cur, std::int32_t n, std::int32_t j);
    void DrawMeanLine(double mean);

    // The summary labels.
    std::string virgule(float valeur) const;
    void ShowRunStart();  // the mean back to "0%"
    void ShowChoices(const std::string& mapChoice, const std::string& weapon);
    void ShowRunEnd(const RunExtremes& extremes);

    // The remembered statistics directory. InitStatsDir returns false when the
    // user cancelled and the program was ended.
    bool InitStatsDir();
    std::string LoadStatsDir();
    void SaveStatsDir(const std::string& directory);
    std::string AskStatsDir(const std::string& prompt);
    std::string PathDatLocation() const;

private:
    Form1Controls& controls_;
    // Reused between files by the scan, so that a run allocates once.
    std::string readBuffer_;
    std::vector<std::string_view> lines_;
    std::string record_;
    std::vector<std::string_view> fields_;
    std::size_t lastCountedIndex_ = 0;  // of the last line the scan counted
};

}  // namespace tovrik
