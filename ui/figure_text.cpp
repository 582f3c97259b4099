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

std::vector<std::optional<double>> FigureValues(const Figures& f) {
    auto share = [&](std::int32_t part) -> std::optional<double> {
        if (f.shots == 0) return {};
        return SharePercent(part, f.shots);
    };
    auto accuracy = [&](double value) { return f.collected > 0 ? std::optional<double>(value) : std::nullopt; };
    return {f.games,
            f.shots,
            f.hits,
            share(f.hits),
            f.headshots,
            share(f.headshots),
            f.kills,
            f.deaths,
            f.deaths != 0 ? KillDeathRatio(f.kills, f.deaths) : f.kills,  // no death: the kills
            accuracy(f.mean),
            accuracy(f.lowest),
            accuracy(f.highest)};
}

FigureTexts DescribeCells(const Figures& f, char sep) {
    std::vector<std::optional<double>> values = FigureValues(f);
    auto cell = [&](std::size_t figure, const char* unit) {
        const std::optional<double>& value = values[figure];
        return value ? OneDecimal(static_cast<float>(*value), sep) + unit : std::string("-");
    };
    return FigureTexts{LongToText(f.games),      LongToText(f.shots), LongToText(f.hits),  cell(kHitShare, "%"),
                       LongToText(f.headshots),  cell(kHeadshotShare, "%"),                LongToText(f.kills),
                       LongToText(f.deaths),     cell(kRatio, ""),    cell(kMean, "%"),    cell(kLowest, "%"),
                       cell(kHighest, "%")};
}

std::string MapText(const std::string& mapChoice) { return AllMaps(mapChoice) ? "All maps" : mapChoice; }

}  // namespace tovrik
