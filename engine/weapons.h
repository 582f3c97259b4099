#pragma once

#include <string>
#include <vector>

namespace tovrik {

// The weapons a player can choose, in the order the weapon list shows them.
const std::vector<std::string>& Weapons();

}  // namespace tovrik
