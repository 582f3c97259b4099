#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tovrik {

// ASCII letters folded to upper case; every other byte is kept. Names from
// files and command lines are bytes in no known encoding, so only ASCII folds.
constexpr unsigned char AsciiUpper(unsigned char c) {
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c;
}

// ASCII letters folded to lower case; every other byte is kept.
constexpr unsigned char AsciiLower(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

// True when `a` sorts before `b` with ASCII letters folded to upper case
// (the order of directory listings); equal folds compare equal.
bool FoldedLess(std::string_view a, std::string_view b);

// The key of a name in the order of the map list and of every view by map:
// ASCII letters without regard to case, punctuation (every other ASCII byte)
// before digits and digits before letters, bytes past ASCII last; two names
// are in list order when their keys are in byte order.
std::string ListKey(std::string_view text);

// True when `a` sorts before `b` in the map list's order: ListKey(a) < ListKey(b).
bool ListLess(std::string_view a, std::string_view b);

// True when `a` and `b` are the same with ASCII letters folded.
bool FoldedEqual(std::string_view a, std::string_view b);

// The number of single-byte insertions, deletions and changes that turn `a`
// into `b`.
std::size_t EditDistance(std::string_view a, std::string_view b);

}  // namespace tovrik
