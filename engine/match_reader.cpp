#include "engine/match_reader.h"


#include "base/limits.h"
#include "engine/match_file.h"
#include "engine/weapon_line.h"
#include "fileio/file_read.h"

namespace tovrik {
namespace {

// The end of the line that starts at `p`: the first CR or LF, or `end`.
const char* LineEnd(const char* p, const char* end) {
    while (p < end && *p != '\n' && *p != '\r') ++p;
    return p;
}

RunError Located(RunError error, const std::string& path, int line) {
    error.locate(path, line);
    return error;
}

}  // namespace

void MatchReader::readRow(std::string_view line, CountedRow& row) {
    float accuracy = 0;
    std::array<std::int16_t, 5> numbers{};
    if (ReadPlainRow(line, accuracy, numbers)) {
        row.accuracy = accuracy;
        row.numbers = numbers;
        return;
    }
    row.failsAt = CountedRow::kAccuracy;
    NormalizeWeaponLine(line, normalized_);
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

bool MatchReader::read(int dir, const std::string& name, const std::string& path, WeaponSet weapons,
                       MatchRecord& record, std::string& map) {
    record.status = MatchStatus::PassedOver;
    record.rows.clear();
    record.errors.clear();
    std::size_t size = 0;
    try {
        size = ReadFileAt(dir, name, path, buffer_);
    } catch (RunError& error) {
        record.status = MatchStatus::Stops;  // too large to read: nothing of it is known
        record.errors.push_back(std::move(error));
        return false;
    }
    // One pass over the bytes: lines are the runs without CR or LF; an editor
    // counts CR LF, a lone LF and a lone CR as one line end each.
    const char* p = buffer_.data();
    const char* end = p + size;
    std::int32_t editorLine = 1;
    std::size_t index = 0;
    for (;; ++index) {
        for (; p < end && (*p == '\n' || *p == '\r'); ++p)
            if (*p == '\n' || p + 1 == end || p[1] != '\n') ++editorLine;
        if (p == end) break;
        const char* start = p;
        p = LineEnd(p, end);
        std::string_view line(start, static_cast<std::size_t>(p - start));
        if (index == 0) {
            map.assign(MapName(line));
            record.status = MatchStatus::Read;
        }
        if (index == kMaxLines) {
            // Line indexes are 16-bit: a longer file stops every run before
            // any of its rows is counted.
            record.status = MatchStatus::Stops;
            record.rows.clear();
            record.errors.assign(1, Located(RunError(RunError::Kind::Overflow, "the file has more than 32,767 lines."),
                                            path, editorLine));
            return true;
        }
        std::string_view rowName;
        if (!RowName(line, rowName)) continue;
        std::optional<std::size_t> weapon = WeaponOfRow(rowName);
        if (weapon && (weapons & WeaponBit(*weapon)) != 0) addRow(path, line, editorLine, *weapon, record);
    }
    return record.status == MatchStatus::Read;
}

}  // namespace tovrik
