#include "engine/match_file.h"

#include <cstring>

namespace tovrik {

bool AllMaps(std::string_view mapChoice) { return mapChoice.empty() || mapChoice == kAllMaps; }

std::string_view MapName(std::string_view firstLine) {
    std::size_t space = firstLine.rfind(' ');
    return space == std::string_view::npos ? firstLine : firstLine.substr(space + 1);
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool RowName(std::string_view line, std::string_view& name) {
    if (line.empty()) return false;
    const void* colon = std::memchr(line.data(), ':', line.size());
    if (colon == nullptr) return false;
    name = Trimmed(line.substr(0, static_cast<std::size_t>(static_cast<const char*>(colon) - line.data())));
    return true;
}

bool MapPasses(std::string_view map, std::string_view mapChoice) { return AllMaps(mapChoice) || map == mapChoice; }

}  // namespace tovrik
