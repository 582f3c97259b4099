#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/views.h"

namespace tovrik {

// A command line the report cannot follow; the message says why.
struct UsageError {
    std::string message;
};

enum class ReportOutput { Text, Csv, Json };

// What a command line asks of the report, checked: every combination that
// reaches a view is one the view can make.
struct ReportOptions {
    std::optional<std::string> answer;  // --help or --version: the text to print, and nothing else
    std::string statsDir;               // without a trailing "/" ("/" for the root)
    std::optional<std::size_t> weapon;  // index into Weapons(); none: every weapon
    bool career = false;                // the player's career instead of the weapons
    std::string player;                 // whose matches count; "" for everyone's
    std::string mapChoice;              // "" for every map
    Period period;
    std::string since, until;          // the days, for JSON
    bool lastSession = false;          // the period is the last session, found once the matches are read
    int sessionGap = kSessionGap;      // seconds
    std::optional<Grouping> grouping;  // --by
    std::string groupName;             // map, day, week, month, year or session
    ReportOutput output = ReportOutput::Text;
    std::optional<std::string> chartFile;
    bool trace = false;
    char sep = '.';
};

// The names of `names` nearest to `text` (at most three, in their order):
// those that differ from it only in case, else those a few typing slips away.
std::vector<std::string> Nearest(const std::vector<std::string>& names, const std::string& text);

// Reads the command line; relative days ("today", "7d") are counted from
// `today` (days since 1970-01-01). Throws UsageError for one the report
// cannot follow.
ReportOptions ParseReportOptions(int argc, char* argv[], int today);

}  // namespace tovrik
