#include "engine/match_reader.h"

#include <cstring>

#include "base/limits.h"
#include "engine/match_file.h"
#include "engine/weapon_line.h"
#include "fileio/file_read.h"

namespace tovrik {
namespace {

// The ends of the lines of a file's bytes: the first CR or LF from where a
// line starts, or the end. The next CR is looked for only once passed: most
// files have none, and each line end is then one search for an LF.
class LineEnds {
public:
    LineEnds(const char* begin, const char* end) : end_(end), cr_(Find(begin, end, '\r')) {}

    const char* after(const char* p) {
        if (cr_ < p) cr_ = Find(p, end_, '\r');
        return Find(p, cr_, '\n');
    }

private:
    // The first `c` in [p, end), or `end`.
    static const char* Find(const char* p, const char* end, char c) {
        const void* found = std::memchr(p, c, static_cast<std::size_t>(end - p));
        return found != nullptr ? static_cast<const char*>(found) : end;
    }

    const char* end_;
    const char* cr_;  // the first CR at or after the last line's start, or the end
};

RunError Located(RunError error, const std::string& path, int line) {
    error.locate(path, line);
    return error;
}

}  // namespace

void MatchReader::readRow(std::string_view line, CountedRow& row) {
    float accuracy = 0;
    std::array<std::int16_t, 5> numbers{};
    const RowEnd end = MayEndAfterShots(row.weapon) ? RowEnd::MayEndAfterShots : RowEnd::AfterDeaths;
    if (ReadPlainRow(line, end, accuracy, numbers)) {
        row.accuracy = accuracy;
        row.numbers = numbers;
        return;
    }
    row.failsAt = CountedRow::kAccuracy;
    NormalizeWeaponLine(line, end, normalized_);
    SplitRecord(normalized_, fields_);
    auto field = [&](int index) { return RecordField(fields_, normalized_, index); };
    row.accuracy = ToSingle(field(0));
    row.failsAt = CountedRow::kHeadshots;
    row.numbers[0] = ToInteger(field(4));
    row.failsAt = CountedRow::kShots;
    row.numbers[1] = GetSlashPart(field(1), 1);
    row.failsAt = CountedRow::kHits;
    row.numbers[2] = GetSlashPart(field(1), 0);
    row.failsAt = CountedRow::kKills;
    row.numbers[3] = ToInteger(field(2));
    row.failsAt = CountedRow::kDeaths;
    row.numbers[4] = ToInteger(field(3));
    row.failsAt = CountedRow::kDone;
}

void MatchReader::addRow(const std::string& path, std::string_view line, std::int32_t editorLine, std::size_t weapon,
                         MatchRecord& record) {
    CountedRow& row = record.rows.emplace_back();
    row.weapon = static_cast<std::uint8_t>(weapon);
    row.line = editorLine;
    try {
        readRow(line, row);
    } catch (RunError& error) {
        if (line.find('.') == std::string_view::npos && line.find('/') != std::string_view::npos)
            error = RunError(error.kind(), error.detail() + " A row without a \".\" has no accuracy column: its fields "
                                                           "are read as kills, deaths and headshots.");
        // A file of at most 32,767 lines has fewer failing rows than 65,536.
        row.error = static_cast<std::uint16_t>(record.errors.size());
        record.errors.push_back(Located(std::move(error), path, editorLine));
    }
}

void MatchTable::keep(const MatchRecord& record, const MatchLines& matchLines) {
    // Moved in, the rows keep the room they were copied to.
    matches.push_back(MatchRecord{record.status, record.folder, record.name, record.date, record.time, record.map,
                                  std::pmr::vector<CountedRow>(record.rows.begin(), record.rows.end(), rowRoom.get()),
                                  record.errors});
    if (withLines) lines.push_back(matchLines);
}

bool MatchReader::read(int dir, const std::string& name, const std::string& path, WeaponSet weapons,
                       MatchRecord& record, std::string& map, MatchLines* lines, MatchLineTexts* lineTexts) {
    record.status = MatchStatus::PassedOver;
    record.rows.clear();
    record.errors.clear();
    if (lines != nullptr) *lines = MatchLines{}, lineTexts->rank.clear(), lineTexts->player.clear();  // kept room
    std::size_t size = 0;
    try {
        size = ReadFileAt(dir, name, path, buffer_, denied_);
    } catch (RunError& error) {
        record.status = MatchStatus::Stops;  // too large or not to be read now: nothing of it is known
        record.errors.push_back(std::move(error));
        return false;
    }
    return readLines(size, path, weapons, record, map, lines, lineTexts);
}

// Line indexes are 16-bit: a longer file stops every run before any of its
// rows is counted.
static bool TooLong(const std::string& path, std::int32_t editorLine, MatchRecord& record) {
    record.status = MatchStatus::Stops;
    record.rows.clear();
    record.errors.assign(
        1, Located(RunError(RunError::Kind::Overflow, "the file has more than 32,767 lines."), path, editorLine));
    return true;
}

bool MatchReader::readLines(std::size_t size, const std::string& path, WeaponSet weapons, MatchRecord& record,
                            std::string& map, MatchLines* lines, MatchLineTexts* lineTexts) {
    // One pass over the bytes: lines are the runs without CR or LF; an editor
    // counts CR LF, a lone LF and a lone CR as one line end each.
    const char* p = buffer_.data();
    const char* end = p + size;
    LineEnds lineEnds(p, end);
    std::int32_t editorLine = 1;
    std::size_t index = 0;
    for (;; ++index) {
        for (; p < end && (*p == '\n' || *p == '\r'); ++p)
            if (std::string_view(p, static_cast<std::size_t>(end - p)).substr(0, 2) != "\r\n") ++editorLine;
        if (p == end) break;
        const char* start = p;
        p = lineEnds.after(p);
        std::string_view line(start, static_cast<std::size_t>(p - start));
        if (index == 0) {
            map.assign(MapName(line));
            record.status = MatchStatus::Read;
        }
        if (index == kMaxLines) return TooLong(path, editorLine, record);
        std::string_view rowName;
        if (!RowName(line, rowName)) continue;
        if (std::optional<std::size_t> weapon = WeaponOfRow(rowName)) {
            if ((weapons & WeaponBit(*weapon)) != 0) addRow(path, line, editorLine, *weapon, record);
        } else if (lines != nullptr) {
            ReadMatchLine(rowName, line, *lines, *lineTexts);
        }
        if (!record.date.known() && rowName == "Stats recorded")
            record.date = DateOfRecord(line.substr(line.find(':') + 1), record.time);
    }
    return record.status == MatchStatus::Read;
}

}  // namespace tovrik
