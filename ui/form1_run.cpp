#include <string>
#include <vector>

#include "base/number_text.h"
#include "base/run_error.h"
#include "engine/file_search.h"
#include "engine/tree_scan.h"
#include "engine/weapons.h"
#include "ui/figure_text.h"
#include "ui/form1.h"
#include "ui/view_text.h"

namespace tovrik {

void Form1::ComputeStats() {
    ChartSurface& chart = controls_.Picture1();
    chart.clear();
    PaintGrid(chart);
    controls_.List1_Clear();
    std::string mapChoice = controls_.List3_Text();
    controls_.SetCaption(Label::Label24, "0%");
    controls_.List3_SetEnabled(true);
    std::string weapon = controls_.List2_Text();
    controls_.SetCaption(Label::Label5, MapText(mapChoice));
    controls_.SetCaption(Label::Label6, weapon);

    lastRun_ = std::make_shared<const WeaponRun>(
        RunWeapon(StatsDir, WeaponIndex(weapon), mapChoice, Period{}, BoxOf(chart), true));
    const WeaponRun& run = *lastRun_;
    // A map met in a new file joins the list at any run.
    for (std::size_t m = 0; m < run.mapsMet; ++m) ListMap(run.table.maps[m]);
    PaintCurve(chart, run.tally);
    if (run.tally.stop()) throw run.tally.stop()->error;
    ShowFigures(run.tally.figures());
}

std::vector<std::string> Form1::WatchFolders(std::size_t most) const {
    TreeWalk walk = MatchFiles(StatsDir);
    FoundFile found;
    while (walk.next(found) && walk.folders().size() < most) {
    }
    std::vector<std::string> folders;
    for (const std::string& folder : walk.folders())
        if (!folder.empty() && folders.size() < most)
            folders.push_back(folder.size() > 1 ? folder.substr(0, folder.size() - 1) : folder);
    return folders;
}

std::string Form1::RunNote() const { return lastRun_ ? DeniedNote(lastRun_->table) : ""; }

const std::vector<CurvePoint>& Form1::CurvePlaces() const {
    static const std::vector<CurvePoint> kNone;
    return lastRun_ ? lastRun_->tally.curve() : kNone;
}

MatchPlace Form1::PointPlace(std::size_t j) const { return lastRun_->placeOf(lastRun_->tally.points()[j]); }

std::string Form1::PointText(std::size_t j) const {
    const MatchPlace place = PointPlace(j);
    return place.when() + "  " + place.map + "  " + SingleToText(lastRun_->tally.points()[j].value, DecimalSeparator) +
           "%";
}

void Form1::ListMap(const std::string& map) {
    if (KnownMaps.insert(map).second) controls_.List3_AddItem(map);
}

}  // namespace tovrik
