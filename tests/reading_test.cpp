#include <pthread.h>
#include <sched.h>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <ctime>
#include <map>
#include <mutex>
#include <system_error>

#include "base/thread_start.h"
#include "engine/file_search.h"
#include "engine/match_file.h"
#include "engine/match_reader.h"
#include "engine/tree_scan.h"
#include "engine/views.h"
#include "engine/weapon_line.h"
#include "fileio/directory.h"
#include "fileio/file_read.h"
#include "fileio/file_write.h"
#include "fileio/folder_prefetch.h"
#include "tests/support/testing.h"

namespace tovrik { namespace {

using testing::Slurp;
using testing::TempDir;
using Lines = std::vector<std::string>;
using Names = std::vector<std::string>;

TEST(FileRead, LinesAreTheRunsWithoutLineEnds) {
    TempDir dir;
    for (const testing::Case& c : testing::Cases("line_ends.cases")) {
        FileValue target = FileValue::LineList({"old"});
        EXPECT_TRUE(FileRead(dir.write("f.txt", c[0]), target, c.number(1))) << c.place;
        EXPECT_EQ(target.lines(), Lines(c.fields.begin() + 2, c.fields.end())) << c.place;
    }
    FileValue target = FileValue::LineList({"old"});
    EXPECT_FALSE(FileRead(dir.write("f.txt", "\r\n\r\n"), target, 0));  // only line ends: emptied
    EXPECT_EQ(target.lines(), Lines{});
    std::string path = dir.write("f.bin", std::string("A\r\nB\0", 5));
    FileValue text = FileValue::Text("old"), cut = FileValue::Text("old");
    ASSERT_TRUE(FileRead(path, text, 0) && FileRead(path, cut, 3));
    EXPECT_EQ(text.text(), std::string("A\r\nB\0", 5));
    EXPECT_EQ(cut.text(), "A\r\n");
    std::string buffer;
    EXPECT_EQ(ReadFileBytes(path, 0, buffer) + ReadFileBytes(path, 2, buffer), 7u);
    bool denied = true;
    EXPECT_EQ(ReadFileAt(AT_FDCWD, "/dev/zero", "/dev/zero", buffer, denied),
              0u);  // a device that fills the room: nothing
    EXPECT_FALSE(denied);
}

// The descriptors open in this process.
std::size_t OpenDescriptors() {
    std::size_t count = 0;
    for (const DirEntry& entry : ListDirectory(std::string("/proc/self/fd"))) count += entry.name[0] != '.';
    return count;
}

TEST(FileRead, FailuresLeaveTheTargetAsItWasAndWhatExists) {
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "x.txt").c_str(), 0600), 0);  // opened without waiting for a writer
    ASSERT_EQ(symlink("nowhere.txt", (dir / "dangling.txt").c_str()), 0);
    dir.write("a.dat", "x");  // what "?.dat" and "?.DAT" match
    for (const std::string& path : {dir.write("empty.txt", ""), dir.mkdir("folder.txt"), dir / "x.txt",
                                    dir / "dangling.txt", dir / "missing.txt", dir / "*.none", dir / "?.dat"})
        for (FileValue before : {FileValue::Text("keep"), FileValue::LineList({"keep"})}) {
            FileValue target = before;
            EXPECT_FALSE(FileRead(path, target, 0)) << path;
            EXPECT_TRUE(target == before) << path;
        }
    dir.write("b.txt", "x");
    dir.mkdir("c.txt");
    const std::pair<std::string, bool> cases[] = {
        {dir / "b.txt", true}, {dir / "c.txt", false}, {"/no-such-file", false}, {dir / "c*.txt", false},
        {dir / "b.*", true},   {dir / "?.DAT", true},  {dir / "*.none", false}};
    for (const auto& [path, exists] : cases) EXPECT_EQ(FileExists(path), exists) << path;
    const std::size_t open = OpenDescriptors();
    for (const char* name : {"x.txt", "dangling.txt", "missing.txt", "folder.txt", "a.dat"}) {
        ReadAhead(AT_FDCWD, dir / name);  // a FIFO without a writer too: asked for, never waited on
        EXPECT_EQ(OpenDescriptors(), open) << name;
    }
    FileValue literal = FileValue::Text("");  // a name that holds a wildcard
    EXPECT_TRUE(FileRead(dir.write("what?.dat", "y"), literal, 0));
    EXPECT_EQ(literal.text(), "y");
}

