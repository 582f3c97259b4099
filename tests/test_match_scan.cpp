#include <gtest/gtest.h>

#include "engine/run_error.h"
#include "tests/test_support.h"
#include "ui/form1.h"
#include "ui/recording_controls.h"

namespace tovrik {
namespace {

using testing::TempDir;

const char* kMatch =
    ">>> Map: goldrush\n"
    "\n"
    "Overall stats for: Smoky (1 Round)\n"
    "\n"
    "Weapon     Acrcy Hits/Atts Kills Deaths Headshots\n"
    "-------------------------------------------------\n"
    "Knife    :                     1      0         0\n"
    "Luger    :  22.2    4/18       0      1         1\n"
    "MP-40    :  25.3   45/178      5      3        12\n"
    "Grenade  :  14.3    1/7        1      0\n"
    "\n"
    "Axis   Smoky        12   8   0  0  60   3  1295  1055   0   209\n"
    "Allies MP-40er       6  11   1  0  35   0   801  1402   4    87\n";

class ScanTest : public ::testing::Test {
protected:
    RecordingControls controls;
    Form1 form{controls};
    TempDir dir;
};

TEST_F(ScanTest, AddsTheWeaponLineOfARealFile) {
    std::string path = dir.write("194512.txt", kMatch);
    EXPECT_FLOAT_EQ(form.ScanMatchFile(path, "MP-40", Form1::kAllMaps, 0), 25.3f);
    EXPECT_EQ(form.TotHeadshots, 12);
    EXPECT_EQ(form.TotShots, 178);
    EXPECT_EQ(form.TotHits, 45);
    EXPECT_EQ(form.TotKills, 5);
    EXPECT_EQ(form.TotDeaths, 3);
    EXPECT_EQ(form.GamesPlayed, 1);  // the Allies line naming MP-40 is a team line
    EXPECT_EQ(controls.list3(), std::vector<std::string>{"goldrush"});
}

TEST_F(ScanTest, WeaponWithoutHeadshotsColumnAndKillsOnly) {
    std::string path = dir.write("m.txt", "map base2\nPanzer: 12.5 1/8 1 2\nKnife: 3 1\n");
    EXPECT_FLOAT_EQ(form.ScanMatchFile(path, "Panzer", "", 0), 12.5f);
    EXPECT_EQ(form.TotShots, 8);
    EXPECT_EQ(form.TotHits, 1);
    EXPECT_EQ(form.TotHeadshots, 0);
    EXPECT_EQ(form.ScanMatchFile(path, "Knife", "", 0), 0.0f);
    EXPECT_EQ(form.TotKills, 4);
    EXPECT_EQ(form.GamesPlayed, 2);
}

TEST_F(ScanTest, MapChoiceAndDiscovery) {
    std::string a = dir.write("a.txt", "Map: base2\nSten: 20.0 2/10 1 0 0\n");
    std::string b = dir.write("b.txt", "Map: base\nSten: 30.0 3/10 1 0 0\n");
    std::string c = dir.write("c.txt", "Map: Base\nnothing of the weapon\n");
    EXPECT_EQ(form.ScanMatchFile(a, "Sten", "base", 0), 0.0f);   // map differs: not counted
    EXPECT_FLOAT_EQ(form.ScanMatchFile(b, "Sten", "base", 0), 30.0f);
    EXPECT_EQ(form.ScanMatchFile(c, "Sten", "base", 0), 0.0f);    // case differs
    EXPECT_EQ(form.GamesPlayed, 1);
    // "base" is listed although "base2" already is; the list keeps case-insensitive order.
    EXPECT_EQ(controls.list3(), (std::vector<std::string>{"base", "Base", "base2"}));
    form.ScanMatchFile(b, "Sten", "", 0);
    EXPECT_EQ(controls.list3().size(), 3u);  // each name once
    form.MapsListed = true;
    form.ScanMatchFile(dir.write("d.txt", "Map: radar\n"), "Sten", "", 0);
    EXPECT_EQ(controls.list3().size(), 3u);  // discovery is over
}

TEST_F(ScanTest, MapNameEdges) {
    form.ScanMatchFile(dir.write("a.txt", "goldrush\n"), "Knife", "", 0);
    form.ScanMatchFile(dir.write("b.txt", "Map: \n"), "Knife", "", 0);   // ends in a space: empty name
    form.ScanMatchFile(dir.write("c.txt", "Map2: \n"), "Knife", "", 0);  // the empty name again
    EXPECT_EQ(controls.list3(), (std::vector<std::string>{"", "goldrush"}));
}

TEST_F(ScanTest, UnreadableFilesCountNothing) {
    EXPECT_EQ(form.ScanMatchFile(dir.write("e.txt", ""), "Knife", "", 0), 0.0f);
    EXPECT_EQ(form.ScanMatchFile(dir.write("n.txt", "\r\n\n"), "Knife", "", 0), 0.0f);
    EXPECT_EQ(form.ScanMatchFile(dir / "missing.txt", "Knife", "", 0), 0.0f);
    EXPECT_EQ(form.ScanMatchFile(dir.mkdir("d.txt"), "Knife", "", 0), 0.0f);
    EXPECT_TRUE(controls.list3().empty());
    EXPECT_EQ(form.GamesPlayed, 0);
}

TEST_F(ScanTest, TwoLinesOfTheWeaponBothCountAndTheLaterAccuracyIsReturned) {
    std::string path = dir.write("m.txt", "Map: x\nColt: 10.0 1/10 1 0 0\nColt: 50.0 5/10 2 1 1\n");
    EXPECT_FLOAT_EQ(form.ScanMatchFile(path, "Colt", "", 0), 50.0f);
    EXPECT_EQ(form.GamesPlayed, 2);
    EXPECT_EQ(form.TotShots, 20);
}

TEST_F(ScanTest, ErrorsNameTheFileAndTheEditorLine) {
    struct Case {
        const char* name;
        std::string content;
        RunError::Kind kind;
        std::string message;  // after the path
    };
    const Case cases[] = {
        {"not a whole number", "Map: x\r\n\r\nColt: 10.0 1/1 12a 0 0\r\n", RunError::Kind::Conversion,
         ", line 3: \"12a\" is not a whole number."},
        {"missing field", "Map: x\nColt: 10.0 1/10 1 0 \n", RunError::Kind::Conversion,
         ", line 2: \"\" is not a whole number."},
        {"no slash", "Map: x\nColt/x: 10.0 110 1 0 0\n", RunError::Kind::SubscriptOutOfRange,
         ", line 2: \"110\" has no part 1 (hits/shots needs a \"/\")."},
        {"value out of range", "Map: x\nColt: 10.0 1/40000 1 0 0\n", RunError::Kind::Overflow,
         ", line 2: \"40000\" is outside -32,768 to 32,767."},
        {"bad accuracy", "Map: x\n\nColt: 1O.0 1/10 1 0 0\n", RunError::Kind::Conversion,
         ", line 3: \"1O.0\" is not a decimal number."},
        {"field missing", "Map: x\nColt:\n", RunError::Kind::SubscriptOutOfRange,
         ", line 2: the weapon line has no field 4 (its fields read \"0.0|0/0|\")."},
    };
    for (const Case& c : cases) {
        std::string path = dir.write("bad.txt", c.content);
        try {
            form.ScanMatchFile(path, "Colt", "", 0);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const RunError& error) {
            EXPECT_EQ(error.kind(), c.kind) << c.name;
            EXPECT_EQ(error.what(), path + c.message) << c.name;
            EXPECT_EQ(error.path(), path);
        }
    }
}

TEST_F(ScanTest, LineCountLimit) {
    std::string body = "Map: x\n";
    for (int i = 0; i < 32765; ++i) body += "l\n";
    body += "Knife: 1 0 0\n";  // line 32,767, the last one a file may have
    form.ScanMatchFile(dir.write("exact.txt", body), "Knife", "", 0);
    EXPECT_EQ(form.TotKills, 1);
    try {
        form.ScanMatchFile(dir.write("over.txt", body + "l\n"), "Knife", "", 0);
        FAIL() << "32,768 lines were scanned";
    } catch (const RunError& error) {
        EXPECT_EQ(error.kind(), RunError::Kind::Overflow);
        EXPECT_EQ(error.line(), 32768);
        EXPECT_EQ(error.detail(), "the file has more than 32,767 lines.");
    }
}

TEST_F(ScanTest, TotalPassingTheLongRange) {
    form.TotShots = 2147483647 - 5;
    try {
        form.ScanMatchFile(dir.write("m.txt", "Map: x\nColt: 10.0 1/10 1 0 0\n"), "Colt", "", 0);
        FAIL();
    } catch (const RunError& error) {
        EXPECT_EQ(error.kind(), RunError::Kind::Overflow);
        EXPECT_EQ(error.detail(), "the shots total goes past 2,147,483,647.");
    }
}

}  // namespace
}  // namespace tovrik
