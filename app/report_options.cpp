#include "app/report_options.h"

#include <sys/stat.h>

#include <QCommandLineParser>
#include <cerrno>
#include <cstring>
#include <QCoreApplication>
#include <cctype>
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

// Every option of the report, its value's name and its help: the one list
// that --help prints and that the manual page and the completion follow.
struct OptionRow {
    const char* name;
    const char* value;  // nullptr: the option takes none
    const char* help;
};
constexpr OptionRow kOptions[] = {
    {"comma", nullptr, "Write numbers with a decimal comma."},
    {"point", nullptr, "Write numbers with a decimal point."},
    {"map", "MAP", "Count only the matches played on MAP."},
    {"since", "DATE", "Count only the matches of DATE (YYYY-MM-DD) and after."},
    {"until", "DATE", "Count only the matches of DATE (YYYY-MM-DD) and before."},
    {"by", "GROUP", "With a WEAPON: one row per map, day, week (ISO), month or year."},
    {"csv", nullptr, "Print the table as comma-separated values."},
    {"json", nullptr, "Print the view as one JSON document."},
    {"chart", "FILE", "With a WEAPON: also write its accuracy chart to FILE (PNG)."},
    {"trace", nullptr, "With a WEAPON: print every operation the window's run performs, one a line."},
    {"help", nullptr, "Print this help and exit."},
    {"version", nullptr, "Print the version and exit."}};

struct Parser {
    QCommandLineParser parser;
    std::map<std::string, QCommandLineOption> options;

    Parser() {
        parser.setApplicationDescription(
            "Sums up one player's Enemy Territory weapon statistics from the match files below STATS_DIR.\n"
            "With a WEAPON: the summary the window shows for it. Without: one row per weapon.");
        for (const OptionRow& row : kOptions) {
            QCommandLineOption option(row.name, row.help, row.value ? row.value : QString());
            options.emplace(row.name, option);
            parser.addOption(option);
        }
        parser.addPositionalArgument("STATS_DIR", "The statistics directory.");
        parser.addPositionalArgument("WEAPON", "A weapon of the weapon list, such as Thompson or mp40.", "[WEAPON]");
    }
    const QCommandLineOption& operator[](const char* name) const { return options.at(name); }
    // The option's value as the bytes given: each byte was read as one character.
    std::string bytes(const char* name) const { return parser.value(options.at(name)).toLatin1().toStdString(); }
    bool isSet(const char* name) const { return parser.isSet(options.at(name)); }
};