TEST(FileWrite, RowsOfTheWriterAndItsFailures) {
    for (const testing::Case& c : testing::Cases("file_writes.cases")) {
        TempDir dir;
        if (c[0] != "-") dir.write("f.dat", c[0]);
        const Lines lines(c.fields.begin() + 5, c.fields.end());
        const FileValue data = c[4] == "text" ? FileValue::Text(c[5]) : FileValue::LineList(lines);
        EXPECT_EQ(FileWrite(dir / "f.dat", data, c[1] == "yes"), c[2] == "yes") << c.place;
        EXPECT_EQ(Slurp(dir / "f.dat"), c[3]) << c.place;
        struct stat info {};
        EXPECT_TRUE(c[0] != "-" || stat((dir / "f.dat").c_str(), &info) != 0 || (info.st_mode & 0777) == 0644)
            << c.place << ": made as any file";
    }
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_FALSE(FileWrite(dir / "fifo", FileValue::Text("x"), false));  // no reader: fails at once
    EXPECT_FALSE(FileWrite(dir / "missing/f.dat", FileValue::Text("x"), false));
    EXPECT_FALSE(FileWrite(dir.mkdir("folder"), FileValue::Text("x"), true));
    EXPECT_FALSE(ShellDeleteFile("/proc/version"));  // not even root's
    EXPECT_FALSE(FileWrite("/proc/version", FileValue::Text("x"), true));
    std::string path = dir.write("f.dat", "x");
    EXPECT_TRUE(ShellDeleteFile(path));
    EXPECT_FALSE(FileExists(path));
    EXPECT_TRUE(ShellDeleteFile(path));  // already gone
    const mode_t mask = umask(022);
    sigset_t held, before, after;
    sigemptyset(&held), sigaddset(&held, SIGINT);
    pthread_sigmask(SIG_BLOCK, &held, &before);
    EXPECT_EQ(WriteWhole(dir / "w.dat", "x"), std::nullopt);
    pthread_sigmask(SIG_SETMASK, &before, &after);
    EXPECT_EQ(umask(mask), mode_t{022}) << "a whole-file write leaves the process's mask as it found it";
    EXPECT_EQ(sigismember(&after, SIGINT), 1) << "and its signal mask: one held before stays held";
    EXPECT_EQ(sigismember(&after, SIGTERM), 0) << "the signals it held are let go";
    EXPECT_EQ(std::filesystem::status(dir / "w.dat").permissions(), std::filesystem::perms(0644)) << "as any file made";
}

TEST(Directory, WildcardsAndNameOrder) {
    for (const testing::Case& c : testing::Cases("wildcards.cases"))
        EXPECT_EQ(WildcardMatch(c[0], c[1]), c[2] == "yes") << c.place;
    for (auto [a, b] : {std::pair{"a", "B"}, {"A", "a"}, {"a", "_"}, {"2026.12.06", "2026.12.07"}, {"abc", "abcd"}}) {
        EXPECT_TRUE(NameLess(a, b)) << a << " before " << b;
        EXPECT_FALSE(NameLess(b, a)) << b << " after " << a;
    }
    EXPECT_FALSE(HasWildcard("/tmp/a*b/c.txt")) << "the name's alone count";
    EXPECT_TRUE(HasWildcard("/tmp/ab/c?.txt"));
}

// The entries a walk below `root` yields, as paths relative to it; a folder ends in "/".
Names Walked(const std::string& root, const std::string& pattern = "*.txt") {
    TreeWalk walk(root, pattern);
    Names found;
    for (FoundFile file; walk.next(file);) {
        EXPECT_EQ(walk.folders()[file.folder].substr(0, root.size()), root);
        found.push_back(walk.folders()[file.folder].substr(root.size()) + file.name + (file.isDirectory ? "/" : ""));
    }
    return found;
}
Names Found(const TempDir& dir, const std::string& pattern = "*.txt") { return Walked(dir.path() + "/", pattern); }

