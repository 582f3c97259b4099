#pragma once

#include <cstdint>
#include <string>

namespace tovrik {

// Number texts as the summary shows them, with the decimal separator `sep`
// ("," or "."): no digit grouping, no leading zeros or blanks.

std::string LongToText(std::int32_t value);
// At most 7 significant digits, shortest form; exponent form (1E-05,
// 1,234568E+07) below 1E-4 and from 1E7.
std::string SingleToText(float value, char sep);
// As SingleToText with 15 digits; exponent form below 1E-4 and from 1E15.
std::string DoubleToText(double value, char sep);
// Reads a text made by SingleToText or DoubleToText; 0 for anything else.
double TextToDouble(const std::string& text, char sep);

// Cuts the text of `valeur` to one digit after its decimal separator `sep`,
// without rounding (two digits from 9 to 10, 99 to 100, ...). The separator is
// looked for in the text of valeur + 1; a text without it is returned whole.
std::string Virgule(float valeur, char sep);

// The text of `value` with exactly one digit after the separator `sep`, cut
// as Virgule cuts, never rounded: "42.0", "27.5", "1.0".
std::string OneDecimal(float value, char sep);

// The user's locale for the category `variable` ("LC_NUMERIC", "LC_CTYPE"):
// LC_ALL, else that variable, else LANG, the first set; "" when none is.
const char* UserLocale(const char* variable);

// The decimal separator of a locale name such as "fr_FR.UTF-8": ',' or '.'.
char DecimalSeparatorOf(const std::string& localeName);
// The user's separator, from LC_ALL, else LC_NUMERIC, else LANG.
char UserDecimalSeparator();

}  // namespace tovrik
