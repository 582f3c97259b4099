#include <gtest/gtest.h>

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
    EXPECT_EQ(form.ScanMatchFile(a, "Sten", "base", 0), 0.0f);  // map differs: not counted
    EXPECT_FLOAT_EQ(form.ScanMatchFile(b, "Sten", "base", 0), 30.0f);
    EXPECT_EQ(form.ScanMatchFile(c, "Sten", "base", 0), 0.0f);  // case differs
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

}  // namespace
}  // namespace tovrik
