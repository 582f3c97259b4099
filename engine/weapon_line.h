#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tovrik {

// How many columns a weapon's row must have: all of them, or, for a row that
// may end after its hits/shots (today's Syringe), the accuracy and hits/shots
// alone, kills, deaths and headshots then read as 0.
enum class RowEnd : bool { AfterDeaths, MayEndAfterShots };

// The normalized text of a weapon line into `record` (its room reused):
// accuracy|hits/shots|kills|deaths|headshots, with the defaults filled in for
// lines that lack the accuracy, the hits/shots or the headshots column.
// Throws RunError (Overflow) for an overlong line.
void NormalizeWeaponLine(std::string_view line, RowEnd rowEnd, std::string& record);

// A weapon line in the shape the game writes, read straight into its
// accuracy and numbers (headshots, shots, hits, kills, deaths): after the
// colon, "accuracy hits/shots kills deaths [headshots]" or "kills deaths
// [headshots]" of plain digits, at most four a number and seven in the
// accuracy, or "accuracy hits/shots" alone where `end` allows. What the
// normalized fields give for such a line; false for any other line, leaving
// it to them.
bool ReadPlainRow(std::string_view line, RowEnd rowEnd, float& accuracy, std::array<std::int16_t, 5>& numbers);

// The "|"-separated fields of a record into `fields`, cleared first; an
// empty record has none.
void SplitRecord(std::string_view record, std::vector<std::string_view>& fields);

// Field `index` of `fields`, the split of `record`. Throws RunError
// (SubscriptOutOfRange) when there is no such field.
std::string_view RecordField(const std::vector<std::string_view>& fields, std::string_view record, int index);

// Part `index` of `text` split at "/", as a 16-bit whole number. Throws
// RunError: SubscriptOutOfRange for a missing part, Conversion for a part that
// is not a whole number, Overflow outside -32,768..32,767.
std::int16_t GetSlashPart(std::string_view text, int index);

// `text` as a 16-bit whole number (an optional sign and decimal digits).
// Throws RunError: Conversion or Overflow, as GetSlashPart.
std::int16_t ToInteger(std::string_view text);

// `text` as a decimal number with "." as the decimal point, whatever the
// locale. Throws RunError: Conversion for anything else, Overflow past the
// Single range.
float ToSingle(std::string_view text);

}  // namespace tovrik
