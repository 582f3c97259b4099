#include "base/number_text.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

#include "base/ascii.h"

namespace tovrik {
namespace {

// `value` as printf's "%.<precision>G" writes it in the C locale, with `sep`
// for the point.
std::string Formatted(double value, int precision, char sep) {
    char buffer[48];
    char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision).ptr;
    std::string text(buffer, end);
    for (char& c : text) c = c == '.' ? sep : AsciiUpper(static_cast<unsigned char>(c));  // 1E+07, INF, NAN
    return text;
}

}  // namespace

std::string LongToText(std::int32_t value) { return std::to_string(value); }

std::string SingleToText(float value, char sep) { return Formatted(static_cast<double>(value), 7, sep); }

std::string DoubleToText(double value, char sep) { return Formatted(value, 15, sep); }

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

const char* UserLocale(const char* variable) {
    for (const char* name : {"LC_ALL", variable, "LANG"})
        if (const char* value = std::getenv(name); value != nullptr && *value != '\0') return value;
    return "";
}

char UserDecimalSeparator() { return DecimalSeparatorOf(UserLocale("LC_NUMERIC")); }

}  // namespace tovrik
