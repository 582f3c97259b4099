#pragma once

#include <string>
#include <string_view>

namespace tovrik {

// The map choice that lets every match count.
constexpr const char* kAllMaps = "-- All maps --";

// The match's map: the first line's text after its last space, or the whole
// line when it has none.
std::string_view MapName(std::string_view firstLine);

// The row name of a line: its text before the first ":", without spaces and
// tabs at either end. False when the line has no ":".
bool RowName(std::string_view line, std::string_view& name);

// True when `line` is a row of `weapon`: its row name is the weapon's name, or
// the name today's game writes for it ("MP 40" for "MP-40"), byte for byte.
// The empty weapon has no rows.
bool IsWeaponLine(std::string_view line, std::string_view weapon);

// True when a match played on `map` counts for `mapChoice`: the same name,
// the all-maps choice, or no choice.
bool MapPasses(std::string_view map, std::string_view mapChoice);

}  // namespace tovrik
