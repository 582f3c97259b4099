#pragma once

#include <string_view>

namespace tovrik {

// The map choice that lets every match count.
constexpr const char* kAllMaps = "-- All maps --";

// True when `mapChoice` lets every match count: the all-maps choice, or none.
bool AllMaps(std::string_view mapChoice);

// The match's map: the first line's text after its last space, or the whole
// line when it has none.
std::string_view MapName(std::string_view firstLine);

// `text` without spaces and tabs at either end.
std::string_view Trimmed(std::string_view text);

// The row name of a line: its text before the first ":", without spaces and
// tabs at either end. False when the line has no ":".
bool RowName(std::string_view line, std::string_view& name);

// True when a match played on `map` counts for `mapChoice`: the same name,
// or a choice that lets every match count.
bool MapPasses(std::string_view map, std::string_view mapChoice);

}  // namespace tovrik
