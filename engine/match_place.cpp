#include "engine/match_place.h"

namespace tovrik {

MatchPlace MatchPlace::Of(const MatchNames& names, const MatchRecord& match) {
    return MatchPlace{match.date, match.time, std::string(names.map(match)), names.path(match)};
}

std::string MatchPlace::when() const {
    std::string dayText = day(), timeText = clock();
    return (dayText.empty() ? "-" : dayText) + " " + (timeText.empty() ? "-" : timeText);
}

}  // namespace tovrik
