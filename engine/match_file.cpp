#include "engine/match_file.h"

namespace tovrik {
namespace {

bool Contains(std::string_view text, std::string_view part) {
    // The empty text lies in every non-empty text and in no empty one.
    return part.empty() ? !text.empty() : text.find(part) != std::string_view::npos;
}

}  // namespace

std::string_view MapName(std::string_view firstLine) {
    std::size_t space = firstLine.rfind(' ');
    return space == std::string_view::npos ? firstLine : firstLine.substr(space + 1);
}

bool IsWeaponLine(std::string_view line, std::string_view weapon) {
    return Contains(line, weapon) && !Contains(line, "Allies") && !Contains(line, "Axis");
}

bool MapPasses(std::string_view map, std::string_view mapChoice) {
    return mapChoice.empty() || mapChoice == kAllMaps || map == mapChoice;
}

}  // namespace tovrik
