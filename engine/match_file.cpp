#include "engine/match_file.h"

#include <cstring>

namespace tovrik {

bool AllMaps(std::string_view mapChoice) { return mapChoice.empty() || mapChoice == kAllMaps; }

std::string_view MapName(std::string_view firstLine) {
    std::size_t space = firstLine.rfind(' ');
    return space == std::string_view::npos ? firstLine : firstLine.substr(space + 1);
}

bool RowName(std::string_view line, std::string_view& name) {
    if (line.empty()) return false;
    const void* colon = std::memchr(line.data(), ':', line.size());
    if (colon == nullptr) return false;
    name = line.substr(0, static_cast<std::size_t>(static_cast<const char*>(colon) - line.data()));
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
    return true;
}

bool MapPasses(std::string_view map, std::string_view mapChoice) { return AllMaps(mapChoice) || map == mapChoice; }

}  // namespace tovrik
