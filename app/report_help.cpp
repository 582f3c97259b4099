#include "app/report_help.h"

#include <algorithm>
#include <iterator>

namespace tovrik {
namespace {

constexpr const char* kExamples =
    "\nExamples:\n"
    "  tovrik-report ~/.etlegacy/legacy/stats                      every weapon\n"
    "  tovrik-report ~/.etlegacy/legacy/stats Thompson             one weapon, best and worst match\n"
    "  tovrik-report --map goldrush STATS mp-40                    one weapon on one map\n"
    "  tovrik-report --since 2026-12-01 --until 2026-12-31 STATS   one month\n"
    "  tovrik-report --since 6d STATS                              the last seven days\n"
    "  tovrik-report --by month STATS Thompson                     one row per month\n"
    "  tovrik-report --by session --last-session STATS Thompson    tonight's matches\n"
    "  tovrik-report --career --by month STATS                     damage, XP and rank by month\n"
    "  tovrik-report --csv STATS > weapons.csv                     for a spreadsheet\n"
    "  tovrik-report --json STATS Garand                           for scripts\n"
    "  tovrik-report --chart thompson.png STATS Thompson           the accuracy chart\n"
    "  tovrik-report --trace STATS Thompson                        the window's drawing steps\n"
    "\nExit status: 0 done, 1 a match file or the output failed, 2 a wrong command line.\n";

constexpr OptionRow kOptions[] = {
    {"comma", nullptr, "Write numbers with a decimal comma."},
    {"point", nullptr, "Write numbers with a decimal point."},
    {"map", "MAP", "Count only the matches played on MAP."},
    {"player", "NAME", "Count only the matches of the player NAME, without regard to case."},
    {"since", "DATE",
     "Count only the matches of DATE and after: YYYY-MM-DD, today, yesterday, or Nd for N days before today."},
    {"until", "DATE", "Count only the matches of DATE and before, a DATE as for --since."},
    {"last-session", nullptr, "Count only the matches of the last session."},
    {"session-gap", "MINUTES",
     "Start a new session after a pause of MINUTES or more between two matches (120 unless given)."},
    {"by", "GROUP", "With a WEAPON or --career: one row per map, day, week (ISO), month, year or session."},
    {"career", nullptr,
     "Instead of a weapon, the player's career: damage given and received, team damage, gibs, kills, deaths, XP "
     "and rank."},
    {"csv", nullptr, "Print the table as comma-separated values."},
    {"json", nullptr, "Print the view as one JSON document."},
    {"chart", "FILE", "With a WEAPON: also write its accuracy chart to FILE (PNG)."},
    {"trace", nullptr, "With a WEAPON: print every operation the window's run performs, one a line."},
    {"help", nullptr, "Print this help and exit."},
    {"version", nullptr, "Print the version and exit."}};

constexpr const char* kDescription =
    "Sums up one player's Enemy Territory weapon statistics from the match files below STATS_DIR.\n"
    "With a WEAPON: the summary the window shows for it. Without: one row per weapon.\n"
    "With --career: the damage, kills, deaths, XP and rank the matches tell instead.\n";
constexpr OptionRow kArguments[] = {{"STATS_DIR", nullptr, "The statistics directory."},
                                    {"WEAPON", nullptr, "A weapon of the weapon list, such as Thompson or mp40."}};

// The help's rows: the name in a column, the help wrapped beside it at 79
// characters.
std::string HelpRows(const OptionRow* begin, const OptionRow* end, std::size_t column) {
    std::string text;
    for (const OptionRow* row = begin; row != end; ++row) {
        std::string line = "  " + std::string(begin == std::begin(kArguments) ? "" : "--") + row->name +
                           (row->value ? " <" + std::string(row->value) + ">" : "");
        std::string_view words = row->help;
        if (line.size() + 1 > column) text += line + "\n", line.clear();  // a long name: its help below it
        while (!words.empty()) {
            line.resize(column, ' ');
            std::size_t room = 79 - column, cut = words.size() <= room ? words.size() : words.rfind(' ', room);
            text += line.append(words.substr(0, cut)) + "\n";
            words.remove_prefix(std::min(words.size(), cut + 1));
            line.clear();
        }
    }
    return text;
}

}  // namespace

const OptionRow* FindOption(std::string_view name) {
    const OptionRow* row =
        std::find_if(std::begin(kOptions), std::end(kOptions), [&](const OptionRow& r) { return name == r.name; });
    return row == std::end(kOptions) ? nullptr : row;
}

std::string HelpText() {
    return std::string("Usage: tovrik-report [options] STATS_DIR [WEAPON]\n") + kDescription + "\nOptions:\n" +
           HelpRows(std::begin(kOptions), std::end(kOptions), 18) + "\nArguments:\n" +
           HelpRows(std::begin(kArguments), std::end(kArguments), 18) + kExamples;
}

}  // namespace tovrik