// A name as a player may type it: lower case, without spaces, dashes or dots.
std::string Squeezed(std::string_view name) {
    std::string key;
    for (char c : name)
        if (c != ' ' && c != '-' && c != '.') key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

// The weapon `name` means: the list's own name or today's spelling in any
// case, or the one weapon whose name it is without case, space, dash or dot.
std::size_t WeaponNamed(const std::string& name) {
    std::vector<std::size_t> fits;
    for (std::size_t w = 0; w < Weapons().size(); ++w) {
        const std::string& weapon = Weapons()[w];
        std::string_view other = OtherSpelling(weapon);
        if (FoldedEqual(weapon, name) || (!other.empty() && FoldedEqual(other, name))) return w;
        if (Squeezed(weapon) == Squeezed(name) || (!other.empty() && Squeezed(other) == Squeezed(name)))
            fits.push_back(w);
    }
    if (fits.size() == 1) return fits[0];
    std::vector<std::string> names(Weapons().begin(), Weapons().end());
    std::string list, nearest;
    for (const std::string& weapon : Weapons()) list += (list.empty() ? "" : ", ") + weapon;
    for (const std::string& near : Nearest(names, name)) nearest += (nearest.empty() ? "" : " or ") + near;
    throw UsageError{Quoted(name) + " is not a weapon of the list" +
                     (nearest.empty() ? "." : "; did you mean " + nearest + "?") + " The list: " + list + "."};
}

MatchDate Day(const Parser& p, const char* option) {
    std::string text = p.bytes(option);
    MatchDate day = DayOfText(text);
    if (!day.known()) throw UsageError{"--" + std::string(option) + " takes a day as YYYY-MM-DD, not " + Quoted(text) + "."};
    return day;
}

// The combinations that make no view.
void CheckCombinations(const Parser& p, bool hasWeapon) {
    bool period = p.isSet("since") || p.isSet("until");
    if (p.isSet("comma") && p.isSet("point")) throw UsageError{"--comma and --point exclude each other."};
    if (p.isSet("csv") && p.isSet("json")) throw UsageError{"--csv and --json exclude each other."};
    if (p.isSet("trace")) {
        if (!hasWeapon) throw UsageError{"--trace needs a WEAPON."};
        if (period || p.isSet("by") || p.isSet("csv") || p.isSet("json") || p.isSet("chart"))
            throw UsageError{"--trace shows the window's run alone: no period, --by, --csv, --json or --chart."};
    }
    for (const char* option : {"by", "chart"})
        if (p.isSet(option) && !hasWeapon) throw UsageError{"--" + std::string(option) + " needs a WEAPON."};
}

std::optional<Grouping> GroupingOf(const Parser& p) {
    static const std::map<std::string, Grouping> kGroupings = {{"map", Grouping::Map},
                                                               {"day", Grouping::Day},
                                                               {"week", Grouping::Week},
                                                               {"month", Grouping::Month},
                                                               {"year", Grouping::Year}};
    if (!p.isSet("by")) return std::nullopt;
    auto found = kGroupings.find(p.bytes("by"));
    if (found == kGroupings.end())
        throw UsageError{"--by takes map, day, week, month or year, not " + Quoted(p.bytes("by")) + "."};
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

std::vector<std::string> Nearest(const std::vector<std::string>& names, const std::string& text) {
    std::vector<std::string> nearest;
    for (const std::string& name : names)
        if (FoldedEqual(name, text) && nearest.size() < 3) nearest.push_back(name);
    if (!nearest.empty()) return nearest;
    // A part of a name, as "k43" of "K43 Rifle" and "Scp.K43".
    for (const std::string& name : names)
        if (Squeezed(text).size() >= 3 && Squeezed(name).find(Squeezed(text)) != std::string::npos && nearest.size() < 3)
            nearest.push_back(name);
    if (!nearest.empty()) return nearest;
    std::size_t best = std::max<std::size_t>(2, text.size() / 3) + 1;  // more slips than that: no likeness
    for (const std::string& name : names) {
        std::size_t distance = EditDistance(Squeezed(name), Squeezed(text));
        if (distance < best) best = distance, nearest.clear();
        if (distance == best && nearest.size() < 3) nearest.push_back(name);
    }
    return nearest;
}

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
    if (p.isSet("help")) {
        // Without an application object the parser cannot tell the program's name.
        std::string help = p.parser.helpText().replace("<executable_name>", "tovrik-report").toStdString();
        return o.answer = help + kExamples, o;
    }
    if (p.isSet("version")) return o.answer = std::string("tovrik-report ") + kVersion + "\n", o;

    const QStringList args = p.parser.positionalArguments();
    if (args.isEmpty()) throw UsageError{"the statistics directory is missing."};
    if (args.size() > 2) throw UsageError{"too many arguments: one STATS_DIR and one WEAPON at most."};
    bool hasWeapon = args.size() == 2;
    CheckCombinations(p, hasWeapon);
    o.grouping = GroupingOf(p);
    o.groupName = p.bytes("by");
    if (p.isSet("csv") && hasWeapon && !o.grouping)
        throw UsageError{"--csv is for a table: the overview, or --by with a WEAPON."};
    if (p.isSet("since")) o.period.since = Day(p, "since"), o.since = p.bytes("since");
    if (p.isSet("until")) o.period.until = Day(p, "until"), o.until = p.bytes("until");
    if (o.period.since && o.period.until && o.period.since->key() > o.period.until->key())
        throw UsageError{"the period ends (--until " + o.until + ") before it starts (--since " + o.since + ")."};
    o.statsDir = StatsDirOf(args[0]);
    if (hasWeapon) o.weapon = WeaponNamed(args[1].toLatin1().toStdString());
    o.sep = p.isSet("comma") ? ',' : p.isSet("point") ? '.' : UserDecimalSeparator();
    o.mapChoice = p.bytes("map");
    o.output = p.isSet("csv") ? ReportOutput::Csv : p.isSet("json") ? ReportOutput::Json : ReportOutput::Text;
    if (p.isSet("chart")) o.chartFile = p.bytes("chart");
    o.trace = p.isSet("trace");
    return o;
}

}  // namespace tovrik
