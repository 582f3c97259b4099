// tovrik-report: the statistics of the window, in the terminal.
#include <sys/stat.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <iostream>
#include <set>

#include "app/report_text.h"
#include "base/quote.h"
#include "base/run_error.h"
#include "base/version.h"
#include "engine/match_table.h"
#include "engine/weapons.h"
#include "ui/form1.h"
#include "ui/number_text.h"
#include "ui/qt/chart_canvas.h"
#include "ui/recording_controls.h"
#include "ui/table_run.h"

namespace {

using namespace tovrik;

constexpr const char* kExamples =
    "\nExamples:\n"
    "  tovrik-report ~/.etlegacy/legacy/stats                      every weapon\n"
    "  tovrik-report ~/.etlegacy/legacy/stats Thompson             one weapon, best and worst match\n"
    "  tovrik-report --map goldrush STATS mp-40                    one weapon on one map\n"
    "  tovrik-report --since 2026-12-01 --until 2026-12-31 STATS   one month\n"
    "  tovrik-report --by month STATS Thompson                     one row per month\n"
    "  tovrik-report --csv STATS > weapons.csv                     for a spreadsheet\n"
    "  tovrik-report --json STATS Garand                           for scripts\n"
    "  tovrik-report --chart thompson.png STATS Thompson           the accuracy chart\n"
    "  tovrik-report --trace STATS Thompson                        the window's drawing steps\n"
    "\nExit status: 0 done, 1 a match file or the output failed, 2 a wrong command line.\n";

struct UsageError {
    std::string message;
};

// The weapon list's own name for `name`, matched without regard to ASCII case.
std::string WeaponNamed(const std::string& name) {
    for (const std::string& weapon : Weapons())
        if (weapon.size() == name.size() && std::equal(weapon.begin(), weapon.end(), name.begin(), [](char a, char b) {
                return std::tolower(a) == std::tolower(b);
            }))
            return weapon;
    return "";
}

// A day given as YYYY-MM-DD, as MatchDate::key orders it.
int DayKey(const std::string& text, const char* option) {
    int time = 0;
    MatchDate date = DateOfPath("", text + "-000000-x.txt", time);
    if (text.size() != 10 || !date.known())
        throw UsageError{std::string(option) + " takes a day as YYYY-MM-DD, not " + Quoted(text) + "."};
    return date.key();
}

// The ISO week of a day: "2026-W49".
std::string IsoWeek(const MatchDate& d) {
    // Days since 1970-01-01 (a Thursday), by the civil calendar.
    auto days = [](int y, int m, int day) {
        y -= m <= 2;
        int era = (y >= 0 ? y : y - 399) / 400;
        int yoe = y - era * 400;
        int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + day - 1;
        int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        return era * 146097 + doe - 719468;
    };
    int n = days(d.year, d.month, d.day);
    int weekday = ((n % 7) + 7 + 3) % 7;  // Monday 0
    int thursday = n - weekday + 3;       // the week's Thursday decides its year
    int year = d.year + (thursday >= days(d.year + 1, 1, 1)) - (thursday < days(d.year, 1, 1));
    int week = (thursday - days(year, 1, 1)) / 7 + 1;
    char text[32];
    std::snprintf(text, sizeof text, "%04d-W%02d", year, week);
    return text;
}

// The group of a match under --by.
std::string GroupOf(const MatchTable& table, const MatchRecord& match, const std::string& by) {
    if (by == "map") return table.maps[match.map];
    if (!match.date.known()) return "no date";
    if (by == "week") return IsoWeek(match.date);
    // A day, a month, a year: the leading part of the day's text.
    return DayText(match.date).substr(0, by == "year" ? 4 : by == "month" ? 7 : 10);
}

int Run(int argc, char* argv[]) {
    QCoreApplication::setApplicationName("tovrik-report");
    QCoreApplication::setApplicationVersion(kVersion);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Sums up one player's Enemy Territory weapon statistics from the match files below STATS_DIR.\n"
        "With a WEAPON: the summary the window shows for it. Without: one row per weapon.");
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption comma("comma", "Write numbers with a decimal comma.");
    QCommandLineOption point("point", "Write numbers with a decimal point.");
    QCommandLineOption map("map", "Count only the matches played on MAP.", "MAP");
    QCommandLineOption since("since", "Count only the matches of DATE (YYYY-MM-DD) and after.", "DATE");
    QCommandLineOption until("until", "Count only the matches of DATE (YYYY-MM-DD) and before.", "DATE");
    QCommandLineOption by("by", "With a WEAPON: one row per map, day, week (ISO), month or year.", "GROUP");
    QCommandLineOption csv("csv", "Print the table as comma-separated values.");
    QCommandLineOption json("json", "Print the view as one JSON document.");
    QCommandLineOption chart("chart", "With a WEAPON: also write its accuracy chart to FILE (PNG).", "FILE");
    QCommandLineOption trace("trace", "With a WEAPON: print every operation the window's run performs, one a line.");
    parser.addOptions({comma, point, map, since, until, by, csv, json, chart, trace});
    parser.addPositionalArgument("STATS_DIR", "The statistics directory.");
    parser.addPositionalArgument("WEAPON", "A weapon of the weapon list, such as Thompson (any case).", "[WEAPON]");

