#include "ui/overview.h"

#include "ui/recording_controls.h"

namespace tovrik {

WeaponFigures FiguresOf(const Form1& form, const std::string& weapon) {
    WeaponFigures row;
    row.weapon = weapon;
    row.games = form.GamesPlayed;
    row.shots = form.TotShots;
    row.hits = form.TotHits;
    row.headshots = form.TotHeadshots;
    row.kills = form.TotKills;
    row.deaths = form.TotDeaths;
    row.meanAccuracy = form.AvgAccuracy;
    row.lowest = form.LastRun.Minimum;
    row.highest = form.LastRun.Maximum;
    row.collected = form.LastRun.Collected;
    return row;
}

std::vector<WeaponFigures> WeaponOverview(const std::string& statsDir, const std::string& mapChoice) {
    std::vector<WeaponFigures> rows;
    RecordingControls controls;
    Form1 form(controls);
    form.StatsDir = statsDir;
    controls.list3Selection = mapChoice;
    for (const std::string& weapon : Form1::Weapons()) {
        controls.list2Selection = weapon;
        form.ComputeStats();
        controls.clearTrace();
        rows.push_back(FiguresOf(form, weapon));
    }
    return rows;
}

}  // namespace tovrik
