#include "engine/weapons.h"

#include <algorithm>
#include <utility>

namespace tovrik {
namespace {

struct RowName {
    std::string_view name;
    std::uint8_t weapon;
};

// Every row name of a weapon, both spellings, shortest first.
std::vector<RowName> RowNames() {
    std::vector<RowName> names;
    for (std::size_t i = 0; i < Weapons().size(); ++i) {
        names.push_back(RowName{Weapons()[i], static_cast<std::uint8_t>(i)});
        if (!OtherSpelling(Weapons()[i]).empty())
            names.push_back(RowName{OtherSpelling(Weapons()[i]), static_cast<std::uint8_t>(i)});
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const RowName& a, const RowName& b) { return a.name.size() < b.name.size(); });
    return names;
}

}  // namespace

const std::vector<std::string>& Weapons() {
    static const std::vector<std::string> kWeapons = {
        "Knife",     "Luger",     "Colt",      "MP-40",    "Thompson",   "FG-42",   "Panzer",
        "Grenade",   "K43 Rifle", "G.Launchr", "Sten",     "Garand",     "Mortar",  "MG-42 Gun",
        "Airstrike", "Artillery", "F.Thrower", "Syringe",  "Ka-Bar",     "Bazooka", "Granatwerf",
        "Dynamite",  "Satchel",   "Landmine",  "Browning", "Scp.Garand", "Scp.K43", "MP 34"};
    return kWeapons;
}

std::optional<std::size_t> WeaponIndex(std::string_view weapon) {
    auto at = std::find(Weapons().begin(), Weapons().end(), weapon);
    if (at == Weapons().end()) return {};
    return static_cast<std::size_t>(at - Weapons().begin());
}

std::string_view OtherSpelling(std::string_view weapon) {
    static constexpr std::pair<std::string_view, std::string_view> kRenamed[] = {
        {"MP-40", "MP 40"}, {"FG-42", "FG 42"}, {"MG-42 Gun", "MG 42 Gun"}};
    for (auto [classic, today] : kRenamed)
        if (weapon == classic) return today;
    return {};
}

bool MayEndAfterShots(std::size_t weapon) {
    static const std::size_t kSyringe = *WeaponIndex("Syringe");
    return weapon == kSyringe;
}

std::optional<std::size_t> WeaponOfRow(std::string_view name) {
    static const std::vector<RowName> kNames = RowNames();
    static const std::size_t kLongest = kNames.back().name.size();
    // Most lines of a match file name no weapon: their length or first
    // letter tells it before any comparison of the whole name.
    if (name.size() < kNames.front().name.size() || name.size() > kLongest) return {};
    for (const RowName& row : kNames) {
        if (row.name.size() > name.size()) break;
        if (row.name.size() == name.size() && row.name[0] == name[0] && row.name == name) return row.weapon;
    }
    return {};
}

}  // namespace tovrik
