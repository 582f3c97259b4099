// Whatever lies in the statistics tree, a run ends: completed, or with the one
// run-time error naming the file and the line.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <random>

#include "tests/support/run_fixture.h"
#include "ui/table_run.h"

namespace tovrik {
namespace {

using testing::RunTest;

const std::string kGood = ">>> Map: radar\nThompson:  40.0  4/10  1  0  0\n";

// The report's run of the Thompson over the match table of `dir`.
TableRun TableRunOfThompson(const std::string& dir) {
    return RunOnTable(BuildMatchTable(dir), 4, "", [](const MatchRecord&) { return true; });
}

TEST_F(RunTest, HostileTreeCompletes) {
    dir.write("2026.12.06/000000.txt", kGood);
    std::mt19937 rng(7);
    std::string random(64 * 1024, '\0');
    std::generate(random.begin(), random.end(), [&] { return static_cast<char>(rng()); });
    dir.write("random.txt", random);
    dir.write("nul.txt", std::string(4096, '\0'));
    dir.write("one-line.txt", std::string(100000, 'x'));                              // no line end at all
    dir.write("long-line.txt", ">>> Map: radar\n" + std::string(40000, 'y') + "\n");  // not a row: not read
    dir.write("\xE9t\xE9/\xFF\xFE.txt", ">>> Map: \xE9glise\nThompson:  40.0  4/10  1  0  0\n");
    ASSERT_EQ(mkfifo(dir.mkdir("fifo").append("/x.txt").c_str(), 0600), 0);
    std::string socketPath = dir.mkdir("sock") + "/x.txt";
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    // Links, each to where it leads: dangling, to itself, loops, a sibling.
    const char* links[] = {"dangling.txt", "nowhere.txt", "self.txt", "self.txt",   "2026.12.06/up",
                           "..",           "here",        ".",        "2026.12.05", "2026.12.06"};
    for (int i = 0; i < 10; i += 2) ASSERT_EQ(symlink(links[i + 1], (dir / links[i]).c_str()), 0);
    // Two links a level to the next: walked once each, not 2^24 times.
    for (int level = 0; level < 24; ++level)
        for (const char* name : {"/a", "/b"})
            ASSERT_EQ(symlink(("../d" + std::to_string(level + 1)).c_str(),
                              (dir.mkdir("dag/d" + std::to_string(level)) + name).c_str()),
                      0);
    dir.write("dag/d24/x.txt", kGood);
    dir.mkdir("folder.txt");
    // A branch whose path passes the system's limit (4,096 bytes): it cannot
    // be opened by its path, whoever runs the test.
    int deep = open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
    for (int depth = 0; depth < 25; ++depth) {
        ASSERT_EQ(mkdirat(deep, std::string(200, 'd').c_str(), 0700), 0);
        int next = openat(deep, std::string(200, 'd').c_str(), O_RDONLY | O_DIRECTORY);
        close(deep);
        deep = next;
    }
    int file = openat(deep, "deep.txt", O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(write(file, kGood.data(), kGood.size()), static_cast<ssize_t>(kGood.size()));
    close(file), close(deep);
    EXPECT_EQ(RunCompletes(), 3);  // nothing blocked, nothing counted twice
    EXPECT_EQ(std::count(controls.list3().begin(), controls.list3().end(), "\xE9glise"), 1);
    close(fd);
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
    ExpectRunError(ThrowFirstStop({TableRunOfThompson(dir.path())}), Overflow,
                   path + ", line 32768: the file has more than 32,767 lines.");
}

TEST_F(RunTest, EveryKindOfRunTimeErrorNamesFileAndLine) {
    struct Case {
        std::string content;
        RunError::Kind kind;
        std::string where, detail;
    };
    const Case cases[] = {
        {"Thompson: 10.0 1/99999 1 0 0\n", RunError::Kind::Overflow, "2", "\"99999\" is outside -32,768 to 32,767."},
        {"Thompson:\n", RunError::Kind::SubscriptOutOfRange, "2",
         "the weapon line has no field 4 (its fields read \"0.0|0/0|\")."},
        {"Thompson: 10.0 110 1 0/2 0\n", RunError::Kind::SubscriptOutOfRange, "2",
         "\"110\" has no part 1 (hits/shots needs a \"/\")."},
        {"\r\n\r\nThompson: 10.0 1/10 one 0 0\r\n", RunError::Kind::Conversion, "4", "\"one\" is not a whole number."},
        {"\rThompson: 10.0 1/10 1 0 \n", RunError::Kind::Conversion, "3", "\"\" is not a whole number."},
        {"Thompson: 4O.0 4/10 1 0 0\n", RunError::Kind::Conversion, "2", "\"4O.0\" is not a decimal number."},
        {"Thompson: " + std::string(39990, '1') + "\n", RunError::Kind::Overflow, "2",
         "the line is 40000 characters long; a weapon line holds at most 32,766."},
        {"Thompson: 5000.0 1/10 1 0 0\n", RunError::Kind::Overflow, "2",
         "the accuracy 5000 puts the chart's curve at -125440, outside -32,768 to 32,767."}};
    dir.write("2026.12.06/000000.txt", kGood);
    for (const Case& c : cases) {
        std::string path = dir.write("2026.12.07/bad.txt", ">>> Map: m\n" + c.content);
        SCOPED_TRACE(c.detail);
        std::string message = path + ", line " + c.where + ": " + c.detail;
        EXPECT_TRUE(testing::RunErrorIs([&] { form.ComputeStats(); }, c.kind, message));
        EXPECT_TRUE(testing::RunErrorIs([&] { ThrowFirstStop({TableRunOfThompson(dir.path())}); }, c.kind, message));
        EXPECT_FALSE(form.MapsListed);  // a stopped run does not end map discovery
    }
}

TEST_F(RunTest, TotalPastTheLongRange) {
    std::string lines = ">>> Map: m\n";
    for (int i = 1; i < 32767; ++i) lines += "Thompson: 1.5 1/32767 0 0 0\n";
    dir.write("a/1.txt", lines);
    dir.write("a/2.txt", lines);
    std::string third = dir.write("a/3.txt", lines);
    int line = 2 + (2147483647 - 2 * 32766 * 32767) / 32767;
    std::string message = third + ", line " + std::to_string(line) + ": the shots total goes past 2,147,483,647.";
    ExpectRunError(form.ComputeStats(), Overflow, message);
    ExpectRunError(ThrowFirstStop({TableRunOfThompson(dir.path())}), Overflow, message);
    ExpectRunError(AddLong(-2147483647, -2, "kills"), Overflow, "the kills total goes past -2,147,483,648.");
    EXPECT_EQ(AddLong(-2147483647, -1, "kills"), -2147483647 - 1);
}

// The file is learnt once, the line once it is known.
TEST(RunError, MessageNamesWhatIsKnown) {
    RunError error(RunError::Kind::Conversion, "x", "\"x\" is wrong.");
    std::string seen = error.what();
    for (auto [path, line] : {std::pair{"/a.txt", 0}, {"/b.txt", 7}, {"/b.txt", 9}})
        error.locate(path, line), seen += std::string("|") + error.what();
    EXPECT_EQ(seen,
              "\"x\" is wrong.|/a.txt: \"x\" is wrong.|/a.txt, line 7: \"x\" is wrong.|"
              "/a.txt, line 7: \"x\" is wrong.");
}

}  // namespace
}  // namespace tovrik