// Depth first in name order with whole names; nothing found is no error; the folder with or without its "/"
// (a folder that is not there is the window's test).
TEST(FindFiles, DepthFirstInNameOrderWithWholeNames) {
    TempDir dir;
    dir.write("long/ leading space.txt", "x");
    for (const char* name : {"stats/2026.12.07/183004.txt", "stats/2026.12.06/2.txt", "stats/2026.12.06/1.txt", "b.txt",
                             "A.TXT", "a.txt", "notes.md", ".hidden/h.txt", "x.txt/in.txt"})
        dir.write(name, "x");
    // A directory that matches is listed, and searched.
    EXPECT_EQ(Found(dir), (Names{"A.TXT", "a.txt", "b.txt", "x.txt/", ".hidden/h.txt", "long/ leading space.txt",
                                 "stats/2026.12.06/1.txt", "stats/2026.12.06/2.txt", "stats/2026.12.07/183004.txt",
                                 "x.txt/in.txt"}));
    EXPECT_EQ(Found(dir, "*.none"), Names{});
    // A statistics folder with or without its "/" (as "/" has one) is searched from one "/"; an empty one, nothing.
    for (const std::string& setting : {dir.path(), dir.path() + "/", std::string()}) {
        TreeWalk walk = MatchFiles(setting);
        FoundFile file;
        EXPECT_EQ(walk.next(file) ? walk.folders()[file.folder] + file.name : "", setting.empty() ? "" : dir / "A.TXT");
    }
}

TEST(StartThread, NamedAsTheSystemShowsIt) {
    char name[16] = "";
    StartThread("tovrik-test", [&] { pthread_getname_np(pthread_self(), name, sizeof name); }).join();
    EXPECT_STREQ(name, "tovrik-test");
}

TEST(FolderPrefetch, FolderNamesInTheWalksOrder) {
    TempDir dir;
    for (const char* name : {"c", "A", "b", "_", "b2"}) dir.mkdir(name);
    dir.write("f.txt", "x");
    ASSERT_EQ(symlink("c", (dir / "link").c_str()), 0);
    for (const testing::Case& c : testing::Cases("folder_names.cases"))
        EXPECT_EQ(FolderNames(dir.path(), c[1], c.number(2)), Names(c.fields.begin() + 3, c.fields.end())) << c[0];
    EXPECT_EQ(FolderNames(dir / "missing", "", 99), Names{});
    EXPECT_EQ(FolderNames(dir / "link", "", 99), Names{}) << "a link to a folder is not listed";
}

// What one lister lists, in order: depth first by name, no further ahead of the walk than it may be, a folder
// of more folders than it keeps names of listed again for the rest.
TEST(FolderPrefetch, ListsDepthFirstAndNoFurtherThanItsLead) {
    std::mutex mutex;
    std::condition_variable more;
    Names listed;
    testing::beforeListing = [&](const std::string& path) {
        std::lock_guard<std::mutex> lock(mutex);
        listed.push_back(path);
        more.notify_all();
    };
    auto awaitListed = [&](std::size_t count) {  // the lister's progress, never a time
        std::unique_lock<std::mutex> lock(mutex);
        return more.wait_for(lock, std::chrono::minutes(1), [&] { return listed.size() >= count; });
    };
    TempDir small;
    for (const char* folder : {"s/c/z", "s/a/y", "s/a/x", "s/b"}) std::filesystem::create_directories(small / folder);
    {
        FolderPrefetch lister(small / "s", 1);
        ASSERT_TRUE(awaitListed(7));
    }
    const std::string s = small / "s/";
    EXPECT_EQ(listed, (Names{s, s + "a/", s + "a/x/", s + "a/y/", s + "b/", s + "c/", s + "c/z/"}));
    listed.clear();
    TempDir wide;  // one folder of 1,030 folders
    Names expected{wide / "w/"};
    char name[8];
    for (int i = 1; i <= 1030; ++i) {
        std::snprintf(name, sizeof name, "%04d", i);
        std::filesystem::create_directories(wide / ("w/" + std::string(name)));
        if (i == 1025) expected.push_back(wide / "w/");  // the rest of its names
        if (i <= 1029) expected.push_back(wide / ("w/" + std::string(name) + "/"));
    }
    {
        FolderPrefetch lister(wide / "w", 1);
        ASSERT_TRUE(awaitListed(1024));  // the folder and 1,023 of its folders: as far ahead as it goes
        lister.walked(6);
        ASSERT_TRUE(awaitListed(1031));
    }
    testing::beforeListing = nullptr;
    EXPECT_EQ(listed, expected);
}

