#include "engine/match_date.h"

#include <cstdio>
#include <ctime>
#include <string_view>

namespace tovrik {
namespace {

// Digits of `text` from `at`, `count` of them, as a number; -1 when they are not.
int Digits(const std::string& text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return -1;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool Separated(const std::string& text, std::size_t at, char separator) {
    return at < text.size() && text[at] == separator;
}

// The day, when it is one of the calendar: no 30 February, no 31 September.
MatchDate Valid(int year, int month, int day) {
    static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || day < 1) return MatchDate{};
    bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (day > kLengths[month - 1] + (month == 2 && leap)) return MatchDate{};
    return MatchDate{year, month, day};
}

// HHMMSS from `at`, when it is a time of day; -1 when it is none, -2 when it
// is digits but no time of day.
int TimeAt(const std::string& text, std::size_t at) {
    int time = Digits(text, at, 6);
    if (time < 0) return -1;
    return time / 10000 < 24 && time / 100 % 100 < 60 && time % 100 < 60 ? time : -2;
}

}  // namespace

MatchDate DateOfPath(const std::string& folder, const std::string& name, int& time) {
    time = -1;
    // Today's game: YYYY-MM-DD-HHMMSS-MAP.txt
    if (Separated(name, 4, '-') && Separated(name, 7, '-') && Separated(name, 10, '-')) {
        MatchDate date = Valid(Digits(name, 0, 4), Digits(name, 5, 2), Digits(name, 8, 2));
        if (date.known()) {
            time = TimeAt(name, 11);
            if (time == -2) return time = -1, MatchDate{};  // not a time of day: no date either
            return date;
        }
    }
    // The classic game: YYYY.MM.DD/HHMMSS.txt
    std::string_view dir(folder);
    if (!dir.empty() && dir.back() == '/') dir.remove_suffix(1);
    std::string last(dir.substr(dir.rfind('/') + 1));  // no "/": npos + 1 is 0, the whole folder
    if (last.size() != 10 || !Separated(last, 4, '.') || !Separated(last, 7, '.')) return MatchDate{};
    MatchDate date = Valid(Digits(last, 0, 4), Digits(last, 5, 2), Digits(last, 8, 2));
    if (date.known() && Separated(name, 6, '.')) time = TimeAt(name, 0);
    if (time == -2) return time = -1, MatchDate{};
    return date;
}

MatchDate DateOfRecord(std::string_view text, int& time) {
    static constexpr std::string_view kMonths = "JanFebMarAprMayJunJulAugSepOctNovDec";
    time = -1;
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    // HH:MM:SS (DD Mon YYYY)
    const std::string t(text);
    if (t.size() != 22 || !Separated(t, 2, ':') || !Separated(t, 5, ':') || t.compare(8, 2, " (") != 0 ||
        !Separated(t, 12, ' ') || !Separated(t, 16, ' ') || t.back() != ')')
        return MatchDate{};
    const std::size_t month = kMonths.find(std::string_view(t).substr(13, 3));
    const int hours = Digits(t, 0, 2), minutes = Digits(t, 3, 2), seconds = Digits(t, 6, 2);
    if (month == std::string_view::npos || month % 3 != 0 || hours < 0 || hours > 23 || minutes < 0 || minutes > 59 ||
        seconds < 0 || seconds > 59)
        return MatchDate{};
    const MatchDate date = Valid(Digits(t, 17, 4), static_cast<int>(month / 3) + 1, Digits(t, 10, 2));
    if (date.known()) time = hours * 10000 + minutes * 100 + seconds;
    return date;
}

bool IsDayForm(const std::string& text) {
    return text.size() == 10 && Separated(text, 4, '-') && Separated(text, 7, '-') && Digits(text, 0, 4) >= 0 &&
           Digits(text, 5, 2) >= 0 && Digits(text, 8, 2) >= 0;
}

MatchDate DayOfText(const std::string& text) {
    if (!IsDayForm(text)) return MatchDate{};
    return Valid(Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2));
}

std::string DayText(const MatchDate& date) {
    if (!date.known()) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string TimeText(int time) {
    if (time < 0) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time / 10000, time / 100 % 100, time % 100);
    return text;
}

int DaysSinceEpoch(int y, int m, int d) {
    y -= m <= 2;
    int era = y / 400;  // days are counted from the year 1 on: no era before the first
    int yoe = y - era * 400;
    int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int Weekday(int days) {
    return ((days % 7) + 7 + 3) % 7;  // 1970-01-01 was a Thursday
}

MatchDate DateOfDays(int days) {
    days += 719468;
    int era = days / 146097;
    int doe = days - era * 146097;
    int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int mp = (5 * doy + 2) / 153;
    int month = mp < 10 ? mp + 3 : mp - 9;
    return MatchDate{yoe + era * 400 + (month <= 2), month, doy - (153 * mp + 2) / 5 + 1};
}

std::optional<std::int64_t> MomentOf(const MatchDate& date, int time) {
    if (!date.known() || time < 0) return std::nullopt;
    return std::int64_t{DaysSinceEpoch(date.year, date.month, date.day)} * 86400 + time / 10000 * 3600 +
           time / 100 % 100 * 60 + time % 100;
}

int DayOfMoment(std::int64_t moment) {
    return static_cast<int>(moment >= 0 ? moment / 86400 : (moment - 86399) / 86400);  // before 1970: the day before
}

std::string MomentText(std::int64_t moment) {
    const int days = DayOfMoment(moment);
    const std::int64_t seconds = moment - std::int64_t{days} * 86400;
    return DayText(DateOfDays(days)) + " " +
           TimeText(static_cast<int>(seconds / 3600 * 10000 + seconds / 60 % 60 * 100)).substr(0, 5);
}

int Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return static_cast<int>(now / 86400);
    return DaysSinceEpoch(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

MatchDate DayOfPeriodText(const std::string& text, int today) {
    if (text == "today") return DateOfDays(today);
    if (text == "yesterday") return DateOfDays(today - 1);
    if (text.size() >= 2 && text.size() <= 6 && text.back() == 'd') {
        const int back = Digits(text, 0, text.size() - 1);
        return back >= 0 ? DateOfDays(today - back) : MatchDate{};
    }
    return DayOfText(text);
}

std::string IsoWeekText(const MatchDate& d) {
    int thursday = MondayOf(DaysSinceEpoch(d.year, d.month, d.day)) + 3;  // the week's Thursday decides its year
    int year = d.year + (thursday >= DaysSinceEpoch(d.year + 1, 1, 1)) - (thursday < DaysSinceEpoch(d.year, 1, 1));
    int week = (thursday - DaysSinceEpoch(year, 1, 1)) / 7 + 1;
    char text[32];
    std::snprintf(text, sizeof text, "%04d-W%02d", year, week);
    return text;
}

}  // namespace tovrik
