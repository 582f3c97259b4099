#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/career.h"
#include "engine/tree_scan.h"
#include "engine/views.h"
#include "engine/weapons.h"

namespace tovrik {

// What the breakdown shows: one weapon by map or by period, or every weapon
// side by side, over every map and the matches of a period.
struct BreakdownChoice {
    std::size_t weapon = 0;                            // index into Weapons()
    std::optional<Grouping> grouping = Grouping::Map;  // none: by weapon
    Period period;
    bool lastSession = false;  // the period is the last session of the table
    bool career = false;       // the player's career instead of the weapon
    std::string player = {};   // whose matches count, without regard to case; "" for everyone's
};

// The periods offered beside the two day fields, in the order shown.
enum class PeriodPreset { Chosen, LastSession, Today, LastWeek, LastMonth, ThisYear, Everything };
struct PresetName {
    PeriodPreset preset;
    const char* text;  // "Last 7 days", ...
};
const std::vector<PresetName>& PeriodPresets();

// What a preset puts in the day fields, counted from `today` (days since
// 1970-01-01): the first and the last day as YYYY-MM-DD, "" for no limit.
// The chosen days keep what the fields hold: none.
std::optional<std::pair<std::string, std::string>> PresetDays(PeriodPreset preset, int today);

// The weapons a table must hold for the choice. The breakdown reads the
// matches' own lines too, for the career and the players.
WeaponSet WeaponsToRead(const BreakdownChoice& choice);

// The weapon broken down for the weapon list's choice: the one chosen, else
// the first; and its name.
std::size_t BreakdownWeapon(const std::string& chosen);
const std::string& WeaponName(std::size_t weapon);

// The table's first header: "Weapon", "Map", "Day", "Week", "Month" or "Year".
std::string GroupHeader(const std::optional<Grouping>& grouping);

// The match of a weapon's lowest or highest accuracy.
struct AccuracyMatch {
    float accuracy = 0;
    MatchPlace place;
    std::string folder;  // of its file
    std::string weapon;  // whose accuracy it is, when every weapon is shown; else ""
};

struct Breakdown {
    Period period;  // as chosen, the last session found
    std::string header;
    std::vector<ViewRow> rows;                 // as `tovrik-report` lists them
    bool career = false;                       // the rows are careerRows, the total careerTotal
    std::vector<CareerRow> careerRows;         // as `tovrik-report --career` lists them
    CareerRow careerTotal;
    std::vector<std::string> folders;          // of each row: the deepest folder that holds all its matches
    ViewRow total;                             // every row together
    std::optional<AccuracyMatch> worst, best;  // the lowest and highest accuracy of the weapon, or of every one
};

// The breakdown of a table read with WeaponsToRead(choice). Throws the run's
// error where it stops.
Breakdown MakeBreakdown(const MatchTable& table, const BreakdownChoice& choice);

// The table as `tovrik-report --csv` writes it for the same choices.
std::string BreakdownCsv(const Breakdown& breakdown);

// What a choice shows, in words: "Thompson by week, 2026-09-01 to 2026-09-30",
// "Every weapon, every match".
std::string BreakdownTitle(const BreakdownChoice& choice);
// The same as a file's name, without its extension:
// "thompson-by-week-from-2026-09-01-to-2026-09-30", "every-weapon".
std::string BreakdownFileName(const BreakdownChoice& choice);

// Writes an exported file whole or not at all; says why when it could not.
std::optional<std::string> WriteExport(const std::string& file, const std::string& bytes);

// A dated group's point on a time axis: the first day of its period, its
// mean accuracy (a career's: its damage per game) and the trend up to it.
struct TimePoint {
    int day = 0;  // since 1970-01-01
    double accuracy = 0;
    std::size_t row = 0;
    double trend = 0;  // the mean accuracy of the kTrendGroups groups up to this one, together
};

// How many groups a point's trend takes in: itself and the ones before it.
constexpr std::size_t kTrendGroups = 5;

// The rows of a dated grouping with a collected accuracy (a career's: with
// damage told), in time order. The trend of each weighs each group's mean by
// its count of accuracies, so that it is the mean of every match's accuracy
// in those groups (a career's: the damage per game of those groups together).
std::vector<TimePoint> TimePoints(const Breakdown& breakdown, const std::optional<Grouping>& grouping);

// A dated tick of a time axis.
struct TimeTick {
    int day = 0;
    std::string text;  // "2026", "2026-12" or "2026-12-06"
};

// At most `most` ticks on round dates (years, months, Mondays or days, none
// finer than `unit`'s period) from `first` to `last`, both days since
// 1970-01-01; the first day alone when none fits.
std::vector<TimeTick> TimeTicks(int first, int last, int most, Grouping unit);

// About half the days of a group's period: the room a time axis leaves
// before its first group and after its last.
int HalfPeriodDays(Grouping unit);

}  // namespace tovrik