// Each folder is opened in its parent: a tree far deeper than a path may be long is walked to its end,
// without recursion, and every folder it opened is closed again.
TEST(FindFiles, DeeperThanAPathMayBe) {
    TempDir dir;
    const std::string deep(200, 'd');
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    for (int level = 0; level < 40; ++level) ASSERT_TRUE(mkdir(deep.c_str(), 0700) == 0 && chdir(deep.c_str()) == 0);
    std::ofstream("m.txt") << testing::Match("m", "Colt: 10.0 1/10 0 0 0");
    Names found = Found(dir);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].size(), 40u * 201 + 5);
    unlink("m.txt");  // removed from the bottom up, one level at a time, as no path reaches it
    for (int level = 0; level < 40; ++level) ASSERT_TRUE(chdir("..") == 0 && rmdir(deep.c_str()) == 0);
    ASSERT_EQ(chdir("/"), 0);
}

TEST(FindFiles, EachDirectoryAndMatchOnceAndNoKernelFileSystems) {
    TempDir dir;
    dir.write("real/a.txt", "x");
    ASSERT_EQ(mkfifo((dir / "real/f.txt").c_str(), 0600), 0);  // listed as a file, not as a folder
    dir.write("plain", "x");
    ASSERT_EQ(link((dir / "real/a.txt").c_str(), (dir / "real/hard.txt").c_str()), 0);
    // Links: back to itself, a second way in (met first), unsearchable whoever runs, to a match, to nothing.
    const std::pair<const char*, const char*> links[] = {
        {"real/loop", "../real"}, {"b", "real"},   {"broken", "plain/"},   {"real/soft.txt", "a.txt"},
        {"proc", "/proc"},        {"sys", "/sys"}, {"gone.txt", "nowhere"}};
    for (auto [link, to] : links) ASSERT_EQ(symlink(to, (dir / link).c_str()), 0);
    EXPECT_EQ(Found(dir), (Names{"gone.txt", "b/a.txt", "b/f.txt"}));  // a dangling link is a name, not a folder
    for (const std::string& found : Found(dir, "*"))
        EXPECT_TRUE(found.find('/') >= found.size() - 1 || found[0] == 'b') << found;  // nothing below proc/ or sys/
    EXPECT_EQ(Walked("/proc/", "*").size() + Walked("/sys/", "*").size() + Walked("/dev/", "*").size(), 0u);
}

// Field `index` of the line's record.
std::string WeaponField(std::string_view line, int index) {
    std::string record;
    NormalizeWeaponLine(line, RowEnd::AfterDeaths, record);
    std::vector<std::string_view> fields;
    SplitRecord(record, fields);
    return std::string(RecordField(fields, record, index));
}

