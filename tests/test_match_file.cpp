#include "engine/match_file.h"
#include "tests/support/testing.h"

namespace tovrik {
namespace {

TEST(MatchFile, MapName) {
    const std::pair<const char*, const char*> cases[] = {
        {">>> Map: goldrush", "goldrush"}, {"goldrush", "goldrush"}, {"Map: ", ""}, {"a b\tc", "b\tc"}, {"", ""}};
    for (auto [line, map] : cases) EXPECT_EQ(MapName(line), map) << line;
}

TEST(MatchFile, WeaponLines) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"MP-40    :  25.3   45/178", "MP-40", true},
        {"Allies MP-40er   6  11", "MP-40", false},  // a team line of the scores table
        {"Axis   Smoky    12   8", "Smoky", false},
        {"mp-40: 1 2", "MP-40", false},  // case counts
        {"", "", false},                 // the empty text is in no empty text
        {"x", "", true}                  // and in every other
    };
    for (auto [line, weapon, counted] : cases) EXPECT_EQ(IsWeaponLine(line, weapon), counted) << line;
}

TEST(MatchFile, MapChoice) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"radar", "radar", true},  {"radar", "", true},        {"radar", kAllMaps, true},
        {"radar", "Radar", false}, {"radar", "radar2", false}, {"", "-- ALL MAPS --", false}};
    for (auto [map, choice, passes] : cases) EXPECT_EQ(MapPasses(map, choice), passes) << map << "/" << choice;
}

}  // namespace
}  // namespace tovrik
