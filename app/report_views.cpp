#include "app/report_views.h"

#include <dlfcn.h>

#include <algorithm>

#include "base/quote.h"
#include "engine/career.h"
#include "engine/match_file.h"
#include "engine/tree_scan.h"
#include "engine/weapons.h"
#include "fileio/directory.h"
#include "fileio/file_write.h"
#include "settings/app_paths.h"
#include "settings/path_dat.h"
#include "ui/breakdown.h"
#include "ui/form1.h"
#include "ui/trace_controls.h"
#include "ui/view_text.h"

namespace tovrik {
namespace {

// What every view over the table shares: the options, the matches read once,
// and the notes on the period and the map.
struct View {
    const ReportOptions& options;
    const MatchTable& table;
    std::size_t dateless;

    std::string leftOut() const { return SessionNote(options.period) + LeftOutNote(dateless) + DeniedNote(table); }
    std::string choicesJson() const {
        const ReportOptions& o = options;
        return "\"map\": " + (AllMaps(o.mapChoice) ? "null" : JsonString(o.mapChoice)) +
               ", \"player\": " + (o.player.empty() ? "null" : JsonString(o.player)) +
               ", \"since\": " + (o.period.since ? JsonString(o.since) : "null") +
               ", \"until\": " + (o.period.until ? JsonString(o.until) : "null") +
               ", \"session\": " + SessionJson(o.period) + ", \"dateless_left_out\": " + std::to_string(dateless) +
               ", \"denied_folders\": " + std::to_string(table.deniedFolders) +
               ", \"denied_files\": " + std::to_string(table.deniedFiles);
    }
    // A table view: text, CSV or JSON.
    void printTable(const std::string& header, const std::string& jsonHead, const std::string& jsonKey,
                    const std::vector<ViewRow>& rows, std::ostream& out, std::ostream& err) const {
        if (options.output == ReportOutput::Json) {
            out << "{" << jsonHead << choicesJson() << ",\n \"" << jsonKey << "s\": " << JsonRows(jsonKey, rows)
                << "}\n";
        } else if (options.output == ReportOutput::Csv) {
            out << TableCsv(header, rows);
            err << leftOut();
        } else {
            out << TableText(header, rows, options.sep) << leftOut();
        }
    }
};

int Trace(const ReportOptions& o, std::ostream& out) {
    // The window's own run, as after start-up: no map listed yet.
    TraceControls controls(out, Weapons()[*o.weapon], o.mapChoice);
    Form1 form(controls, o.sep);
    form.StatsDir = o.statsDir;
    form.ComputeStats();
    return 0;
}

int Overview(const View& v, const std::vector<ViewRow>& rows, std::ostream& out, std::ostream& err) {
    v.printTable(GroupHeader(std::nullopt), "\"view\": \"overview\", ", "weapon", rows, out, err);
    return 0;
}

int Groups(const View& v, std::ostream& out, std::ostream& err) {
    const ReportOptions& o = v.options;
    std::vector<ViewRow> rows =
        GroupRows(v.table, *o.weapon, o.mapChoice, o.period, *o.grouping, nullptr, o.sessionGap);
    v.printTable(GroupHeader(o.grouping),
                 "\"view\": \"groups\", \"by\": " + JsonString(o.groupName) +
                     ", \"weapon\": " + JsonString(Weapons()[*o.weapon]) + ", ",
                 "group", rows, out, err);
    return 0;
}

// The career: a summary, or a row a group, and the figures some matches did not tell.
int Career(const View& v, std::ostream& out, std::ostream& err) {
    const ReportOptions& o = v.options;
    const CareerChoice choice{o.mapChoice, o.period};
    CareerFigures whole;
    std::vector<CareerRow> rows;
    if (o.grouping)
        rows = CareerRows(v.table, choice, *o.grouping, o.sessionGap, &whole);
    else
        whole = CareerOver(v.table, choice);
    const std::string header = o.grouping ? GroupHeader(o.grouping) : "Matches";
    if (!o.grouping) rows.push_back(CareerRow{"All", whole});  // a table of one row
    if (o.output == ReportOutput::Json) {
        out << "{\"view\": \"career\", " << (o.grouping ? "\"by\": " + JsonString(o.groupName) + ", " : "")
            << v.choicesJson() << ",\n ";
        if (o.grouping)
            out << "\"groups\": " << CareerJsonRows("group", rows) << "}\n";
        else
            out << CareerJson(whole) << "}\n";
    } else if (o.output == ReportOutput::Csv) {
        out << CareerCsv(header, rows);
        err << ToldNote(whole) << v.leftOut();
    } else {
        out << (o.grouping ? CareerTableText(header, rows, o.sep) : CareerSummaryText(o.mapChoice, whole, o.sep))
            << ToldNote(whole) << v.leftOut();
    }
    return 0;
}

// The chart's module: beside a portable copy (the build's programs are
// one), else where the install puts it for the programs' folder.
std::string ChartModule() {
    const std::string dir = ProgramDir();
    if (IsPortable(dir)) return dir + "/tovrik-chart-png.so";
    return dir + "/" TOVRIK_CHART_MODULE_FROM_BINDIR;
}

// The chart as the window's chart box shows it after the same run, written
// whole or not at all.
bool WriteChart(const Tally& tally, const std::string& file, std::ostream& err) {
    using ChartPng = bool (*)(const Tally*, std::string*);
    static void* module = dlopen(ChartModule().c_str(), RTLD_NOW | RTLD_LOCAL);  // kept for the process
    auto chartPng = module != nullptr ? reinterpret_cast<ChartPng>(dlsym(module, "tovrik_chart_png")) : nullptr;
    std::string png;
    std::optional<std::string> failure;
    if (chartPng == nullptr)
        failure = "the chart's module " + Escaped(ChartModule()) + " cannot be loaded";
    else if (!chartPng(&tally, &png))
        failure = "the image could not be made";
    else
        failure = WriteWhole(file, png);
    if (!failure) return true;
    err << "tovrik-report: cannot write the chart to \"" << Escaped(file) << "\": " << *failure << ".\n";
    return false;
}

int Summary(const View& v, const Tally& tally, std::ostream& out, std::ostream& err) {
    const ReportOptions& o = v.options;
    const std::string& weapon = Weapons()[*o.weapon];
    if (tally.stop()) throw tally.stop()->error;
    if (o.chartFile && !WriteChart(tally, *o.chartFile, err)) return 1;
    auto placeOf = [&](const std::optional<CollectedAccuracy>& at) -> std::optional<MatchPlace> {
        if (!at) return {};
        return MatchPlace::Of(v.table, v.table.matches[at->match]);
    };
    const std::optional<MatchPlace> lowest = placeOf(tally.lowest()), highest = placeOf(tally.highest());
    if (o.output == ReportOutput::Json) {
        out << "{\"view\": \"summary\", \"weapon\": " << JsonString(weapon) << ", " << v.choicesJson() << ",\n "
            << JsonFigures(tally.figures()) << ",\n \"lowest_match\": " << PlaceJson(lowest)
            << ",\n \"highest_match\": " << PlaceJson(highest) << "}\n";
        return 0;
    }
    out << SummaryText(o.mapChoice, weapon, tally.figures(), o.sep);
    if (lowest) out << "Lowest match:     " << PlaceText(*lowest) << '\n';
    if (highest) out << "Highest match:    " << PlaceText(*highest) << '\n';
    out << v.leftOut();
    return 0;
}

// Says why the figures may all be zero: no match file at all, or a map
// choice that no match has.
void NoteWhatZeroMeans(const ReportOptions& o, const MatchTable& table, std::ostream& err) {
    if (table.matches.empty()) err << "tovrik-report: no match files below \"" << Escaped(o.statsDir) << "\".\n";
    if (AllMaps(o.mapChoice) || std::find(table.maps.begin(), table.maps.end(), o.mapChoice) != table.maps.end())
        return;
    err << "tovrik-report: no match was played on \"" << Escaped(o.mapChoice) << "\"";
    std::string nearest;
    for (const std::string& map : Nearest(table.maps, o.mapChoice))
        nearest += (nearest.empty() ? "" : ", ") + Escaped(map);
    err << (nearest.empty() ? "" : "; maps played: " + nearest) << ".\n";
}

// The view the options ask for over a table read before.
int ViewOver(const ReportOptions& o, const MatchTable& table, std::ostream& out, std::ostream& err) {
    NoteWhatZeroMeans(o, table, err);
    const View v{o, table, DatelessMatches(table, o.period)};
    if (o.career) return Career(v, out, err);
    if (!o.weapon) return Overview(v, RunsOver(table, kEveryWeapon, o.mapChoice, o.period).rows(), out, err);
    if (!o.grouping) return Summary(v, ChartRun(table, *o.weapon, o.mapChoice, o.period), out, err);
    if (o.chartFile) {  // the weapon's chart over the same matches, as the summary draws it
        const Tally chart = ChartRun(table, *o.weapon, o.mapChoice, o.period);
        if (chart.stop()) throw chart.stop()->error;
        if (!WriteChart(chart, *o.chartFile, err)) return 1;
    }
    return Groups(v, out, err);
}

// Says that no match is of the player asked for, and the names nearest to it.
void NoPlayer(const std::string& player, const MatchTable& table, std::ostream& err) {
    err << "tovrik-report: no match is of the player \"" << Escaped(player) << "\"";
    std::string nearest;
    for (const std::string& name : Nearest(PlayerNames(table), player))
        nearest += (nearest.empty() ? "" : ", ") + Escaped(name);
    err << (nearest.empty() ? "" : "; players: " + nearest) << ".\n";
}

}  // namespace

int RunReport(const ReportOptions& o, std::ostream& out, std::ostream& err) {
    // A folder that cannot be listed would look like one without matches.
    if (std::optional<std::string> reason = WhyNotListable(o.statsDir)) {
        err << "tovrik-report: cannot list \"" << Escaped(o.statsDir) << "\": " << *reason << ".\n";
        return 1;
    }
    if (o.trace) return Trace(o, out);
    // Every other view sums over the matches, read once: the overview and the
    // summary as they are read, the groups and the last session over the rows kept.
    if (o.lastSession || o.grouping || o.career || !o.player.empty()) {
        ReportOptions over = o;
        ScanOptions scan;
        scan.matchLines = o.career || !o.player.empty();
        // The career keeps what it needs of the rows in the lines: the rows themselves go as they are read.
        const MatchAdder none = [](const MatchTable&, const MatchRecord&, std::size_t) { return true; };
        MatchTable table = o.career ? SumTree(o.statsDir, kEveryWeapon, none, scan)
                                    : ReadTree(o.statsDir, o.weapon ? WeaponBit(*o.weapon) : kEveryWeapon, scan);
        if (!o.player.empty() && KeepPlayer(table, o.player) == 0) NoPlayer(o.player, table, err);
        if (o.lastSession) over.period = LastSession(table, o.sessionGap);
        return ViewOver(over, table, out, err);
    }
    if (!o.weapon) {
        WeaponRuns runs(kEveryWeapon, o.mapChoice, o.period);
        const MatchTable table = SumTree(o.statsDir, runs);
        NoteWhatZeroMeans(o, table, err);
        return Overview(View{o, table, DatelessMatches(table, o.period)}, runs.finish(table).rows(), out, err);
    }
    const WeaponRun run = RunWeapon(o.statsDir, *o.weapon, o.mapChoice, o.period, ChartBox{}, o.chartFile.has_value());
    NoteWhatZeroMeans(o, run.table, err);
    return Summary(View{o, run.table, DatelessMatches(run.table, o.period)}, run.tally, out, err);
}

}  // namespace tovrik