TEST(MatchReader, RowsReadInTheGamesShapeAndOthers) {
    std::vector<testing::Case> rows = testing::Cases("weapon_rows.cases");
    rows.push_back(
        {{"the longest line", "Knife:" + std::string(32757, ' ') + "1 2", "plain", "0", "0", "0", "0", "1", "2"}, ""});
    TempDir dir;
    MatchReader reader;
    MatchRecord record;
    std::string map;
    const char* names[] = {"headshots", "shots", "hits", "kills", "deaths"};
    for (const testing::Case& row : rows) {
        const std::string path = dir.write("f.txt", ">>> Map: m\n" + row[1] + "\n");
        ASSERT_TRUE(reader.read(AT_FDCWD, path, path, kEveryWeapon, record, map)) << row[0];
        ASSERT_EQ(record.rows.size(), 1u) << row[0];
        EXPECT_EQ(record.rows[0].failsAt, CountedRow::kDone) << row[0];
        EXPECT_EQ(record.rows[0].accuracy, std::stof(row[3])) << row[0];
        for (std::size_t n = 0; n < 5; ++n)
            EXPECT_EQ(record.rows[0].numbers[n], row.number(4 + n)) << row[0] << ": " << names[n];
        float accuracy = -1;
        std::array<std::int16_t, 5> numbers{};
        const RowEnd end = row[1].rfind("Syringe", 0) == 0 ? RowEnd::MayEndAfterShots : RowEnd::AfterDeaths;
        ASSERT_EQ(ReadPlainRow(row[1], end, accuracy, numbers), row[2] == "plain") << row[0];
        if (row[2] == "plain") {
            EXPECT_EQ(numbers, record.rows[0].numbers) << row[0];
            EXPECT_EQ(accuracy, record.rows[0].accuracy) << row[0];
        }
    }
    float accuracy = 0;
    std::array<std::int16_t, 5> numbers{};
    EXPECT_FALSE(ReadPlainRow("Knife: 5", RowEnd::AfterDeaths, accuracy, numbers)) << "a kills column alone";
}

TEST(WeaponLine, RowsThatMayEndAfterTheirShots) {
    for (const testing::Case& c : testing::Cases("syringe_rows.cases")) {
        std::string normalized;
        NormalizeWeaponLine(c[1], c[2] == "may" ? RowEnd::MayEndAfterShots : RowEnd::AfterDeaths, normalized);
        EXPECT_EQ(normalized, c[3]) << c[0];
    }
}

// A weapon line's fields, the parts of a hits/shots text and the numbers, from their texts; or the error each raises.
TEST(WeaponLine, FieldsPartsNumbersAndTheirErrors) {
    const std::map<std::string, RunError::Kind> kinds = {{"Conversion", RunError::Kind::Conversion},
                                                         {"Overflow", RunError::Kind::Overflow},
                                                         {"SubscriptOutOfRange", RunError::Kind::SubscriptOutOfRange}};
    for (const testing::Case& c : testing::Cases("weapon_fields.cases")) {
        std::string value;
        auto read = [&] {
            if (c[0] == "field") value = WeaponField(c[1], c.number(2));
            if (c[0] == "part") value = std::to_string(GetSlashPart(c[1], c.number(2)));
            if (c[0] == "whole") value = std::to_string(ToInteger(c[1]));
            const float single = c[0] == "decimal" ? ToSingle(c[1]) : 0;
            if (c[0] == "decimal") value = single == std::stof(c[4]) ? c[4] : std::to_string(single);
        };
        if (c[3] != "=") {
            EXPECT_TRUE(testing::RunErrorIs(read, kinds.at(c[3]), c[4])) << c.place;
            continue;
        }
        read();
        EXPECT_EQ(value, c[4]) << c.place;
    }
    std::string longest = "Knife: 1 2" + std::string(32766 - 10, 'x');
    EXPECT_EQ(WeaponField(longest, 3), "2" + std::string(32756, 'x'));
    ExpectRunError(WeaponField(longest + "x", 0), Overflow,
                   "the line is 32767 characters long; a weapon line holds at most 32,766.");
    ExpectRunError(ToSingle(std::string(90, '9')), Overflow,
                   "\"" + std::string(80, '9') + "…\" is too large a number.");
}

