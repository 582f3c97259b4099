#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovrik {

// The weapons a player can choose, in the order the weapon list shows them:
// the classic game's, then those only today's game writes.
const std::vector<std::string>& Weapons();

// The position of `weapon` in Weapons(), by its exact name; none for any other text.
std::optional<std::size_t> WeaponIndex(std::string_view weapon);

// The other name under which today's game writes the rows of `weapon` ("MP 40"
// for "MP-40"); empty when it has none.
std::string_view OtherSpelling(std::string_view weapon);

// The weapon whose rows carry the row name `name` (a weapon's name or today's
// other spelling of it, byte for byte); none for any other name.
std::optional<std::size_t> WeaponOfRow(std::string_view name);

// Whether today's game may end a row of `weapon` after its hits/shots, with
// no kills, deaths or headshots: the Syringe's.
bool MayEndAfterShots(std::size_t weapon);

// A set of weapons, bit i for Weapons()[i].
using WeaponSet = std::uint32_t;
constexpr WeaponSet kEveryWeapon = ~WeaponSet{0};
constexpr WeaponSet WeaponBit(std::size_t weapon) { return WeaponSet{1} << weapon; }

}  // namespace tovrik
