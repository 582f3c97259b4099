#include "engine/views.h"

#include "engine/match_date.h"
#include "engine/tree_scan.h"
#include "engine/weapons.h"
#include "tests/support/testing.h"
#include "ui/breakdown.h"

namespace tovrik { namespace {

using testing::Match;
using testing::TempDir;

// The grouping a table names by its header: "Day", "Week"...
Grouping GroupingOf(const std::string& header) {
    for (const GroupingName& name : Groupings())
        if (name.header == header) return name.grouping;
    throw std::invalid_argument("no grouping " + header);
}

TEST(Breakdown, GroupStartsOnTheTimeAxis) {
    for (const testing::Case& c : testing::Cases("group_starts.cases")) {
        TempDir dir;
        dir.write(c[2] + "/120000.txt", Match("m", "Thompson: 50.0 1/2 0 0 0"));
        std::vector<ViewRow> groups =
            GroupRows(ReadTree(dir.path()), *WeaponIndex("Thompson"), "", {}, GroupingOf(c[1]));
        ASSERT_EQ(groups.size(), 1u) << c[0];
        EXPECT_EQ(groups[0].label, c[3]) << c[0];
        EXPECT_EQ(groups[0].firstDay ? DayText(DateOfDays(*groups[0].firstDay)) : "", c[4]) << c[0];
    }
    for (int day = -719162; day <= 2932896; day += 6376) {  // 0001-01-01 to 9999-12-31; 2026-01-01, a Thursday
        MatchDate date = DateOfDays(day);
        EXPECT_EQ(DaysSinceEpoch(date.year, date.month, date.day), day) << day;
        EXPECT_EQ(IsoWeekText(date), IsoWeekText(DateOfDays(MondayOf(day)))) << day;  // its Monday's week
    }
    for (int era = 3; era <= 24; ++era) {  // the last days of each 400 years, counted from March
        const int leap = era * 146097 - 719469;
        EXPECT_EQ(DayText(DateOfDays(leap)), std::to_string(era * 400) + "-02-29") << era;
        EXPECT_EQ(DayText(DateOfDays(leap + 31)), std::to_string(era * 400) + "-03-31") << era;
    }
}

// Sessions: matches less than the gap apart in time order, whatever their folders; the last session; matches
// without a day and a time in none, and counted.
TEST(Sessions, MatchesLessThanTheGapApart) {
    TempDir dir;
    for (const testing::Case& c : testing::Cases("session_matches.cases"))
        dir.write(c[0],
                  Match("m", "Colt: 50.0 1/2 0 0 0") + (c.fields.size() > 1 ? "\nStats recorded: " + c[1] + "\n" : ""));
    dir.write("undated/empty.txt", "");  // passed over: no match, so none left out
    const MatchTable table = ReadTree(dir.path());
    const std::vector<ViewRow> rows = GroupRows(table, *WeaponIndex("Colt"), "", {}, Grouping::Session);
    const std::pair<const char*, int> expected[] = {{"0001-01-01 12:00", 1}, {"2026-12-31 22:00", 3},
                                                    {"2027-01-01 03:59", 1}, {"2027-01-02 11:59", 2},
                                                    {"2027-01-02 23:30", 1}, {"no date", 2}};
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].label, expected[i].first) << i;
        EXPECT_EQ(rows[i].figures.games, expected[i].second) << i;
    }
    EXPECT_EQ(DayText(DateOfDays(*rows[0].firstDay)), "0001-01-01");
    EXPECT_EQ(GroupRows(table, *WeaponIndex("Colt"), "", {}, Grouping::Session, nullptr, 60).size(), 8u)
        << "a minute apart: each match its own session but the two of 12:00";

    const Period last = LastSession(table, kSessionGap);
    EXPECT_EQ(MomentText(last.moments->first), "2027-01-02 23:30");
    EXPECT_EQ(MomentText(last.moments->last), "2027-01-02 23:30");
    EXPECT_EQ(RunsOver(table, kEveryWeapon, "", last).of(*WeaponIndex("Colt")).figures().games, 1);
    EXPECT_EQ(DatelessMatches(table, last), 2u) << "no day, and no time";
    EXPECT_EQ(DatelessMatches(table, Period{DayOfText("2027-01-01")}), 1u) << "a day is enough for days";
    const Period none = LastSession(ReadTree(dir / "undated/a.txt/.."), kSessionGap);
    EXPECT_FALSE(none.holds(table.matches[0]));
}