    // Each byte of an argument is one character, so that a folder or a map
    // whose name is not valid text keeps its bytes (toLatin1 gives them back).
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLatin1(argv[i]);
    if (!parser.parse(arguments)) throw UsageError{parser.errorText().toStdString()};
    if (parser.isSet("help")) {
        std::cout << parser.helpText().toStdString() << kExamples;
        return 0;
    }
    if (parser.isSet("version")) {
        std::cout << "tovrik-report " << kVersion << '\n';
        return 0;
    }
    auto bytes = [&](const QCommandLineOption& option) { return parser.value(option).toLatin1().toStdString(); };

    const QStringList args = parser.positionalArguments();
    if (args.isEmpty()) throw UsageError{"the statistics directory is missing."};
    if (args.size() > 2) throw UsageError{"too many arguments: one STATS_DIR and one WEAPON at most."};
    bool hasWeapon = args.size() == 2;
    if (parser.isSet(comma) && parser.isSet(point)) throw UsageError{"--comma and --point exclude each other."};
    if (parser.isSet(csv) && parser.isSet(json)) throw UsageError{"--csv and --json exclude each other."};
    bool period = parser.isSet(since) || parser.isSet(until);
    if (parser.isSet(trace)) {
        if (!hasWeapon) throw UsageError{"--trace needs a WEAPON."};
        if (period || parser.isSet(by) || parser.isSet(csv) || parser.isSet(json) || parser.isSet(chart))
            throw UsageError{"--trace shows the window's run alone: no period, --by, --csv, --json or --chart."};
    }
    for (const QCommandLineOption* option : {&by, &chart})
        if (parser.isSet(*option) && !hasWeapon)
            throw UsageError{"--" + option->names()[0].toStdString() + " needs a WEAPON."};
    std::string group = bytes(by);
    if (parser.isSet(by) && group != "map" && group != "day" && group != "week" && group != "month" && group != "year")
        throw UsageError{"--by takes map, day, week, month or year, not " + Quoted(group) + "."};
    if (parser.isSet(csv) && hasWeapon && !parser.isSet(by))
        throw UsageError{"--csv is for a table: the overview, or --by with a WEAPON."};
    int sinceKey = parser.isSet(since) ? DayKey(bytes(since), "--since") : 0;
    int untilKey = parser.isSet(until) ? DayKey(bytes(until), "--until") : 99999999;

