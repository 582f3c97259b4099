#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovrik {

// What a match file tells of the match beside its weapon rows: the damage
// lines, the rank and XP, the player and the rounds. Each is known only when
// its line was read whole; the first line that tells it counts. And the sums
// of its weapon rows' kills and deaths, kept when the rows are not.
struct MatchLines {
    enum Number : std::uint8_t {
        DamageGiven,
        DamageReceived,
        TeamDamageGiven,
        TeamDamageReceived,
        Gibs,
        TeamKills,
        SelfKills,
        Xp,
        Rounds,
        WeaponKills,   // the kills and deaths of the weapon rows read, summed by the
        WeaponDeaths,  // scan that reads the lines: rows with an error left out
        kNumbers
    };
    static constexpr std::uint32_t kNone = UINT32_MAX;

    std::array<std::int32_t, kNumbers> numbers{};
    std::uint16_t known = 0;       // bit n: numbers[n] was read
    std::uint32_t rank = kNone;    // into MatchNames::ranks
    std::uint32_t player = kNone;  // into MatchNames::players

    std::optional<std::int32_t> number(Number n) const {
        return (known >> n & 1) != 0 ? std::optional<std::int32_t>(numbers[n]) : std::nullopt;
    }
    // Sets `n` unless a line read before told it.
    void tell(Number n, std::int32_t value) {
        if ((known >> n & 1) != 0) return;
        numbers[n] = value;
        known = static_cast<std::uint16_t>(known | 1u << n);
    }
};

// The texts of a match's own lines, before the table names them by number;
// "" where no line told them.
struct MatchLineTexts {
    std::string rank, player;
};

// Reads one line of a match file that is not a weapon row, whose text before
// its first ":" is `rowName`, into `lines` and `texts`: the damage lines of
// both games, "Kills:", "Deaths:" and "Gibs:" of today's game, "Rank: NAME
// (N XP)" and "Overall stats for: NAME (N Round)". A line of another name, or
// a figure not written as the game writes it, tells nothing.
void ReadMatchLine(std::string_view rowName, std::string_view line, MatchLines& lines, MatchLineTexts& texts);

}  // namespace tovrik
