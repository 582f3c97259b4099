#include "app/report_options.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include "app/report_help.h"
#include "base/ascii.h"
#include "base/number_text.h"
#include "base/quote.h"
#include "base/version.h"
#include "engine/weapons.h"

namespace tovrik {
namespace {

// The command line's options and arguments. "--name value" and "--name=value"
// both give a value; "--" ends the options; an option given twice is refused,
// for which of its values was meant cannot be told.
struct Parser {
    std::map<std::string, std::string> given;  // option name -> its value ("" for none)
    std::vector<std::string> arguments;

    Parser(int argc, char* argv[]) {
        bool options = true;
        for (int i = 1; i < argc; ++i) {
            std::string_view arg = argv[i];
            if (!options || arg.size() < 2 || arg[0] != '-') {
                arguments.emplace_back(arg);
            } else if (arg == "--") {
                options = false;
            } else if (arg[1] != '-') {
                throw UsageError{"Unknown option '" + std::string(arg.substr(1, 1)) + "'."};
            } else {
                std::size_t equals = arg.find('=');
                std::string name(arg.substr(2, equals == arg.npos ? arg.npos : equals - 2));
                const OptionRow* row = FindOption(name);
                if (row == nullptr) throw UsageError{"Unknown option '" + name + "'."};
                if (!row->value && equals != arg.npos) throw UsageError{"Unexpected value after '--" + name + "'."};
                if (row->value && equals == arg.npos && i + 1 == argc)
                    throw UsageError{"Missing value after '--" + name + "'."};
                if (given.count(name) != 0) throw UsageError{"--" + name + " is given twice."};
                given[name] = !row->value ? "" : equals != arg.npos ? std::string(arg.substr(equals + 1)) : argv[++i];
            }
        }
    }
    // The option's value as the bytes given.
    std::string bytes(const char* name) const {
        auto found = given.find(name);
        return found == given.end() ? "" : found->second;
    }
    bool isSet(const char* name) const { return given.count(name) != 0; }
};

// A name as a player may type it: lower case, without spaces, dashes or dots.
std::string Squeezed(std::string_view name) {
    std::string key;
    for (char c : name)
        if (c != ' ' && c != '-' && c != '.') key += static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
    return key;
}

// The weapon `name` means: the one whose name or today's spelling it is
// without case, space, dash or dot (no two weapons' names are so alike).
std::size_t WeaponNamed(const std::string& name) {
    std::vector<std::size_t> fits;
    for (std::size_t w = 0; w < Weapons().size(); ++w) {
        const std::string& weapon = Weapons()[w];
        std::string_view other = OtherSpelling(weapon);
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

MatchDate Day(const Parser& p, const char* option, int today) {
    std::string text = p.bytes(option);
    MatchDate day = DayOfPeriodText(text, today);
    if (!day.known())
        throw UsageError{"--" + std::string(option) +
                         " takes a day as YYYY-MM-DD, today, yesterday or Nd (N days before today), not " +
                         Quoted(text) + "."};
    return day;
}

// The pause that starts a new session, in seconds.
int SessionGapOf(const Parser& p) {
    if (!p.isSet("session-gap")) return kSessionGap;
    const std::string text = p.bytes("session-gap");
    const bool digits = !text.empty() && text.size() <= 5 && text.find_first_not_of("0123456789") == std::string::npos;
    const int minutes = digits ? std::stoi(text) : 0;
    if (minutes < 1 || minutes > 10080)
        throw UsageError{"--session-gap takes whole minutes from 1 to 10080 (a week), not " + Quoted(text) + "."};
    return minutes * 60;
}

// The combinations that make no view.
void CheckCombinations(const Parser& p, bool hasWeapon) {
    bool period = p.isSet("since") || p.isSet("until");
    if (p.isSet("comma") && p.isSet("point")) throw UsageError{"--comma and --point exclude each other."};
    if (p.isSet("csv") && p.isSet("json")) throw UsageError{"--csv and --json exclude each other."};
    if (p.isSet("trace")) {
        if (!hasWeapon) throw UsageError{"--trace needs a WEAPON."};
        if (period || p.isSet("last-session") || p.isSet("by") || p.isSet("csv") || p.isSet("json") ||
            p.isSet("chart") || p.isSet("player"))
            throw UsageError{
                "--trace shows the window's run alone: no period, --player, --by, --csv, --json or --chart."};
    }
    if (p.isSet("career") && hasWeapon) throw UsageError{"--career sums every weapon's rows: no WEAPON."};
    if (p.isSet("by") && !hasWeapon && !p.isSet("career")) throw UsageError{"--by needs a WEAPON or --career."};
    if (p.isSet("chart") && !hasWeapon) throw UsageError{"--chart needs a WEAPON."};
    if (p.isSet("player") && p.bytes("player").empty()) throw UsageError{"--player takes a name, not \"\"."};
    if (p.isSet("last-session") && period)
        throw UsageError{"--last-session is a period of its own: no --since or --until."};
    if (p.isSet("session-gap") && !p.isSet("last-session") && p.bytes("by") != "session")
        throw UsageError{"--session-gap is for --by session or --last-session."};
}

std::optional<Grouping> GroupingOf(const Parser& p) {
    if (!p.isSet("by")) return {};
    std::string words;
    for (const GroupingName& name : Groupings()) {
        if (p.bytes("by") == name.word) return name.grouping;
        words += (words.empty() ? "" : &name == &Groupings().back() ? " or " : ", ") + std::string(name.word);
    }
    throw UsageError{"--by takes " + words + ", not " + Quoted(p.bytes("by")) + "."};
}

std::string StatsDirOf(std::string dir) {
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
        if (Squeezed(text).size() >= 3 && Squeezed(name).find(Squeezed(text)) != std::string::npos &&
            nearest.size() < 3)
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

ReportOptions ParseReportOptions(int argc, char* argv[], int today) {
    // Each argument is kept as its bytes, so that a folder or a map whose
    // name is not valid text keeps them.
    Parser p(argc, argv);
    ReportOptions o;
    if (p.isSet("help")) return o.answer = HelpText(), o;
    if (p.isSet("version")) return o.answer = std::string("tovrik-report ") + kVersion + "\n", o;

    const std::vector<std::string>& args = p.arguments;
    if (args.empty()) throw UsageError{"the statistics directory is missing."};
    if (args.size() > 2) throw UsageError{"too many arguments: one STATS_DIR and one WEAPON at most."};
    bool hasWeapon = args.size() == 2;
    CheckCombinations(p, hasWeapon);
    o.grouping = GroupingOf(p);
    o.groupName = p.bytes("by");
    if (p.isSet("csv") && hasWeapon && !o.grouping)
        throw UsageError{"--csv is for a table: the overview, or --by with a WEAPON."};
    if (p.isSet("since")) o.period.since = Day(p, "since", today), o.since = DayText(*o.period.since);
    if (p.isSet("until")) o.period.until = Day(p, "until", today), o.until = DayText(*o.period.until);
    o.lastSession = p.isSet("last-session");
    o.sessionGap = SessionGapOf(p);
    if (!o.period.ordered())
        throw UsageError{"the period ends (--until " + o.until + ") before it starts (--since " + o.since + ")."};
    o.statsDir = StatsDirOf(args[0]);
    if (hasWeapon) o.weapon = WeaponNamed(args[1]);
    o.sep = p.isSet("comma") ? ',' : p.isSet("point") ? '.' : UserDecimalSeparator();
    o.mapChoice = p.bytes("map");
    o.career = p.isSet("career");
    o.player = p.bytes("player");
    o.output = p.isSet("csv") ? ReportOutput::Csv : p.isSet("json") ? ReportOutput::Json : ReportOutput::Text;
    if (p.isSet("chart")) o.chartFile = p.bytes("chart");
    o.trace = p.isSet("trace");
    return o;
}

}  // namespace tovrik
