#include "engine/weapons.h"

#include <utility>

namespace tovrik {

const std::vector<std::string>& Weapons() {
    static const std::vector<std::string> kWeapons = {
        "Knife",     "Luger",     "Colt",      "MP-40",    "Thompson",   "FG-42",   "Panzer",
        "Grenade",   "K43 Rifle", "G.Launchr", "Sten",     "Garand",     "Mortar",  "MG-42 Gun",
        "Airstrike", "Artillery", "F.Thrower", "Syringe",  "Ka-Bar",     "Bazooka", "Granatwerf",
        "Dynamite",  "Satchel",   "Landmine",  "Browning", "Scp.Garand", "Scp.K43", "MP 34"};
    return kWeapons;
}

std::string_view OtherSpelling(std::string_view weapon) {
    static constexpr std::pair<std::string_view, std::string_view> kRenamed[] = {
        {"MP-40", "MP 40"}, {"FG-42", "FG 42"}, {"MG-42 Gun", "MG 42 Gun"}};
    for (auto [classic, today] : kRenamed)
        if (weapon == classic) return today;
    return {};
}

}  // namespace tovrik
