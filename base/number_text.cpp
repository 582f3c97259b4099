#include "base/number_text.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tovrik {
namespace {

std::string Formatted(const char* format, double value, char sep) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, format, value);
    std::string text(buffer);
    // The C library writes the decimal point of whatever locale is set.
    for (char& c : text)
        if (c == '.' || c == ',') c = sep;
    return text;
}

}  // namespace

std::string LongToText(std::int32_t value) { return std::to_string(value); }

std::string SingleToText(float value, char sep) { return Formatted("%.7G", static_cast<double>(value), sep); }

std::string DoubleToText(double value, char sep) { return Formatted("%.15G", value, sep); }

double TextToDouble(const std::string& text, char sep) {
    std::string plain = text;
    for (char& c : plain)
        if (c == sep) c = '.';
    double value = 0;
    std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::general);
    return value;
}

std::string Virgule(float valeur, char sep) {
    std::string t = SingleToText(valeur, sep);
    std::string u = DoubleToText(TextToDouble(t, sep) + 1.0, sep);
    std::size_t point = u.find(sep);
    std::size_t n = (point == std::string::npos ? 0 : point + 1) + 1;
    if (t.find(sep) == std::string::npos) return t;
    return t.substr(0, n);
}

std::string OneDecimal(float value, char sep) {
    std::string text = SingleToText(value, sep);
    if (text.find_first_of("Ee") != std::string::npos) return text;  // too large or small for one decimal
    std::size_t point = text.find(sep);
    if (point == std::string::npos) return text + sep + "0";
    return text.substr(0, point + 2);
}

char DecimalSeparatorOf(const std::string& localeName) {
    // Languages whose numbers are written with a decimal comma.
    static constexpr std::string_view kComma[] = {
        "af", "az", "be", "bg", "bs", "ca", "cs", "da", "de", "el", "es", "et", "eu", "fi", "fo", "fr",
        "gl", "hr", "hu", "hy", "id", "is", "it", "ka", "kk", "ky", "lb", "lt", "lv", "mk", "mn", "nb",
        "nl", "nn", "no", "pl", "pt", "ro", "ru", "sk", "sl", "sq", "sr", "sv", "tr", "uk", "uz", "vi"};
    std::string_view name = localeName;
    std::string_view language = name.substr(0, name.find_first_of("_.@"));
    // Swiss German and Italian write a decimal point.
    if (name.substr(0, 5) == "de_CH" || name.substr(0, 5) == "it_CH") return '.';
    for (std::string_view comma : kComma)
        if (language == comma) return ',';
    return '.';
}

char UserDecimalSeparator() {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return DecimalSeparatorOf(value);
    }
    return '.';
}

}  // namespace tovrik
