#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tovrik {

// The weapons a player can choose, in the order the weapon list shows them:
// the classic game's, then those only today's game writes.
const std::vector<std::string>& Weapons();

// The other name under which today's game writes the rows of `weapon` ("MP 40"
// for "MP-40"); empty when it has none.
std::string_view OtherSpelling(std::string_view weapon);

}  // namespace tovrik
