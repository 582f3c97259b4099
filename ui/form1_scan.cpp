#include <string_view>

#include "base/run_error.h"
#include "engine/match_file.h"
#include "engine/weapon_line.h"
#include "fileio/file_read.h"
#include "ui/form1.h"

namespace tovrik {

float Form1::ScanMatchFile(const std::string& path, const std::string& weapon, const std::string& mapChoice,
                           int accuracyField) {
    std::size_t read = ReadFileBytes(path, 0, readBuffer_);
    if (read == 0) return 0;
    // One line past the limit tells a file that is too long; splitting no
    // further keeps a run's memory to the file's bytes and a bounded list.
    SplitLines(std::string_view(readBuffer_).substr(0, read), lines_, kMaxLines + 1);
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

    bool mapPasses = MapPasses(map, mapChoice);
    float accuracy = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view line = lines_[i];
        if (!IsWeaponLine(line, weapon) || !mapPasses) continue;
        try {
            NormalizeWeaponLine(line, record_);
            SplitRecord(record_, fields_);
            auto field = [&](int index) { return RecordField(fields_, record_, index); };
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
