#include <string>
#include <vector>

#include "base/run_error.h"
#include "engine/tree_scan.h"
#include "engine/weapons.h"
#include "ui/figure_text.h"
#include "ui/form1.h"

namespace tovrik {

void Form1::ComputeStats() {
    ChartSurface& chart = controls_.Picture1();
    chart.clear();
    PaintGrid(chart);
    controls_.List1_Clear();
    std::string mapChoice = controls_.List3_Text();
    TotHeadshots = TotShots = TotHits = TotKills = TotDeaths = GamesPlayed = 0;
    controls_.SetCaption(Label::Label24, "0%");
    controls_.List3_SetEnabled(true);
    AvgAccuracy = 0;
    std::string weapon = controls_.List2_Text();
    controls_.SetCaption(Label::Label5, MapText(mapChoice));
    controls_.SetCaption(Label::Label6, weapon);

    // The matches stream through map discovery and the tally; the tally
    // numbers them by the paths of the accuracies it collects.
    std::optional<std::size_t> chosen = WeaponIndex(weapon);
    Tally tally(chosen, mapChoice, BoxOf(chart), true);
    std::vector<std::string> collectedPaths;
    MatchNames names;
    ScanTree(StatsDir, chosen ? WeaponBit(*chosen) : 0, names, [&](const MatchNames& known, MatchRecord& match) {
        if (!MapsListed && match.map) ListMap(known.maps[*match.map]);
        std::int32_t before = tally.figures().collected;
        bool going = tally.add(known, match, collectedPaths.size());
        if (tally.figures().collected > before) collectedPaths.push_back(known.path(match));
        return going;
    });
    tally.finish([&](std::size_t match) { return collectedPaths[match]; });
    PaintCurve(chart, tally);

    const Figures& f = tally.figures();
    TotHeadshots = f.headshots, TotShots = f.shots, TotHits = f.hits;
    TotKills = f.kills, TotDeaths = f.deaths, GamesPlayed = f.games;
    LastFigures = f;
    if (tally.stop()) throw tally.stop()->error;
    AvgAccuracy = f.mean;
    ShowFigures(f);
    MapsListed = true;
}

void Form1::ListMap(const std::string& map) {
    if (KnownMaps.insert(map).second) controls_.List3_AddItem(map);
}

}  // namespace tovrik
