#pragma once

#include <cstddef>
#include <cstdint>

namespace tovrik {

// Every whole number of a run lives in one of two widths: an Integer (16-bit)
// for what is read from a line, a Long (32-bit) for totals and counts.
constexpr std::int32_t kIntegerMin = -32768;
constexpr std::int32_t kIntegerMax = 32767;
constexpr std::int32_t kLongMax = 2147483647;

// Line indexes and scan positions are Integers, so a match file holds at most
// kMaxLines lines and a weapon line at most kMaxLineLength characters (its
// last position + 1 must still fit).
constexpr std::size_t kMaxLines = kIntegerMax;
constexpr std::size_t kMaxLineLength = kIntegerMax - 1;

}  // namespace tovrik
