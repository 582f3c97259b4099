// Whatever lies in the statistics tree, a run ends: completed, or with the one
// run-time error naming the file and the line.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <random>

#include "base/run_error.h"
#include "tests/test_support.h"
#include "ui/form1.h"
#include "ui/recording_controls.h"

namespace tovrik {
namespace {

using testing::TempDir;

const std::string kGood = ">>> Map: radar\nThompson:  40.0  4/10  1  0  0\n";

class HostileTest : public ::testing::Test {
protected:
    HostileTest() {
        form.StatsDir = dir.path();
        controls.list2Selection = "Thompson";
        dir.write("2026.12.06/000000.txt", kGood);  // one good match beside the hostile entries
    }
    // Runs and expects completion; returns the number of counted lines.
    int RunCompletes() {
        EXPECT_NO_THROW(form.ComputeStats());
        EXPECT_TRUE(form.MapsListed);
        return form.GamesPlayed;
    }
    // Runs and expects the error, by kind, file, line and message.
    void RunFails(RunError::Kind kind, const std::string& path, int line, const std::string& detail) {
        bool listedBefore = form.MapsListed;
        try {
            form.ComputeStats();
            ADD_FAILURE() << "the run completed";
        } catch (const RunError& error) {
            EXPECT_EQ(error.kind(), kind);
            EXPECT_EQ(error.path(), path);
            EXPECT_EQ(error.line(), line);
            EXPECT_EQ(error.detail(), detail);
            EXPECT_EQ(std::string(error.what()), path + ", line " + std::to_string(line) + ": " + detail);
        }
        EXPECT_EQ(form.MapsListed, listedBefore);  // a stopped run does not end map discovery
    }
    TempDir dir;
    RecordingControls controls;
    Form1 form{controls};
};

TEST_F(HostileTest, BinaryFilesNamedTxt) {
    std::mt19937 rng(7);
    std::string random(64 * 1024, '\0');
    for (char& c : random) c = static_cast<char>(rng());
    dir.write("random.txt", random);
    dir.write("nul.txt", std::string(4096, '\0'));
    dir.write("one-line.txt", std::string(100000, 'x'));  // no line end at all
    EXPECT_EQ(RunCompletes(), 1);
}

TEST_F(HostileTest, HundredMegabytes) {
    std::string line = "Thompson: 10.0 1/10 1 0 0\n";
    std::string big;
    big.reserve(100u << 20);
    big = ">>> Map: big\n";
    while (big.size() < (100u << 20)) big += line;
    std::string path = dir.write("big.txt", big);
    RunFails(RunError::Kind::Overflow, path, 32768, "the file has more than 32,767 lines.");
}

TEST_F(HostileTest, LineCounts) {
    std::string exact = ">>> Map: radar\n";
    for (int i = 1; i < 32767; ++i) exact += "Thompson: 10.0 1/10 1 0 0\n";
    dir.write("exact.txt", exact);
    EXPECT_EQ(RunCompletes(), 1 + 32766);
    std::string over = exact;
    for (int i = 32767; i < 40000; ++i) over += "x\n";
    std::string path = dir.write("over.txt", over);
    RunFails(RunError::Kind::Overflow, path, 32768, "the file has more than 32,767 lines.");
}

TEST_F(HostileTest, LongLines) {
    dir.write("long-not-counted.txt", ">>> Map: radar\n" + std::string(40000, 'y') + "\n");
    EXPECT_EQ(RunCompletes(), 1);
    std::string path = dir.write("long-counted.txt", ">>> Map: radar\n\nThompson: " + std::string(39990, '1') + "\n");
    RunFails(RunError::Kind::Overflow, path, 3,
             "the line is 40000 characters long; a weapon line holds at most 32,766.");
}

TEST_F(HostileTest, EntriesThatAreNoFiles) {
    dir.mkdir("fifo");
    ASSERT_EQ(mkfifo((dir / "fifo/x.txt").c_str(), 0600), 0);
    std::string socketPath = dir.mkdir("sock") + "/x.txt";
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(symlink("nowhere.txt", (dir / "dangling.txt").c_str()), 0);
    ASSERT_EQ(symlink("self.txt", (dir / "self.txt").c_str()), 0);  // a link to itself
    dir.mkdir("folder.txt");
    EXPECT_EQ(RunCompletes(), 1);  // nothing blocked, nothing counted
    close(fd);
}

TEST_F(HostileTest, LinkLoops) {
    ASSERT_EQ(symlink("..", (dir / "2026.12.06/up").c_str()), 0);
    ASSERT_EQ(symlink(".", (dir / "here").c_str()), 0);
    EXPECT_EQ(RunCompletes(), 1);
}

TEST_F(HostileTest, SubdirectoryThatCannotBeOpened) {
    // A branch whose path passes the system's limit (4,096 bytes): it cannot
    // be opened by its path, whoever runs the test.
    int fd = open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
    std::string name(200, 'd');
    for (int depth = 0; depth < 25; ++depth) {
        ASSERT_EQ(mkdirat(fd, name.c_str(), 0700), 0);
        int next = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        close(fd);
        fd = next;
    }
    int file = openat(fd, "deep.txt", O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(write(file, kGood.data(), kGood.size()), static_cast<ssize_t>(kGood.size()));
    close(file);
    close(fd);
    EXPECT_EQ(RunCompletes(), 1);
}

TEST_F(HostileTest, FileDisappearsBetweenListingAndRead) {
    // Removes the second match while the first is being scanned.
    class Removing : public RecordingControls {
    public:
        std::string victim;
        void List3_AddItem(const std::string& text) override {
            if (!victim.empty()) unlink(victim.c_str());
            victim.clear();
            RecordingControls::List3_AddItem(text);
        }
    } removing;
    Form1 removingForm(removing);
    removingForm.StatsDir = dir.path();
    removing.list2Selection = "Thompson";
    removing.victim = dir.write("2026.12.06/000001.txt", kGood);
    EXPECT_NO_THROW(removingForm.ComputeStats());
    EXPECT_EQ(removingForm.GamesPlayed, 1);
}

TEST_F(HostileTest, NamesThatAreNotUtf8) {
    dir.write("\xE9t\xE9/\xFF\xFE.txt", ">>> Map: \xE9glise\nThompson:  40.0  4/10  1  0  0\n");
    EXPECT_EQ(RunCompletes(), 2);
    EXPECT_EQ(controls.list3().back(), "\xE9glise");
}

TEST_F(HostileTest, EveryKindOfRunTimeError) {
    struct Case {
        const char* name;
        std::string content;
        RunError::Kind kind;
        int line;
        std::string detail;
    };
    const Case cases[] = {
        {"value past 16 bits", ">>> Map: m\nThompson: 10.0 1/99999 1 0 0\n", RunError::Kind::Overflow, 2,
         "\"99999\" is outside -32,768 to 32,767."},
        {"field missing", ">>> Map: m\nThompson:\n", RunError::Kind::SubscriptOutOfRange, 2,
         "the weapon line has no field 4 (its fields read \"0.0|0/0|\")."},
        {"no hits/shots part", ">>> Map: m\nThompson/x: 10.0 110 1 0 0\n", RunError::Kind::SubscriptOutOfRange, 2,
         "\"110\" has no part 1 (hits/shots needs a \"/\")."},
        {"not a number, CR LF lines", ">>> Map: m\r\n\r\nThompson: 10.0 1/10 one 0 0\r\n", RunError::Kind::Conversion,
         3, "\"one\" is not a whole number."},
        {"trailing space: empty headshots", ">>> Map: m\nThompson: 10.0 1/10 1 0 \n", RunError::Kind::Conversion, 2,
         "\"\" is not a whole number."},
        {"accuracy not a number", ">>> Map: m\nThompson: 4O.0 4/10 1 0 0\n", RunError::Kind::Conversion, 2,
         "\"4O.0\" is not a decimal number."},
        {"chart coordinate", ">>> Map: m\nThompson: 5000.0 1/10 1 0 0\n", RunError::Kind::Overflow, 2,
         "the accuracy 5000 puts the chart's curve at -125440, outside -32,768 to 32,767."},
    };
    for (const Case& c : cases) {
        std::string path = dir.write("2026.12.07/bad.txt", c.content);
        SCOPED_TRACE(c.name);
        RunFails(c.kind, path, c.line, c.detail);
    }
}

TEST_F(HostileTest, TotalPastTheLongRange) {
    std::string lines = ">>> Map: m\n";
    for (int i = 1; i < 32767; ++i) lines += "Thompson: 1.5 1/32767 0 0 0\n";
    dir.write("a/1.txt", lines);
    dir.write("a/2.txt", lines);
    std::string third = dir.write("a/3.txt", lines);
    RunFails(RunError::Kind::Overflow, third, 2 + (2147483647 - 2 * 32766 * 32767 - 10) / 32767,
             "the shots total goes past 2,147,483,647.");
}

}  // namespace
}  // namespace tovrik