// What each of the breakdown's periods puts in its day fields, from the last day of a leap year.
TEST(Breakdown, PresetPeriodsDays) {
    using Days = std::optional<std::pair<std::string, std::string>>;
    // clang-format off
    const std::pair<PeriodPreset, Days> cases[] = {{PeriodPreset::Chosen, std::nullopt},
        {PeriodPreset::LastSession, Days{{"", ""}}}, {PeriodPreset::Today, Days{{"2024-12-31", "2024-12-31"}}},
        {PeriodPreset::LastWeek, Days{{"2024-12-25", ""}}}, {PeriodPreset::LastMonth, Days{{"2024-12-02", ""}}},
        {PeriodPreset::ThisYear, Days{{"2024-01-01", ""}}}, {PeriodPreset::Everything, Days{{"", ""}}}};
    // clang-format on
    ASSERT_EQ(PeriodPresets().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(PeriodPresets()[i].preset, cases[i].first) << PeriodPresets()[i].text;
        EXPECT_EQ(PresetDays(cases[i].first, DaysSinceEpoch(2024, 12, 31)), cases[i].second) << PeriodPresets()[i].text;
    }
}

TEST(MatchDate, DaysCountedBackFromToday) {
    for (const testing::Case& c : testing::Cases("period_days.cases"))
        EXPECT_EQ(DayText(DayOfPeriodText(c[0], DaysSinceEpoch(2027, 1, 1))), c[1]) << c[0];
}

// The room a time axis leaves before its first group and after its last: half a period.
TEST(Breakdown, HalfAPeriodOfEachGrouping) {
    const std::pair<Grouping, int> halves[] = {{Grouping::Map, 1},    {Grouping::Day, 1},    {Grouping::Week, 4},
                                               {Grouping::Month, 15}, {Grouping::Year, 183}, {Grouping::Session, 1}};
    for (auto [grouping, days] : halves) EXPECT_EQ(HalfPeriodDays(grouping), days) << GroupHeader(grouping);
}

TEST(Breakdown, TicksOnRoundDates) {
    auto day = [](const char* text) {
        MatchDate date = DayOfText(text);
        return DaysSinceEpoch(date.year, date.month, date.day);
    };
    for (const testing::Case& c : testing::Cases("ticks.cases")) {
        std::vector<std::string> shown;
        for (const TimeTick& tick : TimeTicks(day(c[1].c_str()), day(c[2].c_str()), c.number(3), GroupingOf(c[4])))
            shown.push_back(tick.text);
        EXPECT_EQ(shown, std::vector<std::string>(c.fields.begin() + 5, c.fields.end())) << c[0];
    }
}

