#include <array>
#include <atomic>

#include "engine/match_file.h"
#include "engine/tree_scan.h"
#include "engine/views.h"
#include "engine/weapons.h"
#include "tests/support/fake_controls.h"
#include "ui/form1.h"

namespace tovrik { namespace {

using testing::Match;
using testing::RunTest;
using testing::TempDir;
using Trace = std::vector<std::string>;

// Over a table its rows go before the room they lie in; Colt's row fails after Luger's in the file, but Luger's
// run stops there first; maps are grouped by their whole names.
TEST(Views, GroupsAndTheFirstStop) {
    TempDir dir;
    dir.write("2026.12.07/1.txt", Match("radar", "Colt: 40.0 4/10 1 0 0"));
    dir.write("2026.12.06/1.txt", Match("Radar", "Colt: 20.0 2/10 1 0 0"));
    dir.write("y.txt", Match("radar", "Colt: 10.0 1/10 0 1 0"));
    dir.write("2026.12.08/1.txt", Match("r_adar", "Colt: 10.0 1/10 0 1 0"));  // as the map list: "_" before the letters
    MatchTable table = ReadTree(dir.path());
    std::vector<ViewRow> maps = GroupRows(table, 2, "", Period{}, Grouping::Map);
    ASSERT_EQ(maps.size(), 3u);
    EXPECT_EQ(maps[0].label, "r_adar");
    EXPECT_EQ(maps[1].label, "radar");
    EXPECT_EQ(maps[1].figures.games, 2);
    EXPECT_EQ(maps[2].label, "Radar");
    EXPECT_EQ(DatelessMatches(table, Period{}), 0u) << "without a period, none is left out";
    EXPECT_EQ(DatelessMatches(table, Period{DayOfText("2026-12-06"), {}}), 1u);
    dir.write("z.txt", Match("m", "Luger: 5.0 1/20 x 0 0\nColt: 5.0 1/20 y 0 0"));
    table = ReadTree(dir.path());
    const std::string luger = dir / "z.txt" + ", line 3: \"x\" is not a whole number.";
    ExpectRunError(OverviewRows(table, "", Period{}), Conversion, luger);
    WeaponRuns runs(kEveryWeapon, "", Period{});
    ExpectRunError(runs.finish(SumTree(dir.path(), runs)), Conversion, luger);
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

TEST_F(RunTest, ARowCountsUpToItsFirstBadField) {
    for (const testing::Case& c : testing::Cases("bad_fields.cases")) {
        dir.write(c[0] + "/a.txt", Match("m", c[1]));
        const Figures figures = RunWeapon(dir / c[0], *WeaponIndex("Thompson"), "", Period{}).tally.figures();
        const std::int32_t totals[] = {figures.headshots, figures.shots, figures.hits, figures.kills, figures.deaths};
        for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(totals[i], c.number(2 + i)) << c[0] << ", number " << i;
    }
}

// A run reads no further than its first stop, but for the files already on their way.
TEST_F(RunTest, ReadsNoFurtherThanTheStop) {
    dir.write("0/a.txt", Match("m", "Thompson: 10.0 1/x 0 0 0"));
    for (int i = 0; i < 1000; ++i) dir.write("1/" + std::to_string(1000 + i) + ".txt", Match("m", ""));
    std::atomic<int> reads{0};
    testing::beforeRead = [&](const std::string&) { ++reads; };
    EXPECT_THROW(form.ComputeStats(), RunError);
    testing::beforeRead = nullptr;
    EXPECT_LT(reads.load(), 500);
}

}}  // namespace tovrik
