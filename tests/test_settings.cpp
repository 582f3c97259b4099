#include <sys/stat.h>

#include "fileio/file_read.h"
#include "settings/app_paths.h"
#include "settings/browse_callback.h"
#include "tests/support/testing.h"
#include "ui/form1.h"
#include "ui/recording_controls.h"

namespace tovrik {
namespace {

using testing::Slurp;
using testing::TempDir;

class StatsDirTest : public ::testing::Test {
protected:
    StatsDirTest() {
        form.AppDir = dir.mkdir("app");
        form.ConfigDir = dir / "config/tovrik-stats";
        form.BrowseFolder = [this](const std::string& title, const std::string& initialPath, std::int32_t root,
                                   std::int32_t flags, const std::string& icon) {
            calls.push_back(title + "|" + initialPath + "|" + std::to_string(root) + "|" + std::to_string(flags) + "|" +
                            icon);
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
        ASSERT_EQ(stat((config / "a").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
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
    const std::pair<const char*, const char*> dirs[] = {
        {"/usr/bin/tovrik", "/usr/bin"}, {"/tovrik", "/"}, {"tovrik", "."}};
    for (auto [exe, folder] : dirs) EXPECT_EQ(DirOf(exe), folder) << exe;
    EXPECT_NE(ProgramDir().find("tests"), std::string::npos);
}

// A dialog that records what the callback does to it.
struct FakeDialog : BrowseDialog {
    std::vector<std::string> done;
    bool hasIcon = false, failSelection = false;
    void SetSelection(const std::string& path) override {
        if (failSelection) throw std::runtime_error("no such folder");
        done.push_back("select " + path);
    }
    void SetStatusText(const std::string& text) override { done.push_back("status " + text); }
    bool MoveStatusItem(int l, int t, int w, int h) override {
        for (int v : {l, t, w, h}) done.push_back(std::to_string(v));
        return true;
    }
    bool LoadIcon(const std::string& name) override { return done.push_back("load " + name), hasIcon; }
    void SetSmallIcon() override { done.push_back("icon"); }
};

TEST(BrowseCallback, Messages) {
    using Done = std::vector<std::string>;
    struct Case {
        std::int32_t flags;
        std::string icon;
        bool hasIcon, failSelection;
        Done done;
    };
    const Case cases[] = {{0, "", false, false, {"select /start", "11", "36", "290", "42"}},  // the status text moved
                          {0x40, "", false, false, {"select /start"}},  // the new style keeps the status text's place
                          {1, "nothing", false, false, {"select /start", "load nothing", "11", "36", "290", "42"}},
                          {0, "tovrik", true, false, {"select /start", "load tovrik", "icon", "11", "36", "290", "42"}},
                          {0, "", false, true, {"11", "36", "290", "42"}}};  // a failing step is skipped
    for (const Case& c : cases) {
        FakeDialog dialog;
        dialog.hasIcon = c.hasIcon;
        dialog.failSelection = c.failSelection;
        BrowseInitialPath = "/start";
        BrowseIconName = c.icon;
        BrowseFlags = c.flags;
        EXPECT_EQ(BrowseCallbackProc(dialog, kBrowseInitialized, nullptr), 0);
        EXPECT_EQ(dialog.done, c.done) << c.flags << c.icon;
    }
    FakeDialog dialog;
    std::string path = std::string("/home/smoky\0junk", 16);
    BrowseCallbackProc(dialog, kBrowseSelChanged, &path);
    BrowseCallbackProc(dialog, kBrowseSelChanged, nullptr);  // no path: the status text stays
    EXPECT_EQ(BrowseCallbackProc(dialog, 3, &path), 0);
    EXPECT_EQ(dialog.done, (Done{"status /home/smoky"}));
    EXPECT_EQ(TrimAtNull("abc"), "abc");
    EXPECT_EQ(TrimAtNull(std::string("\0ab", 3)), "");
    EXPECT_EQ(TrimAtNull(std::string(32766, 'a') + '\0'), std::string(32766, 'a'));
    ExpectRunError(TrimAtNull(std::string(32767, 'a') + '\0'), Overflow,
                   "the text's first NUL lies beyond position 32,767.");
}

}  // namespace
}  // namespace tovrik
