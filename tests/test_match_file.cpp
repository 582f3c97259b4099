#include "engine/match_file.h"
#include "tests/support/testing.h"

namespace tovrik {
namespace {

TEST(MatchFile, MapName) {
    const std::pair<const char*, const char*> cases[] = {
        {">>> Map: goldrush", "goldrush"}, {"goldrush", "goldrush"}, {"Map: ", ""}, {"a b\tc", "b\tc"}, {"", ""}};
    for (auto [line, map] : cases) EXPECT_EQ(MapName(line), map) << line;
}

TEST(MatchFile, RowsByTheirWholeName) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"MP-40    :  25.3   45/178", "MP-40", true},
        {"Overall stats for: LugerKid (1 Round)", "Luger", false},  // a player's name
        {"Allies MP-40er   6  11", "MP-40", false},                 // a team line
        {"Scp.Garand:  45.5    5/11", "Garand", false},
        {"Scp.Garand:  45.5    5/11", "Scp.Garand", true},
        {"MP 40    :  24.8   51/206", "MP-40", true},  // today's spellings
        {"FG 42    :  1 2", "FG-42", true},
        {"MG 42 Gun:  1 2", "MG-42 Gun", true},
        {"MP-40    :  1 2", "MP 34", false},
        {" \tLuger\t: 1 2", "Luger", true},   // spaces and tabs around the name
        {"Luger 22.2 4/18", "Luger", false},  // no ":"
        {"Colt: 1:2 3", "Colt", true},        // the name ends at the first ":"
        {"Colt:x: 1", "Colt:x", false},
        {"mp-40: 1 2", "MP-40", false},
        {": 1 2", "", false},
        {": 1 2", "Knife", false}};
    for (auto [line, weapon, counted] : cases) EXPECT_EQ(IsWeaponLine(line, weapon), counted) << line << "/" << weapon;
}

TEST(MatchFile, MapChoice) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"radar", "radar", true},  {"radar", "", true},        {"radar", kAllMaps, true},
        {"radar", "Radar", false}, {"radar", "radar2", false}, {"", "-- ALL MAPS --", false}};
    for (auto [map, choice, passes] : cases) EXPECT_EQ(MapPasses(map, choice), passes) << map << "/" << choice;
}

}  // namespace
}  // namespace tovrik
