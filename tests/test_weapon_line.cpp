#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/run_error.h"
#include "engine/weapon_line.h"

namespace tovrik {
namespace {

std::string Record(const std::string& line) { return NormalizeWeaponLine(line); }

TEST(WeaponLine, NormalizesEveryLineShape) {
    struct Case {
        const char* name;
        std::string line;
        std::string record;
    };
    const Case cases[] = {
        {"two spaces between fields", "Thompson:  31.2  54/173  7  4  2", "31.2|54/173|7|4|2"},
        {"no headshots column", "Panzer: 12.5 1/8 1 2", "12.5|1/8|1|2|0"},
        {"kills and deaths only", "Airstrike: 3 1", "0.0|0/0|3|1|0"},
        {"kills, deaths and headshots", "Knife: 4 2 1", "0.0|0/0|4|2|1"},
        {"nothing after the colon", "Knife:", "0.0|0/0|"},
        {"dot in the weapon name only", "G.Launchr: 0 2", "0.0|0/0|0|2|0"},
        {"space before the colon", "MP-40 : 25.3 45/178 5 3 12", "25.3|45/178|5|3|12"},
        {"trailing space after five fields", "Sten: 20.0 2/10 1 0 0 ", "20.0|2/10|1|0|0|"},
        {"trailing space after four fields", "Panzer: 12.5 1/8 1 2 ", "12.5|1/8|1|2|"},
        {"no colon: the name is a field", "MP-40 25.3 45/178 5 3 12", "MP-40|25.3|45/178|5|3|12"},
        {"second colon is a character", "Colt: 1:2 3", "0.0|0/0|1:2|3|0"},
        {"tab is part of a field", "Luger:\t5 1", "0.0|0/0|\t5|1|0"},
        {"bar in the line splits a field", "Luger: 5|6 1", "0.0|0/0|5|6|1"},
        {"real row of the game", "K43 Rifle:  37.5    3/8        1      0         1", "37.5|3/8|1|0|1"},
        {"no fire: sixteen spaces", "Knife    :                     1      0         0", "0.0|0/0|1|0|0"},
    };
    for (const Case& c : cases) EXPECT_EQ(Record(c.line), c.record) << c.name;
}

TEST(WeaponLine, FieldsAndSlashParts) {
    std::string line = "Thompson:  31.2  54/173  7  4  2";
    EXPECT_EQ(GetWeaponField(line, 0), "31.2");
    EXPECT_EQ(GetWeaponField(line, 4), "2");
    EXPECT_EQ(GetSlashPart(GetWeaponField(line, 1), 0), 54);
    EXPECT_EQ(GetSlashPart(GetWeaponField(line, 1), 1), 173);
    EXPECT_EQ(GetSlashPart("-32768/32767", 0), -32768);
    EXPECT_EQ(GetSlashPart("-32768/32767", 1), 32767);
    EXPECT_EQ(GetSlashPart("007/+5", 1), 5);
    EXPECT_EQ(GetWeaponField("Sten: 20.0 2/10 1 0 0 ", 5), "");
}

TEST(WeaponLine, LineLengthLimit) {
    std::string longest = "Knife: 1 2" + std::string(32766 - 10, 'x');
    ASSERT_EQ(longest.size(), 32766u);
    EXPECT_NO_THROW(NormalizeWeaponLine(longest));
    try {
        NormalizeWeaponLine(longest + "x");
        FAIL() << "a line of 32,767 characters was scanned";
    } catch (const RunError& error) {
        EXPECT_EQ(error.kind(), RunError::Kind::Overflow);
        EXPECT_STREQ(error.what(), "the line is 32767 characters long; a weapon line holds at most 32,766.");
    }
}

TEST(WeaponLine, ErrorsByKindAndMessage) {
    struct Case {
        const char* name;
        std::function<void()> call;
        RunError::Kind kind;
        const char* message;
    };
    const Case cases[] = {
        {"field past the record", [] { GetWeaponField("Knife:", 3); }, RunError::Kind::SubscriptOutOfRange,
         "the weapon line has no field 3 (its fields read \"0.0|0/0|\")."},
        {"negative field", [] { GetWeaponField("Knife: 1 2", -1); }, RunError::Kind::SubscriptOutOfRange,
         "the weapon line has no field -1 (its fields read \"0.0|0/0|1|2|0\")."},
        {"no slash", [] { GetSlashPart("54", 1); }, RunError::Kind::SubscriptOutOfRange,
         "\"54\" has no part 1 (hits/shots needs a \"/\")."},
        {"letters", [] { GetSlashPart("12a/4", 0); }, RunError::Kind::Conversion, "\"12a\" is not a whole number."},
        {"empty part", [] { GetSlashPart("/4", 0); }, RunError::Kind::Conversion, "\"\" is not a whole number."},
        {"sign alone", [] { ToInteger("-"); }, RunError::Kind::Conversion, "\"-\" is not a whole number."},
        {"decimal", [] { ToInteger("1.5"); }, RunError::Kind::Conversion, "\"1.5\" is not a whole number."},
        {"above range", [] { GetSlashPart("1/32768", 1); }, RunError::Kind::Overflow,
         "\"32768\" is outside -32,768 to 32,767."},
        {"below range", [] { ToInteger("-32769"); }, RunError::Kind::Overflow,
         "\"-32769\" is outside -32,768 to 32,767."},
        {"far above range", [] { ToInteger("99999999999999999999999"); }, RunError::Kind::Overflow,
         "\"99999999999999999999999\" is outside -32,768 to 32,767."},
        {"accuracy with a comma", [] { ToSingle("25,3"); }, RunError::Kind::Conversion,
         "\"25,3\" is not a decimal number."},
        {"accuracy two dots", [] { ToSingle("1.2.3"); }, RunError::Kind::Conversion,
         "\"1.2.3\" is not a decimal number."},
        {"accuracy dot alone", [] { ToSingle("."); }, RunError::Kind::Conversion, "\".\" is not a decimal number."},
        {"accuracy past Single", [] { ToSingle(std::string(50, '9')); }, RunError::Kind::Overflow,
         "\"99999999999999999999999999999999999999999999999999\" is too large a number."},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.name << ": no error";
        } catch (const RunError& error) {
            EXPECT_EQ(error.kind(), c.kind) << c.name;
            EXPECT_STREQ(error.what(), c.message) << c.name;
        }
    }
}

TEST(WeaponLine, AccuracyReadsWithAPointWhateverTheLocale) {
    EXPECT_FLOAT_EQ(ToSingle("25.3"), 25.3f);
    EXPECT_FLOAT_EQ(ToSingle("0.0"), 0.0f);
    EXPECT_FLOAT_EQ(ToSingle("100"), 100.0f);
    EXPECT_FLOAT_EQ(ToSingle("-2.5"), -2.5f);
    EXPECT_FLOAT_EQ(ToSingle("+.5"), 0.5f);
    EXPECT_FLOAT_EQ(ToSingle("7."), 7.0f);
    EXPECT_EQ(ToSingle("0." + std::string(60, '0') + "1"), 0.0f);
}

}  // namespace
}  // namespace tovrik
