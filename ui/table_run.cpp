#include "ui/table_run.h"

#include "engine/match_file.h"
#include "engine/weapons.h"
#include "fileio/file_read.h"
#include "ui/chart.h"
#include "ui/controls.h"

namespace tovrik {
namespace {

void Stop(TableRun& run, RunError error, std::size_t match, std::int32_t line) {
    run.stop = std::move(error);
    run.stopMatch = match;
    run.stopLine = line;
}

// Adds the row's numbers to the totals in the run's order; false, with the run
// stopped, where the run would stop.
bool Count(const MatchTable& table, std::size_t m, const CountedRow& row, TableRun& run) {
    WeaponFigures& f = run.figures;
    std::int32_t* totals[] = {&f.headshots, &f.shots, &f.hits, &f.kills, &f.deaths};
    static const char* const kNames[] = {"headshots", "shots", "hits", "kills", "deaths"};
    try {
        for (int step = 0; step < 5; ++step) {
            if (row.failsAt == CountedRow::kHeadshots + step) {
                Stop(run, table.errors[static_cast<std::size_t>(row.error)], m, row.lineIndex);
                return false;
            }
            *totals[step] = AddLong(*totals[step], row.numbers[static_cast<std::size_t>(step)], kNames[step]);
        }
        f.games = AddLong(f.games, 1, "games played");
    } catch (RunError& error) {
        std::string path = table.path(table.matches[m]);
        error.locate(path, EditorLineOfFile(path, row.lineIndex));
        Stop(run, error, m, row.lineIndex);
        return false;
    }
    return true;
}

}  // namespace

TableRun RunOnTable(const MatchTable& table, std::size_t weapon, const std::string& mapChoice,
                    const std::function<bool(const MatchRecord&)>& keep) {
    TableRun run;
    WeaponFigures& f = run.figures;
    f.weapon = Weapons()[weapon];
    for (std::size_t m = 0; m < table.matches.size(); ++m) {
        const MatchRecord& match = table.matches[m];
        if (!match.readable || !keep(match)) continue;
        if (match.error >= 0) {
            Stop(run, table.errors[static_cast<std::size_t>(match.error)], m, -1);
            return run;
        }
        if (!MapPasses(table.maps[match.map], mapChoice)) continue;
        float accuracy = 0;
        std::uint16_t line = 0;
        for (const CountedRow& row : match.rows) {
            if (row.weapon != weapon) continue;
            if (row.failsAt == CountedRow::kAccuracy) {
                Stop(run, table.errors[static_cast<std::size_t>(row.error)], m, row.lineIndex);
                return run;
            }
            accuracy = row.accuracy;
            if (!Count(table, m, row, run)) return run;
            line = row.lineIndex;
        }
        if (accuracy > 1) {
            run.accuracies.push_back(CollectedAccuracy{accuracy, m, line});
            f.collected = AddLong(f.collected, 1, "collected accuracies");
        }
    }

    // The extremes and the mean, and the curve's coordinates as the chart
    // box of the window takes them.
    const std::int32_t k = f.collected;
    double sum = 0;
    for (std::int32_t i = 0; i < k; ++i) {
        const CollectedAccuracy& at = run.accuracies[static_cast<std::size_t>(i)];
        if (at.value > f.highest) f.highest = at.value, run.highestAt = static_cast<std::size_t>(i);
        if (at.value < f.lowest) f.lowest = at.value, run.lowestAt = static_cast<std::size_t>(i);
        sum += at.value;
        if (i < 1) continue;
        float prev = run.accuracies[static_cast<std::size_t>(i - 1)].value;
        try {
            CurveCoordinate(ChartX(kChartWidth, k - 1, i - 1), prev);
            CurveCoordinate(ChartY(kChartHeight, prev), prev);
            CurveCoordinate(ChartX(kChartWidth, k - 1, i), at.value);
            CurveCoordinate(ChartY(kChartHeight, at.value), at.value);
        } catch (RunError& error) {
            std::int16_t ignored = 0;
            const CollectedAccuracy& bad = ToCurveCoordinate(ChartY(kChartHeight, prev), ignored)
                                               ? at
                                               : run.accuracies[static_cast<std::size_t>(i - 1)];
            std::string path = table.path(table.matches[bad.match]);
            error.locate(path, EditorLineOfFile(path, bad.line));
            Stop(run, error, bad.match, bad.line);
            return run;
        }
    }
    if (k >= 1) f.meanAccuracy = sum / k;
    return run;
}

void ThrowFirstStop(const std::vector<TableRun>& runs) {
    const TableRun* first = nullptr;
    for (const TableRun& run : runs)
        if (run.stop && (first == nullptr || std::make_pair(run.stopMatch, run.stopLine) <
                                                 std::make_pair(first->stopMatch, first->stopLine)))
            first = &run;
    if (first != nullptr) throw *first->stop;
}

}  // namespace tovrik
