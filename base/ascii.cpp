#include "base/ascii.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace tovrik {

bool FoldedLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return AsciiUpper(static_cast<unsigned char>(x)) < AsciiUpper(static_cast<unsigned char>(y));
    });
}

namespace {

// The rank of each byte in the map list's order; see ListKey.
struct ListRanks {
    unsigned char rank[256] = {};
    constexpr ListRanks() {
        int next = 0;
        for (int c = 0; c < 128; ++c)
            if (!IsAsciiAlnum(c)) rank[c] = static_cast<unsigned char>(next++);
        for (int c = '0'; c <= '9'; ++c) rank[c] = static_cast<unsigned char>(next++);
        for (int c = 'a'; c <= 'z'; ++c) rank[c] = rank[c - 32] = static_cast<unsigned char>(next++);
        for (int c = 128; c < 256; ++c) rank[c] = static_cast<unsigned char>(next++);
    }
    static constexpr bool IsAsciiAlnum(int c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    }
};
constexpr ListRanks kListRanks;

}  // namespace

std::string ListKey(std::string_view text) {
    std::string key(text);
    for (char& c : key) c = static_cast<char>(kListRanks.rank[static_cast<unsigned char>(c)]);
    return key;
}

bool ListLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return kListRanks.rank[static_cast<unsigned char>(x)] < kListRanks.rank[static_cast<unsigned char>(y)];
    });
}

bool FoldedEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiUpper(static_cast<unsigned char>(x)) == AsciiUpper(static_cast<unsigned char>(y));
           });
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
    // A row of the table at a time: row[j] is the distance from the part of
    // `a` read so far to the first j characters of `b`.
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (char x : a) {
        std::size_t diagonal = row[0]++;
        for (std::size_t j = 1; j < row.size(); ++j) {
            std::size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (x != b[j - 1])});
            diagonal = above;
        }
    }
    return row.back();
}

}  // namespace tovrik
