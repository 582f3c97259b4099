#include <gtest/gtest.h>

#include "base/run_error.h"
#include "fileio/file_read.h"
#include "settings/app_paths.h"
#include "settings/browse_callback.h"
#include "tests/test_support.h"
#include "ui/form1.h"
#include "ui/recording_controls.h"

namespace tovrik {
namespace {

using testing::Slurp;
using testing::TempDir;

struct BrowseCall {
    std::string title, initialPath, icon;
    std::int32_t root = -1, flags = -1;
};

class StatsDirTest : public ::testing::Test {
protected:
    StatsDirTest() {
        form.AppDir = dir.mkdir("app");
        form.ConfigDir = dir / "config/tovrik-stats";
        form.BrowseFolder = [this](const std::string& title, const std::string& initialPath, std::int32_t root,
                                   std::int32_t flags, const std::string& icon) {
            calls.push_back(BrowseCall{title, initialPath, icon, root, flags});
            return answer;
        };
    }
    TempDir dir;
    RecordingControls controls;
    Form1 form{controls};
    std::vector<BrowseCall> calls;
    std::string answer = "cancel";
};

TEST_F(StatsDirTest, LoadsTheFirstLine) {
    struct Case {
        const char* name;
        std::string content;
        std::string statsDir;
    };
    const Case cases[] = {
        {"CR LF", "/home/smoky/stats\r\n", "/home/smoky/stats"},
        {"leading empty lines", "\r\n\n/home/smoky/stats", "/home/smoky/stats"},
        {"two lines", "/first\n/second\n", "/first"},
        {"trailing spaces", "/home/smoky/stats  ", "/home/smoky/stats  "},
        {"empty file", "", ""},
        {"only line ends", "\r\n\r\n", ""},
        {"not UTF-8", "/home/\xE9lodie", "/home/\xE9lodie"},
    };
    for (const Case& c : cases) {
        dir.write("app/path.dat", c.content);
        calls.clear();
        EXPECT_TRUE(form.InitStatsDir()) << c.name;
        EXPECT_EQ(form.StatsDir, c.statsDir) << c.name;
        EXPECT_TRUE(calls.empty()) << c.name << ": the user was asked";
    }
}

TEST_F(StatsDirTest, FirstStartAsksAndSavesTheBytes) {
    answer = "/home/\xC3\xA9lodie/ET stats";
    EXPECT_TRUE(form.InitStatsDir());
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].title, "Selection du repertoire ET stats :");
    EXPECT_EQ(calls[0].initialPath, "");
    EXPECT_EQ(calls[0].root, 17);
    EXPECT_EQ(calls[0].flags, 0);
    EXPECT_EQ(calls[0].icon, "");
    EXPECT_EQ(Slurp(dir / "app/path.dat"), answer);  // no line end

    Form1 next(controls);  // the next start
    next.AppDir = form.AppDir;
    next.ConfigDir = form.ConfigDir;
    EXPECT_TRUE(next.InitStatsDir());
    EXPECT_EQ(next.StatsDir, answer);
}

TEST_F(StatsDirTest, CancelEndsTheProgramAndWritesNothing) {
    EXPECT_FALSE(form.InitStatsDir());
    EXPECT_TRUE(controls.ended());
    EXPECT_FALSE(FileExists(dir / "app/path.dat"));
    EXPECT_FALSE(FileExists(dir / "config/tovrik-stats/path.dat"));
}

TEST_F(StatsDirTest, UnwritableProgramFolderKeepsItInTheConfigFolder) {
    for (const char* appDir : {"/proc/self", "/nonexistent/bin"}) {
        TempDir config;
        form.AppDir = appDir;
        form.ConfigDir = config / "deep/tovrik-stats";
        answer = "/srv/stats";
        EXPECT_TRUE(form.InitStatsDir()) << appDir;
        EXPECT_EQ(Slurp(config / "deep/tovrik-stats/path.dat"), "/srv/stats") << appDir;
        calls.clear();
        answer = "cancel";
        EXPECT_TRUE(form.InitStatsDir()) << appDir;  // remembered
        EXPECT_TRUE(calls.empty()) << appDir;
    }
}

