#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/run_error.h"

namespace tovrik {

// The day a match was played, from its path; 0 when the path tells none.
struct MatchDate {
    int year = 0, month = 0, day = 0;
    bool known() const { return year != 0; }
    int key() const { return year * 10000 + month * 100 + day; }  // orders days
};

// The date and time in a match file's path: the file name
// "YYYY-MM-DD-HHMMSS-..." of today's game, else the folder "YYYY.MM.DD" of the
// classic game with the file name "HHMMSS.txt". `time` is HHMMSS, or -1.
MatchDate DateOfPath(const std::string& folder, const std::string& name, int& time);

// One row a run would count: the row of one weapon, its numbers read in the
// order the run reads them. A row that the run would stop on keeps the numbers
// read before the failing one and the error (`failsAt` is the step of it).
struct CountedRow {
    enum Step { kAccuracy, kHeadshots, kShots, kHits, kKills, kDeaths, kDone };
    std::uint8_t weapon = 0;  // index into Weapons()
    std::uint8_t failsAt = kDone;
    std::uint16_t lineIndex = 0;  // among the file's lines
    std::int32_t error = -1;      // index into MatchTable::errors when it fails
    float accuracy = 0;
    std::array<std::int16_t, 5> numbers{};  // headshots, shots, hits, kills, deaths
};

// One match file as a run reads it.
struct MatchRecord {
    std::uint32_t folder = 0;  // index into MatchTable::folders
    std::string name;
    MatchDate date;
    int time = -1;
    std::uint32_t map = 0;    // index into MatchTable::maps
    bool readable = false;    // false: a run passes over it
    std::int32_t error = -1;  // index into MatchTable::errors: the file stops every run
    std::vector<CountedRow> rows;
};

// Every match file below a statistics folder, read once: what every view of
// the report sums over.
struct MatchTable {
    std::vector<std::string> folders;  // each ending in "/"
    std::vector<std::string> maps;
    std::vector<MatchRecord> matches;  // in search order
    std::vector<RunError> errors;      // of files and of rows, each located

    std::string path(const MatchRecord& match) const { return folders[match.folder] + match.name; }
};

// Reads every match file below `statsDir` in the search order of a run, with
// its reader, its line limit and its row rule, keeping the rows of the
// weapons whose bits are set in `weapons` (bit i: Weapons()[i]).
MatchTable BuildMatchTable(const std::string& statsDir, std::uint32_t weapons = ~std::uint32_t{0});

}  // namespace tovrik
