#include "engine/match_lines.h"

#include <utility>

#include "engine/match_file.h"

namespace tovrik {
namespace {

// The whole number that is all of `text`: digits only, at most 2,147,483,647.
std::optional<std::int32_t> WholeNumber(std::string_view text) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// The figure a label of a line of numbers tells, or none. Labels of other
// lengths are passed over at once: most labels of a file are none of these.
std::optional<MatchLines::Number> Told(std::string_view label) {
    switch (label.size()) {
        case 4:
            if (label == "Gibs") return MatchLines::Gibs;
            break;
        case 10:
            if (label == "Team Kills") return MatchLines::TeamKills;
            if (label == "Self Kills") return MatchLines::SelfKills;
            break;
        case 11:  // the classic game's, on the line of the damage given
            if (label == "Team Damage") return MatchLines::TeamDamageGiven;
            break;
        case 12:
            if (label == "Damage Given") return MatchLines::DamageGiven;
            if (label == "Damage Recvd") return MatchLines::DamageReceived;
            break;
        case 17:
            if (label == "Team Damage Given") return MatchLines::TeamDamageGiven;
            if (label == "Team Damage Recvd") return MatchLines::TeamDamageReceived;
            break;
    }
    return std::nullopt;
}

bool Blank(char c) { return c == ' ' || c == '\t'; }

// A line of "Label: value" pairs, values without spaces: each known label's
// value into `lines` when it is a whole number. Other labels and values are
// passed over.
void ReadLabelledNumbers(std::string_view line, MatchLines& lines) {
    std::size_t at = 0;
    const std::size_t size = line.size();
    while (at < size) {
        while (at < size && Blank(line[at])) ++at;
        const std::size_t start = at;
        while (at < size && line[at] != ':') ++at;
        if (at == size) return;
        std::size_t end = at++;
        while (end > start && Blank(line[end - 1])) --end;
        while (at < size && Blank(line[at])) ++at;
        const std::size_t value = at;
        while (at < size && !Blank(line[at])) ++at;
        if (const std::optional<MatchLines::Number> told = Told(line.substr(start, end - start)))
            if (const std::optional<std::int32_t> number = WholeNumber(line.substr(value, at - value)))
                lines.tell(*told, *number);
    }
}

// "NAME (N WORD)" or "NAME (N WORDs)": the name and N; false when the text
// is not so written or the name is empty.
bool NameAndCount(std::string_view text, std::string_view word, std::string_view& name, std::int32_t& count) {
    text = Trimmed(text);
    const std::size_t open = text.rfind(" (");
    if (open == std::string_view::npos || text.back() != ')') return false;
    std::string_view inside = text.substr(open + 2, text.size() - open - 3);
    const std::size_t space = inside.find(' ');
    if (space == std::string_view::npos) return false;
    const std::string_view unit = inside.substr(space + 1);
    if (unit != word && !(unit.size() == word.size() + 1 && unit.substr(0, word.size()) == word && unit.back() == 's'))
        return false;
    const std::optional<std::int32_t> number = WholeNumber(inside.substr(0, space));
    name = Trimmed(text.substr(0, open));
    if (!number || name.empty()) return false;
    count = *number;
    return true;
}

}  // namespace

void ReadMatchLine(std::string_view rowName, std::string_view line, MatchLines& lines, MatchLineTexts& texts) {
    const std::string_view rest = line.substr(line.find(':') + 1);
    std::string_view name;
    std::int32_t count = 0;
    if (rowName == "Rank") {
        if (texts.rank.empty() && NameAndCount(rest, "XP", name, count)) {
            texts.rank.assign(name);
            lines.tell(MatchLines::Xp, count);
        }
    } else if (rowName == "Overall stats for") {
        if (texts.player.empty() && NameAndCount(rest, "Round", name, count)) {
            texts.player.assign(name);
            lines.tell(MatchLines::Rounds, count);
        }
    } else if (rowName == "Damage Given" || rowName == "Damage Recvd" || rowName == "Kills" || rowName == "Deaths" ||
               rowName == "Gibs") {
        ReadLabelledNumbers(line, lines);
    }
}

}  // namespace tovrik