TEST_F(StatsDirTest, BesideTheProgramComesFirst) {
    dir.write("app/path.dat", "/beside");
    dir.write("config/tovrik-stats/path.dat", "/config");
    EXPECT_EQ(form.LoadStatsDir(), "/beside");
}

TEST(AppPaths, ConfigFolderFromTheEnvironment) {
    setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(DefaultConfigDir(), "/xdg/tovrik-stats");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    setenv("HOME", "/home/smoky", 1);
    EXPECT_EQ(DefaultConfigDir(), "/home/smoky/.config/tovrik-stats");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_NE(ProgramDir().find("tests"), std::string::npos);
}

// A dialog that records what the callback does to it.
class FakeDialog : public BrowseDialog {
public:
    std::vector<std::string> done;
    bool hasIcon = false, failSelection = false;
    void SetSelection(const std::string& path) override {
        if (failSelection) throw std::runtime_error("no such folder");
        done.push_back("select " + path);
    }
    void SetStatusText(const std::string& text) override { done.push_back("status " + text); }
    bool MoveStatusItem(int l, int t, int w, int h) override {
        done.push_back("move " + std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(w) + " " +
                       std::to_string(h));
        return true;
    }
    bool LoadIcon(const std::string& name) override {
        done.push_back("load " + name);
        return hasIcon;
    }
    void SetSmallIcon() override { done.push_back("icon"); }
};

TEST(BrowseCallback, Messages) {
    using Done = std::vector<std::string>;
    struct Case {
        const char* name;
        std::int32_t flags;
        std::string icon;
        bool hasIcon, failSelection;
        Done done;
    };
    const Case cases[] = {
        {"flags 0, no icon", 0, "", false, false, Done{"select /start", "move 11 36 290 42"}},
        {"new dialog style", 0x40, "", false, false, Done{"select /start"}},
        {"unknown icon", 1, "nothing", false, false, Done{"select /start", "load nothing", "move 11 36 290 42"}},
        {"known icon", 0, "tovrik", true, false, Done{"select /start", "load tovrik", "icon", "move 11 36 290 42"}},
        {"failing step is skipped", 0, "", false, true, Done{"move 11 36 290 42"}},
    };
    for (const Case& c : cases) {
        FakeDialog dialog;
        dialog.hasIcon = c.hasIcon;
        dialog.failSelection = c.failSelection;
        BrowseInitialPath = "/start";
        BrowseIconName = c.icon;
        BrowseFlags = c.flags;
        EXPECT_EQ(BrowseCallbackProc(dialog, kBrowseInitialized, nullptr), 0);
        EXPECT_EQ(dialog.done, c.done) << c.name;
    }
    FakeDialog dialog;
    std::string path = std::string("/home/smoky\0junk", 16);
    BrowseCallbackProc(dialog, kBrowseSelChanged, &path);
    BrowseCallbackProc(dialog, kBrowseSelChanged, nullptr);  // no path: the status text stays
    EXPECT_EQ(BrowseCallbackProc(dialog, 3, &path), 0);
    EXPECT_EQ(dialog.done, (Done{"status /home/smoky"}));
}

TEST(BrowseCallback, TrimAtNull) {
    EXPECT_EQ(TrimAtNull("abc"), "abc");
    EXPECT_EQ(TrimAtNull(std::string("\0ab", 3)), "");
    EXPECT_EQ(TrimAtNull(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(TrimAtNull(std::string(32766, 'a') + '\0'), std::string(32766, 'a'));
    EXPECT_THROW(TrimAtNull(std::string(32767, 'a') + '\0'), RunError);
}

}  // namespace
}  // namespace tovrik
