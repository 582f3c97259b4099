#include "ui/figure_text.h"

#include "base/number_text.h"
#include "engine/match_file.h"

namespace tovrik {

float SharePercent(std::int32_t part, std::int32_t whole) {
    return static_cast<float>(static_cast<double>(std::int64_t{part} * 100) / static_cast<double>(whole));
}

float KillDeathRatio(std::int32_t kills, std::int32_t deaths) {
    return static_cast<float>(static_cast<double>(kills) / static_cast<double>(deaths));
}

FigureTexts Describe(const Figures& f, char sep) {
    auto share = [&](std::int32_t part) {
        return f.shots != 0 ? Virgule(SharePercent(part, f.shots), sep) + "%" : std::string("0");
    };
    return FigureTexts{LongToText(f.games),
                       LongToText(f.shots),
                       LongToText(f.hits),
                       share(f.hits),
                       LongToText(f.headshots),
                       share(f.headshots),
                       LongToText(f.kills),
                       LongToText(f.deaths),
                       f.deaths != 0 ? Virgule(KillDeathRatio(f.kills, f.deaths), sep) : LongToText(f.kills),
                       f.collected > 0 ? Virgule(static_cast<float>(f.mean), sep) + "%" : "-",
                       f.collected > 0 ? SingleToText(f.lowest, sep) + "%" : "-",
                       f.collected > 0 ? SingleToText(f.highest, sep) + "%" : "-"};
}

FigureTexts DescribeCells(const Figures& f, char sep) {
    FigureTexts texts = Describe(f, sep);
    auto percent = [&](float value, bool known) { return known ? OneDecimal(value, sep) + "%" : std::string("-"); };
    texts.hitShare = percent(f.shots != 0 ? SharePercent(f.hits, f.shots) : 0, f.shots != 0);
    texts.headshotShare = percent(f.shots != 0 ? SharePercent(f.headshots, f.shots) : 0, f.shots != 0);
    texts.ratio = OneDecimal(f.deaths != 0 ? KillDeathRatio(f.kills, f.deaths) : static_cast<float>(f.kills), sep);
    texts.mean = percent(static_cast<float>(f.mean), f.collected > 0);
    texts.lowest = percent(f.lowest, f.collected > 0);
    texts.highest = percent(f.highest, f.collected > 0);
    return texts;
}

std::string MapText(const std::string& mapChoice) { return AllMaps(mapChoice) ? "All maps" : mapChoice; }

}  // namespace tovrik
