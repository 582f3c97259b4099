#include "ui/breakdown.h"

#include <algorithm>
#include <unordered_map>

#include "base/ascii.h"
#include "engine/match_file.h"
#include "fileio/file_write.h"
#include "settings/app_paths.h"
#include "ui/view_text.h"

namespace tovrik {
namespace {

// The deepest folder that holds both folders (each ending in "/").
std::string CommonFolder(const std::string& a, const std::string& b) {
    std::size_t same = static_cast<std::size_t>(
        std::mismatch(a.begin(), a.begin() + std::min(a.size(), b.size()), b.begin()).first - a.begin());
    if (same == 0) return "";
    return a.substr(0, a.rfind('/', same - 1) + 1);
}

bool UsesWeapon(const MatchRecord& match, std::size_t weapon) {
    return std::any_of(match.rows.begin(), match.rows.end(),
                       [&](const CountedRow& row) { return row.weapon == weapon; });
}

// For each row's label, the folder that holds every match counted in it.
std::vector<std::string> FoldersOf(const MatchTable& table, const BreakdownChoice& choice,
                                   const std::vector<ViewRow>& rows) {
    std::unordered_map<std::string, std::string> folders;
    auto note = [&](std::string label, const std::string& folder) {
        auto [at, added] = folders.try_emplace(std::move(label), folder);
        if (!added && at->second != folder) at->second = CommonFolder(at->second, folder);
    };
    std::vector<std::string> labels;
    if (choice.grouping) labels = GroupLabels(table, choice.period, *choice.grouping);
    for (std::size_t m = 0; m < table.matches.size(); ++m) {
        const MatchRecord& match = table.matches[m];
        if (match.status != MatchStatus::Read || !choice.period.holds(match)) continue;
        const std::string& folder = table.folders[match.folder];
        if (choice.career) {
            note(choice.grouping ? labels[m] : "All", folder);
        } else if (!choice.grouping) {
            for (const CountedRow& row : match.rows) note(Weapons()[row.weapon], folder);
        } else if (UsesWeapon(match, choice.weapon)) {
            note(labels[m], folder);
        }
    }
    std::vector<std::string> byRow;
    for (const ViewRow& row : rows) {
        std::string& folder = byRow.emplace_back(folders[row.label]);
        if (folder.size() > 1) folder.pop_back();  // as a folder is named: no "/" at its end
    }
    return byRow;
}

// Every weapon's figures together: the matches where any weapon counts, the
// sums, and the accuracies of all of them.
Figures Together(const MatchTable& table, const Period& period, const std::vector<ViewRow>& rows) {
    Figures all;
    for (const MatchRecord& match : table.matches)
        all.games += match.status == MatchStatus::Read && period.holds(match) && !match.rows.empty();
    double sum = 0;
    for (const ViewRow& row : rows) {
        const Figures& f = row.figures;
        all.shots = AddLong(all.shots, f.shots, "shots");
        all.hits = AddLong(all.hits, f.hits, "hits");
        all.headshots = AddLong(all.headshots, f.headshots, "headshots");
        all.kills = AddLong(all.kills, f.kills, "kills");
        all.deaths = AddLong(all.deaths, f.deaths, "deaths");
        if (f.collected == 0) continue;
        all.lowest = all.collected == 0 ? f.lowest : std::min(all.lowest, f.lowest);
        all.highest = all.collected == 0 ? f.highest : std::max(all.highest, f.highest);
        all.collected += f.collected;
        sum += f.mean * f.collected;
    }
    if (all.collected > 0) all.mean = sum / all.collected;
    return all;
}

std::optional<AccuracyMatch> MatchOf(const MatchTable& table, const std::optional<CollectedAccuracy>& at,
                                     std::string weapon = "") {
    if (!at) return {};
    MatchPlace place = MatchPlace::Of(table, table.matches[at->match]);
    std::string folder = DirOf(place.path);
    return AccuracyMatch{at->value, std::move(place), std::move(folder), std::move(weapon)};
}

// The lowest and the highest accuracy over every weapon, each named; of equal ones, the first weapon's.
void ExtremesOfAll(const MatchTable& table, const WeaponRuns& runs, Breakdown& b) {
    for (std::size_t w = 0; w < Weapons().size(); ++w) {
        const Tally& tally = runs.of(w);
        if (tally.lowest() && (!b.worst || tally.lowest()->value < b.worst->accuracy))
            b.worst = MatchOf(table, tally.lowest(), Weapons()[w]);
        if (tally.highest() && (!b.best || tally.highest()->value > b.best->accuracy))
            b.best = MatchOf(table, tally.highest(), Weapons()[w]);
    }
}

}  // namespace

WeaponSet WeaponsToRead(const BreakdownChoice& choice) {
    return choice.grouping && !choice.career ? WeaponBit(choice.weapon) : kEveryWeapon;
}

std::size_t BreakdownWeapon(const std::string& chosen) { return WeaponIndex(chosen).value_or(0); }

const std::string& WeaponName(std::size_t weapon) { return Weapons()[weapon]; }

std::string BreakdownCsv(const Breakdown& breakdown) {
    return breakdown.career ? CareerCsv(breakdown.header, breakdown.careerRows)
                            : TableCsv(breakdown.header, breakdown.rows);
}

std::optional<std::string> WriteExport(const std::string& file, const std::string& bytes) {
    return WriteWhole(file, bytes);
}

const std::vector<PresetName>& PeriodPresets() {
    static const std::vector<PresetName> kPresets{{PeriodPreset::Chosen, "Chosen days"},
                                                  {PeriodPreset::LastSession, "Last session"},
                                                  {PeriodPreset::Today, "Today"},
                                                  {PeriodPreset::LastWeek, "Last 7 days"},
                                                  {PeriodPreset::LastMonth, "Last 30 days"},
                                                  {PeriodPreset::ThisYear, "This year"},
                                                  {PeriodPreset::Everything, "Everything"}};
    return kPresets;
}

std::optional<std::pair<std::string, std::string>> PresetDays(PeriodPreset preset, int today) {
    const std::string day = DayText(DateOfDays(today));
    switch (preset) {
        case PeriodPreset::Today:
            return std::pair{day, day};
        case PeriodPreset::LastWeek:
            return std::pair{DayText(DateOfDays(today - 6)), std::string()};
        case PeriodPreset::LastMonth:
            return std::pair{DayText(DateOfDays(today - 29)), std::string()};
        case PeriodPreset::ThisYear:
            return std::pair{day.substr(0, 4) + "-01-01", std::string()};
        case PeriodPreset::LastSession:
        case PeriodPreset::Everything:
            return std::pair{std::string(), std::string()};
        default:
            return std::nullopt;
    }
}

std::string BreakdownTitle(const BreakdownChoice& choice) {
    const Period& p = choice.period;
    // The weapon, every weapon or the career, of the player, by the grouping.
    std::string what = choice.career ? "Career" : choice.grouping ? WeaponName(choice.weapon) : "Every weapon";
    if (!choice.player.empty()) what += " of " + choice.player;
    if (choice.grouping) what += " by " + std::string(Groupings()[static_cast<std::size_t>(*choice.grouping)].word);
    if (choice.lastSession) return what + ", last session";
    if (!p.limited()) return what + ", every match";
    if (!p.until) return what + ", from " + DayText(*p.since);
    return what + ", " + (p.since ? DayText(*p.since) + " to " : "to ") + DayText(*p.until);
}

std::string BreakdownFileName(const BreakdownChoice& choice) {
    const std::string subject = choice.career ? "career" : WeaponName(choice.weapon);
    std::string name = choice.grouping ? subject + "-by-" + Groupings()[static_cast<std::size_t>(*choice.grouping)].word
                       : choice.career ? subject
                                       : "every-weapon";
    if (choice.lastSession) name += "-last-session";
    if (choice.period.since) name += "-from-" + DayText(*choice.period.since);
    if (choice.period.until) name += "-to-" + DayText(*choice.period.until);
    // Weapon names hold spaces and dots ("MG-42 Gun", "Scp.K43"): a name without either is easier to type.
    for (char& c : name) c = c == ' ' || c == '.' ? '-' : static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
    return name;
}

std::string GroupHeader(const std::optional<Grouping>& grouping) {
    return grouping ? Groupings()[static_cast<std::size_t>(*grouping)].header : "Weapon";
}

Breakdown MakeBreakdown(const MatchTable& table, const BreakdownChoice& chosen) {
    if (!chosen.player.empty()) {  // over a copy that holds that player's matches alone
        BreakdownChoice anyone = chosen;
        anyone.player.clear();
        return MakeBreakdown(PlayerTable(table, chosen.player), anyone);
    }
    BreakdownChoice choice = chosen;
    if (choice.lastSession) choice.period = LastSession(table, kSessionGap);
    Breakdown b;
    b.period = choice.period;
    b.header = GroupHeader(choice.grouping);
    // The rows first: where the run stops, it stops as the report's view does.
    if (choice.career) {
        b.career = true;
        const CareerChoice career{kAllMaps, choice.period};
        if (choice.grouping) {
            b.careerRows = CareerRows(table, career, *choice.grouping, kSessionGap, &b.careerTotal.figures);
        } else {
            b.header = "Matches";  // a table of one row, as the report's
            b.careerTotal.figures = CareerOver(table, career);
            b.careerRows.push_back(CareerRow{"All", b.careerTotal.figures});
        }
        b.careerTotal.label = "Total";
    } else if (!choice.grouping) {
        const WeaponRuns runs = RunsOver(table, kEveryWeapon, kAllMaps, choice.period);
        b.rows = runs.rows();
        b.total = ViewRow{"Total", Together(table, choice.period, b.rows)};
        ExtremesOfAll(table, runs, b);
    } else {
        Tally whole(choice.weapon, kAllMaps);
        b.rows = GroupRows(table, choice.weapon, kAllMaps, choice.period, *choice.grouping, &whole);
        b.total = ViewRow{"Total", whole.figures()};
        b.worst = MatchOf(table, whole.lowest());
        b.best = MatchOf(table, whole.highest());
    }
    b.folders = FoldersOf(table, choice, b.rows);
    return b;
}

}  // namespace tovrik
