#include <pwd.h>

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

namespace tovrik { namespace {

using testing::FakeControls;
using testing::Match;
using testing::RunTest;
using testing::ScopedEnv;
using testing::Slurp;
using testing::TempDir;
using Trace = std::vector<std::string>;

TEST_F(RunTest, MapsAreListedOnTheFirstRunAndChosenByWholeName) {
    dir.write("1.txt", Match("base2", "Thompson: 50.0 5/10 1 0 0"));
    dir.write("2.txt", Match("base", "Colt: 50.0 5/10 1 0 0"));  // no Thompson: listed all the same
    dir.write("3.txt", Match("Base", "Thompson: 40.0 4/10 1 0 0"));
    dir.write("4.txt", ">>> Map: \nThompson: 30.0 3/10 1 0 0\n");  // ends in a space: the empty name
    dir.write("5.txt", "Map2: \n"), dir.write("6.txt", Match("base2", ""));
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
        controls.expectCaptions(Label::Label5, choice, Label::Label26, games);
    }
    EXPECT_EQ(controls.list3[2], "adlernest");
    EXPECT_EQ(controls.list3.size(), 8u);
}

// Many maps put in at once go where they would one at a time, equal ones in the order they came; without regard
// to case, punctuation before digits and digits before letters, bytes past ASCII last.
TEST(MapList, ManyAtOnceAsOneByOne) {
    std::vector<std::string> oneByOne{"", "-- All maps --", "az", "Base"}, atOnce = oneByOne;
    const std::vector<std::string> added{
        "etl_sp_delivery", "et_ice", "ET_Ice", "~x", "_x", "9", "caf\xE9", "cafe", "base", "AZ", "", "0", "a.b", "a-b",
        "caf\x80"};
    for (const std::string& map : added) InsertSorted(oneByOne, {map});
    InsertSorted(atOnce, added);
    EXPECT_EQ(atOnce, oneByOne);
    EXPECT_EQ(atOnce, (std::vector<std::string>{"", "", "-- All maps --", "_x", "~x", "0", "9", "a-b", "a.b", "az",
                                                "AZ", "Base", "base", "cafe", "caf\x80", "caf\xE9", "et_ice", "ET_Ice",
                                                "etl_sp_delivery"}));
}

TEST_F(RunTest, CollectsAccuraciesAboveOneInFileOrder) {
    EXPECT_EQ(RunCompletes(), 0);  // no file at all
    controls.expectCaptions(Label::Label5, "All maps", Label::Label6, "Thompson");
    controls.expectFigures({"0", "0", "0", "0", "0", "0", "0", "0", "0", "-", "-", "-"});  // no accuracy: no figure
    EXPECT_EQ(controls.drawn({"Picture1.Line"}).size(), 3u);                               // the guide lines alone
    dir.write("a.txt", Match("m", "Thompson: 20.0 2/10 1 0 0"));
    EXPECT_EQ(RunCompletes(), 1);
    ASSERT_EQ(form.CurvePlaces().size(), 1u) << "one point, where the curve would start";
    EXPECT_EQ(form.CurvePlaces()[0].x, 0);
    EXPECT_EQ(form.CurvePlaces()[0].y, 2048);
    controls.drawn();
    dir.write("b.txt", Match("m", "Thompson: 0.5 1/200 0 1 0"));
    dir.write("c.txt", Match("m", "Thompson: 1.0 1/100 0 1 0"));  // exactly 1: counted, not collected
    dir.write("d/e.txt", Match("m", "Thompson: 30.0 3/10 2 0 1"));
    dir.write("d/f.txt", Match("m", "Thompson: 2 1"));  // no accuracy: counted, not collected
    dir.write("d/g.txt", Match("m", "Thompson: 25.0 1/4 0 0 0"));
    EXPECT_EQ(RunCompletes(), 6);
    // The middle point at 3487.5 twips, to even; the last at the right edge; the mean 25% over the middle guide.
    EXPECT_EQ(controls.drawn({"Picture1.Line 0 2048", "Picture1.Line 3488", "Picture1.Line 0 1920 6975 1920 0 100"}),
              (Trace{"Picture1.Line 0 2048 3488 1792 255 0 0", "Picture1.Line 3488 1792 6975 1920 255 0 0",
                     "Picture1.Line 0 1920 6975 1920 0 100 0"}));
    EXPECT_EQ(form.CurvePlaces()[2].x, 6975);
    // The ratio of 5 kills to 3 deaths is cut, not rounded.
    controls.expectFigures({"6", "324", "8", "2,4%", "1", "0,3%", "5", "3", "1,6", "25%", "20%", "30%"});
    dir.write("g.txt", Match("m", "Thompson: x 1"));
    EXPECT_THROW(form.ComputeStats(), RunError);
    EXPECT_EQ(controls.caption(Label::Label26), "6") << "the labels of the last completed run";
}

TEST_F(RunTest, ChartErrorNamesTheMatchAndKeepsTheCurveDrawnBeforeIt) {
    const char* msg = ", line 3: the accuracy 2000 puts the chart's curve at -48640, outside -32,768 to 32,767.";
    const std::string off = Match("m", "Thompson: 2000.0 2/10 1 0 0"), on = Match("m", "Thompson: 20.0 1/5 0 0 0");
    // The match off the chart first, then second: the same segment fails, and a later one off too changes nothing.
    for (bool earlier : {true, false}) {
        std::string first = dir.write("a.txt", earlier ? off : on), second = dir.write("b.txt", earlier ? on : off);
        dir.write("c.txt", Match("m", "Thompson: 3000.0 3/10 1 0 0"));
        controls.drawn();
        ExpectRunError(form.ComputeStats(), Overflow, (earlier ? first : second) + msg);
        EXPECT_EQ(controls.drawn({"Picture1.Line 0 2048", "Picture1.PSet"}), Trace{}) << earlier;
    }
    // Segments before the failing one are drawn; no mean line.
    dir.write("a.txt", on), dir.write("b.txt", on), dir.write("c.txt", off);
    controls.drawn();
    ExpectRunError(form.ComputeStats(), Overflow, dir / "c.txt" + msg);
    EXPECT_EQ(controls.drawn({"Picture1.Line", "Picture1.PSet"}).size(), 3u + 2u);
    std::remove((dir / "b.txt").c_str());  // two points: the one segment ends off the chart
    ExpectRunError(form.ComputeStats(), Overflow, dir / "c.txt" + msg);
    std::remove((dir / "a.txt").c_str());  // one point alone draws no segment
    EXPECT_EQ(RunCompletes(), 1);
}

// A live window watches the folders a run walks: the kernel's own file systems never, a folder once, a bound kept.
TEST_F(RunTest, WatchesTheFoldersARunWalks) {
    dir.mkdir("a/b");
    ASSERT_EQ(symlink("/proc", (dir / "proc").c_str()), 0);
    ASSERT_EQ(symlink("a", (dir / "again").c_str()), 0);
    EXPECT_EQ(form.WatchFolders(100), (Trace{dir.path(), dir / "a", dir / "a/b"}));
    EXPECT_EQ(form.WatchFolders(2), (Trace{dir.path(), dir / "a"}));
    form.StatsDir = "/proc";
    EXPECT_EQ(form.WatchFolders(100), Trace{});
}

// What another user holds back is said under the figures: a run as nobody (or as the user, who is not root) over a
// tree with a folder it may not list.
TEST_F(RunTest, NotesWhatAnotherUserHoldsBack) {
    const TempDir tree("/tmp");  // where nobody may go, whatever TMPDIR is
    ASSERT_EQ(chmod(tree.path().c_str(), 0755), 0);
    tree.write("a.txt", Match("m", "Thompson: 40.0 4/10 1 0 0"));
    ASSERT_EQ(chmod(tree.mkdir("closed").c_str(), 0), 0);
    form.StatsDir = tree.path();
    const std::string note = "Passed over for want of permission: 1 folder.\n";
    EXPECT_EQ(testing::AsNobody([&] { return form.ComputeStats(), form.RunNote() == note ? 0 : 1; }), 0);
}

class StatsDirTest : public ::testing::Test {
protected:
    StatsDirTest() {
        form.AppDir = dir.mkdir("app");
        form.ConfigDir = dir / "config/tovrik-stats";
        form.BrowseFolder = [this](auto& prompt, auto& path, auto& note) {
            calls.push_back(prompt + "|" + path + "|" + note);
            return answer;
        };
    }
    TempDir dir;
    FakeControls controls;
    Form1 form{controls};
    std::vector<std::string> calls;
    std::string answer = "cancel";
};

// A portable copy keeps path.dat beside itself, before the user's folder, and the last weapon and map beside it,
// one a line (a map of "-" is every map).
TEST_F(StatsDirTest, PortableCopyKeepsItsSettingsBesideItself) {
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
    EXPECT_EQ(calls.size() + controls.messages.size(), 0u) << "nothing asked, nothing said";
    const std::tuple<const char*, const char*, const char*> choices[] = {
        {"Thompson\r\nradar\n", "Thompson", "radar"}, {"Colt\n-\n", "Colt", ""}, {"Luger", "Luger", ""}, {"", "", ""}};
    for (auto [content, weapon, map] : choices) {
        dir.write("app/choice.dat", content);
        EXPECT_EQ(form.LoadChoice(), (std::pair<std::string, std::string>{weapon, map})) << content;
    }
    form.SaveChoice("MP-40", "");
    EXPECT_EQ(Slurp(dir / "app/choice.dat"), "MP-40\n-\n");
    std::filesystem::remove_all(dir / "config");
    form.SaveStatsDir("/stats");
    EXPECT_EQ(Slurp(dir / "app/path.dat"), "/stats");
    EXPECT_NE(access((dir / "config").c_str(), F_OK), 0) << "nothing made in the user's folder";
}

// A path.dat that cannot be read is said as such; only its first 4,096 bytes are read.
TEST_F(StatsDirTest, APathDatThatCannotBeReadIsSaid) {
    answer = dir.path();
    dir.mkdir("config/tovrik-stats");
    ASSERT_EQ(mkfifo((dir / "config/tovrik-stats/path.dat").c_str(), 0600), 0);
    EXPECT_TRUE(form.InitStatsDir());
    EXPECT_EQ(controls.messages, std::vector<std::string>{"The remembered statistics folder cannot be read from \"" +
                                                          (dir / "config/tovrik-stats/path.dat") +
                                                          "\": it is not a regular file. Please choose it again."});
    std::filesystem::remove(dir / "config/tovrik-stats/path.dat");
    dir.write("config/tovrik-stats/path.dat", std::string(4096, '\n') + dir.path());
    controls.messages.clear();
    EXPECT_TRUE(form.InitStatsDir());
    EXPECT_EQ(controls.messages.size(), 1u) << "a folder past the first 4,096 bytes is none";
}

TEST_F(StatsDirTest, FirstStartAsksAndSavesTheBytesInTheUsersFolder) {
    answer = "/home/\xC3\xA9lodie/ET stats";
    ScopedEnv home("HOME", dir.path().c_str());  // no game folder there
    EXPECT_TRUE(form.InitStatsDir());
    EXPECT_EQ(calls, std::vector<std::string>{"Selection du repertoire ET stats :||No game folder was found. Either "
                                              "game saves its statistics after each match once told so in its console: "
                                              "/seta cg_autoAction 4 (today's game also sorts them by month with /seta "
                                              "cg_autoFolders 1)."});
    EXPECT_EQ(Slurp(dir / "config/tovrik-stats/path.dat"), answer);  // no line end
    struct stat info {};
    ASSERT_EQ(stat((dir / "config").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "the user's alone";
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
    // Today's game comes first, in its Flathub home too, then the classic game; a file of a folder's name is none.
    dir.write(".etlegacy/legacy/stats", "");
    for (const char* folder :
         {".etwolf/etmain/stats", ".var/app/com.etlegacy.ETLegacy/.etlegacy/legacy/stats", ".etlegacy/legacy/stats"}) {
        if (expected.size() == 2) std::remove((dir / ".etlegacy/legacy/stats").c_str());
        expected.push_back(prompt + dir.mkdir(folder) + "|");
        EXPECT_FALSE(form.InitStatsDir());
    }
    EXPECT_EQ(calls, expected);
    EXPECT_TRUE(controls.ended);
    EXPECT_FALSE(FileExists(dir / "app/path.dat"));
    EXPECT_FALSE(FileExists(dir / "config/tovrik-stats/path.dat"));
    controls.ended = false, form.BrowseFolder = nullptr;  // no way to ask: as if cancelled
    EXPECT_FALSE(form.InitStatsDir());
    EXPECT_TRUE(controls.ended);
    controls.ended = false, controls.anotherInstance = true;  // another window open: ended before a question
    EXPECT_FALSE(form.Form_Load());
    EXPECT_TRUE(controls.ended);
    EXPECT_EQ(calls.size(), expected.size());
}

// A choice that cannot be kept is said, and holds until the window closes.
TEST_F(StatsDirTest, AChoiceThatCannotBeKeptIsSaid) {
    answer = dir.path();
    const std::pair<std::string, std::string> configs[] = {{"/proc/self/tovrik-stats", "No such file or directory"},
                                                           {dir.write("file", ""), "File exists"},
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
    ScopedEnv xdg("XDG_CONFIG_HOME", "config"), home("HOME", "/home/smoky");  // not absolute: ignored
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
    for (const testing::Case& c : testing::Cases("browse_steps.cases")) {
        FakeDialog dialog;
        dialog.hasIcon = c[2] == "yes", dialog.failSelection = c[3] == "yes";
        const BrowseRequest request{"/start", c[1], std::stoi(c[0], nullptr, 0)};
        EXPECT_EQ(BrowseCallbackProc(dialog, request, kBrowseInitialized, nullptr), 0) << c.place;
        EXPECT_EQ(dialog.done, c[4]) << c.place;
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

}}  // namespace tovrik
