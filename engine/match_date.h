#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovrik {

// The day a match was played, from its path; 0 when the path tells none.
struct MatchDate {
    int year = 0, month = 0, day = 0;
    bool known() const { return year != 0; }
    int key() const { return year * 10000 + month * 100 + day; }  // orders days
};

// The date and time in a match file's path: the file name
// "YYYY-MM-DD-HHMMSS-..." of today's game, else the folder "YYYY.MM.DD" of the
// classic game with the file name "HHMMSS.txt". `time` is HHMMSS, or -1.
MatchDate DateOfPath(const std::string& folder, const std::string& name, int& time);

// The day and time of a "Stats recorded: HH:MM:SS (DD Mon YYYY)" line, from
// the text after its first ":" (months as "Jan" to "Dec"); unknown, with
// `time` -1, when the text is not so written or names no day of the calendar.
MatchDate DateOfRecord(std::string_view text, int& time);

// A day given as YYYY-MM-DD; unknown for any other text.
MatchDate DayOfText(const std::string& text);
// True when `text` is written YYYY-MM-DD, whether or not the calendar has that day.
bool IsDayForm(const std::string& text);

// "2026-12-06" and "19:45:12"; "" where the path tells none.
std::string DayText(const MatchDate& date);
std::string TimeText(int time);

// Days since 1970-01-01 by the civil calendar, and back.
int DaysSinceEpoch(int year, int month, int day);
MatchDate DateOfDays(int days);
// The weekday of a day so counted: Monday 0 to Sunday 6.
int Weekday(int days);
// The Monday of the week that holds a day so counted: weeks start on Monday.
inline int MondayOf(int days) { return days - Weekday(days); }

// A match's moment as seconds since 1970-01-01 00:00 of the clock the game
// wrote it by; none without a day or a time.
std::optional<std::int64_t> MomentOf(const MatchDate& date, int time);
// The day of a moment, as days since 1970-01-01.
int DayOfMoment(std::int64_t moment);
// "2026-12-06 19:45" of a moment.
std::string MomentText(std::int64_t moment);

// Today by the computer's clock and time zone, as days since 1970-01-01.
int Today();

// The day a period's end names, counted from `today` (days since 1970-01-01):
// YYYY-MM-DD, "today", "yesterday", or "Nd", N days before today ("0d" is
// today); unknown for any other text.
MatchDate DayOfPeriodText(const std::string& text, int today);

// The ISO week of a known day: "2026-W49".
std::string IsoWeekText(const MatchDate& date);

}  // namespace tovrik
