#include "ui/figure_text.h"

#include <charconv>
#include <stdexcept>

#include "base/number_text.h"
#include "engine/match_file.h"

namespace tovrik {
namespace {

FigureValue Count(std::int32_t value) { return FigureValue{value, true}; }

FigureValue Share(std::int32_t part, const Figures& f) {
    if (f.shots == 0) return {};
    return FigureValue{SharePercent(part, f.shots)};
}

FigureValue Accuracy(double value, const Figures& f) {
    if (f.collected == 0) return {};
    return FigureValue{value};
}

std::string TwoDecimals(double value) {
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2).ptr);
}

}  // namespace

float SharePercent(std::int32_t part, std::int32_t whole) {
    return static_cast<float>(static_cast<double>(std::int64_t{part} * 100) / static_cast<double>(whole));
}

float KillDeathRatio(std::int32_t kills, std::int32_t deaths) {
    return static_cast<float>(static_cast<double>(kills) / static_cast<double>(deaths));
}

const std::vector<Figure>& FigureTable() {
    using K = FigureKind;
    static const std::vector<Figure> kTable{
        {"games", "Games", "Played:", "", Label::Label26, 12, K::Count,
         [](const Figures& f) { return Count(f.games); }},
        {"shots", "Shots", "Total shoots:", "", Label::Label10, 4, K::Count,
         [](const Figures& f) { return Count(f.shots); }},
        {"hits", "Hits", "Total hits:", "", Label::Label12, 8, K::Count,
         [](const Figures& f) { return Count(f.hits); }},
        {"hit_percent", "Hit %", nullptr, "", Label::Label18, 7, K::Share,
         [](const Figures& f) { return Share(f.hits, f); }},
        {"headshots", "Headshots", "Total headshots:", "", Label::Label9, 5, K::Count,
         [](const Figures& f) { return Count(f.headshots); }},
        {"headshot_percent", "HS %", nullptr, "", Label::Label17, 6, K::Share,
         [](const Figures& f) { return Share(f.headshots, f); }},
        {"kills", "Kills", "Total kills:", "", Label::Label15, 9, K::Count,
         [](const Figures& f) { return Count(f.kills); }},
        {"deaths", "Deaths", "Total deaths:", "", Label::Label16, 10, K::Count,
         [](const Figures& f) { return Count(f.deaths); }},
        {"kill_death_ratio", "K/D", "Ratio (k/d):", "", Label::Label20, 11, K::Ratio,
         [](const Figures& f) {  // no death: the kills
             return f.deaths != 0 ? FigureValue{KillDeathRatio(f.kills, f.deaths)} : Count(f.kills);
         }},
        {"mean_accuracy", "Mean", "Accuracy:", "", Label::Label24, 3, K::Mean,
         [](const Figures& f) { return Accuracy(f.mean, f); }},
        {"lowest_accuracy", "Lowest", nullptr, "lowest ", Label::Label22, 1, K::Extreme,
         [](const Figures& f) { return Accuracy(f.lowest, f); }},
        {"highest_accuracy", "Highest", nullptr, "   highest ", Label::Label23, 2, K::Extreme,
         [](const Figures& f) { return Accuracy(f.highest, f); }},
    };
    return kTable;
}

namespace {

// The row of `table` whose JSON member is `key`.
template <class Table>
const typename Table::value_type& Named(const Table& table, const std::string& key) {
    for (const auto& figure : table)
        if (key == figure.key) return figure;
    throw std::logic_error("no figure " + key);
}

}  // namespace

const Figure& FigureNamed(const std::string& key) { return Named(FigureTable(), key); }

const CareerFigure& CareerNamed(const std::string& key) { return Named(CareerTable(), key); }

std::string WindowText(const Figure& figure, const Figures& figures, char sep) {
    FigureValue value = figure.read(figures);
    if (!value.number) return figure.kind == FigureKind::Share ? "0" : "-";
    if (value.whole) return LongToText(static_cast<std::int32_t>(*value.number));
    const auto number = static_cast<float>(*value.number);
    switch (figure.kind) {
        case FigureKind::Ratio:
            return Virgule(number, sep);
        case FigureKind::Extreme:
            return SingleToText(number, sep) + "%";
        default:
            return Virgule(number, sep) + "%";
    }
}

