#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/views.h"
#include "ui/controls.h"

namespace tovrik {

// The folder browser as the window reaches it: (prompt, the folder it opens
// on, a note under the folders or "") -> the chosen folder, or "cancel".
using BrowseFolderFn =
    std::function<std::string(const std::string& prompt, const std::string& initialPath, const std::string& note)>;

// The main window's state and procedures. It reaches its controls only
// through Form1Controls, so the same code drives the Qt window, the tests and
// the report's trace.
class Form1 {
public:
    explicit Form1(Form1Controls& controls, char decimalSeparator = ',');

    // Window state.
    std::string StatsDir;                       // without a trailing "/"
    std::unordered_set<std::string> KnownMaps;  // the maps already put into List3

    char DecimalSeparator;        // of the numbers shown: ',' or '.'
    std::string AppDir;           // the program's own directory, where "path.dat" lives
    std::string ConfigDir;        // fallback home of "path.dat"
    BrowseFolderFn BrowseFolder;  // the folder browser, owned by the window

    // Start-up: false when the program was ended (another instance, or the
    // directory choice cancelled).
    bool Form_Load();
    void FillLists();

    // The statistics run of the chosen weapon and map; a RunError stops it
    // where it arises and reaches the caller.
    void ComputeStats();

    // The places of the curve's points on the chart box, in twips.
    const std::vector<CurvePoint>& CurvePlaces() const;
    // The match behind the curve's point `j`, and what the point shows on
    // hover: its date and time, map and accuracy; made only then.
    MatchPlace PointPlace(std::size_t j) const;
    std::string PointText(std::size_t j) const;

    // The statistics folder and the folders below it as a run walks them
    // (never a file system of the kernel's), `most` at most, each without its
    // trailing "/": the folders a live window watches.
    std::vector<std::string> WatchFolders(std::size_t most) const;
    // What the last completed run could not read (folders and files passed
    // over for want of permission), a line; "" for nothing.
    std::string RunNote() const;
    // After a run-time error: every figure label shows "-", for the figures
    // of the last run no longer stand.
    void ShowStopped();
    // Makes `directory` the statistics folder, remembers it, and lists the
    // maps anew; the caller runs the current choice again.
    void ChangeStatsDir(const std::string& directory);
    // The weapon and map of the last completed run, kept per user beside
    // path.dat: two lines, either empty when none.
    std::pair<std::string, std::string> LoadChoice() const;
    void SaveChoice(const std::string& weapon, const std::string& mapChoice) const;

    // The remembered statistics directory. InitStatsDir returns false when the
    // user cancelled and the program was ended.
    bool InitStatsDir();
    void SaveStatsDir(const std::string& directory);
    std::string AskStatsDir(const std::string& prompt);
    std::string PathDatLocation() const;

private:
    void ListMap(const std::string& map);
    std::string ChoiceLocation() const;
    void ShowFigures(const Figures& figures);

    Form1Controls& controls_;
    std::shared_ptr<const WeaponRun> lastRun_;  // what the chart shows
};

}  // namespace tovrik
