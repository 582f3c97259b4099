#include <sys/wait.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <sstream>

#include "tests/support/testing.h"

namespace tovrik { namespace {

using ::testing::HasSubstr;
using testing::TempDir;

struct Outcome {
    int status = -1;
    std::string out, err;
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// Runs the report tool on a tree of its own: "DIR" in the arguments (shell words) stands for the tree's folder.
class ReportTest : public ::testing::Test {
protected:
    Outcome Report(const std::string& args) const {
        // From a folder of the test's own: a relative name such as "x" names nothing.
        std::string command = "{ cd '" + scratch.path() + "' && " TOVRIK_REPORT " " +
                              Replaced(args, "DIR", "'" + dir.path() + "'") + "; }";
        int raw = std::system((command + " >" + (scratch / "out") + " 2>" + (scratch / "err")).c_str());
        return Outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1,
                       Replaced(testing::Slurp(scratch / "out"), dir.path(), "DIR"),
                       Replaced(testing::Slurp(scratch / "err"), dir.path(), "DIR")};
    }
    // Expects the report run with `args` to end with `status` and write `err`, whole, to the terminal.
    void ExpectExit(const std::string& args, int status, const std::string& err) const {
        const Outcome o = Report(args);
        EXPECT_EQ(o.status, status) << args;
        EXPECT_EQ(o.err, err) << args;
    }
    void Sample() const {
        dir.write("2026.12.06/194512.txt",
                  ">>> Map: base2\n\nThompson:  31.25  54/173  7  4  2\nColt: 25.0 1/4 0 1 0\nKnife: 2 0\n");
        dir.write("2026.12.07/183004.txt", ">>> Map: radar\n\nThompson:  20.0  2/10  1  0  0\n");
    }
    TempDir dir, scratch;
};

TEST_F(ReportTest, TraceOfOneRunAndTheSummary) {
    dir.write("stats/2026.12.06/194512.txt", ">>> Map: base2\nThompson:  31.2  54/173  7  4  2\n");
    EXPECT_EQ(Report("--trace DIR/stats Thompson").status, 0);
    EXPECT_EQ(Report("--comma --trace DIR/stats/ Thompson").out, testing::DataFile("report/trace.txt"));
    std::filesystem::remove_all(dir / "stats");
    Sample();  // a curve of one segment with its mark, and the summary beside the captions
    EXPECT_EQ(Report("--trace DIR Thompson").out, testing::DataFile("report/trace_two_matches.txt"));
    EXPECT_EQ(Report("--point DIR thompson --map base2").out, testing::DataFile("report/summary.txt"))
        << "the extremes uncut";
}

TEST_F(ReportTest, OverviewTableAndCsv) {
    Sample();
    std::string table = Report("--comma DIR").out, csv = Report("--csv DIR").out;
    EXPECT_EQ(table.substr(0, table.find('\n')),
              "Weapon      Games  Shots  Hits  Hit %  Headshots  HS %  Kills  Deaths  K/D   Mean  Lowest  Highest");
    // One decimal always, so that the columns line up.
    EXPECT_THAT(table, HasSubstr("\nThompson        2    183    56  30,6%          2  1,0%      8       4  2,0  25,6%  "
                                 " 20,0%    31,2%\n"));
    EXPECT_THAT(csv, HasSubstr("\nKnife,1,0,0,,0,,2,0,2.00,,,\nLuger,0,0,0,,0,,0,0,0.00,,,\n"
                               "Colt,1,4,1,25.00,0,0.00,0,1,0.00,25.00,25.00,25.00\n"));
    dir.write("2026.12.08/0.txt", ">>> Map: m\nMP 34: 5.0 1/-5 0 0 0\n");  // shots below zero still share
    EXPECT_THAT(Report("--csv DIR").out, HasSubstr("\nMP 34,1,-5,1,-20.00,"));
    // Output that cannot be written says why, whatever the view.
    for (const char* view : {"--csv DIR", "--json DIR", "--csv --by map DIR Thompson", "DIR Thompson"})
        EXPECT_EQ(Report(std::string(view) + " >/dev/full").err,
                  "tovrik-report: cannot write the report: No space left on device\n")
            << view;
}

TEST_F(ReportTest, ExitStatuses) {
    Sample();
    dir.write("2026.12.08/bad.txt", ">>> Map: radar\nThompson: 20.0 2/1o 1 0 0\n");
    for (const testing::Case& c : testing::Cases("report_exits.cases")) {
        Outcome o = Report(Replaced(c[0], "EXAMPLES", TOVRIK_EXAMPLES "/stats"));
        EXPECT_EQ(o.status, c.number(1)) << c.place;
        EXPECT_EQ(o.err.substr(0, 15 + c[2].size()), "tovrik-report: " + c[2]) << c.place;
    }
    Outcome traced = Report("--trace DIR Thompson 2>&1");  // drawn as far as the run got, then why it stopped
    EXPECT_EQ(traced.status, 1);
    EXPECT_THAT(traced.out, ::testing::EndsWith("\nList3.AddItem=radar\ntovrik-report: DIR/2026.12.08/bad.txt, line 2: "
                                                "\"1o\" is not a whole number.\n"));
}

// Names as players type them: today's spellings, no case, space, dash or dot; and notes on what zero means.
TEST_F(ReportTest, NamesAsPlayersTypeThemAndWhatZeroMeans) {
    Sample();
    for (const testing::Case& c : testing::Cases("typed_weapons.cases"))
        EXPECT_THAT(Report("DIR " + c[0]).out, HasSubstr("\nWeapon:           " + c[1] + "\n")) << c.place;
    dir.write("2026.12.08/120000.txt", ">>> Map: radar2\n");  // holds "radar": the same name comes first
    for (const testing::Case& c : testing::Cases("report_notes.cases")) EXPECT_EQ(Report(c[0]).err, c[1]) << c.place;
    for (char c : std::string("1234")) dir.write("four/" + std::string(1, c) + ".txt", std::string(">>> Map: ab") + c);
    EXPECT_EQ(Report("--map abx DIR/four Colt").err,  // three at most
              "tovrik-report: no match was played on \"abx\"; maps played: ab1, ab2, ab3.\n");
    dir.mkdir("empty");
    ExpectExit("DIR/empty Colt", 0, "tovrik-report: no match files below \"DIR/empty\".\n");
}

// Messages on one line, cut before a whole character; memory that runs out said as such; a file past what the
// reader takes is an error naming it, whatever its size past 32 bits, and none of it is read.
TEST_F(ReportTest, MessagesOnOneLineAndMemory) {
    dir.write("lines/a\r\nb\x01.txt", ">>> Map: m\nThompson: 40.0 4/10 1" + std::string(78, '7') + "\xC3\xA9" +
                                          std::string(30000, '7') + " 0 0\n");
    EXPECT_EQ(Report("DIR/lines Thompson").err, "tovrik-report: DIR/lines/a\\r\\nb\\x01.txt, line 2: \"1" +
                                                    std::string(78, '7') + "\xE2\x80\xA6\" is not a whole number.\n");
#if !defined(__SANITIZE_ADDRESS__)  // the sanitizer reserves more address space than the limit leaves
    ASSERT_EQ(truncate(dir.write("big/big.txt", "").c_str(), 1500000000), 0);  // sparse: no disk used
    const std::string limited = "--version >/dev/null; ulimit -v 1000000; " TOVRIK_REPORT " DIR/big Thompson";
    ExpectExit(limited, 1,
               "tovrik-report: DIR/big/big.txt: the file is too large to hold in memory (1500000000 bytes).\n");
    ASSERT_EQ(truncate(dir.write("big/big.txt", "").c_str(), 600000000), 0);  // its first line a map name as large
    ExpectExit(limited, 1, "tovrik-report: there is not memory enough for the report.\n");  // no abort
#endif
    for (long long size : {2147483648LL, 4294967296LL + 333}) {
        ASSERT_EQ(truncate(dir.write("big/big.txt", "").c_str(), size), 0);
        ExpectExit("DIR/big Thompson", 1,
                   "tovrik-report: DIR/big/big.txt: the file is too large to read (" + std::to_string(size) +
                       " bytes; at most 2,147,483,647).\n");
    }
}

// Views over one pass: periods by the paths' dates, groups, the best and worst match, JSON and CSV read back.
TEST_F(ReportTest, PeriodsGroupsExtremesJsonCsv) {
    for (const testing::Case& c : testing::Cases("period_matches.cases"))
        dir.write(c[0], ">>> Map: " + c[1] + "\nThompson: " + c[2] + "\nColt: 50.0 1/2 0 0 0\n");
    using Column = std::vector<std::string>;
    auto rows = [this](const std::string& args) {  // each line's first column
        Column firsts;
        Outcome o = Report(args);
        EXPECT_EQ(o.status, 0) << args;
        std::istringstream lines(o.out);
        for (std::string line; std::getline(lines, line);) firsts.push_back(line.substr(0, line.find("  ")));
        return firsts;
    };
    EXPECT_EQ(rows("--by week DIR Thompson"),
              (Column{"Week", "2026-W01", "2026-W52", "2026-W53", "2027-W01", "no date"}));
    EXPECT_EQ(rows("--by map DIR Thompson"), (Column{"Map", "base", "oa,sis", "oasis", "Radar", "radar"}));
    EXPECT_THAT(Report("--csv --by map DIR Thompson").out, HasSubstr("\n\"oa,sis\",1,10,"));
    EXPECT_THAT(Report("--csv --by week DIR Thompson").out, HasSubstr("\n2026-W53,2,20,2,"));  // its Thursday a 31st
    EXPECT_EQ(Report("--csv --by year --since 2026-12-31 DIR Thompson").err,
              "Left out: 1 match without a date in its path or its file.\n");
    std::string period = Report("--point --since 2026-12-28 --until 2027-01-01 DIR Thompson").out;
    EXPECT_THAT(period, HasSubstr("Played:           2\n"));
    // The two matches of 10% tie for the lowest: the first in search order is named.
    EXPECT_THAT(period, HasSubstr("Lowest match:     2026-12-28 10:00:00  Radar  DIR/2026-12/"));
    const QJsonObject thompson =
        QJsonDocument::fromJson(QByteArray::fromStdString(Report("--json DIR Thompson").out)).object();
    EXPECT_EQ(
        QJsonDocument(thompson).toJson(QJsonDocument::Compact).left(139).toStdString(),
        R"({"dateless_left_out":0,"deaths":3,"denied_files":0,"denied_folders":0,"games":6,"headshot_percent":1.67,)"
        R"("headshots":1,"highest_accuracy":40)");
    EXPECT_DOUBLE_EQ(thompson["kill_death_ratio"].toDouble(), 1.67);
    EXPECT_EQ(thompson["highest_match"]["date"].toString(), "2027-01-04");
    EXPECT_EQ(thompson["lowest_match"]["time"].toString(), "10:00:00");
    EXPECT_THAT(Report("--json DIR Knife").out, HasSubstr("\"lowest_match\": null,\n \"highest_match\": null}"));
    const QJsonArray weapons =
        QJsonDocument::fromJson(QByteArray::fromStdString(Report("--json DIR").out))["weapons"].toArray();
    EXPECT_EQ(weapons[2]["weapon"].toString(), "Colt");
    EXPECT_TRUE(weapons[0]["mean_accuracy"].isNull());
    std::string csv = Report("--csv --by day DIR Thompson").out;
    EXPECT_THAT(csv, HasSubstr("\n2027-01-04,1,10,4,40.00,1,10.00,2,0,2.00,40.00,40.00,40.00\n"));
    EXPECT_EQ(rows("--by session --last-session DIR Thompson"),
              (Column{"Session", "2027-01-04 12:00", "Session: 2027-01-04 12:00 to 2027-01-04 12:00.",
                      "Left out: 1 match without a date in its path or its file."}));
    // 2027-01-01 00:00:01 lies 5,039.98 minutes before 2027-01-04 12:00: more than a gap of 5,000 minutes.
    EXPECT_THAT(Report("--last-session --session-gap 5000 DIR Thompson").out, HasSubstr("Played:           1\n"));
    EXPECT_THAT(Report("--last-session --session-gap 5040 DIR Thompson").out, HasSubstr("Played:           2\n"));
    EXPECT_THAT(Report("--json --last-session DIR").out,
                HasSubstr("\"session\": {\"first\": \"2027-01-04 12:00\", \"last\": \"2027-01-04 12:00\"}"));
    EXPECT_THAT(Report("--last-session --session-gap 10080 DIR Thompson").out, HasSubstr("Played:           4\n"))
        << "a week's gap: the matches of 2026-12-27 and after";
    // An accuracy off the whole run's chart stops every grouping, though its group alone could be drawn.
    dir.write("2027.01.05/120000.txt", ">>> Map: zeta\nThompson: 2000.0 1/10 0 0 0\n");
    EXPECT_THAT(Report("--by map DIR Thompson").err, HasSubstr("the accuracy 2000 puts the chart's curve at -48640"));
}

// The career in each format, the counts of matches that told a figure, and the matches of one player.
TEST_F(ReportTest, CareerAndThePlayersMatches) {
    dir.write("2026.12.06/194512.txt",
              ">>> Map: radar\nOverall stats for: Smoky (1 Round)\nColt: 25.0 1/4 2 1 0\n"
              "Damage Given: 300    Team Damage: 10\nDamage Recvd: 200\nRank: Major (90 XP)\n");
    dir.write("2026.12.07/183004.txt", ">>> Map: =cmd\nOverall stats for: Other (1 Round)\nKnife: 1 3\n");
    Outcome csv = Report("--career --csv --by map DIR");
    EXPECT_EQ(csv.out, testing::DataFile("report/career_by_map.csv"));
    EXPECT_EQ(csv.err, testing::DataFile("report/career_by_map.err"));
    const QJsonObject career =
        QJsonDocument::fromJson(QByteArray::fromStdString(Report("--career --json --player smoky DIR").out)).object();
    EXPECT_EQ(career["player"].toString(), "smoky");
    EXPECT_EQ(career["games"].toInt(), 1);
    EXPECT_EQ(career["rank"].toString(), "Major");
    EXPECT_TRUE(career["gibs"].isNull());
    const std::string table = Report("--point --career --by map DIR").out;
    EXPECT_THAT(table, HasSubstr("  XP  Rank\n"));  // the rank a text, to the left
    EXPECT_THAT(table, HasSubstr("  -  -\n"));      // no rank, no XP: no trailing spaces
    EXPECT_THAT(table, HasSubstr("  90  Major\n"));
    EXPECT_THAT(Report("--point --career DIR").out, ::testing::StartsWith("Map:                   All maps\n"));
    EXPECT_EQ(Report("--point --career --map radar DIR").out, testing::DataFile("report/career_on_radar.txt"));
    EXPECT_THAT(Report("--point --career DIR").out, HasSubstr("\nDamage per game:       300.0\n"))
        << "over the matches that told the damage";
    ExpectExit("--player smokyy DIR Colt", 0, "tovrik-report: no match is of the player \"smokyy\"; players: Smoky.\n");
    EXPECT_THAT(Report("--player OTHER --by day DIR Knife").out, HasSubstr("\n2026-12-07      1      0"));
}

// A view of several weapons stops where their first run would; unwritable output fails; help shows every option.
TEST_F(ReportTest, StopsWritesAndHelp) {
    dir.write("a.txt", ">>> Map: m\nColt: 50.0 1/2 0 0 0\nThompson: 10.0 1/1x 0 0 0\n");
    dir.write("b.txt", ">>> Map: m\nColt: 50.0 1/2 zero 0 0\n");
    ExpectExit("DIR", 1, "tovrik-report: DIR/a.txt, line 3: \"1x\" is not a whole number.\n");
    EXPECT_EQ(Report("DIR Colt").err, "tovrik-report: DIR/b.txt, line 2: \"zero\" is not a whole number.\n");
    Outcome help = Report("--version >/dev/full; " TOVRIK_REPORT " --help");
    EXPECT_THAT(help.out, HasSubstr("  --by <GROUP>    With a WEAPON or --career: one row per map, day, week (ISO),\n"
                                    "                  month, year or session.\n  --career   "));  // wrapped at 79
    EXPECT_THAT(help.out,
                HasSubstr("  --session-gap <MINUTES>\n                  Start a new session"));  // too long a name
    EXPECT_THAT(help.out, HasSubstr("\nArguments:\n  STATS_DIR       The statistics directory.\n  WEAPON  "));
    Outcome full = Report("--version >/dev/full; echo $?");
    EXPECT_EQ(full.out + full.err, "1\ntovrik-report: cannot write the report: No space left on device\n");
}

// What game servers and file systems put in names and paths reaches the terminal, CSV and JSON only as text:
// escaped, cut, never a formula, strict UTF-8 (characters of two to four bytes kept; overlong forms, surrogates,
// a lead byte where a continuation should be, past U+10FFFF: escaped); bytes in arguments kept whole.
TEST_F(ReportTest, HostileNamesInEveryOutput) {
    const std::string utf8 = "\xC3\xA9t\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xED\x80\x80";
    std::vector<std::string> maps;
    for (const testing::Case& c : testing::Cases("hostile_maps.cases")) maps.push_back(c[0]);
    for (std::size_t i = 0; i < maps.size(); ++i)
        dir.write("stat\xE9s/2026.12.0" + std::to_string(i % 9 + 1) + "/12000" + std::to_string(i) + ".txt",
                  ">>> Map: " + maps[i] + "\nThompson: 20.0 2/10 1 0 0\n");
    dir.write("x/0\nLowest match:     FORGED.txt", ">>> Map: m\nThompson: 1.5 2/10 1 0 0\n");
    // Every terminal view, in a UTF-8 locale and in another: no control byte, C0, DEL or C1, reaches the terminal.
    for (const testing::Case& c : testing::Cases("hostile_views.cases")) {
        const Outcome o = Report("--version >/dev/null; LC_ALL=" + c[1] + " " TOVRIK_REPORT " " + c[2]);
        EXPECT_THAT(o.out + o.err, HasSubstr(c[3])) << c[0];
        EXPECT_EQ((o.out + o.err).find_first_of("\x1B\x9B\x07"), std::string::npos) << c[0];
    }
    std::string csv = Report("--csv --by map DIR Thompson").out;
    for (const char* cell : {"\n'=1+1,", "\n'+1+1,", "\n'-1+1,", "\n'@SUM(1),", "\n'\tx,", "\nplain,"})
        EXPECT_THAT(csv, HasSubstr(cell));
    std::string json = Report("--json --by map DIR Thompson").out;
    const std::string names[] = {"\"\\u00c0\\u00af\"",           "\"\\u00ed\\u00a0\\u0080\"",
                                 "\"\\u00e2\\u00a1\\u00c3(\"",   "\"\\u00f5\\u0080\\u0080\\u0080\"",
                                 "\"" + maps[6] + "\"",          "\"caf\\u00e9\"",
                                 "\"" + utf8 + R"(\"\\\u0001")", "\"by\": \"map\""};
    for (const std::string& name : names) EXPECT_THAT(json, HasSubstr(name));
}

// Output files are written whole or not at all, and only ever as regular files.
TEST_F(ReportTest, ChartFilesWholeOrNotAtAll) {
    Sample();
    ASSERT_EQ(symlink((scratch / "target").c_str(), (scratch / "link.png").c_str()), 0);
    ASSERT_EQ(mkfifo((scratch / "fifo.png").c_str(), 0600), 0);
    testing::TempDir out;
    const std::pair<std::string, std::string> refused[] = {{scratch / "fifo.png", "it is not a regular file"},
                                                           {scratch / "link.png", "it is not a regular file"},
                                                           {out.path(), "it is not a regular file"},
                                                           {"''", "No such file or directory"}};
    for (const auto& [file, reason] : refused) {
        Outcome o = Report("--chart " + file + " DIR Thompson");
        EXPECT_EQ(o.status, 1) << file;
        EXPECT_THAT(o.err, HasSubstr(reason + ".\n")) << file;
    }
    EXPECT_FALSE(std::ifstream(scratch / "target").good());  // a link's target is never written
    Outcome grouped = Report("--by map --chart " + (scratch / "by.png") + " DIR Thompson");  // beside the table
    EXPECT_EQ(grouped.status, 0);
    EXPECT_EQ(grouped.out.substr(0, 4), "Map ");
    EXPECT_EQ(testing::Slurp(scratch / "by.png").substr(1, 3), "PNG");
    EXPECT_EQ(Report("--by map --chart " + (scratch / "fifo.png") + " DIR Thompson").status, 1);
    std::string png = out.write("c.png", std::string(100000, 'x'));
    ASSERT_EQ(chmod(png.c_str(), 0600), 0);
    EXPECT_EQ(Report("--chart " + png + " DIR Thompson").status, 0);
    EXPECT_EQ(testing::Slurp(png).substr(1, 3), "PNG");
    EXPECT_EQ(testing::Slurp(png), testing::Slurp(scratch / "by.png")) << "the chart beside a table is the summary's";
    struct stat info {};
    ASSERT_EQ(stat(png.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "a file replaced keeps its mode";
    EXPECT_LT(testing::Slurp(png).size(), 100000u);  // replaced, not overwritten in place
    // A write that fails half way leaves the file as it was, and no temporary file beside it.
    Outcome big =
        Report("--version >/dev/null; ulimit -f 1; trap '' XFSZ; " TOVRIK_REPORT " --chart " + png + " DIR Thompson");
    EXPECT_EQ(big.err, "tovrik-report: cannot write the chart to \"" + png + "\": File too large.\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.path()), {}), 1);
}

// What another user holds back is said, never summed as nothing: a folder that cannot be listed fails; folders and
// files below that cannot be read are counted in every view. A process at its limit of threads reads with those it
// has. As root, tried as nobody.
TEST_F(ReportTest, WhatAnotherUserHoldsBack) {
    const bool root = geteuid() == 0;
    const TempDir tree("/tmp");  // where nobody may go, whatever TMPDIR is
    const std::string top = tree.path(), stats = top + "/stats";
    for (std::string up = TOVRIK_REPORT; root && up.size() > 1;) {
        up = up.substr(0, up.rfind('/') ? up.rfind('/') : 1);
        struct stat info {};
        if (stat(up.c_str(), &info) != 0 || (info.st_mode & S_IXOTH) == 0)
            GTEST_SKIP() << "nobody cannot reach the program below " << up;
    }
    std::vector<std::string> files{"2026.12.01/a.txt", "2026.12.02/a.txt", "2026.12.03/a.txt", "2026.12.03/b.txt"};
    for (int i = 100; i < 200; ++i) files.push_back("2026.12.05/f" + std::to_string(i) + ".txt");
    for (const std::string& file : files) {
        std::filesystem::create_directories(std::filesystem::path(stats + "/" + file).parent_path());
        std::ofstream(stats + "/" + file) << testing::Match("m", "Thompson: 10.0 1/10 0 0 0");
    }
    // With one reader, the 70th file reads into the room of the 6th: a FIFO there is no file the user may not read.
    std::filesystem::remove(stats + "/2026.12.05/f166.txt");
    ASSERT_EQ(mkfifo((stats + "/2026.12.05/f166.txt").c_str(), 0644), 0);
    ASSERT_EQ(std::system(("chmod -R a+rX '" + top + "' && chmod 0 '" + stats + "/2026.12.02' '" + stats +
                           "/2026.12.03/b.txt' '" + stats + "/2026.12.05/f102.txt'")
                              .c_str()),
              0);
    std::filesystem::create_directory(top + "/closed");
    ASSERT_EQ(chmod((top + "/closed").c_str(), root ? 0711 : 0311), 0);  // it can be reached, not listed
    const std::string as = std::string("--version >/dev/null; ") +
                           (root ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "") +
                           "env TOVRIK_THREADS=1 ";
    ExpectExit(as + TOVRIK_REPORT " " + top + "/closed Thompson", 1,
               "tovrik-report: cannot list \"" + top + "/closed\": Permission denied.\n");
    Outcome text = Report(as + TOVRIK_REPORT " " + stats + " Thompson");
    EXPECT_EQ(text.status, 0);
    EXPECT_THAT(text.out, HasSubstr("\nPlayed:           100\n"));
    EXPECT_THAT(text.out, ::testing::EndsWith("\nPassed over for want of permission: 1 folder and 2 files.\n"));
    EXPECT_THAT(Report(as + TOVRIK_REPORT " --json " + stats + " Thompson").out,
                HasSubstr("\"denied_folders\": 1, \"denied_files\": 2"));
    EXPECT_EQ(Report(as + TOVRIK_REPORT " --csv --by map " + stats + " Thompson").err,
              "Passed over for want of permission: 1 folder and 2 files.\n");
#if !defined(__SANITIZE_ADDRESS__)  // the leak checker needs a thread of its own at the end
    Outcome fewer =
        Report(as + "bash -c 'ulimit -u 1; TOVRIK_THREADS=4 exec " TOVRIK_REPORT " " + stats + " Thompson'");
    EXPECT_EQ(fewer.status, 0);
    EXPECT_EQ(fewer.out, text.out);
#endif
}

// Descriptors that run out stop the run with the cause, never a smaller sum.
TEST_F(ReportTest, DescriptorsThatRunOut) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers need descriptors of their own to check memory";
#endif
    std::string deep = "d";
    for (int i = 0; i < 24; ++i, deep += "/d")
        dir.write(deep + "/a.txt", testing::Match("m", "Thompson: 10.0 1/10 0 0 0"));
    Outcome o = Report("--version >/dev/null; ulimit -n 12; TOVRIK_THREADS=1 " TOVRIK_REPORT " DIR Thompson");
    EXPECT_EQ(o.status, 1);
    EXPECT_THAT(o.err, ::testing::EndsWith(" cannot be opened: Too many open files.\n"));
}

}}  // namespace tovrik