// The total row by weapon: a match counts once, whatever its weapons, and every weapon's accuracy of every match is
// collected; a weapon's folder is the one its matches share.
TEST(Breakdown, TotalsFoldersAndExtremes) {
    TempDir dir;
    dir.write("2026.09.01/120000.txt", Match("goldrush", "Thompson: 10.0 10/100 1 2 3\nMP-40: 50.0 20/40 0 1 0"));
    dir.write("2026.09.01/130000.txt", Match("radar", "Thompson: 50.0 30/60 2 0 1"));
    dir.write("2026.09.02/120000.txt", Match("radar", "MP-40: 5.0 5/50 0 0 1"));
    dir.write("old/2026.09.02/120000.txt", Match("radar", "Luger: 60.0 1/2 0 0 1\nThompson: 20.0 2/10 0 0 0"));
    dir.write("2026.09.03/120000.txt", Match("radar", "Colt: 25.0 1/4 0 0 0"));
    dir.write("2026.09.04/120000.txt", Match("radar", ""));  // read, but no weapon counts
    const std::string root = dir.path() + "/";
    const std::size_t thompson = *WeaponIndex("Thompson");
    const MatchTable table = ReadTree(dir.path());
    Breakdown maps = MakeBreakdown(table, {thompson, Grouping::Map, Period{{}, DayOfText("2026-09-01")}});
    EXPECT_EQ(maps.folders, (std::vector<std::string>{root + "2026.09.01", root + "2026.09.01"}));
    EXPECT_EQ(maps.total.figures.shots, 160);
    ASSERT_TRUE(maps.worst && maps.best);
    EXPECT_EQ(maps.worst->place.path, root + "2026.09.01/120000.txt");
    EXPECT_EQ(maps.best->place.when(), "2026-09-01 13:00:00");
    EXPECT_EQ(maps.best->place.map, "radar");
    EXPECT_EQ(maps.best->weapon, "") << "the one weapon's";
    Breakdown weapons = MakeBreakdown(table, BreakdownChoice{thompson, {}, {}});
    ASSERT_EQ(weapons.rows.size(), Weapons().size());
    EXPECT_EQ(weapons.folders[*WeaponIndex("MP-40")], dir.path()) << "its matches lie in two day folders";
    EXPECT_EQ(weapons.folders[*WeaponIndex("Luger")], root + "old/2026.09.02");
    EXPECT_EQ(weapons.folders[thompson], dir.path()) << "folders that part after the root's \"/\"";
    const Figures& all = weapons.total.figures;
    EXPECT_EQ(all.games, 5) << "a match counts once, whatever its weapons";
    EXPECT_EQ(all.shots, 266);
    EXPECT_EQ(all.hits, 69);
    EXPECT_EQ(all.headshots, 6);
    EXPECT_EQ(all.kills, 3);
    EXPECT_EQ(all.deaths, 3);
    EXPECT_EQ(all.collected, 7) << "every weapon's accuracy of every match";
    EXPECT_EQ(all.lowest, 5.0f) << "MP-40's, not the last weapon's";
    EXPECT_EQ(all.highest, 60.0f) << "Luger's";
    ASSERT_TRUE(weapons.worst && weapons.best);
    EXPECT_EQ(weapons.worst->weapon, "MP-40") << "the lowest of every weapon, named";
    EXPECT_EQ(weapons.worst->place.path, root + "2026.09.02/120000.txt");
    EXPECT_EQ(weapons.best->weapon, "Luger");
    EXPECT_NEAR(all.mean, (10 + 50 + 50 + 5 + 60 + 20 + 25) / 7.0, 1e-6);
    EXPECT_EQ(TimePoints(MakeBreakdown(table, {thompson, Grouping::Day, {}}), Grouping::Day).size(), 2u)
        << "the day of one accuracy too";
    EXPECT_EQ(MakeBreakdown(table, {thompson, {}, Period{DayOfText("2026-09-03"), {}}}).total.figures.mean, 25.0f)
        << "the one accuracy of those days";
}

TEST(Breakdown, TitlesAndFileNames) {
    for (const testing::Case& c : testing::Cases("breakdown_titles.cases")) {
        BreakdownChoice choice{*WeaponIndex(c[1]), c[2] == "-" ? std::nullopt : std::optional(GroupingOf(c[2])), {}};
        if (!c[3].empty()) choice.period.since = DayOfText(c[3]);
        if (!c[4].empty()) choice.period.until = DayOfText(c[4]);
        EXPECT_EQ(BreakdownTitle(choice), c[5]) << c[0];
        EXPECT_EQ(BreakdownFileName(choice), c[6]) << c[0];
    }
}

// A point's trend is the mean of every accuracy in its group and the four before it.
TEST(Breakdown, TrendOverTheLastFiveGroups) {
    TempDir dir;
    const int accuracies[] = {10, 20, 30, 40, 50, 60, 70};
    for (int day = 1; day <= 7; ++day) {
        const std::string folder = "2026.09.0" + std::to_string(day) + "/";
        dir.write(folder + "1.txt", Match("m", "Thompson: " + std::to_string(accuracies[day - 1]) + ".0 1/10 0 0 0"));
        if (day == 2) dir.write(folder + "2.txt", Match("m", "Thompson: 50.0 1/10 0 0 0"));  // day 2: 20 and 50
    }
    const std::size_t thompson = *WeaponIndex("Thompson");
    const Breakdown b = MakeBreakdown(ReadTree(dir.path()), {thompson, Grouping::Day, {}});
    const std::vector<TimePoint> points = TimePoints(b, Grouping::Day);
    const double trends[] = {10, 80.0 / 3, 110.0 / 4, 150.0 / 5, 200.0 / 6, 250.0 / 6, 250.0 / 5};
    ASSERT_EQ(points.size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) EXPECT_NEAR(points[i].trend, trends[i], 1e-5) << "day " << i + 1;
}

}}  // namespace tovrik
