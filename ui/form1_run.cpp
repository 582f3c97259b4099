#include <string>
#include <vector>

#include "base/number_text.h"
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

    // The matches stream through map discovery (a map met in a new file joins
    // the list at any run) and the tally, which numbers them by the points it
    // collects.
    std::optional<std::size_t> chosen = WeaponIndex(weapon);
    Tally tally(chosen, mapChoice, BoxOf(chart), true);
    std::vector<ChartPoint> points;
    std::uint32_t mapsMet = 0;
    MatchNames names;
    ScanTree(StatsDir, chosen ? WeaponBit(*chosen) : 0, names, [&](const MatchNames& known, MatchRecord& match) {
        // The scan numbers maps as it meets them: a map is new to this run
        // when its number is the next one.
        if (match.map && *match.map == mapsMet) ListMap(known.maps[mapsMet++]);
        std::int32_t before = tally.figures().collected;
        bool going = tally.add(known, match, points.size());
        if (tally.figures().collected > before) points.push_back(PointOf(known, match, tally.points().back().value));
        return going;
    });
    tally.finish([&](std::size_t match) { return points[match].path; });
    PaintCurve(chart, tally);
    Points = PlacePoints(BoxOf(chart), std::move(points));

    const Figures& f = tally.figures();
    TotHeadshots = f.headshots, TotShots = f.shots, TotHits = f.hits;
    TotKills = f.kills, TotDeaths = f.deaths, GamesPlayed = f.games;
    LastFigures = f;
    if (tally.stop()) throw tally.stop()->error;
    AvgAccuracy = f.mean;
    ShowFigures(f);
    MapsListed = true;
}

ChartPoint Form1::PointOf(const MatchNames& names, const MatchRecord& match, float accuracy) {
    return ChartPoint{{}, {}, accuracy, match.date, match.time, std::string(names.map(match)), names.path(match)};
}

std::string Form1::PointText(const ChartPoint& point) const {
    std::string day = DayText(point.date), time = TimeText(point.time);
    return (day.empty() ? "-" : day) + " " + (time.empty() ? "-" : time) + "  " + point.map + "  " +
           SingleToText(point.accuracy, DecimalSeparator) + "%";
}

std::vector<ChartPoint> Form1::PlacePoints(const ChartBox& box, std::vector<ChartPoint> points) {
    const auto last = static_cast<std::int32_t>(points.size()) - 1;
    for (std::int32_t j = 0; j <= last; ++j) {
        ChartPoint& point = points[static_cast<std::size_t>(j)];
        point.x = last > 0 ? static_cast<float>(ChartX(box.width, last, j)) : 0;
        point.y = ChartY(box.height, point.accuracy);
    }
    return points;
}

void Form1::ListMap(const std::string& map) {
    if (KnownMaps.insert(map).second) controls_.List3_AddItem(map);
}

}  // namespace tovrik
