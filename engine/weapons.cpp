#include "engine/weapons.h"

namespace tovrik {

const std::vector<std::string>& Weapons() {
    static const std::vector<std::string> kWeapons = {
        "Knife",     "Luger", "Colt",   "MP-40",  "Thompson",  "FG-42",     "Panzer",    "Grenade",   "K43 Rifle",
        "G.Launchr", "Sten",  "Garand", "Mortar", "MG-42 Gun", "Airstrike", "Artillery", "F.Thrower", "Syringe"};
    return kWeapons;
}

}  // namespace tovrik
