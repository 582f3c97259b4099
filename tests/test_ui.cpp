#include <gmock/gmock.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "base/number_text.h"
#include "engine/match_file.h"
#include "engine/tree_scan.h"
#include "engine/views.h"
#include "engine/weapons.h"
#include "fileio/file_read.h"
#include "settings/app_paths.h"
#include "settings/browse_callback.h"
#include "tests/support/fake_controls.h"
#include "ui/breakdown.h"
#include "ui/form1.h"

namespace tovrik {
namespace {

using testing::FakeControls;
using testing::Match;
using testing::RunTest;
using testing::ScopedEnv;
using testing::Slurp;
using testing::TempDir;
using Trace = std::vector<std::string>;
constexpr RunError::Kind Overflow = RunError::Kind::Overflow, Conversion = RunError::Kind::Conversion,
                         SubscriptOutOfRange = RunError::Kind::SubscriptOutOfRange;

Trace Only(const Trace& trace, std::initializer_list<const char*> prefixes) {
    Trace kept;
    for (const std::string& line : trace)
        for (const char* prefix : prefixes)
            if (line.rfind(prefix, 0) == 0) kept.push_back(line);
    return kept;
}

TEST_F(RunTest, MapsAreListedOnTheFirstRunAndChosenByWholeName) {
    dir.write("1.txt", Match("base2", "Thompson: 50.0 5/10 1 0 0"));
    dir.write("2.txt", Match("base", "Colt: 50.0 5/10 1 0 0"));  // no Thompson: listed all the same
    dir.write("3.txt", Match("Base", "Thompson: 40.0 4/10 1 0 0"));
    dir.write("4.txt", ">>> Map: \nThompson: 30.0 3/10 1 0 0\n");  // ends in a space: the empty name
    dir.write("5.txt", "Map2: \n");
    dir.write("6.txt", Match("base2", ""));
    dir.write("8.txt", Match("aZb", "")), dir.write("9.txt", Match("az", ""));  // in order of their capitals
    form.FillLists();
    form.ComputeStats();
    EXPECT_EQ(controls.list3, (Trace{"", "-- All maps --", "az", "aZb", "base", "Base", "base2"}));
    EXPECT_EQ(controls.caption(Label::Label26), "3");
    dir.write("7.txt", Match("adlernest", "Thompson: 40.0 4/10 1 0 0"));  // joins at the next run
    // The choice, the map label and the games for it.
    for (auto [choice, games] : {std::pair{"base", "0"}, {"Base", "1"}, {"-- ALL MAPS --", "0"}}) {
        controls.list3Selection = choice;
        form.ComputeStats();
        EXPECT_EQ(controls.caption(Label::Label5) + " " + controls.caption(Label::Label26),
                  choice + std::string(" ") + games);
    }
    EXPECT_EQ(controls.list3[2], "adlernest");
    EXPECT_EQ(controls.list3.size(), 8u);
}

// Many maps put in at once go where they would one at a time, equal ones in the order they came.
TEST(MapList, ManyAtOnceAsOneByOne) {
    std::vector<std::string> oneByOne{"", "-- All maps --", "az", "Base"}, atOnce = oneByOne;
    const std::vector<std::string> added{"base", "AZ", "", "aZb", "Az", "0"};
    for (const std::string& map : added) InsertSorted(oneByOne, {map});
    InsertSorted(atOnce, added);
    EXPECT_EQ(atOnce, oneByOne);
    EXPECT_EQ(atOnce,
              (std::vector<std::string>{"", "", "-- All maps --", "0", "az", "AZ", "Az", "aZb", "Base", "base"}));
}

// Each value label's caption after a run, in the order Label5 6 26 10 12 18 9 17 15 16 20 24 22 23.
std::string Captions(const FakeControls& controls) {
    std::string texts;
    for (Label label : {Label::Label5, Label::Label6, Label::Label26, Label::Label10, Label::Label12, Label::Label18,
                        Label::Label9, Label::Label17, Label::Label15, Label::Label16, Label::Label20, Label::Label24,
                        Label::Label22, Label::Label23})
        texts += controls.caption(label) + "|";
    return texts;
}

TEST_F(RunTest, CollectsAccuraciesAboveOneInFileOrder) {
    EXPECT_EQ(RunCompletes(), 0);                                                 // no file at all
    EXPECT_EQ(Captions(controls), "All maps|Thompson|0|0|0|0|0|0|0|0|0|-|-|-|");  // no accuracy: no figure
    EXPECT_EQ(Only(controls.chart, {"Picture1.Line"}).size(), 3u);                // the guide lines alone
    controls.chart.clear();
    dir.write("a.txt", Match("m", "Thompson: 20.0 2/10 1 0 0"));
    dir.write("b.txt", Match("m", "Thompson: 0.5 1/200 0 1 0"));
    dir.write("c.txt", Match("m", "Thompson: 1.0 1/100 0 1 0"));  // exactly 1: counted, not collected
    dir.write("d/e.txt", Match("m", "Thompson: 30.0 3/10 2 0 1"));
    dir.write("d/f.txt", Match("m", "Thompson: 2 1"));  // no accuracy: counted, not collected
    EXPECT_EQ(RunCompletes(), 5);
    EXPECT_EQ(Only(controls.chart, {"Picture1.PSet", "Picture1.Line 0 2048", "Picture1.Line 0 1920 6975 1920 0 100"}),
              (Trace{"Picture1.Line 0 2048 6975 1792 255 0 0", "Picture1.PSet 0 2048 255 255 255",
                     "Picture1.Line 0 1920 6975 1920 0 100 0"}));
    EXPECT_EQ(form.CurvePlaces()[1].x, 6975);  // the last point at the right edge
    // The ratio of 5 kills to 3 deaths is cut, not rounded.
    EXPECT_EQ(Captions(controls), "All maps|Thompson|5|320|7|2,1%|1|0,3%|5|3|1,6|25%|20%|30%|");
    dir.write("g.txt", Match("m", "Thompson: x 1"));
    EXPECT_THROW(form.ComputeStats(), RunError);
}

TEST_F(RunTest, ChartErrorNamesTheMatchAndKeepsTheCurveDrawnBeforeIt) {
    const char* msg = ", line 3: the accuracy 2000 puts the chart's curve at -48640, outside -32,768 to 32,767.";
    const std::string off = Match("m", "Thompson: 2000.0 2/10 1 0 0"), on = Match("m", "Thompson: 20.0 1/5 0 0 0");
    // The match off the chart first, then second: the same segment fails, and a later one off too changes nothing.
    for (bool earlier : {true, false}) {
        std::string first = dir.write("a.txt", earlier ? off : on), second = dir.write("b.txt", earlier ? on : off);
        dir.write("c.txt", Match("m", "Thompson: 3000.0 3/10 1 0 0"));
        controls.chart.clear();
        ExpectRunError(form.ComputeStats(), Overflow, (earlier ? first : second) + msg);
        EXPECT_EQ(Only(controls.chart, {"Picture1.Line 0 2048", "Picture1.PSet"}), Trace{}) << earlier;
    }
    // Segments before the failing one are drawn; no mean line.
    dir.write("a.txt", on), dir.write("b.txt", on), dir.write("c.txt", off);
    controls.chart.clear();
    ExpectRunError(form.ComputeStats(), Overflow, dir / "c.txt" + msg);
    EXPECT_EQ(Only(controls.chart, {"Picture1.Line", "Picture1.PSet"}).size(), 3u + 2u);
}

TEST_F(RunTest, LargeTotalsStillShowAPercentage) {
    std::string rows;
    for (int i = 0; i < 3; ++i) rows += "Thompson: 50.0 30000/30000 1 0 0\n";
    for (int i = 0; i < 800; ++i) dir.write("f" + std::to_string(i) + ".txt", Match("m", rows));
    form.ComputeStats();
    EXPECT_EQ(controls.caption(Label::Label12), "72000000");  // × 100 leaves the 32-bit range
    EXPECT_EQ(controls.caption(Label::Label18), "100%");
}

TEST(Chart, PainterDrawsTheCurveWithMarksAndTheMean) {
    TempDir dir;
    for (auto [name, accuracy] : {std::pair{"a.txt", "40.0"}, {"b.txt", "10.0"}, {"c.txt", "10.0"}})
        dir.write(name, Match("m", std::string("Colt: ") + accuracy + " 1/10 0 0 0"));
    Tally tally = RunWeapon(dir.path(), 2, "", Period{}, ChartBox{}, true).tally;
    FakeControls surface;
    PaintGrid(surface);
    PaintCurve(surface, tally);
    // Middle point at 3487.5: to even, 3488. The mean 20% is at 2048.
    EXPECT_EQ(surface.chart, (Trace{"Picture1.DrawWidth 1", "Picture1.Line 0 1280 6975 1280 0 0 130",
                                    "Picture1.Line 0 640 6975 640 0 0 130", "Picture1.Line 0 1920 6975 1920 0 0 130",
                                    "Picture1.DrawWidth 1", "Picture1.Line 0 1536 3488 2304 255 0 0",
                                    "Picture1.PSet 0 1536 255 255 255", "Picture1.DrawWidth 1",
                                    "Picture1.Line 3488 2304 6975 2304 255 0 0", "Picture1.PSet 3488 2304 255 255 255",
                                    "Picture1.Line 0 2048 6975 2048 0 100 0"}));
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

TEST(NumberText, VirguleCutsAfterTheCommaAndTheForms) {
    // value, with a decimal comma, with a decimal point
    const std::tuple<float, const char*, const char*> cases[] = {
        {45.678f, "45,6", "45.6"},    {12.96f, "12,9", "12.9"}, {0.95f, "0,9", "0.9"},    {9.57f, "9,57", "9.57"},
        {99.456f, "99,45", "99.45"},  {12.0f, "12", "12"},      {-2.75f, "-2,7", "-2.7"}, {-0.5f, "-0,", "-0."},
        {100.0f / 3, "33,3", "33.3"}, {0.0f, "0", "0"},         {12345678.0f, "1", "1"},  {27.59762f, "27,5", "27.5"}};
    for (auto [value, comma, point] : cases)
        EXPECT_EQ(Virgule(value, ',') + " " + Virgule(value, '.'), comma + std::string(" ") + point);
    // Seven and fifteen significant digits, the exponent form outside 1E-4 to 1E7 (1E15).
    EXPECT_EQ(SingleToText(100.0f / 3, ',') + " " + SingleToText(1e7f, ',') + " " + SingleToText(12345678.0f, ',') +
                  " " + SingleToText(0.0001f, ',') + " " + SingleToText(0.00001f, ',') + " " + SingleToText(-48, ','),
              "33,33333 1E+07 1,234568E+07 0,0001 1E-05 -48");
    EXPECT_EQ(DoubleToText(100.0 / 3, ',') + " " + DoubleToText(1e7, ',') + " " + DoubleToText(1e15, ','),
              "33,3333333333333 10000000 1E+15");
    EXPECT_EQ(LongToText(-2147483647 - 1), "-2147483648");
    EXPECT_DOUBLE_EQ(TextToDouble("1,234568E+07", ','), 12345680.0);
    EXPECT_DOUBLE_EQ(TextToDouble("45.678", '.'), 45.678);
}

TEST(NumberText, SeparatorOfTheLocale) {
    const std::pair<const char*, char> names[] = {{"fr_FR.UTF-8", ','}, {"de_DE", ','},        {"de_CH.UTF-8", '.'},
                                                  {"it_CH.UTF-8", '.'}, {"en_US.UTF-8", '.'},  {"C", '.'},
                                                  {"pt_BR", ','},       {"ru_RU.KOI8-R", ','}, {"", '.'},
                                                  {"C.UTF-8", '.'}};
    for (auto [name, sep] : names) EXPECT_EQ(DecimalSeparatorOf(name), sep) << name;
    // LC_ALL, LC_NUMERIC, LANG: the first set decides.
    auto separator = [](const char* all, const char* numeric, const char* lang) {
        ScopedEnv a("LC_ALL", all), n("LC_NUMERIC", numeric), l("LANG", lang);
        return UserDecimalSeparator();
    };
    EXPECT_EQ((std::string{separator("fr_FR", "en_US", "en_US"), separator("", "fr_FR", "en_US"),
                           separator("", "", "fr_FR"), separator("", "", ""), separator("en_US", "fr_FR", "fr_FR")}),
              ",,,..");
}

class StatsDirTest : public ::testing::Test {
protected:
    StatsDirTest() {
        form.AppDir = dir.mkdir("app");
        form.ConfigDir = dir / "config/tovrik-stats";
        form.BrowseFolder = [this](auto& prompt, auto& path) {
            calls.push_back(prompt + "|" + path);
            return answer;
        };
    }
    TempDir dir;
    FakeControls controls;
    Form1 form{controls};
    std::vector<std::string> calls;
    std::string answer = "cancel";
};

TEST_F(StatsDirTest, LoadsTheFirstLineWithoutAsking) {
    // What path.dat adds to the file reader: a portable copy keeps it beside itself, before the user's folder.
    dir.write("app/tovrik-stats.portable", "");
    dir.mkdir("first ");
    const std::pair<std::string, std::string> cases[] = {
        {"\r\n\n" + dir.path() + "/first \r\n/second\n", dir.path() + "/first "}, {dir.path(), dir.path()}};
    for (const auto& [content, statsDir] : cases) {
        dir.write("app/path.dat", content);
        dir.write("config/tovrik-stats/path.dat", "/config");
        EXPECT_TRUE(form.InitStatsDir()) << content;
        EXPECT_EQ(form.StatsDir, statsDir) << content;
    }
    EXPECT_TRUE(calls.empty() && controls.messages.empty());
}

TEST_F(StatsDirTest, FirstStartAsksAndSavesTheBytesInTheUsersFolder) {
    answer = "/home/\xC3\xA9lodie/ET stats";
    ScopedEnv home("HOME", dir.path().c_str());  // no game folder there
    EXPECT_TRUE(form.InitStatsDir());
    EXPECT_EQ(calls, std::vector<std::string>{"Selection du repertoire ET stats :|"});
    EXPECT_EQ(Slurp(dir / "config/tovrik-stats/path.dat"), answer);  // no line end
    struct stat info {};
    EXPECT_TRUE(stat((dir / "config").c_str(), &info) == 0 && (info.st_mode & 0777) == 0700);  // the user's alone
    EXPECT_FALSE(FileExists(dir / "app/path.dat"));  // never beside a program that is not portable
    EXPECT_TRUE(form.InitStatsDir());                // the next start: the folder is gone, so asked again
    EXPECT_EQ(controls.messages, std::vector<std::string>{"The statistics folder \"" + answer +
                                                          "\" cannot be opened: No such file or directory. Please "
                                                          "choose it again."});
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(StatsDirTest, CancelEndsTheProgramAndWritesNothing) {
    ScopedEnv home("HOME", dir.path().c_str());
    const std::string prompt = "Selection du repertoire ET stats :|";
    std::vector<std::string> expected;
    // Today's game comes first, in its Flathub home too, then the classic game.
    for (const char* folder :
         {".etwolf/etmain/stats", ".var/app/com.etlegacy.ETLegacy/.etlegacy/legacy/stats", ".etlegacy/legacy/stats"}) {
        expected.push_back(prompt + dir.mkdir(folder));
        EXPECT_FALSE(form.InitStatsDir());
    }
    EXPECT_EQ(calls, expected);
    EXPECT_TRUE(controls.ended);
    EXPECT_FALSE(FileExists(dir / "app/path.dat") || FileExists(dir / "config/tovrik-stats/path.dat"));
    controls.ended = false, form.BrowseFolder = nullptr;  // no way to ask: as if cancelled
    EXPECT_FALSE(form.InitStatsDir());
    EXPECT_TRUE(controls.ended);
    controls.ended = false, controls.anotherInstance = true;  // another window open: ended before a question
    EXPECT_FALSE(form.Form_Load());
    EXPECT_TRUE(controls.ended);
    EXPECT_EQ(calls.size(), expected.size());
}

// The last weapon and map, one a line; a map of "-" is every map.
TEST_F(StatsDirTest, LastChoiceBesideTheFolderSetting) {
    dir.write("app/tovrik-stats.portable", "");
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Thompson\r\nradar\n", "Thompson", "radar"}, {"Colt\n-\n", "Colt", ""}, {"Luger", "Luger", ""}, {"", "", ""}};
    for (auto [content, weapon, map] : cases) {
        dir.write("app/choice.dat", content);
        EXPECT_EQ(form.LoadChoice(), (std::pair<std::string, std::string>{weapon, map})) << content;
    }
    form.SaveChoice("MP-40", "");
    EXPECT_EQ(Slurp(dir / "app/choice.dat"), "MP-40\n-\n");
    form.SaveStatsDir("/stats");
    EXPECT_EQ(Slurp(dir / "app/path.dat"), "/stats");
    EXPECT_NE(access((dir / "config").c_str(), F_OK), 0) << "nothing made in the user's folder";
}

// A choice that cannot be kept is said, and holds until the window closes.
TEST_F(StatsDirTest, AChoiceThatCannotBeKeptIsSaid) {
    answer = dir.path();
    const std::pair<std::string, std::string> configs[] = {{"/proc/self/tovrik-stats", "No such file or directory"},
                                                           {"", "no home folder is known"}};
    for (const auto& [config, reason] : configs) {
        controls.messages.clear();
        form.ConfigDir = config;
        EXPECT_TRUE(form.InitStatsDir());
        EXPECT_EQ(form.StatsDir, dir.path());
        ASSERT_EQ(controls.messages.size(), 1u) << config;
        EXPECT_THAT(controls.messages[0], ::testing::EndsWith(reason + ". It is used until the window closes."));
    }
}

TEST(AppPaths, FoldersOfTheProgramAndTheUser) {
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/xdg");
        EXPECT_EQ(DefaultConfigDir(), "/xdg/tovrik-stats");
    }
    ScopedEnv xdg("XDG_CONFIG_HOME", "relative"), home("HOME", "/home/smoky");  // not absolute: ignored
    EXPECT_EQ(DefaultConfigDir(), "/home/smoky/.config/tovrik-stats");
    ScopedEnv noHome("HOME", nullptr);  // the password database's
    EXPECT_EQ(HomeDir(), getpwuid(getuid())->pw_dir);
    for (auto [exe, folder] : {std::pair{"/usr/bin/tovrik", "/usr/bin"}, {"/tovrik", "/"}, {"tovrik", "."}})
        EXPECT_EQ(DirOf(exe), folder) << exe;
    EXPECT_NE(ProgramDir().find("tests"), std::string::npos);
}

// A dialog that records what the callback does to it, as "step|step|".
struct FakeDialog : BrowseDialog {
    std::string done;
    bool hasIcon = false, failSelection = false;
    void SetSelection(const std::string& path) override {
        if (failSelection) throw std::runtime_error("no such folder");
        done += "select " + path + "|";
    }
    void SetStatusText(const std::string& text) override { done += "status " + text + "|"; }
    bool MoveStatusItem(int l, int t, int w, int h) override {
        done += "move " + std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(w) + " " +
                std::to_string(h) + "|";
        return true;
    }
    bool LoadIcon(const std::string& name) override { return done += "load " + name + "|", hasIcon; }
    void SetSmallIcon() override { done += "icon|"; }
};

TEST(BrowseCallback, Messages) {
    // flags, icon name, icon found, selection fails -> what is done
    const std::tuple<std::int32_t, const char*, bool, bool, const char*> cases[] = {
        {0, "", false, false, "select /start|move 11 36 290 42|"},  // the status text moved
        {0x40, "", false, false, "select /start|"},                 // the new style keeps the status text's place
        {1, "nothing", false, false, "select /start|load nothing|move 11 36 290 42|"},
        {0, "tovrik", true, false, "select /start|load tovrik|icon|move 11 36 290 42|"},
        {0, "", false, true, "move 11 36 290 42|"}};  // a failing step is skipped
    for (auto [flags, icon, hasIcon, failSelection, done] : cases) {
        FakeDialog dialog;
        dialog.hasIcon = hasIcon;
        dialog.failSelection = failSelection;
        EXPECT_EQ(BrowseCallbackProc(dialog, BrowseRequest{"/start", icon, flags}, kBrowseInitialized, nullptr), 0);
        EXPECT_EQ(dialog.done, done) << flags << icon;
    }
    FakeDialog dialog;
    std::string path = std::string("/home/smoky\0junk", 16);
    BrowseCallbackProc(dialog, BrowseRequest{}, kBrowseSelChanged, &path);
    BrowseCallbackProc(dialog, BrowseRequest{}, kBrowseSelChanged, nullptr);  // no path: the status text stays
    EXPECT_EQ(BrowseCallbackProc(dialog, BrowseRequest{}, 3, &path), 0);
    EXPECT_EQ(dialog.done, "status /home/smoky|");
    EXPECT_EQ(TrimAtNull("abc"), "abc");
    EXPECT_EQ(TrimAtNull(std::string("\0ab", 3)), "");
    EXPECT_EQ(TrimAtNull(std::string(32766, 'a') + '\0'), std::string(32766, 'a'));
    ExpectRunError(TrimAtNull(std::string(32767, 'a') + '\0'), Overflow,
                   "the text's first NUL lies beyond position 32,767.");
}

TEST(Breakdown, GroupStartsOnTheTimeAxis) {
    const std::tuple<const char*, Grouping, const char*, const char*, const char*> rows[] = {
        {"a day", Grouping::Day, "2024.02.29", "2024-02-29", "2024-02-29"},
        {"a 53rd week", Grouping::Week, "2021.01.03", "2020-W53", "2020-12-28"},
        {"the first week of a year begun on a Thursday", Grouping::Week, "2026.01.01", "2026-W01", "2025-12-29"},
        {"the first week of a year whose 4th of January is a Monday", Grouping::Week, "2021.01.10", "2021-W01",
         "2021-01-04"},
        {"a week in the year", Grouping::Week, "2026.12.06", "2026-W49", "2026-11-30"},
        {"a map", Grouping::Map, "2026.12.06", "m", ""},
        {"a month", Grouping::Month, "2026.12.31", "2026-12", "2026-12-01"},
        {"a year", Grouping::Year, "1999.07.04", "1999", "1999-01-01"},
        {"no date", Grouping::Day, "undated", "no date", ""}};
    for (auto [name, grouping, folder, label, start] : rows) {
        TempDir dir;
        dir.write(std::string(folder) + "/120000.txt", Match("m", "Thompson: 50.0 1/2 0 0 0"));
        std::vector<ViewRow> groups = GroupRows(ReadTree(dir.path()), *WeaponIndex("Thompson"), "", {}, grouping);
        ASSERT_EQ(groups.size(), 1u) << name;
        EXPECT_EQ(groups[0].label, label) << name;
        EXPECT_EQ(groups[0].firstDay ? DayText(DateOfDays(*groups[0].firstDay)) : "", start) << name;
    }
    for (int day = -719162; day <= 2932896; day += 6376) {  // 0001-01-01 to 9999-12-31; 2026-01-01, a Thursday
        MatchDate date = DateOfDays(day);
        EXPECT_EQ(DaysSinceEpoch(date.year, date.month, date.day), day) << day;
        EXPECT_EQ(IsoWeekText(date), IsoWeekText(DateOfDays(MondayOf(day)))) << day;  // its Monday's week
    }
    for (int era = 3; era <= 24; ++era)  // the last day of each 400 years, counted from March
        EXPECT_EQ(DayText(DateOfDays(era * 146097 - 719469)) + DayText(DateOfDays(era * 146097 - 719438)),
                  std::to_string(era * 400) + "-02-29" + std::to_string(era * 400) + "-03-31")
            << era;
}

TEST(Breakdown, TicksOnRoundDates) {
    auto texts = [](const char* first, const char* last, int most, Grouping unit = Grouping::Day) {
        auto day = [](const char* text) {
            MatchDate date = DayOfText(text);
            return DaysSinceEpoch(date.year, date.month, date.day);
        };
        std::string joined;
        for (const TimeTick& tick : TimeTicks(day(first), day(last), most, unit)) joined += " " + tick.text;
        return joined.substr(1);
    };
    EXPECT_EQ(texts("2026-09-03", "2026-09-05", 3), "2026-09-03 2026-09-04 2026-09-05") << "every day";
    EXPECT_EQ(texts("2026-09-03", "2026-09-06", 3), "2026-09-03 2026-09-05") << "every other day";
    EXPECT_EQ(texts("2026-09-01", "2026-09-30", 5), "2026-09-07 2026-09-14 2026-09-21 2026-09-28") << "Mondays";
    EXPECT_EQ(texts("2026-09-03", "2026-09-05", 3, Grouping::Week), "2026-09-03") << "weeks: no Monday, the first day";
    EXPECT_EQ(texts("2026-01-15", "2026-05-20", 3), "2026-03 2026-05") << "every other month from the first";
    EXPECT_EQ(texts("2026-01-15", "2026-03-20", 9, Grouping::Year), "2026-01-15") << "years: no new year";
    EXPECT_EQ(texts("2019-05-01", "2026-12-06", 4, Grouping::Year), "2020 2022 2024 2026") << "every other year";
    EXPECT_EQ(texts("2024-02-10", "2026-12-06", 6), "2024-07 2025-01 2025-07 2026-01 2026-07") << "half years";
    EXPECT_EQ(texts("1890-01-01", "2026-12-06", 3), "1900 1950 2000") << "every fifty years";
    EXPECT_EQ(texts("1950-01-01", "2026-12-06", 4), "1960 1980 2000 2020") << "every twenty years";
    EXPECT_EQ(texts("1990-01-01", "2026-12-06", 8), "1990 1995 2000 2005 2010 2015 2020 2025") << "every five years";
}

TEST(Breakdown, TotalsFoldersAndExtremes) {
    TempDir dir;
    dir.write("2026.09.01/120000.txt", Match("goldrush", "Thompson: 10.0 10/100 1 2 3\nMP-40: 50.0 20/40 0 1 0"));
    dir.write("2026.09.01/130000.txt", Match("radar", "Thompson: 50.0 30/60 2 0 1"));
    dir.write("2026.09.02/120000.txt", Match("radar", "MP-40: 5.0 5/50 0 0 1"));
    dir.write("old/2026.09.02/120000.txt", Match("radar", "Luger: 60.0 1/2 0 0 1\nThompson: 20.0 2/10 0 0 0"));
    dir.write("2026.09.03/120000.txt", Match("radar", "Colt: 25.0 1/4 0 0 0"));
    dir.write("2026.09.04/120000.txt", Match("radar", ""));  // read, but no weapon counts
    const std::string root = dir.path() + "/";
    BreakdownChoice byMap{*WeaponIndex("Thompson"), Grouping::Map, Period{{}, DayOfText("2026-09-01")}};
    const MatchTable table = ReadTree(dir.path());  // every weapon's rows: radar's others and days after left out
    Breakdown maps = MakeBreakdown(table, byMap);
    EXPECT_EQ(maps.folders, (std::vector<std::string>{root + "2026.09.01", root + "2026.09.01"}));
    EXPECT_EQ(maps.total.figures.shots, 160);
    ASSERT_TRUE(maps.worst && maps.best);
    EXPECT_EQ(maps.worst->place.path, root + "2026.09.01/120000.txt");
    EXPECT_EQ(maps.best->place.when(), "2026-09-01 13:00:00");
    EXPECT_EQ(maps.best->place.map, "radar");
    Breakdown weapons = MakeBreakdown(table, BreakdownChoice{byMap.weapon, {}, {}});
    ASSERT_EQ(weapons.rows.size(), Weapons().size());
    EXPECT_EQ(weapons.folders[*WeaponIndex("MP-40")], dir.path()) << "its matches lie in two day folders";
    EXPECT_EQ(weapons.folders[*WeaponIndex("Luger")], root + "old/2026.09.02");
    const Figures& all = weapons.total.figures;
    EXPECT_EQ(all.games, 5) << "a match counts once, whatever its weapons";
    EXPECT_EQ(all.shots, 100 + 60 + 40 + 50 + 2 + 10 + 4);
    EXPECT_EQ(all.collected, 7) << "every weapon's accuracy of every match";
    EXPECT_EQ(all.lowest, 5.0f) << "MP-40's, not the last weapon's";
    EXPECT_EQ(all.highest, 60.0f) << "Luger's";
    EXPECT_NEAR(all.mean, (10 + 50 + 50 + 5 + 60 + 20 + 25) / 7.0, 1e-6);
    const Breakdown days = MakeBreakdown(table, BreakdownChoice{byMap.weapon, Grouping::Day, {}});
    EXPECT_EQ(TimePoints(days, Grouping::Day).size(), 2u) << "the day of one accuracy too";
    const BreakdownChoice lastDays{byMap.weapon, {}, Period{DayOfText("2026-09-03"), {}}};
    EXPECT_EQ(MakeBreakdown(table, lastDays).total.figures.mean, 25.0f) << "the one accuracy of those days";
}

}  // namespace
}  // namespace tovrik