    std::string statsDir = args[0].toLatin1().toStdString();
    while (statsDir.size() > 1 && statsDir.back() == '/') statsDir.pop_back();
    struct stat info {};
    if (stat(statsDir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw UsageError{"\"" + Escaped(statsDir) + "\" is not a directory."};
    std::string weapon;
    if (hasWeapon) {
        weapon = WeaponNamed(args[1].toLatin1().toStdString());
        if (weapon.empty()) {
            std::string list;
            for (const std::string& w : Weapons()) list += (list.empty() ? "" : ", ") + w;
            throw UsageError{Quoted(args[1].toLatin1().toStdString()) + " is not a weapon of the list: " + list + "."};
        }
    }
    char sep = parser.isSet(comma) ? ',' : parser.isSet(point) ? '.' : UserDecimalSeparator();
    std::string mapChoice = bytes(map);

    if (parser.isSet(trace)) {
        // The window's own run, as after start-up: the lists filled, no map listed.
        RecordingControls controls(&std::cout);
        Form1 form(controls, sep);
        form.StatsDir = statsDir;
        controls.setEcho(nullptr);
        form.FillLists();
        controls.setEcho(&std::cout);
        controls.list2Selection = weapon;
        controls.list3Selection = mapChoice;
        form.ComputeStats();
        return 0;
    }

    // Every other view sums over the matches, read once.
    std::size_t w =
        hasWeapon ? static_cast<std::size_t>(std::find(Weapons().begin(), Weapons().end(), weapon) - Weapons().begin())
                  : 0;
    const MatchTable table = BuildMatchTable(statsDir, hasWeapon ? std::uint32_t{1} << w : ~std::uint32_t{0});
    std::size_t dateless = 0;
    for (const MatchRecord& match : table.matches) dateless += period && match.readable && !match.date.known();
    auto inPeriod = [&](const MatchRecord& match) {
        return !period || (match.date.known() && match.date.key() >= sinceKey && match.date.key() <= untilKey);
    };
    auto runOf = [&](std::size_t index, const std::function<bool(const MatchRecord&)>& keep) {
        return RunOnTable(table, index, mapChoice, keep);
    };
    std::string leftOut = period && dateless > 0 ? "Left out: " + std::to_string(dateless) + " match" +
                                                       (dateless == 1 ? "" : "es") + " without a date in its path.\n"
                                                 : "";
    std::string periodJson = "\"since\": " + (parser.isSet(since) ? JsonString(bytes(since)) : "null") +
                             ", \"until\": " + (parser.isSet(until) ? JsonString(bytes(until)) : "null") +
                             ", \"dateless_left_out\": " + std::to_string(dateless);
    std::string mapJson = "\"map\": " + (mapChoice.empty() || mapChoice == kAllMaps ? "null" : JsonString(mapChoice));

    if (!hasWeapon) {
        std::vector<TableRun> runs;
        for (std::size_t index = 0; index < Weapons().size(); ++index) runs.push_back(runOf(index, inPeriod));
        ThrowFirstStop(runs);
        std::vector<ViewRow> rows;
        for (const TableRun& run : runs) rows.push_back(ViewRow{run.figures.weapon, run.figures});
        if (parser.isSet(json)) {
            std::cout << "{\"view\": \"overview\", " << mapJson << ", " << periodJson << ",\n \"weapons\": [";
            for (std::size_t i = 0; i < rows.size(); ++i)
                std::cout << (i ? ",\n  " : "\n  ") << "{\"weapon\": " << JsonString(rows[i].label) << ", "
                          << JsonFigures(rows[i].figures) << "}";
            std::cout << "]}\n";
        } else if (parser.isSet(csv)) {
            std::cout << TableCsv("Weapon", rows);
            std::cerr << leftOut;
        } else {
            std::cout << TableText("Weapon", rows, sep) << leftOut;
        }
        return 0;
    }

    TableRun whole = runOf(w, inPeriod);
    ThrowFirstStop({whole});

    if (parser.isSet(by)) {
        // Maps in the map list's order, periods in date order. Each match's
        // group is told once.
        std::vector<std::string> groups, groupOf;
        std::set<std::string> seen;
        for (const MatchRecord& match : table.matches) {
            groupOf.push_back(GroupOf(table, match, group));
            const std::string& name = groupOf.back();
            if (!match.readable || !inPeriod(match) || !seen.insert(name).second) continue;
            auto at = group == "map" ? groups.begin() + static_cast<std::ptrdiff_t>(SortedRow(groups, name))
                                     : std::upper_bound(groups.begin(), groups.end(), name);
            groups.insert(at, name);
        }
        std::vector<ViewRow> rows;
        for (const std::string& name : groups) {
            TableRun run = runOf(w, [&](const MatchRecord& m) {
                return inPeriod(m) && groupOf[static_cast<std::size_t>(&m - table.matches.data())] == name;
            });
            ThrowFirstStop({run});
            if (run.figures.games > 0) rows.push_back(ViewRow{name, run.figures});  // groups the weapon was in
        }
        std::string header(1, static_cast<char>(std::toupper(group[0])));
        header += group.substr(1);
        if (parser.isSet(json)) {
            std::cout << "{\"view\": \"groups\", \"by\": " << JsonString(group)
                      << ", \"weapon\": " << JsonString(weapon) << ", " << mapJson << ", " << periodJson
                      << ",\n \"groups\": [";
            for (std::size_t i = 0; i < rows.size(); ++i)
                std::cout << (i ? ",\n  " : "\n  ") << "{\"group\": " << JsonString(rows[i].label) << ", "
                          << JsonFigures(rows[i].figures) << "}";
            std::cout << "]}\n";
        } else if (parser.isSet(csv)) {
            std::cout << TableCsv(header, rows);
            std::cerr << leftOut;
        } else {
            std::cout << TableText(header, rows, sep) << leftOut;
        }
        return 0;
    }

    // The summary: the window's labels after the run, and its curve.
    CanvasControls controls;
    Form1 form(controls, sep);
    const WeaponFigures& f = whole.figures;
    form.TotHeadshots = f.headshots, form.TotShots = f.shots, form.TotHits = f.hits;
    form.TotKills = f.kills, form.TotDeaths = f.deaths, form.GamesPlayed = f.games;
    form.AvgAccuracy = f.meanAccuracy;
    form.ShowChoices(mapChoice, weapon);
    form.ShowRunEnd(RunExtremes{f.lowest, f.highest, f.collected});
    auto matchAt = [&](const std::optional<std::size_t>& at) -> const MatchRecord* {
        return at ? &table.matches[whole.accuracies[*at].match] : nullptr;
    };
    if (parser.isSet(chart)) {
        form.DrawGrid();
        const std::int32_t k = f.collected;
        for (std::int32_t i = 1; i < k; ++i)
            form.DrawAccuracySegment(whole.accuracies[static_cast<std::size_t>(i - 1)].value,
                                     whole.accuracies[static_cast<std::size_t>(i)].value, k - 1, i - 1);
        if (k >= 1) form.DrawMeanLine(f.meanAccuracy);
        std::string file = bytes(chart);
        if (!controls.canvas().image().save(QString::fromLocal8Bit(file.c_str()), "PNG")) {
            std::cerr << "tovrik-report: cannot write the chart to \"" << Escaped(file) << "\".\n";
            return 1;
        }
    }
    if (parser.isSet(json)) {
        auto matchJson = [&](const MatchRecord* match) -> std::string {
            if (match == nullptr) return "null";
            std::string day = DayText(match->date), time = TimeText(match->time);
            return "{\"date\": " + (day.empty() ? "null" : JsonString(day)) +
                   ", \"time\": " + (time.empty() ? "null" : JsonString(time)) +
                   ", \"map\": " + JsonString(table.maps[match->map]) +
                   ", \"file\": " + JsonString(table.path(*match)) + "}";
        };
        std::cout << "{\"view\": \"summary\", \"weapon\": " << JsonString(weapon) << ", " << mapJson << ", "
                  << periodJson << ",\n " << JsonFigures(f)
                  << ",\n \"lowest_match\": " << matchJson(matchAt(whole.lowestAt))
                  << ",\n \"highest_match\": " << matchJson(matchAt(whole.highestAt)) << "}\n";
        return 0;
    }
    std::cout << SummaryText(controls);
    if (const MatchRecord* lowest = matchAt(whole.lowestAt))
        std::cout << "Lowest match:     " << MatchText(table, *lowest) << '\n';
    if (const MatchRecord* highest = matchAt(whole.highestAt))
        std::cout << "Highest match:    " << MatchText(table, *highest) << '\n';
    std::cout << leftOut;
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // numbers are formatted by our own code
    int status = 0;
    try {
        status = Run(argc, argv);
    } catch (const UsageError& error) {
        std::cerr << "tovrik-report: " << error.message << "\nTry 'tovrik-report --help'.\n";
        return 2;
    } catch (const RunError& error) {
        std::cout.flush();
        std::cerr << "tovrik-report: " << error.what() << '\n';
        status = 1;
    }
    // Output that could not be written (a full disk, a closed pipe) is a failure.
    errno = 0;
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "tovrik-report: cannot write the report: " << std::strerror(errno != 0 ? errno : EIO) << '\n';
        return 1;
    }
    return status;
}
