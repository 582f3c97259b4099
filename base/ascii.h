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

// True when `a` sorts before `b` with ASCII letters folded (the order of the
// map list and of directory listings); equal folds compare equal.
bool FoldedLess(std::string_view a, std::string_view b);

// `text` with its ASCII letters folded: FoldedLess(a, b) is Folded(a) <
// Folded(b), which sorts many names faster.
std::string Folded(std::string_view text);

// True when `a` and `b` are the same with ASCII letters folded.
bool FoldedEqual(std::string_view a, std::string_view b);

// The number of single-byte insertions, deletions and changes that turn `a`
// into `b`.
std::size_t EditDistance(std::string_view a, std::string_view b);

}  // namespace tovrik
