#include <gmock/gmock.h>

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

std::string TallyText(const Tally& t) {
    const Figures& f = t.figures();
    std::ostringstream text;
    for (double n : {double(f.games), double(f.shots), double(f.hits), double(f.headshots), double(f.kills),
                     double(f.deaths), double(f.collected), f.mean, double(f.lowest), double(f.highest)})
        text << n << ' ';
    if (t.lowest()) text << "low@" << t.lowest()->match << ' ';
    if (t.highest()) text << "high@" << t.highest()->match << ' ';
    if (t.stop()) text << "stop@" << t.stop()->match << ':' << t.stop()->line;
    return text.str();
}

TEST(Tally, CountsCollectsAndStopsAsARun) {
    TempDir dir;
    std::string over = ">>> Map: base\n";
    for (int i = 0; i < 32767; ++i) over += "x\n";
    // weapon, map choice, last day -> totals, collected, mean, lowest, highest, where they and a stop are
    const std::tuple<const char*, const char*, const char*, std::string> cases[] = {
        {"Colt", "", "", "4 40 11 1 3 1 2 0 30 40 low@0 high@2 stop@4:0"},     // the last file stops every run
        {"Colt", "", "2026-12-07", "4 40 11 1 3 1 2 35 30 40 low@0 high@2 "},  // a.txt's last row counts
        {"Colt", "radar", "2026-12-07", "3 30 10 1 3 1 2 35 30 40 low@0 high@2 "},
        {"Colt", "Radar", "2026-12-07", "0 0 0 0 0 0 0 0 0 0 "},
        {"Luger", "", "2026-12-07", "2 110 110 0 0 0 2 0 100 100 low@1 high@1 stop@3:3"},  // the headshots added before
        {"Luger", "", "2026-12-06", "1 10 10 0 0 0 1 100 100 100 low@1 high@1 "},          // the one accuracy is both
        {"Knife", "radar", "", "0 0 0 0 0 0 0 0 0 0 stop@4:0"}};
    WriteTree(dir, {{"2026.12.06/a.txt", testing::Match("radar", "Colt: 50.0 5/10 1 0 0\nColt: 30.0 1/10 1 1 1")},
                    {"2026.12.06/b.txt", testing::Match("base", "Colt: 1.0 1/10 0 0 0\nLuger: 100.0 10/10 0 0 0")},
                    {"2026.12.07/c.txt", testing::Match("radar", "Colt: 40.0 4/10 1 0 0\nLuger: 100.0 100/100 0 0 0")},
                    {"2026.12.07/d.txt", testing::Match("m", "Luger: 1.0 1/x 0 0 0")},
                    {"z/e.txt", over}});
    MatchTable table = ReadTree(dir.path());
    for (const auto& [weapon, map, until, expected] : cases) {
        Tally tally(WeaponIndex(weapon), map);
        Period period;
        if (*until) period.until = DayOfText(until);
        for (std::size_t m = 0; m < table.matches.size(); ++m)
            if (period.holds(table.matches[m])) tally.add(table, table.matches[m], m);
        tally.finish([&](std::size_t m) { return table.path(m); });
        EXPECT_EQ(TallyText(tally), expected) << weapon << " " << map << " " << until;
        // Summed as the tree is read, the same run.
        WeaponRuns runs(WeaponBit(*WeaponIndex(weapon)), map, period);
        const MatchTable kept = SumTree(dir.path(), runs);
        if (const RunStop* stop = tally.stop())
            EXPECT_TRUE(testing::RunErrorIs([&] { runs.finish(kept); }, stop->error.kind(), stop->error.what()));
        else
            runs.finish(kept);
        EXPECT_EQ(TallyText(runs.of(*WeaponIndex(weapon))), expected)
            << "summed " << weapon << " " << map << " " << until;
        EXPECT_EQ(kept.path(3), table.path(3));
        EXPECT_EQ(kept.matches[2].rows.size(), 0u);
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
    auto labels = [&](Grouping grouping, const char* map = "") {
        std::string text;
        for (const ViewRow& row : GroupRows(table, 2, map, Period{}, grouping))
            text += row.label + "=" + std::to_string(row.figures.games) + " ";
        return text;
    };
    EXPECT_EQ(labels(Grouping::Map), "radar=2 Radar=1 ");  // base: no Colt; the first met first
    EXPECT_EQ(labels(Grouping::Day, "radar"), "2026-12-07=1 no date=1 ");
    EXPECT_EQ(labels(Grouping::Month), "2026-12=2 no date=1 ");  // two days of one month
    EXPECT_EQ(OverviewRows(table, "", Period{})[2].figures.games, 3);
    EXPECT_EQ(DatelessMatches(table, Period{}) + DatelessMatches(table, Period{DayOfText("2026-12-06"), {}}), 1u);
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
    int line = 2 + (2147483647 - 2 * 32766 * 32767) / 32767;
    std::string message = third + ", line " + std::to_string(line) + ": the shots total goes past 2,147,483,647.";
    ExpectRunError(form.ComputeStats(), Overflow, message);
    // The totals as far as the run got.
    EXPECT_EQ(RunWeapon(dir.path(), *WeaponIndex("Thompson"), "", Period{}).tally.figures().shots,
              2147483647 - 2147483647 % 32767);
    ExpectRunError(AddLong(-2147483647, -2, "kills"), Overflow, "the kills total goes past -2,147,483,648.");
    EXPECT_EQ(AddLong(-2147483647, -1, "kills"), -2147483647 - 1);
}

// The report's summary of today's sample, its rows counted by hand, in either spelling.
TEST(Views, TodaysRowsByTheirWholeName) {
    MatchTable today = ReadTree(TOVRIK_EXAMPLES "/etlegacy-stats");
    for (auto [weapon, games] : {std::pair{"MP-40", 13}, {"Garand", 3}, {"Scp.Garand", 3}, {"MG-42 Gun", 8}})
        EXPECT_EQ(SummaryRun(today, *WeaponIndex(weapon), "", Period{}).figures().games, games) << weapon;
}

// The window over today's sample: a medic's Syringe rows, which end after their hits/shots, summed by hand.
TEST_F(RunTest, TodaysSyringeRowsInTheSample) {
    form.StatsDir = TOVRIK_EXAMPLES "/etlegacy-stats";
    controls.list2Selection = "Syringe";
    EXPECT_EQ(RunCompletes(), 3);
    const std::pair<Label, const char*> shown[] = {
        {Label::Label26, "3"}, {Label::Label10, "17"},    {Label::Label12, "16"},    {Label::Label18, "94,1%"},
        {Label::Label9, "0"},  {Label::Label17, "0%"},    {Label::Label15, "0"},     {Label::Label16, "0"},
        {Label::Label20, "0"}, {Label::Label24, "95,8%"}, {Label::Label22, "87,5%"}, {Label::Label23, "100%"}};
    for (auto [label, caption] : shown) EXPECT_EQ(controls.caption(label), caption) << LabelName(label);
}

}  // namespace
}  // namespace tovrik
