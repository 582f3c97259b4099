#include <gmock/gmock.h>
#include <unistd.h>

#include "engine/match_file.h"
#include "engine/tree_scan.h"
#include "engine/views.h"
#include "engine/weapons.h"
#include "tests/support/fake_controls.h"
#include "ui/form1.h"

namespace tovrik {
namespace {

using testing::Match;
using testing::RunTest;
using testing::TempDir;
using Trace = std::vector<std::string>;
constexpr RunError::Kind Overflow = RunError::Kind::Overflow, Conversion = RunError::Kind::Conversion,
                         SubscriptOutOfRange = RunError::Kind::SubscriptOutOfRange;

// Writes each file of a tree: its path, then its content.
using Files = std::vector<std::pair<std::string, std::string>>;
void WriteTree(const TempDir& dir, const Files& files) {
    for (const auto& [path, content] : files) dir.write(path, content);
}

// Each figure of `got` against `want`, one check a figure.
void ExpectFigures(const Figures& got, const Figures& want, const std::string& name) {
    EXPECT_EQ(got.games, want.games) << name;
    EXPECT_EQ(got.shots, want.shots) << name;
    EXPECT_EQ(got.hits, want.hits) << name;
    EXPECT_EQ(got.headshots, want.headshots) << name;
    EXPECT_EQ(got.kills, want.kills) << name;
    EXPECT_EQ(got.deaths, want.deaths) << name;
    EXPECT_EQ(got.collected, want.collected) << name;
    EXPECT_DOUBLE_EQ(got.mean, want.mean) << name;
    EXPECT_EQ(got.lowest, want.lowest) << name;
    EXPECT_EQ(got.highest, want.highest) << name;
}

// The match an accuracy was collected in, or -1.
long MatchOf(const std::optional<CollectedAccuracy>& at) { return at ? static_cast<long>(at->match) : -1; }

TEST(Tally, CountsCollectsAndStopsAsARun) {
    TempDir dir;
    std::string over = ">>> Map: base\n";
    for (int i = 0; i < 32767; ++i) over += "x\n";
    WriteTree(dir, {{"2026.12.06/a.txt", Match("radar", "Colt: 50.0 5/10 1 0 0\nColt: 30.0 1/10 1 1 1")},
                    {"2026.12.06/b.txt", Match("base", "Colt: 1.0 1/10 0 0 0\nLuger: 100.0 10/10 0 0 0")},
                    {"2026.12.07/c.txt", Match("radar", "Colt: 40.0 4/10 1 0 0\nLuger: 100.0 100/100 0 0 0")},
                    {"2026.12.07/d.txt", Match("m", "Luger: 1.0 1/x 0 0 0")},
                    {"z/e.txt", over}});
    struct Case {
        const char *name, *weapon, *map, *until;
        Figures figures;       // games, shots, hits, headshots, kills, deaths, collected, mean, lowest, highest
        long lowest, highest;  // the matches of the extremes
        long stopMatch, stopLine;
    };
    const Case cases[] = {
        {"the last file stops every run", "Colt", "", "", {4, 40, 11, 1, 3, 1, 2, 0, 30, 40}, 0, 2, 4, 0},
        {"a match's last row counts", "Colt", "", "2026-12-07", {4, 40, 11, 1, 3, 1, 2, 35, 30, 40}, 0, 2, -1, -1},
        {"a map", "Colt", "radar", "2026-12-07", {3, 30, 10, 1, 3, 1, 2, 35, 30, 40}, 0, 2, -1, -1},
        {"a map by its whole name", "Colt", "Radar", "2026-12-07", {}, -1, -1, -1, -1},
        {"the headshots added before the stop",
         "Luger",
         "",
         "2026-12-07",
         {2, 110, 110, 0, 0, 0, 2, 0, 100, 100},
         1,
         1,
         3,
         3},
        {"one accuracy is both extremes",
         "Luger",
         "",
         "2026-12-06",
         {1, 10, 10, 0, 0, 0, 1, 100, 100, 100},
         1,
         1,
         -1,
         -1},
        {"a stop without a row of the weapon", "Knife", "radar", "", {}, -1, -1, 4, 0}};
    for (const Case& c : cases) {
        Period period;
        if (*c.until) period.until = DayOfText(c.until);
        const WeaponRun run = RunWeapon(dir.path(), WeaponIndex(c.weapon), c.map, period);
        ExpectFigures(run.tally.figures(), c.figures, c.name);
        EXPECT_EQ(MatchOf(run.tally.lowest()), c.lowest) << c.name;
        EXPECT_EQ(MatchOf(run.tally.highest()), c.highest) << c.name;
        const RunStop* stop = run.tally.stop();
        EXPECT_EQ(stop ? static_cast<long>(stop->match) : -1, c.stopMatch) << c.name;
        EXPECT_EQ(stop ? stop->line : -1, c.stopLine) << c.name;
        EXPECT_EQ(run.table.path(3), dir / "2026.12.07/d.txt") << c.name;
        EXPECT_EQ(run.table.matches[2].rows.size(), 0u) << "summed: the table keeps no row";
    }
}

TEST(Views, GroupsInTheirOrderAndTheFirstStop) {
    TempDir dir;
    WriteTree(dir, {{"2026.12.07/1.txt", testing::Match("radar", "Colt: 40.0 4/10 1 0 0")},
                    {"2026.12.06/1.txt", testing::Match("Radar", "Colt: 20.0 2/10 1 0 0")},
                    {"2026.12.06/2.txt", testing::Match("base", "Luger: 20.0 2/10 1 0 0")},
                    {"x.txt", ""},
                    {"y.txt", testing::Match("radar", "Colt: 10.0 1/10 0 1 0")}});
    MatchTable table = ReadTree(dir.path());
    using Groups = std::vector<std::pair<std::string, int>>;  // each group's label and games
    auto groups = [&](Grouping grouping, const char* map = "") {
        Groups shown;
        for (const ViewRow& row : GroupRows(table, 2, map, Period{}, grouping))
            shown.emplace_back(row.label, row.figures.games);
        return shown;
    };
    EXPECT_EQ(groups(Grouping::Map), (Groups{{"radar", 2}, {"Radar", 1}}));  // base: no Colt; the first met first
    EXPECT_EQ(groups(Grouping::Day, "radar"), (Groups{{"2026-12-07", 1}, {"no date", 1}}));
    EXPECT_EQ(groups(Grouping::Month), (Groups{{"2026-12", 2}, {"no date", 1}}));  // two days of one month
    EXPECT_EQ(OverviewRows(table, "", Period{})[2].figures.games, 3);
    EXPECT_EQ(DatelessMatches(table, Period{}), 0u) << "without a period, none is left out";
    EXPECT_EQ(DatelessMatches(table, Period{DayOfText("2026-12-06"), {}}), 1u);
    dir.write("z.txt", testing::Match("m", "Luger: 5.0 1/20 x 0 0\nColt: 5.0 1/20 y 0 0"));
    table = ReadTree(dir.path());  // over a table: its rows go before the room they lie in
    // Colt's row fails after Luger's in the file, but Luger's run stops there first.
    ExpectRunError(OverviewRows(table, "", Period{}), Conversion,
                   dir / "z.txt" + ", line 3: \"x\" is not a whole number.");
    WeaponRuns runs(kEveryWeapon, "", Period{});
    const MatchTable kept = SumTree(dir.path(), runs);
    ExpectRunError(runs.finish(kept), Conversion, dir / "z.txt" + ", line 3: \"x\" is not a whole number.");
    ExpectRunError(GroupRows(table, 2, "", Period{}, Grouping::Map), Conversion,
                   dir / "z.txt" + ", line 4: \"y\" is not a whole number.");
    std::string lines;  // a file too long stops every weapon's run, rows or none
    for (int i = 0; i < 32768; ++i) lines += "m\n";
    dir.write("a.txt", lines);
    ExpectRunError(OverviewRows(ReadTree(dir.path()), "", Period{}), Overflow,
                   dir / "a.txt" + ", line 32768: the file has more than 32,767 lines.");
}

TEST_F(RunTest, LargeTotalsStillShowAPercentage) {
    std::string rows;
    for (int i = 0; i < 3; ++i) rows += "Thompson: 50.0 30000/30000 1 0 0\n";
    for (int i = 0; i < 800; ++i) dir.write("f" + std::to_string(i) + ".txt", Match("m", rows));
    form.ComputeStats();
    EXPECT_EQ(controls.caption(Label::Label12), "72000000");  // × 100 leaves the 32-bit range
    EXPECT_EQ(controls.caption(Label::Label18), "100%");
}

const std::string kGood = ">>> Map: radar\nThompson:  40.0  4/10  1  0  0\n";

// Whatever lies in the tree, a run ends: completed, or with one run-time error naming the file and the line.
TEST_F(RunTest, HostileTreeCompletes) {
    dir.write("2026.12.06/000000.txt", kGood);
    dir.write("long-line.txt", ">>> Map: radar\n" + std::string(40000, 'y') + "\n");  // not a row: not read
    dir.write("\xE9t\xE9/\xFF\xFE.txt", ">>> Map: \xE9glise\nThompson:  40.0  4/10  1  0  0\n");
    ASSERT_EQ(mkfifo(dir.mkdir("fifo").append("/x.txt").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", (dir / "fifo/zero.txt").c_str()), 0);  // a device is never opened
    ASSERT_EQ(symlink("..", (dir / "2026.12.06/up").c_str()), 0);  // a loop; the walk's other links are its own tests
    // Two links a level to the next: walked once each, not 2^24 times.
    for (int level = 0; level < 24; ++level)
        for (const char* name : {"/a", "/b"})
            ASSERT_EQ(symlink(("../d" + std::to_string(level + 1)).c_str(),
                              (dir.mkdir("dag/d" + std::to_string(level)) + name).c_str()),
                      0);
    dir.write("dag/d24/x.txt", kGood);
    EXPECT_EQ(RunCompletes(), 3);  // nothing blocked, nothing counted twice
    EXPECT_EQ(std::count(controls.list3.begin(), controls.list3.end(), "\xE9glise"), 1);
}

// A file too large to read stops the run before its map is known; the maps met before it are listed.
TEST_F(RunTest, MapsMetBeforeAFileTooLargeAreListed) {
    dir.write("a.txt", Match("radar", "Thompson: 40.0 4/10 1 0 0"));
    ASSERT_EQ(truncate(dir.write("b.txt", "").c_str(), 2147483648LL), 0);  // sparse: no disk used
    EXPECT_THROW(form.ComputeStats(), RunError);
    EXPECT_EQ(controls.list3, (Trace{"radar"}));
}

TEST_F(RunTest, LineCounts) {
    std::string exact = ">>> Map: radar\n";
    for (int i = 1; i < 32767; ++i) exact += "Thompson: 10.0 1/10 1 0 0\n";
    dir.write("a/exact.txt", exact);
    EXPECT_EQ(RunCompletes(), 32766);
    std::string shortLines;
    for (int i = 0; i < 200000; ++i) shortLines += "x\n";
    std::string path = dir.write("b/over.txt", exact + shortLines);
    ExpectRunError(form.ComputeStats(), Overflow, path + ", line 32768: the file has more than 32,767 lines.");
    EXPECT_EQ(controls.caption(Label::Label26), "32766");  // the labels of the last completed run
}

TEST_F(RunTest, EveryKindOfRunTimeErrorNamesFileAndLine) {
    const std::tuple<std::string, RunError::Kind, const char*, std::string> cases[] = {
        {"Thompson: 10.0 1/99999 1 0 0\n", Overflow, "2", "\"99999\" is outside -32,768 to 32,767."},
        {"Thompson:\n", SubscriptOutOfRange, "2", "the weapon line has no field 4 (its fields read \"0.0|0/0|\")."},
        {"Thompson: 10.0 110 1 0/2 0\n", SubscriptOutOfRange, "2", "\"110\" has no part 1 (hits/shots needs a \"/\")."},
        {"\r\n\r\nThompson: 10.0 1/10 one 0 0\r\n", Conversion, "4", "\"one\" is not a whole number."},
        {"\rThompson: 10.0 1/10 1 0 \n", Conversion, "3", "\"\" is not a whole number."},
        {"Thompson: 4O.0 4/10 1 0 0\n", Conversion, "2", "\"4O.0\" is not a decimal number."},
        {"Thompson: 4/10 x 0\n", Conversion, "2",
         "\"4/10\" is not a whole number. A row without a \".\" has no accuracy "
         "column: its fields are read as kills, deaths and headshots."},
        {"Thompson: " + std::string(39990, '1') + "\n", Overflow, "2",
         "the line is 40000 characters long; a weapon line holds at most 32,766."},
        {"Thompson: 5000.0 1/10 1 0 0\n", Overflow, "2",
         "the accuracy 5000 puts the chart's curve at -125440, outside -32,768 to 32,767."}};
    dir.write("2026.12.06/000000.txt", kGood);
    for (const auto& [content, kind, line, detail] : cases) {
        std::string path = dir.write("2026.12.07/bad.txt", ">>> Map: m\n" + content);
        EXPECT_TRUE(testing::RunErrorIs([&] { form.ComputeStats(); }, kind, path + ", line " + line + ": " + detail));
    }
    EXPECT_EQ(controls.list3, (Trace{"m", "radar"}));  // the failing file's map is listed
    std::string first = dir.write("2026.12.07/bad.txt", "Thompson: 10.0 1/x 1 0 0");  // a row for a map line
    ExpectRunError(form.ComputeStats(), Conversion, first + ", line 1: \"x\" is not a whole number.");
}

TEST_F(RunTest, TotalPastTheLongRange) {
    std::string lines = ">>> Map: m\n";
    for (int i = 1; i < 32767; ++i) lines += "Thompson: 1.5 1/32767 0 0 0\n";
    dir.write("a/1.txt", lines), dir.write("a/2.txt", lines);
    std::string third = dir.write("a/3.txt", lines);
    ExpectRunError(form.ComputeStats(), Overflow, third + ", line 8: the shots total goes past 2,147,483,647.");
    // The totals as far as the run got: 65,538 rows of 32,767 shots.
    EXPECT_EQ(RunWeapon(dir.path(), *WeaponIndex("Thompson"), "", Period{}).tally.figures().shots, 2147483646);
    ExpectRunError(AddLong(-2147483647, -2, "kills"), Overflow, "the kills total goes past -2,147,483,648.");
    EXPECT_EQ(AddLong(-2147483647, -1, "kills"), -2147483647 - 1);
}

// The report's summary of today's sample, its rows counted by hand, in either spelling.
TEST(Views, TodaysRowsByTheirWholeName) {
    MatchTable today = ReadTree(TOVRIK_EXAMPLES "/etlegacy-stats");
    for (auto [weapon, games] : {std::pair{"MP-40", 13}, {"Garand", 3}, {"Scp.Garand", 3}, {"MG-42 Gun", 8}})
        EXPECT_EQ(SummaryRun(today, *WeaponIndex(weapon), "", Period{}).figures().games, games) << weapon;
}

}  // namespace
}  // namespace tovrik
