#include "engine/match_reader.h"

#include <cstring>
#include <unordered_map>

#include "base/limits.h"
#include "engine/file_search.h"
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

// Index of `name` in `names`, added at the end when new.
std::uint32_t Intern(std::unordered_map<std::string, std::uint32_t>& index, std::vector<std::string>& names,
                     const std::string& name) {
    auto [at, added] = index.emplace(name, static_cast<std::uint32_t>(names.size()));
    if (added) names.push_back(name);
    return at->second;
}

}  // namespace

void MatchReader::readRow(std::string_view line, CountedRow& row) {
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
        row.error = static_cast<std::uint32_t>(record.errors.size());
        record.errors.push_back(Located(std::move(error), path, editorLine));
    }
}

bool MatchReader::read(const std::string& path, WeaponSet weapons, MatchRecord& record, std::string& map) {
    record.status = MatchStatus::PassedOver;
    record.rows.clear();
    record.errors.clear();
    std::size_t size = 0;
    try {
        size = ReadFileBytes(path, 0, buffer_);
    } catch (RunError& error) {
        record.status = MatchStatus::Stops;  // too large to hold: nothing of it is known
        record.errors.push_back(Located(std::move(error), path, 0));
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
        std::string_view name;
        if (!RowName(line, name)) continue;
        std::optional<std::size_t> weapon = WeaponOfRow(name);
        if (weapon && (weapons & WeaponBit(*weapon)) != 0) addRow(path, line, editorLine, *weapon, record);
    }
    return record.status == MatchStatus::Read;
}

void ScanTree(const std::string& statsDir, WeaponSet weapons, MatchNames& names, const MatchSink& each) {
    FileList files;
    FindMatchFiles(statsDir, files);
    std::unordered_map<std::string, std::uint32_t> folderIndex, mapIndex;
    MatchReader reader;
    MatchRecord record;
    std::string map;
    for (std::int32_t j = 0; j < files.Count; ++j) {
        const std::string& folder = files.Paths[j];
        // Matches of one folder follow each other.
        if (names.folders.empty() || names.folders[record.folder] != folder)
            record.folder = Intern(folderIndex, names.folders, folder);
        record.name = std::move(files.Items[j].name);
        record.date = DateOfPath(folder, record.name, record.time);
        record.map.reset();
        if (reader.read(folder + record.name, weapons, record, map)) record.map = Intern(mapIndex, names.maps, map);
        if (!each(names, record)) return;
    }
}

MatchTable ReadTree(const std::string& statsDir, WeaponSet weapons) {
    MatchTable table;
    ScanTree(statsDir, weapons, table, [&](const MatchNames&, MatchRecord& record) {
        table.matches.push_back(std::move(record));
        table.matches.back().rows.shrink_to_fit();
        return true;
    });
    return table;
}

}  // namespace tovrik
