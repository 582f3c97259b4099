#include <string_view>

#include "engine/run_error.h"
#include "engine/weapon_line.h"
#include "fileio/file_read.h"
#include "ui/form1.h"

namespace tovrik {
namespace {

constexpr std::size_t kMaxLines = 32767;  // the line index is 16-bit

bool Contains(std::string_view text, std::string_view part) {
    // The empty text lies in every non-empty text and in no empty one.
    return part.empty() ? !text.empty() : text.find(part) != std::string_view::npos;
}

std::string_view MapName(std::string_view firstLine) {
    std::size_t space = firstLine.rfind(' ');
    return space == std::string_view::npos ? firstLine : firstLine.substr(space + 1);
}

}  // namespace

float Form1::ScanMatchFile(const std::string& path, const std::string& weapon, const std::string& mapChoice,
                           int accuracyField) {
    std::size_t read = ReadFileBytes(path, 0, readBuffer_);
    if (read == 0) return 0;
    SplitLines(std::string_view(readBuffer_).substr(0, read), lines_);
    if (lines_.empty()) return 0;  // only line ends

    std::string_view map = MapName(lines_[0]);
    if (!MapsListed && KnownMaps.count(std::string(map)) == 0) {
        controls_.List3_AddItem(std::string(map));
        KnownMaps.emplace(map);
    }
    if (lines_.size() > kMaxLines) {
        RunError error(RunError::Kind::Overflow, "", "the file has more than 32,767 lines.");
        error.locate(path,
                     EditorLine(readBuffer_, static_cast<std::size_t>(lines_[kMaxLines].data() - readBuffer_.data())));
        throw error;
    }

    bool mapPasses = mapChoice.empty() || mapChoice == kAllMaps || map == mapChoice;
    float accuracy = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view line = lines_[i];
        if (!Contains(line, weapon) || Contains(line, "Allies") || Contains(line, "Axis")) continue;
        if (!mapPasses) continue;
        try {
            std::string record = NormalizeWeaponLine(line);
            std::vector<std::string_view> fields = SplitRecord(record);
            auto field = [&](int index) { return RecordField(fields, record, index); };
            accuracy = ToSingle(field(accuracyField));
            TotHeadshots = AddLong(TotHeadshots, ToInteger(field(4)), "headshots");
            TotShots = AddLong(TotShots, GetSlashPart(field(1), 1), "shots");
            TotHits = AddLong(TotHits, GetSlashPart(field(1), 0), "hits");
            TotKills = AddLong(TotKills, ToInteger(field(2)), "kills");
            TotDeaths = AddLong(TotDeaths, ToInteger(field(3)), "deaths");
            GamesPlayed = AddLong(GamesPlayed, 1, "games played");
        } catch (RunError& error) {
            error.locate(path, EditorLine(readBuffer_, static_cast<std::size_t>(line.data() - readBuffer_.data())));
            throw;
        }
        lastCountedIndex_ = i;
    }
    return accuracy;
}

}  // namespace tovrik
