#include "app/report_options.h"

#include <sys/stat.h>

#include <QCommandLineParser>
#include <cerrno>
#include <cstring>
#include <QCoreApplication>
#include <map>

#include "base/ascii.h"
#include "base/number_text.h"
#include "base/quote.h"
#include "base/version.h"
#include "engine/weapons.h"

namespace tovrik {
namespace {

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

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption comma{"comma", "Write numbers with a decimal comma."};
    QCommandLineOption point{"point", "Write numbers with a decimal point."};
    QCommandLineOption map{"map", "Count only the matches played on MAP.", "MAP"};
    QCommandLineOption since{"since", "Count only the matches of DATE (YYYY-MM-DD) and after.", "DATE"};
    QCommandLineOption until{"until", "Count only the matches of DATE (YYYY-MM-DD) and before.", "DATE"};
    QCommandLineOption by{"by", "With a WEAPON: one row per map, day, week (ISO), month or year.", "GROUP"};
    QCommandLineOption csv{"csv", "Print the table as comma-separated values."};
    QCommandLineOption json{"json", "Print the view as one JSON document."};
    QCommandLineOption chart{"chart", "With a WEAPON: also write its accuracy chart to FILE (PNG).", "FILE"};
    QCommandLineOption trace{"trace", "With a WEAPON: print every operation the window's run performs, one a line."};

    Parser() {
        parser.setApplicationDescription(
            "Sums up one player's Enemy Territory weapon statistics from the match files below STATS_DIR.\n"
            "With a WEAPON: the summary the window shows for it. Without: one row per weapon.");
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({comma, point, map, since, until, by, csv, json, chart, trace});
        parser.addPositionalArgument("STATS_DIR", "The statistics directory.");
        parser.addPositionalArgument("WEAPON", "A weapon of the weapon list, such as Thompson (any case).", "[WEAPON]");
    }
    // The option's value as the bytes given: each byte was read as one character.
    std::string bytes(const QCommandLineOption& option) const { return parser.value(option).toLatin1().toStdString(); }
    bool isSet(const QCommandLineOption& option) const { return parser.isSet(option); }
};

std::size_t WeaponNamed(const std::string& name) {
    for (std::size_t w = 0; w < Weapons().size(); ++w)
        if (FoldedEqual(Weapons()[w], name)) return w;
    std::string list;
    for (const std::string& weapon : Weapons()) list += (list.empty() ? "" : ", ") + weapon;
    throw UsageError{Quoted(name) + " is not a weapon of the list: " + list + "."};
}

MatchDate Day(const Parser& p, const QCommandLineOption& option) {
    std::string text = p.bytes(option);
    MatchDate day = DayOfText(text);
    if (!day.known())
        throw UsageError{"--" + option.names()[0].toStdString() + " takes a day as YYYY-MM-DD, not " + Quoted(text) +
                         "."};
    return day;
}

// The combinations that make no view.
void CheckCombinations(const Parser& p, bool hasWeapon) {
    bool period = p.isSet(p.since) || p.isSet(p.until);
    if (p.isSet(p.comma) && p.isSet(p.point)) throw UsageError{"--comma and --point exclude each other."};
    if (p.isSet(p.csv) && p.isSet(p.json)) throw UsageError{"--csv and --json exclude each other."};
    if (p.isSet(p.trace)) {
        if (!hasWeapon) throw UsageError{"--trace needs a WEAPON."};
        if (period || p.isSet(p.by) || p.isSet(p.csv) || p.isSet(p.json) || p.isSet(p.chart))
            throw UsageError{"--trace shows the window's run alone: no period, --by, --csv, --json or --chart."};
    }
    for (const QCommandLineOption* option : {&p.by, &p.chart})
        if (p.isSet(*option) && !hasWeapon)
            throw UsageError{"--" + option->names()[0].toStdString() + " needs a WEAPON."};
}

std::optional<Grouping> GroupingOf(const Parser& p) {
    static const std::map<std::string, Grouping> kGroupings = {{"map", Grouping::Map},
                                                               {"day", Grouping::Day},
                                                               {"week", Grouping::Week},
                                                               {"month", Grouping::Month},
                                                               {"year", Grouping::Year}};
    if (!p.isSet(p.by)) return std::nullopt;
    auto found = kGroupings.find(p.bytes(p.by));
    if (found == kGroupings.end())
        throw UsageError{"--by takes map, day, week, month or year, not " + Quoted(p.bytes(p.by)) + "."};
    return found->second;
}

std::string StatsDirOf(const QString& argument) {
    std::string dir = argument.toLatin1().toStdString();
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    struct stat info {};
    if (stat(dir.c_str(), &info) != 0)
        throw UsageError{"\"" + Escaped(dir) + "\" is not a directory: " + std::strerror(errno) + "."};
    if (!S_ISDIR(info.st_mode)) throw UsageError{"\"" + Escaped(dir) + "\" is not a directory."};
    return dir;
}

}  // namespace

ReportOptions ParseReportOptions(int argc, char* argv[]) {
    QCoreApplication::setApplicationName("tovrik-report");
    QCoreApplication::setApplicationVersion(kVersion);
    Parser p;
    // Each byte of an argument is one character, so that a folder or a map
    // whose name is not valid text keeps its bytes (toLatin1 gives them back).
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLatin1(argv[i]);
    if (!p.parser.parse(arguments)) throw UsageError{p.parser.errorText().toStdString()};
    ReportOptions o;
    if (p.parser.isSet("help")) {
        // Without an application object the parser cannot tell the program's name.
        std::string help = p.parser.helpText().replace("<executable_name>", "tovrik-report").toStdString();
        return o.answer = help + kExamples, o;
    }
    if (p.parser.isSet("version")) return o.answer = std::string("tovrik-report ") + kVersion + "\n", o;

    const QStringList args = p.parser.positionalArguments();
    if (args.isEmpty()) throw UsageError{"the statistics directory is missing."};
    if (args.size() > 2) throw UsageError{"too many arguments: one STATS_DIR and one WEAPON at most."};
    bool hasWeapon = args.size() == 2;
    CheckCombinations(p, hasWeapon);
    o.grouping = GroupingOf(p);
    o.groupName = p.bytes(p.by);
    if (p.isSet(p.csv) && hasWeapon && !o.grouping)
        throw UsageError{"--csv is for a table: the overview, or --by with a WEAPON."};
    if (p.isSet(p.since)) o.period.since = Day(p, p.since), o.since = p.bytes(p.since);
    if (p.isSet(p.until)) o.period.until = Day(p, p.until), o.until = p.bytes(p.until);
    if (o.period.since && o.period.until && o.period.since->key() > o.period.until->key())
        throw UsageError{"the period ends (--until " + o.until + ") before it starts (--since " + o.since + ")."};
    o.statsDir = StatsDirOf(args[0]);
    if (hasWeapon) o.weapon = WeaponNamed(args[1].toLatin1().toStdString());
    o.sep = p.isSet(p.comma) ? ',' : p.isSet(p.point) ? '.' : UserDecimalSeparator();
    o.mapChoice = p.bytes(p.map);
    o.output = p.isSet(p.csv) ? ReportOutput::Csv : p.isSet(p.json) ? ReportOutput::Json : ReportOutput::Text;
    if (p.isSet(p.chart)) o.chartFile = p.bytes(p.chart);
    o.trace = p.isSet(p.trace);
    return o;
}

}  // namespace tovrik