TEST(MatchDate, DaysOfTheCalendarAndTimesOfADay) {
    for (const testing::Case& c : testing::Cases("path_dates.cases")) {
        int time = 0;
        MatchDate date = DateOfPath(c[0], c[1], time);
        EXPECT_EQ(date.known() ? DayText(date) + " " + TimeText(time) : "-" + TimeText(time), c[2]) << c.place;
    }
    for (int year : {2000, 2026, 2100})  // the ends of the months as the C library's calendar has them
        for (int month = 1; month <= 12; ++month)
            for (int day : {29, 30, 31, 32}) {
                std::tm tm{};
                tm.tm_mday = day, tm.tm_mon = month - 1, tm.tm_year = year - 1900, tm.tm_hour = 12;
                timegm(&tm);  // an impossible day becomes one of the next month
                std::string text =
                    std::to_string(year) + "-" + std::to_string(100 + month).substr(1) + "-" + std::to_string(day);
                EXPECT_EQ(DayOfText(text).known(), tm.tm_mon == month - 1) << text;
            }
    EXPECT_FALSE(DayOfText("2026-09x01").known()) << "both dashes";
}

TEST(MatchLines, EachLineOfBothGamesPresentOrMalformed) {
    for (const testing::Case& c : testing::Cases("match_lines.cases")) {
        std::string_view rowName;
        MatchLines lines;
        MatchLineTexts texts;
        if (RowName(c[1], rowName)) ReadMatchLine(rowName, c[1], lines, texts);
        for (int n = 0; n < MatchLines::kNumbers; ++n) {  // the weapon rows' sums are the scan's
            const bool told = n < MatchLines::WeaponKills && c[2 + n] != "-";
            EXPECT_EQ(lines.number(MatchLines::Number(n)), told ? std::optional(c.number(2 + n)) : std::nullopt)
                << c[0] << ", figure " << n;
        }
        EXPECT_EQ(texts.rank, c[11]) << c[0];
        EXPECT_EQ(texts.player, c[12]) << c[0];
    }
}

TEST(MatchDate, DayAndTimeTheGameRecorded) {
    for (const testing::Case& c : testing::Cases("recorded_dates.cases")) {
        int time = 0;
        const MatchDate date = DateOfRecord(c[0], time);
        EXPECT_EQ(date.known() ? DayText(date) + " " + TimeText(time) : "-" + TimeText(time), c[1]) << c.place;
    }
}

TEST(MatchFile, RowsByTheirWholeName) {
    for (const testing::Case& c : testing::Cases("row_names.cases")) {
        std::string_view name;
        std::optional<std::size_t> found = RowName(c[0], name) ? WeaponOfRow(name) : std::nullopt;
        EXPECT_EQ(found ? Weapons()[*found] : "", c[1]) << c.place;
    }
}

std::string Repeated(const std::string& text, int times) {
    std::string all;
    while (times-- > 0) all += text;
    return all;
}

// A record: its status and map, then each row as "weapon@line:failsAt numbers", a failure's message after it.
using Record = std::vector<std::string>;
Record ReadOne(const std::string& path, WeaponSet weapons = kEveryWeapon) {
    static MatchReader reader;  // one reader and record for every file, as a scan keeps them
    static MatchRecord record;
    std::string map = "?";
    bool mapRead = reader.read(AT_FDCWD, path, path, weapons, record, map);
    const char* status[] = {"passed over", "read", "stops"};
    Record text{std::string(status[static_cast<int>(record.status)]) + (mapRead ? " map=" + map : "")};
    for (const CountedRow& row : record.rows) {
        text.push_back(Weapons()[row.weapon] + "@" + std::to_string(row.line) + ":" + std::to_string(row.failsAt));
        for (std::int16_t n : row.numbers) text.back() += " " + std::to_string(n);
        if (row.error) text.back() += " " + std::string(record.errors[*row.error].detail());
    }
    if (record.status == MatchStatus::Stops) text.push_back(record.errors[0].what());
    return text;
}

