#include "engine/match_file.h"

#include "engine/weapons.h"

namespace tovrik {

std::string_view MapName(std::string_view firstLine) {
    std::size_t space = firstLine.rfind(' ');
    return space == std::string_view::npos ? firstLine : firstLine.substr(space + 1);
}

bool RowName(std::string_view line, std::string_view& name) {
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return false;
    name = line.substr(0, colon);
    std::size_t first = name.find_first_not_of(" \t");
    name = first == std::string_view::npos ? std::string_view()
                                           : name.substr(first, name.find_last_not_of(" \t") + 1 - first);
    return true;
}

bool IsWeaponLine(std::string_view line, std::string_view weapon) {
    std::string_view name;
    if (weapon.empty() || !RowName(line, name)) return false;
    std::string_view other = OtherSpelling(weapon);
    return name == weapon || (!other.empty() && name == other);
}

bool MapPasses(std::string_view map, std::string_view mapChoice) {
    return mapChoice.empty() || mapChoice == kAllMaps || map == mapChoice;
}

}  // namespace tovrik
