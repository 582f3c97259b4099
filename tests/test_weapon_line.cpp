#include "engine/match_file.h"
#include "engine/weapon_line.h"
#include "tests/support/testing.h"

namespace tovrik {
namespace {

TEST(WeaponLine, NormalizesEveryLineShape) {
    const std::pair<std::string, std::string> cases[] = {
        {"Thompson:  31.2  54/173  7  4  2", "31.2|54/173|7|4|2"},
        {"Panzer: 12.5 1/8 1 2", "12.5|1/8|1|2|0"},                // no headshots column
        {"Airstrike: 3 1", "0.0|0/0|3|1|0"},                       // kills and deaths only
        {"Knife: 4 2 1", "0.0|0/0|4|2|1"},                         // kills, deaths and headshots
        {"Knife:", "0.0|0/0|"},                                    // nothing after the colon
        {"G.Launchr: 0 2", "0.0|0/0|0|2|0"},                       // a dot in the name only
        {"MP-40 : 25.3 45/178 5 3 12", "25.3|45/178|5|3|12"},      // space before the colon
        {"Sten: 20.0 2/10 1 0 0 ", "20.0|2/10|1|0|0|"},            // trailing space: an empty sixth field
        {"Panzer: 12.5 1/8 1 2 ", "12.5|1/8|1|2|"},                // ... and no headshots added
        {"MP-40 25.3 45/178 5 3 12", "MP-40|25.3|45/178|5|3|12"},  // no colon: the name is a field
        {"Colt: 1:2 3", "0.0|0/0|1:2|3|0"},                        // a second colon is a character
        {"Luger:\t5 1", "0.0|0/0|\t5|1|0"},                        // only spaces separate
        {"Luger: 5|6 1", "0.0|0/0|5|6|1"},                         // a bar in the line splits a field
        {"K43 Rifle:  37.5    3/8        1      0         1", "37.5|3/8|1|0|1"},
        {"Knife    :                     1      0         0", "0.0|0/0|1|0|0"},
        {"Mortar: 1.5 1/8 1 2 3 4", "1.5|1/8|1|2|3|4"}  // more fields than five: kept
    };
    for (const auto& [line, record] : cases) EXPECT_EQ(NormalizeWeaponLine(line), record) << line;
    EXPECT_EQ(SplitRecord(""), std::vector<std::string_view>{});
}

TEST(WeaponLine, FieldsAndSlashParts) {
    std::string line = "Thompson:  31.2  54/173  7  4  2";
    EXPECT_EQ(GetWeaponField(line, 0), "31.2");
    EXPECT_EQ(GetWeaponField(line, 4), "2");
    EXPECT_EQ(GetWeaponField("Sten: 20.0 2/10 1 0 0 ", 5), "");
    const std::tuple<const char*, int, int> parts[] = {{"54/173", 0, 54},
                                                       {"54/173", 1, 173},
                                                       {"-32768/32767", 0, -32768},
                                                       {"-32768/32767", 1, 32767},
                                                       {"007/+5", 1, 5},
                                                       {"1/22/3", 1, 22},
                                                       {"1/22/3", 2, 3}};
    for (auto [text, index, value] : parts) EXPECT_EQ(GetSlashPart(text, index), value) << text << " " << index;
}

TEST(WeaponLine, ErrorsByKindAndMessage) {
    std::string longest = "Knife: 1 2" + std::string(32766 - 10, 'x');
    EXPECT_EQ(GetWeaponField(longest, 3), "2" + std::string(32756, 'x'));
    ExpectRunError(NormalizeWeaponLine(longest + "x"), Overflow,
                   "the line is 32767 characters long; a weapon line holds at most 32,766.");
    ExpectRunError(GetWeaponField("Knife:", 3), SubscriptOutOfRange,
                   "the weapon line has no field 3 (its fields read \"0.0|0/0|\").");
    ExpectRunError(GetWeaponField("Knife: 1 2", -1), SubscriptOutOfRange,
                   "the weapon line has no field -1 (its fields read \"0.0|0/0|1|2|0\").");
    ExpectRunError(GetSlashPart("54", 1), SubscriptOutOfRange, "\"54\" has no part 1 (hits/shots needs a \"/\").");
    ExpectRunError(GetSlashPart("1/2", -1), SubscriptOutOfRange, "\"1/2\" has no part -1 (hits/shots needs a \"/\").");
    ExpectRunError(GetSlashPart("12a/4", 0), Conversion, "\"12a\" is not a whole number.");
    ExpectRunError(GetSlashPart("/4", 0), Conversion, "\"\" is not a whole number.");
    ExpectRunError(GetSlashPart("1/32768", 1), Overflow, "\"32768\" is outside -32,768 to 32,767.");
    for (const char* text : {"-", "1.5", " 1", "1 "})
        ExpectRunError(ToInteger(text), Conversion, "\"" + std::string(text) + "\" is not a whole number.");
    for (const char* text : {"-32769", "99999999999999999999999"})
        ExpectRunError(ToInteger(text), Overflow, "\"" + std::string(text) + "\" is outside -32,768 to 32,767.");
    for (const char* text : {"25,3", "1.2.3", ".", "", "+", "1e5", "0x1", " 1.5"})
        ExpectRunError(ToSingle(text), Conversion, "\"" + std::string(text) + "\" is not a decimal number.");
    ExpectRunError(ToSingle(std::string(50, '9')), Overflow, "\"" + std::string(50, '9') + "\" is too large a number.");
}

TEST(WeaponLine, AccuracyReadsWithAPointWhateverTheLocale) {
    const std::pair<std::string, float> cases[] = {
        {"25.3", 25.3f}, {"0.0", 0.0f}, {"100", 100.0f},   {"-2.5", -2.5f},
        {"+.5", 0.5f},   {"7.", 7.0f},  {"12.75", 12.75f}, {"0." + std::string(60, '0') + "1", 0.0f}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ToSingle(text), value) << text;
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