namespace {

// A figure of `kind` as a table's cell.
std::string Cell(FigureKind kind, const FigureValue& value, char sep) {
    if (!value.number) return "-";
    if (kind == FigureKind::Text) return value.text;
    if (kind == FigureKind::Count) return std::to_string(static_cast<std::int64_t>(*value.number));
    return OneDecimal(static_cast<float>(*value.number), sep) + (kind == FigureKind::Ratio ? "" : "%");
}

// A figure of `kind` as CSV and JSON write it.
std::string Data(FigureKind kind, const FigureValue& value, const std::string& none) {
    if (!value.number) return none;
    if (kind == FigureKind::Text) return value.text;
    if (kind == FigureKind::Count) return std::to_string(static_cast<std::int64_t>(*value.number));
    return TwoDecimals(*value.number);
}

// The sum of a figure every counted match tells, 0 over none.
FigureValue Total(const CareerFigures& f, MatchLines::Number n) { return FigureValue{static_cast<double>(f.sums[n]), true}; }

// The sum of a figure some matches may not tell; none when none did.
FigureValue Sum(const CareerFigures& f, MatchLines::Number n) { return f.told[n] == 0 ? FigureValue{} : Total(f, n); }

// `part` per `whole`; none without a whole.
FigureValue Per(double part, double whole) { return whole != 0 ? FigureValue{part / whole} : FigureValue{}; }

}  // namespace

std::string CellText(const Figure& figure, const Figures& figures, char sep) {
    return Cell(figure.kind, figure.read(figures), sep);
}

std::string DataText(const Figure& figure, const Figures& figures, const std::string& none) {
    return Data(figure.kind, figure.read(figures), none);
}

std::string CellText(const CareerFigure& figure, const CareerFigures& figures, char sep) {
    return Cell(figure.kind, figure.read(figures), sep);
}

std::string DataText(const CareerFigure& figure, const CareerFigures& figures, const std::string& none) {
    return Data(figure.kind, figure.read(figures), none);
}

const std::vector<CareerFigure>& CareerTable() {
    using K = FigureKind;
    using L = MatchLines;
    using F = const CareerFigures&;
    static const std::vector<CareerFigure> kTable{
        {"games", "Games", "Played:", K::Count, [](F f) { return Count(f.games); }, nullptr},
        {"damage_given", "Dmg given", "Damage given:", K::Count, [](F f) { return Sum(f, L::DamageGiven); },
         [](F f) { return f.told[L::DamageGiven]; }},
        {"damage_received", "Dmg recvd", "Damage received:", K::Count, [](F f) { return Sum(f, L::DamageReceived); },
         [](F f) { return f.told[L::DamageReceived]; }},
        {"damage_ratio", "Given/recvd", "Given/received:", K::Ratio,
         [](F f) {
             return Per(static_cast<double>(f.sums[L::DamageGiven]), static_cast<double>(f.sums[L::DamageReceived]));
         },
         nullptr},
        {"damage_per_game", "Dmg/game", "Damage per game:", K::Ratio,
         [](F f) { return Per(static_cast<double>(f.sums[L::DamageGiven]), f.told[L::DamageGiven]); }, nullptr},
        {"team_damage_given", "Team given", "Team damage given:", K::Count,
         [](F f) { return Sum(f, L::TeamDamageGiven); }, [](F f) { return f.told[L::TeamDamageGiven]; }},
        {"team_damage_received", "Team recvd", "Team damage received:", K::Count,
         [](F f) { return Sum(f, L::TeamDamageReceived); }, [](F f) { return f.told[L::TeamDamageReceived]; }},
        {"gibs", "Gibs", "Gibs:", K::Count, [](F f) { return Sum(f, L::Gibs); }, [](F f) { return f.told[L::Gibs]; }},
        {"kills", "Kills", "Kills:", K::Count, [](F f) { return Total(f, L::WeaponKills); }, nullptr},
        {"deaths", "Deaths", "Deaths:", K::Count, [](F f) { return Total(f, L::WeaponDeaths); }, nullptr},
        {"kill_death_ratio", "K/D", "Ratio (k/d):", K::Ratio,
         [](F f) {  // no death: the kills
             return f.sums[L::WeaponDeaths] != 0 ? Per(static_cast<double>(f.sums[L::WeaponKills]),
                                                       static_cast<double>(f.sums[L::WeaponDeaths]))
                                                 : Total(f, L::WeaponKills);
         },
         nullptr},
        {"xp", "XP", "XP:", K::Count,
         [](F f) {
             return f.xp ? FigureValue{static_cast<double>(*f.xp), true} : FigureValue{};
         },
         [](F f) { return f.told[L::Xp]; }},
        {"rank", "Rank", "Rank:", K::Text,
         [](F f) {
             return f.rank.empty() ? FigureValue{} : FigureValue{0.0, false, f.rank};
         },
         [](F f) { return f.ranked; }},
    };
    return kTable;
}

std::string MapText(const std::string& mapChoice) { return AllMaps(mapChoice) ? "All maps" : mapChoice; }

}  // namespace tovrik
