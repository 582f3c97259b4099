#include "engine/weapon_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/quote.h"
#include "base/run_error.h"

namespace tovrik {
namespace {

bool Contains(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

}  // namespace

void NormalizeWeaponLine(std::string_view line, std::string& record) {
    if (line.size() > kMaxLineLength)
        throw RunError(RunError::Kind::Overflow, "the line is " + std::to_string(line.size()) +
                                                     " characters long; a weapon line holds at most 32,766.");

    // Every run of non-space characters after the first ":" becomes a field;
    // a "|" follows a field exactly when a space follows it.
    std::size_t colon = line.find(':');
    std::size_t start = colon == std::string_view::npos ? 0 : colon + 1;
    record.clear();
    for (std::size_t i = start; i < line.size(); ++i) {
        if (line[i] == ' ') continue;
        record += line[i];
        if (i + 1 < line.size() && line[i + 1] == ' ') record += '|';
    }

    const auto bars = std::count(record.begin(), record.end(), '|');  // the last field's index
    if (Contains(line, '/') && Contains(line, '.')) {
        if (bars == 3) record += "|0";  // no headshots column
    } else if (bars == 1) {
        record.insert(0, "0.0|0/0|");  // kills and deaths only
        record += "|0";
    } else {
        record.insert(0, "0.0|0/0|");  // no accuracy and no hits/shots
    }
}

void SplitRecord(std::string_view record, std::vector<std::string_view>& fields) {
    fields.clear();
    if (record.empty()) return;
    std::size_t from = 0;
    for (;;) {
        std::size_t bar = record.find('|', from);
        if (bar == std::string_view::npos) {
            fields.push_back(record.substr(from));
            return;
        }
        fields.push_back(record.substr(from, bar - from));
        from = bar + 1;
    }
}

std::string_view RecordField(const std::vector<std::string_view>& fields, std::string_view record, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= fields.size())
        throw RunError(RunError::Kind::SubscriptOutOfRange, "the weapon line has no field " + std::to_string(index) +
                                                                " (its fields read " + Quoted(record) + ").");
    return fields[static_cast<std::size_t>(index)];
}

std::int16_t GetSlashPart(std::string_view text, int index) {
    std::size_t from = 0;
    for (int part = 0;; ++part) {
        std::size_t slash = text.find('/', from);
        if (part == index) return ToInteger(text.substr(from, slash == std::string_view::npos ? slash : slash - from));
        if (slash == std::string_view::npos || index < 0)
            throw RunError(RunError::Kind::SubscriptOutOfRange,
                           Quoted(text) + " has no part " + std::to_string(index) + " (hits/shots needs a \"/\").");
        from = slash + 1;
    }
}

std::int16_t ToInteger(std::string_view text) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        throw RunError(RunError::Kind::Conversion, Quoted(text) + " is not a whole number.");
    long value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > kIntegerMax + 1) break;
    }
    if (negative) value = -value;
    if (value < kIntegerMin || value > kIntegerMax)
        throw RunError(RunError::Kind::Overflow, Quoted(text) + " is outside -32,768 to 32,767.");
    return static_cast<std::int16_t>(value);
}

float ToSingle(std::string_view text) {
    // A sign, digits, and at most one "." with digits on at least one side.
    std::string_view body = text;
    if (!body.empty() && (body.front() == '-' || body.front() == '+')) body.remove_prefix(1);
    std::size_t dot = body.find('.');
    std::string_view whole = body.substr(0, dot);
    std::string_view fraction = dot == std::string_view::npos ? std::string_view() : body.substr(dot + 1);
    bool digitsOnly = whole.find_first_not_of("0123456789") == std::string_view::npos &&
                      fraction.find_first_not_of("0123456789") == std::string_view::npos;
    if (!digitsOnly || whole.size() + fraction.size() == 0)
        throw RunError(RunError::Kind::Conversion, Quoted(text) + " is not a decimal number.");

    float value = 0;
    // from_chars takes no "+" sign: skip it, and read the rest in the C form.
    std::string_view readable = text.front() == '+' ? text.substr(1) : text;
    auto [end, error] =
        std::from_chars(readable.data(), readable.data() + readable.size(), value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range && whole.find_first_not_of('0') == std::string_view::npos)
        return 0.0f;  // too small for a Single: reads as zero
    if (error == std::errc::result_out_of_range || !std::isfinite(value))
        throw RunError(RunError::Kind::Overflow, Quoted(text) + " is too large a number.");
    if (error != std::errc() || end != readable.data() + readable.size())
        throw RunError(RunError::Kind::Conversion, Quoted(text) + " is not a decimal number.");
    return value;
}

}  // namespace tovrik
