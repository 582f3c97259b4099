#include <gtest/gtest.h>

#include "ui/number_text.h"

namespace tovrik {
namespace {

TEST(NumberText, VirguleCutsAfterTheComma) {
    struct Case {
        float value;
        const char* comma;  // with a decimal comma
        const char* point;  // with a decimal point
    };
    const Case cases[] = {{45.678f, "45,6", "45.6"}, {12.96f, "12,9", "12.9"},    {0.95f, "0,9", "0.9"},
                          {9.57f, "9,57", "9.57"},   {99.456f, "99,45", "99.45"}, {12.0f, "12", "12"},
                          {-2.75f, "-2,7", "-2.7"},  {-0.5f, "-0,", "-0."},       {100.0f / 3, "33,3", "33.3"},
                          {0.0f, "0", "0"},          {12345678.0f, "1", "1"},     {27.59762f, "27,5", "27.5"}};
    for (const Case& c : cases) {
        EXPECT_EQ(Virgule(c.value, ','), c.comma) << c.value;
        EXPECT_EQ(Virgule(c.value, '.'), c.point) << c.value;
    }
}

TEST(NumberText, SingleAndDoubleForms) {
    struct Case {
        double value;
        const char *single, *dbl;
    };
    const Case cases[] = {{100.0 / 3, "33,33333", "33,3333333333333"},
                          {0.5, "0,5", "0,5"},
                          {1e7, "1E+07", "10000000"},
                          {12345678.0, "1,234568E+07", "12345678"},
                          {9999999.0, "9999999", "9999999"},
                          {0.0001, "0,0001", "0,0001"},
                          {0.00001, "1E-05", "1E-05"},
                          {1e15, "1E+15", "1E+15"},
                          {-48.0, "-48", "-48"}};
    for (const Case& c : cases) {
        EXPECT_EQ(SingleToText(static_cast<float>(c.value), ','), c.single) << c.value;
        EXPECT_EQ(DoubleToText(c.value, ','), c.dbl) << c.value;
    }
    EXPECT_EQ(LongToText(-2147483647 - 1), "-2147483648");
    EXPECT_DOUBLE_EQ(TextToDouble("1,234568E+07", ','), 12345680.0);
    EXPECT_DOUBLE_EQ(TextToDouble("45.678", '.'), 45.678);
}

TEST(NumberText, SeparatorOfTheLocale) {
    const std::pair<const char*, char> names[] = {
        {"fr_FR.UTF-8", ','}, {"de_DE", ','}, {"de_CH.UTF-8", '.'},  {"it_CH", '.'}, {"en_US.UTF-8", '.'},
        {"C", '.'},           {"pt_BR", ','}, {"ru_RU.KOI8-R", ','}, {"", '.'},      {"C.UTF-8", '.'}};
    for (auto [name, sep] : names) EXPECT_EQ(DecimalSeparatorOf(name), sep) << name;
    // LC_ALL, else LC_NUMERIC, else LANG.
    const std::tuple<const char*, const char*, const char*, char> env[] = {{"fr_FR", "en_US", "en_US", ','},
                                                                           {"", "fr_FR", "en_US", ','},
                                                                           {"", "", "fr_FR", ','},
                                                                           {"", "", "", '.'},
                                                                           {"en_US", "fr_FR", "fr_FR", '.'}};
    for (auto [all, numeric, lang, sep] : env) {
        setenv("LC_ALL", all, 1);
        setenv("LC_NUMERIC", numeric, 1);
        setenv("LANG", lang, 1);
        EXPECT_EQ(UserDecimalSeparator(), sep) << all << "/" << numeric << "/" << lang;
    }
    unsetenv("LC_ALL");
    unsetenv("LC_NUMERIC");
    setenv("LANG", "C.UTF-8", 1);
}

}  // namespace
}  // namespace tovrik
