#include "base/number_text.h"
#include "tests/support/testing.h"
#include "ui/view_text.h"

namespace tovrik { namespace {

using testing::ScopedEnv;

TEST(NumberText, VirguleCutsAfterTheCommaAndTheForms) {
    for (const testing::Case& c : testing::Cases("virgule.cases")) {
        EXPECT_EQ(Virgule(std::stof(c[0]), ','), c[1]) << c[0];
        EXPECT_EQ(Virgule(std::stof(c[0]), '.'), c[2]) << c[0];
    }
    // Seven and fifteen significant digits, the exponent form outside 1E-4 to 1E7 (1E15).
    const std::pair<float, const char*> singles[] = {{100.0f / 3, "33,33333"},      {1e7f, "1E+07"},
                                                     {12345678.0f, "1,234568E+07"}, {0.0001f, "0,0001"},
                                                     {0.00001f, "1E-05"},           {-48, "-48"}};
    for (auto [value, text] : singles) EXPECT_EQ(SingleToText(value, ','), text);
    EXPECT_EQ(OneDecimal(1e20f, ','), "1E+20") << "too large for one decimal: as it reads";
    const std::pair<double, const char*> doubles[] = {
        {100.0 / 3, "33,3333333333333"}, {1e7, "10000000"}, {1e15, "1E+15"}};
    for (auto [value, text] : doubles) EXPECT_EQ(DoubleToText(value, ','), text);
    EXPECT_EQ(LongToText(-2147483647 - 1), "-2147483648");
    EXPECT_DOUBLE_EQ(TextToDouble("1,234568E+07", ','), 12345680.0);
    EXPECT_DOUBLE_EQ(TextToDouble("45.678", '.'), 45.678);
}

TEST(NumberText, SeparatorOfTheLocale) {
    for (const testing::Case& c : testing::Cases("locale_separators.cases"))
        EXPECT_EQ(DecimalSeparatorOf(c[0]), c[1][0]) << c[0];
    // LC_ALL, LC_NUMERIC, LANG: the first set decides.
    auto separator = [](const char* all, const char* numeric, const char* lang) {
        ScopedEnv a("LC_ALL", all), n("LC_NUMERIC", numeric), l("LANG", lang);
        return UserDecimalSeparator();
    };
    EXPECT_EQ(separator("fr_FR", "en_US", "en_US"), ',') << "LC_ALL first";
    EXPECT_EQ(separator("", "fr_FR", "en_US"), ',') << "then LC_NUMERIC";
    EXPECT_EQ(separator("", "", "fr_FR"), ',') << "then LANG";
    EXPECT_EQ(separator("", "", ""), '.') << "none set";
    EXPECT_EQ(separator("en_US", "fr_FR", "fr_FR"), '.') << "LC_ALL over the others";
}

// A message names the file, and the line where there is one; a later place fills only what is missing.
TEST(RunErrorText, FileAndLine) {
    RunError noLine(RunError::Kind::Conversion, "\"x\" is not a whole number.");
    EXPECT_STREQ(noLine.what(), "\"x\" is not a whole number.");
    noLine.locate("/s/a.txt", 0);
    EXPECT_STREQ(noLine.what(), "/s/a.txt: \"x\" is not a whole number.");
    noLine.locate("/s/b.txt", 7);
    EXPECT_STREQ(noLine.what(), "/s/a.txt, line 7: \"x\" is not a whole number.");
    noLine.locate("/s/c.txt", 9);
    EXPECT_STREQ(noLine.what(), "/s/a.txt, line 7: \"x\" is not a whole number.");
}

TEST(Notes, LeftOutAndPassedOver) {
    const std::tuple<std::size_t, std::size_t, const char*> denied[] = {
        {0, 0, ""},
        {1, 0, "Passed over for want of permission: 1 folder.\n"},
        {0, 1, "Passed over for want of permission: 1 file.\n"},
        {2, 3, "Passed over for want of permission: 2 folders and 3 files.\n"}};
    for (auto [folders, files, note] : denied) {
        MatchNames names;
        names.deniedFolders = folders, names.deniedFiles = files;
        EXPECT_EQ(DeniedNote(names), note) << folders << " " << files;
    }
    EXPECT_EQ(LeftOutNote(0), "");
    EXPECT_EQ(LeftOutNote(1), "Left out: 1 match without a date in its path or its file.\n");
    EXPECT_EQ(LeftOutNote(2), "Left out: 2 matches without a date in its path or its file.\n");
}

TEST(JsonText, StringsAsUtf8OrByteByByte) {
    const std::tuple<const char*, std::string, std::string> rows[] = {
        {"UTF-8", "caf\xC3\xA9", "\"caf\xC3\xA9\""},
        {"a lead byte without its continuation", "\xC3(", "\"\\u00c3(\""},
        {"quotes, backslashes and control bytes", "a\"b\\c\x01", "\"a\\\"b\\\\c\\u0001\""}};
    for (const auto& [name, bytes, json] : rows) EXPECT_EQ(JsonString(bytes), json) << name;
}

}}  // namespace tovrik
