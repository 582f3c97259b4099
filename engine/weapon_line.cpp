#include "engine/weapon_line.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "base/quote.h"
#include "base/run_error.h"

namespace tovrik {
namespace {

bool Contains(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

// Whether a weapon line has the accuracy and hits/shots columns: a "/" and a
// "." anywhere in it, its name included.
bool HasAccuracyColumns(std::string_view line) { return Contains(line, '/') && Contains(line, '.'); }

// A field of a weapon line in the shape the game writes: digits, and at most
// one "." or "/" with digits after it.
struct PlainField {
    std::uint32_t numbers[2]{};  // before and after the separator
    std::uint32_t digits[2]{};
    char separator{};  // none

    // A whole number of at most four digits, which no 16-bit range check can fail.
    bool whole(std::int16_t& value) const {
        value = static_cast<std::int16_t>(numbers[0]);
        return separator == 0 && digits[0] <= 4;
    }
};

// The digits from `p` on: their number (wrapping past 32 bits, where it
// counts no more) and how many there are.
const char* ReadDigits(const char* p, const char* end, std::uint32_t& number, std::uint32_t& digits) {
    number = 0;
    digits = 0;
    for (; p < end && static_cast<unsigned char>(*p - '0') <= 9; ++p, ++digits)
        number = number * 10 + static_cast<std::uint32_t>(*p - '0');
    return p;
}

// The field from `p` on into `field`, new, and the byte after it; nullptr
// when it is not of the plain shape.
const char* ReadPlainField(const char* p, const char* end, PlainField& field) {
    p = ReadDigits(p, end, field.numbers[0], field.digits[0]);
    if (field.digits[0] == 0) return nullptr;
    if (p < end && (*p == '.' || *p == '/')) {
        field.separator = *p;
        p = ReadDigits(p + 1, end, field.numbers[1], field.digits[1]);
        if (field.digits[1] == 0) return nullptr;
    }
    return p == end || *p == ' ' ? p : nullptr;
}

// The first byte from `p` on that is not a space, or `end`. Eight bytes at a
// time: the game pads its columns with long runs of spaces.
const char* SkipSpaces(const char* p, const char* end) {
    for (; end - p >= 8; p += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, sizeof word);
        word ^= 0x2020202020202020u;  // spaces become zero bytes
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        if (word != 0) return p + __builtin_ctzll(word) / 8;
#else
        if (word != 0) return p + __builtin_clzll(word) / 8;
#endif
    }
    while (p < end && *p == ' ') ++p;
    return p;
}

}  // namespace

void NormalizeWeaponLine(std::string_view line, RowEnd rowEnd, std::string& record) {
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
    if (HasAccuracyColumns(line)) {
        if (bars == 3) record += "|0";  // no headshots column
        if (rowEnd == RowEnd::MayEndAfterShots && (bars == 1 || (bars == 2 && record.back() == '|'))) {
            if (bars == 2) record.pop_back();  // its trailing space
            record += "|0|0|0";                 // no kills, deaths or headshots
        }
    } else if (bars == 1) {
        record.insert(0, "0.0|0/0|");  // kills and deaths only
        record += "|0";
    } else {
        record.insert(0, "0.0|0/0|");  // no accuracy and no hits/shots
    }
}

bool ReadPlainRow(std::string_view line, RowEnd rowEnd, float& accuracy, std::array<std::int16_t, 5>& numbers) {
    std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || line.size() > kMaxLineLength) return false;
    PlainField fields[5];
    std::size_t count = 0;
    for (const char *p = line.data() + colon + 1, *end = line.data() + line.size();;) {
        p = SkipSpaces(p, end);
        if (p == end) break;
        if (count == 5 || (p = ReadPlainField(p, end, fields[count++])) == nullptr) return false;
    }
    // A trailing space gives an empty last field: only a line with all its
    // columns can spare it.
    const bool spaced = line.back() == ' ';
    const bool shotsOnly = count == 2 && rowEnd == RowEnd::MayEndAfterShots;
    if (count == 5 || (count == 4 && !spaced) || shotsOnly) {
        static constexpr std::uint32_t kTens[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
        const PlainField& shot = fields[0];
        const PlainField& hit = fields[1];
        if (shot.separator != '.' || shot.digits[0] + shot.digits[1] > 7 || hit.separator != '/' || hit.digits[0] > 4 ||
            hit.digits[1] > 4)
            return false;
        numbers = {0, 0, 0, 0, 0};
        if (!shotsOnly && (!fields[2].whole(numbers[3]) || !fields[3].whole(numbers[4]))) return false;
        if (count == 5 && !fields[4].whole(numbers[0])) return false;
        numbers[1] = static_cast<std::int16_t>(hit.numbers[1]);
        numbers[2] = static_cast<std::int16_t>(hit.numbers[0]);
        // Both the digits and their power of ten are exact in a float: one
        // division rounds as reading the text does.
        const auto tens = static_cast<float>(kTens[shot.digits[1]]);
        accuracy = static_cast<float>(shot.numbers[0] * kTens[shot.digits[1]] + shot.numbers[1]) / tens;
        return true;
    }
    if ((count == 3 || (count == 2 && !spaced)) && !HasAccuracyColumns(line)) {
        accuracy = 0;
        numbers = {0, 0, 0, 0, 0};
        return fields[0].whole(numbers[3]) && fields[1].whole(numbers[4]) &&
               (count == 2 || fields[2].whole(numbers[0]));
    }
    return false;
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
