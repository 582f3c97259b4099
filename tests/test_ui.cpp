#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "engine/weapons.h"
#include "fileio/file_read.h"
#include "settings/app_paths.h"
#include "settings/browse_callback.h"
#include "tests/support/run_fixture.h"
#include "ui/chart.h"
#include "ui/form1.h"
#include "ui/number_text.h"
#include "ui/recording_controls.h"
#include "ui/table_run.h"

namespace tovrik {
namespace {

using testing::Match;
using testing::RunTest;
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

// Keeps every match, as a view without a period does.
bool EveryMatch(const MatchRecord&) { return true; }

// Both the window's run and the report's run of the Thompson over the match
// table of `dir` raise the run-time error of `kind` with `message`.
::testing::AssertionResult BothRunsStop(Form1& form, const std::string& dir, RunError::Kind kind,
                                        const std::string& message) {
    ::testing::AssertionResult window = testing::RunErrorIs([&] { form.ComputeStats(); }, kind, message);
    if (!window) return window << " (the window's run)";
    auto report = [&] { ThrowFirstStop({RunOnTable(BuildMatchTable(dir), 4, "", EveryMatch)}); };
    return testing::RunErrorIs(report, kind, message) << " (the report's run)";
}

TEST_F(RunTest, ScanAddsTheRowsOfTheWeapon) {
    std::string real = dir.write("194512.txt",
                                 ">>> Map: goldrush\n\nOverall stats for: Smoky (1 Round)\n\n"
                                 "MP-40    :  25.3   45/178      5      3        12\n\n"
                                 "Allies MP-40er       6  11   1  0  35   0   801  1402   4    87\n");
    EXPECT_FLOAT_EQ(form.ScanMatchFile(real, "MP-40", kAllMaps, 0), 25.3f);
    EXPECT_EQ(Totals(), "12 178 45 5 3 1");  // the Allies line is a team line
    // Two rows of the weapon both count, the later accuracy is returned; the
    // first line is a row too.
    std::string two = dir.write("two.txt", "Colt: 10.0 1/10 1 0 0\nColt: 50.0 5/10 2 1 1\n");
    EXPECT_FLOAT_EQ(form.ScanMatchFile(two, "Colt", "", 0), 50.0f);
    EXPECT_EQ(form.ScanMatchFile(two, "Knife", "", 0), 0.0f);  // no row: nothing
    EXPECT_EQ(Totals(), "13 198 51 8 4 3");
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
    EXPECT_EQ(controls.list3(), (Trace{"", "-- All maps --", "az", "aZb", "base", "Base", "base2"}));
    EXPECT_EQ(form.GamesPlayed, 3);
    dir.write("7.txt", Match("adlernest", "Thompson: 40.0 4/10 1 0 0"));  // waits for the next start
    // The choice, the map label and the games for it.
    for (auto [choice, games] : {std::pair{"base", "0"}, {"Base", "1"}, {"-- ALL MAPS --", "0"}}) {
        controls.list3Selection = choice;
        form.ComputeStats();
        EXPECT_EQ(controls.caption(Label::Label5) + " " + controls.caption(Label::Label26),
                  choice + std::string(" ") + games);
    }
    EXPECT_EQ(controls.list3().size(), 7u);
}

TEST_F(RunTest, NoFilesAtAll) {
    form.ComputeStats();
    std::string labels;
    for (const std::string& line : Only(controls.trace(), {"Label"})) labels += line.substr(5) + " ";
    EXPECT_EQ(labels,
              "24.Caption=0% 5.Caption=All maps 6.Caption=Thompson 22.Caption=100% 23.Caption=0% 24.Caption=0% "
              "10.Caption=0 9.Caption=0 17.Caption=0 18.Caption=0 12.Caption=0 15.Caption=0 16.Caption=0 "
              "20.Caption=0 26.Caption=0 ");
    EXPECT_EQ(Only(controls.trace(), {"Picture1.Line"}).size(), 3u);  // the guide lines alone
    EXPECT_TRUE(form.MapsListed);
}

TEST_F(RunTest, CollectsAccuraciesAboveOneInFileOrder) {
    dir.write("a.txt", Match("m", "Thompson: 20.0 2/10 1 0 0"));
    dir.write("b.txt", Match("m", "Thompson: 0.5 1/200 0 1 0"));
    dir.write("c.txt", Match("m", "Thompson: 1.0 1/100 0 1 0"));  // exactly 1: counted, not collected
    dir.write("d/e.txt", Match("m", "Thompson: 30.0 3/10 2 0 1"));
    dir.write("d/f.txt", Match("m", "Thompson: 2 1"));  // no accuracy: counted, not collected
    EXPECT_EQ(RunCompletes(), 5);
    EXPECT_EQ(Only(controls.trace(), {"Picture1.PSet", "Picture1.Line 0 2048", "Picture1.Line 0 1920 6975 1920 0 100"}),
              (Trace{"Picture1.Line 0 2048 6975 1792 255 0 0", "Picture1.PSet 0 2048 255 255 255",
                     "Picture1.Line 0 1920 6975 1920 0 100 0"}));
    EXPECT_DOUBLE_EQ(form.AvgAccuracy, 25.0);
    // Lowest, highest, the ratio of 5 kills to 3 deaths (cut, not rounded), the games.
    EXPECT_EQ(controls.caption(Label::Label22) + " " + controls.caption(Label::Label23) + " " +
                  controls.caption(Label::Label20) + " " + controls.caption(Label::Label26),
              "20% 30% 1,6 5");
}

TEST_F(RunTest, ChartErrorNamesTheMatchOfTheAccuracy) {
    const char* msg = ", line 3: the accuracy 2000 puts the chart's curve at -48640, outside -32,768 to 32,767.";
    const std::string off = Match("m", "Thompson: 2000.0 2/10 1 0 0"), on = Match("m", "Thompson: 20.0 1/5 0 0 0");
    for (bool earlier : {true, false}) {  // the match off the chart first, then second
        std::string first = dir.write("a.txt", earlier ? off : on), second = dir.write("b.txt", earlier ? on : off);
        EXPECT_TRUE(BothRunsStop(form, dir.path(), Overflow, (earlier ? first : second) + msg));
    }
}

TEST_F(RunTest, LargeTotalsStillShowAPercentage) {
    std::string rows;
    for (int i = 0; i < 3; ++i) rows += "Thompson: 50.0 30000/30000 1 0 0\n";
    for (int i = 0; i < 800; ++i) dir.write("f" + std::to_string(i) + ".txt", Match("m", rows));
    form.ComputeStats();
    EXPECT_EQ(form.TotHits, 72000000);  // × 100 leaves the 32-bit range
    EXPECT_EQ(controls.caption(Label::Label18), "100%");
}

// The report's run over the match table goes as the window's run: the same
// figures for every weapon and map choice.
TEST(TableRun, GoesAsTheWindowsRun) {
    for (const char* tree : {TOVRIK_EXAMPLES "/stats", TOVRIK_EXAMPLES "/etlegacy-stats"}) {
        MatchTable table = BuildMatchTable(tree);
        for (const char* map : {"", "goldrush"})
            for (std::size_t w = 0; w < Weapons().size(); ++w) {
                RecordingControls controls;
                Form1 form(controls);
                form.StatsDir = tree;
                controls.list2Selection = Weapons()[w];
                controls.list3Selection = map;
                form.ComputeStats();
                WeaponFigures f = RunOnTable(table, w, map, EveryMatch).figures;
                auto figures = [](auto... values) { return std::vector<double>{static_cast<double>(values)...}; };
                EXPECT_EQ(figures(f.games, f.shots, f.hits, f.headshots, f.kills, f.deaths, f.meanAccuracy, f.lowest,
                                  f.highest, f.collected),
                          figures(form.GamesPlayed, form.TotShots, form.TotHits, form.TotHeadshots, form.TotKills,
                                  form.TotDeaths, form.AvgAccuracy, form.LastRun.Minimum, form.LastRun.Maximum,
                                  form.LastRun.Collected))
                    << tree << " " << map << " " << Weapons()[w];
            }
    }
    // Today's rows by their whole name, in either spelling: the games counted by hand in the sample.
    MatchTable today = BuildMatchTable(TOVRIK_EXAMPLES "/etlegacy-stats");
    for (auto [weapon, games] : {std::pair{"MP-40", 12}, {"Garand", 6}, {"Scp.Garand", 6}, {"MG-42 Gun", 7}}) {
        auto w = static_cast<std::size_t>(std::find(Weapons().begin(), Weapons().end(), weapon) - Weapons().begin());
        EXPECT_EQ(RunOnTable(today, w, "", EveryMatch).figures.games, games) << weapon;
    }
}

TEST(Chart, GeometryAndRounding) {
    RecordingControls controls;
    Form1 form(controls);
    form.DrawAccuracySegment(40, 60, 1, 0);
    form.DrawAccuracySegment(10, 10, 2, 0);  // middle point at 3487.5: to even, 3488
    form.DrawAccuracySegment(10, 10, 6, 0);  // second point at 1162.5: to even, 1162
    form.DrawMeanLine(50);
    form.DrawMeanLine(33.3);
    EXPECT_EQ(
        controls.trace(),
        (Trace{"Picture1.DrawWidth 1", "Picture1.Line 0 1536 6975 1024 255 0 0", "Picture1.PSet 0 1536 255 255 255",
               "Picture1.DrawWidth 1", "Picture1.Line 0 2304 3488 2304 255 0 0", "Picture1.PSet 0 2304 255 255 255",
               "Picture1.DrawWidth 1", "Picture1.Line 0 2304 1162 2304 255 0 0", "Picture1.PSet 0 2304 255 255 255",
               "Picture1.Line 0 1280 6975 1280 0 100 0", "Picture1.Line 0 1708 6975 1708 0 100 0"}));
    const std::tuple<double, bool, int> coordinates[] = {
        {32767.4, true, 32767}, {32767.6, false, 0}, {-32768.5, true, -32768}, {-32769, false, 0}, {2.5, true, 2}};
    for (auto [value, fits, rounded] : coordinates) {
        std::int16_t c = 0;
        EXPECT_TRUE(ToCurveCoordinate(value, c) == fits && c == rounded) << value;
    }
}

const std::string kGood = ">>> Map: radar\nThompson:  40.0  4/10  1  0  0\n";

// Whatever lies in the statistics tree, a run ends: completed, or with the one
// run-time error naming the file and the line.
TEST_F(RunTest, HostileTreeCompletes) {
    dir.write("2026.12.06/000000.txt", kGood);
    dir.write("long-line.txt", ">>> Map: radar\n" + std::string(40000, 'y') + "\n");  // not a row: not read
    dir.write("\xE9t\xE9/\xFF\xFE.txt", ">>> Map: \xE9glise\nThompson:  40.0  4/10  1  0  0\n");
    ASSERT_EQ(mkfifo(dir.mkdir("fifo").append("/x.txt").c_str(), 0600), 0);
    ASSERT_EQ(symlink("..", (dir / "2026.12.06/up").c_str()), 0);  // a loop; the walk's other links are its own tests
    // Two links a level to the next: walked once each, not 2^24 times.
    for (int level = 0; level < 24; ++level)
        for (const char* name : {"/a", "/b"})
            ASSERT_EQ(symlink(("../d" + std::to_string(level + 1)).c_str(),
                              (dir.mkdir("dag/d" + std::to_string(level)) + name).c_str()),
                      0);
    dir.write("dag/d24/x.txt", kGood);
    EXPECT_EQ(RunCompletes(), 3);  // nothing blocked, nothing counted twice
    EXPECT_EQ(std::count(controls.list3().begin(), controls.list3().end(), "\xE9glise"), 1);
}

TEST_F(RunTest, LineCounts) {
    std::string exact = ">>> Map: radar\n";
    for (int i = 1; i < 32767; ++i) exact += "Thompson: 10.0 1/10 1 0 0\n";
    dir.write("a/exact.txt", exact);
    EXPECT_EQ(RunCompletes(), 32766);
    std::string shortLines;
    for (int i = 0; i < 200000; ++i) shortLines += "x\n";
    std::string path = dir.write("b/over.txt", exact + shortLines);
    EXPECT_TRUE(BothRunsStop(form, dir.path(), Overflow, path + ", line 32768: the file has more than 32,767 lines."));
}

TEST_F(RunTest, EveryKindOfRunTimeErrorNamesFileAndLine) {
    const std::tuple<std::string, RunError::Kind, const char*, std::string> cases[] = {
        {"Thompson: 10.0 1/99999 1 0 0\n", Overflow, "2", "\"99999\" is outside -32,768 to 32,767."},
        {"Thompson:\n", SubscriptOutOfRange, "2", "the weapon line has no field 4 (its fields read \"0.0|0/0|\")."},
        {"Thompson: 10.0 110 1 0/2 0\n", SubscriptOutOfRange, "2", "\"110\" has no part 1 (hits/shots needs a \"/\")."},
        {"\r\n\r\nThompson: 10.0 1/10 one 0 0\r\n", Conversion, "4", "\"one\" is not a whole number."},
        {"\rThompson: 10.0 1/10 1 0 \n", Conversion, "3", "\"\" is not a whole number."},
        {"Thompson: 4O.0 4/10 1 0 0\n", Conversion, "2", "\"4O.0\" is not a decimal number."},
        {"Thompson: " + std::string(39990, '1') + "\n", Overflow, "2",
         "the line is 40000 characters long; a weapon line holds at most 32,766."},
        {"Thompson: 5000.0 1/10 1 0 0\n", Overflow, "2",
         "the accuracy 5000 puts the chart's curve at -125440, outside -32,768 to 32,767."}};
    dir.write("2026.12.06/000000.txt", kGood);
    for (const auto& [content, kind, line, detail] : cases) {
        std::string path = dir.write("2026.12.07/bad.txt", ">>> Map: m\n" + content);
        std::string message = path + ", line " + line + ": " + detail;
        EXPECT_TRUE(BothRunsStop(form, dir.path(), kind, message));
        EXPECT_FALSE(form.MapsListed);  // a stopped run does not end map discovery
    }
}

TEST_F(RunTest, TotalPastTheLongRange) {
    std::string lines = ">>> Map: m\n";
    for (int i = 1; i < 32767; ++i) lines += "Thompson: 1.5 1/32767 0 0 0\n";
    dir.write("a/1.txt", lines), dir.write("a/2.txt", lines);
    std::string third = dir.write("a/3.txt", lines);
    int line = 2 + (2147483647 - 2 * 32766 * 32767) / 32767;
    std::string message = third + ", line " + std::to_string(line) + ": the shots total goes past 2,147,483,647.";
    EXPECT_TRUE(BothRunsStop(form, dir.path(), Overflow, message));
    ExpectRunError(AddLong(-2147483647, -2, "kills"), Overflow, "the kills total goes past -2,147,483,648.");
    EXPECT_EQ(AddLong(-2147483647, -1, "kills"), -2147483647 - 1);
}

TEST(NumberText, VirguleCutsAfterTheComma) {
    // value, with a decimal comma, with a decimal point
    const std::tuple<float, const char*, const char*> cases[] = {
        {45.678f, "45,6", "45.6"},    {12.96f, "12,9", "12.9"}, {0.95f, "0,9", "0.9"},    {9.57f, "9,57", "9.57"},
        {99.456f, "99,45", "99.45"},  {12.0f, "12", "12"},      {-2.75f, "-2,7", "-2.7"}, {-0.5f, "-0,", "-0."},
        {100.0f / 3, "33,3", "33.3"}, {0.0f, "0", "0"},         {12345678.0f, "1", "1"},  {27.59762f, "27,5", "27.5"}};
    for (auto [value, comma, point] : cases)
        EXPECT_EQ(Virgule(value, ',') + " " + Virgule(value, '.'), comma + std::string(" ") + point);
}

TEST(NumberText, SingleAndDoubleForms) {
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
    const std::pair<const char*, char> names[] = {
        {"fr_FR.UTF-8", ','}, {"de_DE", ','}, {"de_CH.UTF-8", '.'},  {"it_CH", '.'}, {"en_US.UTF-8", '.'},
        {"C", '.'},           {"pt_BR", ','}, {"ru_RU.KOI8-R", ','}, {"", '.'},      {"C.UTF-8", '.'}};
    for (auto [name, sep] : names) EXPECT_EQ(DecimalSeparatorOf(name), sep) << name;
    // LC_ALL, LC_NUMERIC, LANG: the first set decides.
    auto separator = [](const char* all, const char* numeric, const char* lang) {
        setenv("LC_ALL", all, 1), setenv("LC_NUMERIC", numeric, 1), setenv("LANG", lang, 1);
        return UserDecimalSeparator();
    };
    EXPECT_EQ((std::string{separator("fr_FR", "en_US", "en_US"), separator("", "fr_FR", "en_US"),
                           separator("", "", "fr_FR"), separator("", "", ""), separator("en_US", "fr_FR", "fr_FR")}),
              ",,,..");
    unsetenv("LC_ALL"), unsetenv("LC_NUMERIC"), setenv("LANG", "C.UTF-8", 1);
}

class StatsDirTest : public ::testing::Test {
protected:
    StatsDirTest() {
        form.AppDir = dir.mkdir("app");
        form.ConfigDir = dir / "config/tovrik-stats";
        form.BrowseFolder = [this](auto& title, auto& path, auto root, auto flags, auto& icon) {
            calls.push_back(title + "|" + path + "|" + std::to_string(root) + "|" + std::to_string(flags) + "|" + icon);
            return answer;
        };
    }
    TempDir dir;
    RecordingControls controls;
    Form1 form{controls};
    std::vector<std::string> calls;
    std::string answer = "cancel";
};

TEST_F(StatsDirTest, LoadsTheFirstLineWithoutAsking) {
    // The reading is the file reader's: here what path.dat adds to it.
    const std::pair<std::string, std::string> cases[] = {
        {"\r\n\n/first \r\n/second\n", "/first "}, {"", ""}, {"\r\n\r\n", ""}, {"/home/\xE9lodie", "/home/\xE9lodie"}};
    for (const auto& [content, statsDir] : cases) {
        dir.write("app/path.dat", content);
        dir.write("config/tovrik-stats/path.dat", "/config");  // beside the program comes first
        EXPECT_TRUE(form.InitStatsDir()) << content;
        EXPECT_EQ(form.StatsDir, statsDir) << content;
    }
    EXPECT_TRUE(calls.empty());
}

TEST_F(StatsDirTest, FirstStartAsksAndSavesTheBytes) {
    answer = "/home/\xC3\xA9lodie/ET stats";
    setenv("HOME", dir.path().c_str(), 1);  // no game folder there
    EXPECT_TRUE(form.InitStatsDir());
    EXPECT_EQ(calls, std::vector<std::string>{"Selection du repertoire ET stats :||17|0|"});
    EXPECT_EQ(Slurp(dir / "app/path.dat"), answer);  // no line end
    Form1 next(controls);                            // the next start
    next.AppDir = form.AppDir;
    EXPECT_TRUE(next.InitStatsDir());
    EXPECT_EQ(next.StatsDir, answer);
    EXPECT_EQ(calls.size(), 1u);  // not asked again
}

TEST_F(StatsDirTest, CancelEndsTheProgramAndWritesNothing) {
    setenv("HOME", dir.path().c_str(), 1);
    std::string classic = dir.mkdir(".etwolf/etmain/stats");
    EXPECT_FALSE(form.InitStatsDir());
    std::string today = dir.mkdir(".etlegacy/legacy/stats");  // today's game comes first
    EXPECT_FALSE(form.InitStatsDir());
    const std::string prompt = "Selection du repertoire ET stats :|";
    EXPECT_EQ(calls, (std::vector<std::string>{prompt + classic + "|17|0|", prompt + today + "|17|0|"}));
    EXPECT_TRUE(controls.ended());
    EXPECT_FALSE(FileExists(dir / "app/path.dat") || FileExists(dir / "config/tovrik-stats/path.dat"));
}

// An unwritable program folder, and any installed program (PREFIX/bin beside
// PREFIX/share/tovrik-stats, writable or not), keep it in the user's folder.
TEST_F(StatsDirTest, UnwritableOrInstalledProgramKeepsItInTheConfigFolder) {
    dir.mkdir("prefix/share/tovrik-stats");
    for (const std::string& appDir :
         {std::string("/proc/self"), std::string("/nonexistent/bin"), dir.mkdir("prefix/bin")}) {
        TempDir config;
        form.AppDir = appDir;
        form.ConfigDir = config / "a/b/tovrik-stats";
        answer = "/srv/stats";
        EXPECT_TRUE(form.InitStatsDir()) << appDir;
        EXPECT_EQ(Slurp(config / "a/b/tovrik-stats/path.dat"), "/srv/stats") << appDir;
        struct stat info {};
        EXPECT_TRUE(stat((config / "a").c_str(), &info) == 0 && (info.st_mode & 0777) == 0700);  // the user's alone
        answer = "cancel";
        EXPECT_TRUE(form.InitStatsDir()) << appDir;  // remembered
        EXPECT_EQ(form.StatsDir, "/srv/stats");
        EXPECT_FALSE(FileExists(dir / "prefix/bin/path.dat"));
    }
}

TEST(AppPaths, FoldersOfTheProgramAndTheUser) {
    setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(DefaultConfigDir(), "/xdg/tovrik-stats");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    setenv("HOME", "/home/smoky", 1);
    EXPECT_EQ(DefaultConfigDir(), "/home/smoky/.config/tovrik-stats");
    unsetenv("XDG_CONFIG_HOME");
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
        BrowseInitialPath = "/start";
        BrowseIconName = icon;
        BrowseFlags = flags;
        EXPECT_EQ(BrowseCallbackProc(dialog, kBrowseInitialized, nullptr), 0);
        EXPECT_EQ(dialog.done, done) << flags << icon;
    }
    FakeDialog dialog;
    std::string path = std::string("/home/smoky\0junk", 16);
    BrowseCallbackProc(dialog, kBrowseSelChanged, &path);
    BrowseCallbackProc(dialog, kBrowseSelChanged, nullptr);  // no path: the status text stays
    EXPECT_EQ(BrowseCallbackProc(dialog, 3, &path), 0);
    EXPECT_EQ(dialog.done, "status /home/smoky|");
    EXPECT_EQ(TrimAtNull("abc"), "abc");
    EXPECT_EQ(TrimAtNull(std::string("\0ab", 3)), "");
    EXPECT_EQ(TrimAtNull(std::string(32766, 'a') + '\0'), std::string(32766, 'a'));
    ExpectRunError(TrimAtNull(std::string(32767, 'a') + '\0'), Overflow,
                   "the text's first NUL lies beyond position 32,767.");
}

}  // namespace
}  // namespace tovrik