TEST(MatchReader, StatusMapAndRowsWithTheirEditorLines) {
    TempDir dir;
    std::string over = ">>> Map: long\n";
    for (int i = 0; i < 32767; ++i) over += "Colt: 1.0 1/1 0 0 0\r\n";
    std::vector<testing::Case> cases = testing::Cases("match_files.cases");
    cases.insert(
        cases.end(),
        {{{"m" + std::string(65536, '\n') + "Colt: 1 2", "read map=m", "Colt@65537:6 0 0 0 1 2"}, "past a first read"},
         {{"m\n" + std::string(40000, 'y') + "\nColt: 1 2", "read map=m", "Colt@3:6 0 0 0 1 2"}, "a long line, no row"},
         {{"m\n\n" + Repeated("x\n", 32765) + "Colt: 1 2", "read map=m", "Colt@32768:6 0 0 0 1 2"}, "line 32,767"},
         {{over, "stops map=long", "F, line 32768: the file has more than 32,767 lines."}, "32,768 lines"}});
    for (const testing::Case& c : cases) {
        std::string path = dir.write("f.txt", c[0]);
        Record read = ReadOne(path);
        if (read.back().rfind(path, 0) == 0) read.back().replace(0, path.size(), "F");
        EXPECT_EQ(read, Record(c.fields.begin() + 1, c.fields.end())) << c.place;
    }
    EXPECT_EQ(ReadOne(dir.write("g.txt", ">>> Map: m\nLuger: 1 2\nColt: 1 2\n"), WeaponBit(2)),
              (Record{"read map=m", "Colt@3:6 0 0 0 1 2"}));
    EXPECT_EQ(ReadOne(dir / "missing.txt"), Record{"passed over"});
    EXPECT_EQ(ReadOne(dir.mkdir("folder.txt")), Record{"passed over"});
    ASSERT_EQ(truncate(dir.write("big.txt", ">>> Map: m\n").c_str(), 2147483648LL), 0);  // sparse: no disk used
    EXPECT_EQ(ReadOne(dir / "big.txt")[0], "stops");                                     // too large: its map unread
}

TEST(ScanTree, SearchOrderSharedNamesAndAStop) {
    TempDir dir;
    dir.write("2026.12.06/1.txt", testing::Match("radar", "Colt: 10.0 1/10 1 0 0")), dir.write("2026.12.06/2.txt", "");
    dir.write("2026.12.07/1.txt", testing::Match("radar", "")), dir.write("notes/a.dat", testing::Match("base", ""));
    ASSERT_EQ(symlink("notes/a.dat", (dir / "a.txt").c_str()), 0);  // a link to a file reads as the file
    ASSERT_EQ(mkfifo((dir / "0.txt").c_str(), 0600), 0);            // passed over unopened: no map
    MatchNames names;
    std::vector<std::string> seen;
    ScanTree(dir.path(), kEveryWeapon, names, [&](const MatchNames& n, MatchRecord& m, const MatchLines&) {
        seen.push_back(n.path(m).substr(dir.path().size()) + " " + std::string(n.map(m)) + " " + DayText(m.date));
        return seen.size() < 4;
    });
    EXPECT_EQ(seen, (Names{"/0.txt  ", "/a.txt base ", "/2026.12.06/1.txt radar 2026-12-06",
                           "/2026.12.06/2.txt  2026-12-06"}));
    EXPECT_EQ(names.maps, (Names{"base", "radar"}));
    EXPECT_EQ(names.folders.size(), 2u);
    // A record read into the room of one that had a map has none when it has none itself: with one reader the
    // 65th file is read where the 1st was.
    TempDir many;
    for (int i = 100; i < 164; ++i) many.write(std::to_string(i) + ".txt", testing::Match("m", ""));
    ASSERT_EQ(mkfifo((many / "164.txt").c_str(), 0600), 0);
    std::string last = "?";
    MatchNames those;
    ScanTree(
        many.path(), kEveryWeapon, those,
        [&](const MatchNames& n, MatchRecord& m, const MatchLines&) { return last = std::string(n.map(m)), true; },
        ScanOptions{1});
    EXPECT_EQ(last, "");
}

