#include "engine/match_table.h"

#include <string_view>
#include <unordered_map>

#include "base/limits.h"
#include "engine/file_search.h"
#include "engine/match_file.h"
#include "engine/weapon_line.h"
#include "engine/weapons.h"
#include "fileio/file_read.h"

namespace tovrik {
namespace {

// Digits of `text` from `at`, `count` of them, as a number; -1 when they are not.
int Digits(const std::string& text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return -1;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool Separated(const std::string& text, std::size_t at, char separator) {
    return at < text.size() && text[at] == separator;
}

MatchDate Valid(int year, int month, int day) {
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > 31) return MatchDate{};
    return MatchDate{year, month, day};
}

// The weapon each row name counts for: the names of the list and today's
// other spellings of them.
const std::unordered_map<std::string_view, std::uint8_t>& WeaponsByRowName() {
    static const std::unordered_map<std::string_view, std::uint8_t> kByName = [] {
        std::unordered_map<std::string_view, std::uint8_t> byName;
        for (std::size_t i = 0; i < Weapons().size(); ++i) {
            byName.emplace(Weapons()[i], static_cast<std::uint8_t>(i));
            if (!OtherSpelling(Weapons()[i]).empty())
                byName.emplace(OtherSpelling(Weapons()[i]), static_cast<std::uint8_t>(i));
        }
        return byName;
    }();
    return kByName;
}

// Reads the row's numbers in the order a run reads them, as far as they go;
// `record` and `fields` are room reused from row to row.
void ReadRow(std::string_view line, CountedRow& row, std::string& record, std::vector<std::string_view>& fields) {
    NormalizeWeaponLine(line, record);
    SplitRecord(record, fields);
    auto field = [&](int index) { return RecordField(fields, record, index); };
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

}  // namespace

MatchDate DateOfPath(const std::string& folder, const std::string& name, int& time) {
    time = -1;
    // Today's game: YYYY-MM-DD-HHMMSS-MAP.txt
    if (Separated(name, 4, '-') && Separated(name, 7, '-') && Separated(name, 10, '-')) {
        MatchDate date = Valid(Digits(name, 0, 4), Digits(name, 5, 2), Digits(name, 8, 2));
        if (date.known()) {
            time = Digits(name, 11, 6);
            return date;
        }
    }
    // The classic game: YYYY.MM.DD/HHMMSS.txt
    std::string_view dir(folder);
    if (!dir.empty() && dir.back() == '/') dir.remove_suffix(1);
    std::string last(dir.substr(dir.rfind('/') == std::string_view::npos ? 0 : dir.rfind('/') + 1));
    if (last.size() != 10 || !Separated(last, 4, '.') || !Separated(last, 7, '.')) return MatchDate{};
    MatchDate date = Valid(Digits(last, 0, 4), Digits(last, 5, 2), Digits(last, 8, 2));
    if (date.known() && name.size() > 6 && name[6] == '.') time = Digits(name, 0, 6);
    return date;
}

MatchTable BuildMatchTable(const std::string& statsDir, std::uint32_t weapons) {
    MatchTable table;
    FileList files;
    FindMatchFiles(statsDir, files);
    std::unordered_map<std::string, std::uint32_t> folderIndex, mapIndex;
    auto intern = [](std::unordered_map<std::string, std::uint32_t>& index, std::vector<std::string>& names,
                     std::string_view name) {
        auto [at, added] = index.emplace(std::string(name), static_cast<std::uint32_t>(names.size()));
        if (added) names.emplace_back(name);
        return at->second;
    };
    std::string buffer, record;
    std::vector<std::string_view> lines, fields;
    table.matches.reserve(static_cast<std::size_t>(files.Count));
    for (std::int32_t j = 0; j < files.Count; ++j) {
        MatchRecord match;
        match.folder = intern(folderIndex, table.folders, files.Paths[j]);
        match.name = std::move(files.Items[j].cFileName);
        match.date = DateOfPath(files.Paths[j], match.name, match.time);
        std::string().swap(files.Paths[j]);  // the table holds it now
        const std::string path = table.path(match);
        std::size_t read = 0;
        try {
            read = ReadFileBytes(path, 0, buffer);
        } catch (RunError& error) {
            match.readable = true;  // a run stops on it
            match.error = static_cast<std::int32_t>(table.errors.size());
            table.errors.push_back(error);
            table.matches.push_back(std::move(match));
            continue;
        }
        SplitLines(std::string_view(buffer).substr(0, read), lines, kMaxLines + 1);
        match.readable = !lines.empty();
        if (match.readable) {
            match.map = intern(mapIndex, table.maps, MapName(lines[0]));
            auto offset = [&](std::string_view line) { return static_cast<std::size_t>(line.data() - buffer.data()); };
            if (lines.size() > kMaxLines) {
                RunError error(RunError::Kind::Overflow, "", "the file has more than 32,767 lines.");
                error.locate(path, EditorLine(buffer, offset(lines[kMaxLines])));
                match.error = static_cast<std::int32_t>(table.errors.size());
                table.errors.push_back(error);
            }
            for (std::size_t i = 0; match.error < 0 && i < lines.size(); ++i) {
                std::string_view name;
                if (!RowName(lines[i], name)) continue;
                auto weapon = WeaponsByRowName().find(name);
                if (weapon == WeaponsByRowName().end() || (weapons >> weapon->second & 1) == 0) continue;
                CountedRow row;
                row.weapon = weapon->second;
                row.lineIndex = static_cast<std::uint16_t>(i);
                try {
                    row.failsAt = CountedRow::kAccuracy;
                    ReadRow(lines[i], row, record, fields);
                } catch (RunError& error) {
                    error.locate(path, EditorLine(buffer, offset(lines[i])));
                    row.error = static_cast<std::int32_t>(table.errors.size());
                    table.errors.push_back(error);
                }
                match.rows.push_back(row);
            }
        }
        match.rows.shrink_to_fit();
        table.matches.push_back(std::move(match));
    }
    return table;
}

}  // namespace tovrik
