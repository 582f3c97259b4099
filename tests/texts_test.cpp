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
    for (const testing::Case& c : testing::Cases("number_texts.cases")) {
        const std::string text = c[0] == "single"        ? SingleToText(std::stof(c[1]), ',')
                                 : c[0] == "double"      ? DoubleToText(std::stod(c[1]), ',')
                                 : c[0] == "one-decimal" ? OneDecimal(std::stof(c[1]), ',')
                                                         : LongToText(std::stoi(c[1]));
        EXPECT_EQ(text, c[2]) << c.place;
    }
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
    for (const testing::Case& c : testing::Cases("notes.cases")) {
        MatchNames names;
        if (c[0] == "denied") names.deniedFolders = c.number(1), names.deniedFiles = c.number(2);
        EXPECT_EQ(c[0] == "denied" ? DeniedNote(names) : LeftOutNote(c.number(1)), c[3]) << c.place;
    }
}

TEST(JsonText, StringsAsUtf8OrByteByByte) {
    for (const testing::Case& c : testing::Cases("json_strings.cases")) EXPECT_EQ(JsonString(c[1]), c[2]) << c[0];
}

}}  // namespace tovrik
