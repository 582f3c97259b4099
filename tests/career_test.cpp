#include "engine/career.h"

#include "engine/match_date.h"
#include "engine/tree_scan.h"
#include "tests/support/testing.h"
#include "ui/figure_text.h"
#include "ui/view_text.h"

namespace tovrik { namespace {

using testing::TempDir;

MatchTable WithLines(const std::string& dir) { return ReadTree(dir, kEveryWeapon, ScanOptions{0, true}); }

// A group's XP and rank are its last match's in time, whatever the search order; a match without the lines counts
// as a game, not as a figure; a player's matches alone, the name without regard to case.
TEST(Career, LastMatchInTimeAndThePlayersMatches) {
    TempDir dir;
    auto match = [](const char* player, const char* lines) {
        return ">>> Map: m\n\nOverall stats for: " + std::string(player) + " (1 Round)\nColt: 50.0 1/2 3 1 0\n" + lines;
    };
    dir.write("2026.09.02/120000.txt", match("Smoky", "Damage Given: 100    Team Damage: 5\nRank: Major (900 XP)\n"));
    dir.write("2026.09.01/120000.txt", match("smoky", "Damage Given: 50    Team Damage: 0\nRank: Private (10 XP)\n"));
    dir.write("2026.09.03/120000.txt", match("Other", "Damage Given: 7    Team Damage: 0\nRank: General (5 XP)\n"));
    dir.write("2026.10.01/120000.txt", match("Smoky", ""));
    MatchTable table = WithLines(dir.path());
    const std::vector<CareerRow> months = CareerRows(table, {}, Grouping::Month);
    ASSERT_EQ(months.size(), 2u);
    EXPECT_EQ(months[0].figures.xp, 5) << "the 3rd's, the last in time";
    EXPECT_EQ(months[0].figures.rank, "General");
    EXPECT_EQ(months[0].figures.sums[MatchLines::DamageGiven], 157);
    EXPECT_EQ(months[1].figures.games, 1);
    EXPECT_EQ(months[1].figures.told[MatchLines::DamageGiven], 0);
    EXPECT_FALSE(months[1].figures.xp.has_value());
    EXPECT_EQ(PlayerNames(table), (std::vector<std::string>{"smoky", "Other"})) << "each name once";
    TempDir undated;  // one match, without a day: its XP all the same
    undated.write("notes/a.txt", match("Smoky", "Rank: Major (900 XP)\n"));
    EXPECT_EQ(CareerOver(WithLines(undated.path()), {}).xp, 900);
    EXPECT_EQ(KeepPlayer(table, "SMOKY"), 3u);
    const CareerFigures smoky = CareerOver(table, {});
    EXPECT_EQ(smoky.games, 3);
    EXPECT_EQ(smoky.xp, 900) << "the 2nd's: the 3rd is another player's";
    EXPECT_EQ(smoky.sums[MatchLines::WeaponKills], 9);
    EXPECT_EQ(smoky.sums[MatchLines::WeaponDeaths], 3);
    dir.write("2026.09.01/130000.txt", match("Smoky", "") + "Luger: 1 x\n");
    dir.write("2026.08.01/130000.txt", match("Smoky", "") + "Luger: y 1\n");
    ExpectRunError(CareerRows(WithLines(dir.path()), {}, Grouping::Month), Conversion,
                   dir.path() + "/2026.08.01/130000.txt, line 5: \"y\" is not a whole number.");
}

}}  // namespace tovrik