// Readers side by side hand on what one reader does, in order: a later file read first never overtakes an
// earlier one that stops the run, nothing after the stop is handed on, every folder opened is closed again.
TEST(ScanTree, ReadersSideBySideGiveWhatOneGives) {
    TempDir dir;
    for (int i = 0; i < 300; ++i)
        dir.write(
            "d" + std::to_string(i / 50) + "/" + std::to_string(1000 + i) + ".txt",
            testing::Match("m" + std::to_string(i % 7), i == 150 ? "Colt: 10.0 1/x 0 0 0" : "Colt: 10.0 1/10 0 0 0"));
    const std::size_t descriptors = OpenDescriptors();
    auto run = [&](unsigned threads, std::function<void(const std::string&)> hook) {
        testing::beforeRead = std::move(hook);
        struct Unhook {
            ~Unhook() { testing::beforeRead = nullptr; }
        } unhook;
        std::string seen;
        MatchNames names;
        Tally tally(2, "");
        ScanTree(
            dir.path(), kEveryWeapon, names,
            [&](const MatchNames& known, MatchRecord& match, const MatchLines&) {
                seen += match.name + known.maps[*match.map] + " ";
                tally.add(known, match, seen.size());
                return tally.stop() == nullptr;
            },
            ScanOptions{threads});
        return seen + tally.stop()->error.what();
    };
    const std::string one = run(1, {});
    const std::string stop = "/d3/1150.txt, line 3: \"x\" is not a whole number.";
    EXPECT_EQ(one.substr(one.size() - stop.size()), stop);
    for (unsigned threads : {2u, 4u}) EXPECT_EQ(run(threads, {}), one) << threads;
    auto lastOfItsBatch = [](const std::string& path) { usleep(path.find("1150") != std::string::npos ? 100000 : 0); };
    EXPECT_EQ(run(2, lastOfItsBatch), one);
    // Reads that wait (as on a disk after the computer starts) bring more readers and threads that list the
    // folders ahead of the walk; they keep the order. Where the system refuses threads, those it gave read.
    testing::ScopedEnv unset("TOVRIK_THREADS", nullptr);
    const std::size_t first = ReaderThreads(0) - 1;  // readers a scan starts beside the caller's thread
    const std::tuple<const char*, std::size_t, std::size_t, std::size_t> refused[] = {
        {"every thread started", 99, 99, 4}, {"the first readers, then none", first, first, 0}, {"none", 0, 0, 0}};
    for (auto [name, allowed, helpers, listers] : refused) {
        std::mutex seen;
        std::map<std::string, std::size_t> started;
        testing::beforeThreadStart = [&](const std::string& role) {
            std::lock_guard<std::mutex> lock(seen);
            if (started["tovrik-read"] + started["tovrik-list"] >= allowed)
                throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
            ++started[role];
        };
        EXPECT_EQ(run(0, [](const std::string&) { usleep(1000); }), one) << name;
        testing::beforeThreadStart = nullptr;
        if (helpers == 99)
            EXPECT_GT(started["tovrik-read"], first) << name << ": readers added";
        else
            EXPECT_EQ(started["tovrik-read"], helpers) << name << ": readers beside the caller's thread";
        EXPECT_EQ(started["tovrik-list"], listers) << name << ": folder listers";
    }
    for (unsigned threads : {1u, 2u})  // a failure of another kind reaches the caller as it is
        EXPECT_THROW(run(threads, [](const std::string&) { throw std::bad_alloc(); }), std::bad_alloc) << threads;
    EXPECT_EQ(OpenDescriptors(), descriptors);
}

TEST(ScanTree, ReadersAsAskedElseAsSetElseOneAProcessor) {
    cpu_set_t cpus;
    ASSERT_EQ(sched_getaffinity(0, sizeof cpus, &cpus), 0);
    const unsigned processors = std::clamp(static_cast<unsigned>(CPU_COUNT(&cpus)), 1u, 8u);
    for (const testing::Case& c : testing::Cases("reader_threads.cases")) {
        testing::ScopedEnv threads("TOVRIK_THREADS", c[2] == "-" ? nullptr : c[2].c_str());
        EXPECT_EQ(ReaderThreads(c.number(1)), c[3] == "processors" ? processors : unsigned(c.number(3))) << c[0];
    }
}

}}  // namespace tovrik
