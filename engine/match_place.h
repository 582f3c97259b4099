#pragma once

#include <string>

#include "engine/match_reader.h"

namespace tovrik {

// Where and when a match was played and where its file lies: what every
// face names a match by (the report's lines and JSON, the chart's tips, the
// breakdown's best and worst).
struct MatchPlace {
    MatchDate date;
    int time = -1;     // HHMMSS, or -1
    std::string map;   // "" when it was not read
    std::string path;  // its file

    static MatchPlace Of(const MatchNames& names, const MatchRecord& match);

    // "2026-12-06" and "19:45:12"; "" where the path tells none.
    std::string day() const { return DayText(date); }
    std::string clock() const { return TimeText(time); }
    // "2026-12-06 19:45:12", with "-" for a day or a time the path does not tell.
    std::string when() const;
};

}  // namespace tovrik
