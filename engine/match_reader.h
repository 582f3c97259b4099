#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/run_error.h"
#include "engine/match_date.h"
#include "engine/match_lines.h"
#include "engine/weapons.h"

namespace tovrik {

// One row of a chosen weapon, its numbers read in the order a run counts
// them. A row that a run stops on keeps the numbers read before the failing
// one, the step it fails at and its error.
struct CountedRow {
    enum Step : std::uint8_t { kAccuracy, kHeadshots, kShots, kHits, kKills, kDeaths, kDone };
    // In this order 24 bytes: a table of every weapon holds millions of them.
    std::int32_t line = 0;  // the line an editor shows it on
    float accuracy = 0;
    std::array<std::int16_t, 5> numbers{};  // headshots, shots, hits, kills, deaths
    std::uint8_t weapon = 0;                // index into Weapons()
    std::uint8_t failsAt = kDone;
    std::optional<std::uint16_t> error;  // index into MatchRecord::errors when it fails (a row a line: < 32,767)
};
static_assert(sizeof(CountedRow) == 24);

enum class MatchStatus : std::uint8_t {
    PassedOver,  // unreadable, empty or only line ends: no run sees it
    Read,        // its map and rows are known
    Stops,       // too large or too long: every run that meets it stops on errors[0]
};

// One match file as a run reads it.
struct MatchRecord {
    MatchStatus status = MatchStatus::PassedOver;
    std::uint32_t folder = 0;  // index into MatchNames::folders
    std::string name;
    MatchDate date;
    int time = -1;                      // HHMMSS, or -1
    std::optional<std::uint32_t> map;   // index into MatchNames::maps; absent when not read
    std::pmr::vector<CountedRow> rows;  // of the chosen weapons, in file order
    std::vector<RunError> errors;       // located at the file and line
};

// The folders and maps the records of a scan point into.
struct MatchNames {
    std::vector<std::string> folders;  // each ending in "/"
    std::vector<std::string> maps;
    std::vector<std::string> ranks, players;  // as the matches' own lines name them
    // Folders and files below the statistics folder passed over for want of permission.
    std::size_t deniedFolders = 0, deniedFiles = 0;

    std::string path(const MatchRecord& match) const { return folders[match.folder] + match.name; }
    // The match's map; "" when it was not read.
    std::string_view map(const MatchRecord& match) const {
        return match.map ? std::string_view(maps[*match.map]) : std::string_view();
    }
};

// Every match file below a statistics folder, read once, in search order.
struct MatchTable : MatchNames {
    // The kept rows lie side by side in one room that is freed whole: quick
    // to fill, to sum over and to let go of, with millions of rows.
    std::shared_ptr<std::pmr::monotonic_buffer_resource> rowRoom =
        std::make_shared<std::pmr::monotonic_buffer_resource>();
    std::deque<MatchRecord> matches;  // no copy as it grows, without their own lines:
    std::deque<MatchLines> lines;     // those of each match, when the table was read with them
    bool withLines = false;

    MatchTable() = default;
    MatchTable(MatchTable&&) = default;
    MatchTable& operator=(MatchTable&& other) noexcept {
        matches.clear();  // the rows go before the room they lie in
        MatchNames::operator=(std::move(other));
        rowRoom = std::move(other.rowRoom);
        matches = std::move(other.matches);
        lines = std::move(other.lines);
        withLines = other.withLines;
        return *this;
    }

    // Keeps a copy of `record`, its rows in the room, and its own lines when
    // the table is read with them.
    void keep(const MatchRecord& record, const MatchLines& matchLines = {});
    std::string path(std::size_t match) const { return MatchNames::path(matches[match]); }
    using MatchNames::path;
};

// Reads match files one after another, reusing its buffers: the map line,
// which lines are weapon rows, the line limit and the editor's line of each.
// A row's fields are read by the weapon line's functions (weapon_line.h), a
// match's own lines by ReadMatchLine. A match whose path tells no date takes
// its day and time from its "Stats recorded" line.
class MatchReader {
public:
    // Reads the file `name` of the directory open as `dir` into `record` (its
    // status, rows of the weapons in `weapons` and errors, which name it as
    // `path`) and its map's name into `map`; with `lines`, its own lines too
    // (their texts into `lineTexts`, given with them). The record's date is the
    // path's, set before. True when the map line was read.
    bool read(int dir, const std::string& name, const std::string& path, WeaponSet weapons, MatchRecord& record,
              std::string& map, MatchLines* lines = nullptr, MatchLineTexts* lineTexts = nullptr);
    // True when the last file read was passed over because the user may not read it.
    bool denied() const { return denied_; }

private:
    // The first `size` bytes of the buffer, the file's, into `record` and `map`, as read() does.
    bool readLines(std::size_t size, const std::string& path, WeaponSet weapons, MatchRecord& record, std::string& map,
                   MatchLines* lines, MatchLineTexts* lineTexts);
    void readRow(std::string_view line, CountedRow& row);
    void addRow(const std::string& path, std::string_view line, std::int32_t editorLine, std::size_t weapon,
                MatchRecord& record);

    std::string buffer_, normalized_;
    std::vector<std::string_view> fields_;
    bool denied_ = false;
};

}  // namespace tovrik
