#include "beam/numtext.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

struct ParseRow { const char *name; const char *text; long double expected; };

TEST(NumberText, ReadsTheLeadingNumberOrZero)
{
    const ParseRow rows[] = {
        {"empty", "", 0}, {"blanks only", "   ", 0}, {"letters", "abc", 0},
        {"integer", "12", 12}, {"leading blanks and sign", "  -3.5", -3.5L}, {"plus sign", "+2", 2},
        {"bare fraction", ".25", 0.25L}, {"trailing point", "7.", 7}, {"exponent", "1.5e3", 1500},
        {"capital exponent", "2E-2", 0.02L}, {"exponent without digits", "4e", 4},
        {"trailing text", "6m", 6}, {"sign alone", "-", 0}, {"point alone", ".", 0},
        // what a Japanese input method types: full-width digits, stop, signs and space
        {"full-width digits", "１２", 12}, {"full-width stop", "６．５", 6.5L},
        {"full-width minus", "－３", -3}, {"minus sign", "−１．５", -1.5L}, {"hyphen", "‐2", -2},
        {"full-width plus", "＋４", 4}, {"full-width space", "\u3000７", 7},
        {"full-width comma ends the number", "１，５００", 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_DOUBLE_EQ(static_cast<double>(beam::parseNumber(row.text)), static_cast<double>(row.expected));
    }
    EXPECT_TRUE(std::isinf(beam::parseNumber("1e99999")));
    EXPECT_EQ(beam::parseNumber("1e-99999"), 0.0L);
}

TEST(NumberText, IntegersMustBeWhole)
{
    EXPECT_EQ(beam::parseInteger(" 12 "), 12);
    EXPECT_EQ(beam::parseInteger("007"), 7);
    EXPECT_EQ(beam::parseInteger("-3"), -3);
    EXPECT_FALSE(beam::parseInteger("1.5"));
    EXPECT_FALSE(beam::parseInteger(""));
    EXPECT_FALSE(beam::parseInteger("2x"));
    EXPECT_EQ(beam::parseInteger("\u3000２０ "), 20);
}

// kovel-cli warns about text after a number; a full-width number is no such text.
TEST(NumberText, TextAfterTheNumber)
{
    EXPECT_EQ(beam::asciiNumberText("－１２．５　m"), "-12.5 m");
    struct Row { const char *text; std::size_t after; };
    const Row rows[] = {{"", 0},   {" 6 ", 0},    {"６．５", 0}, {"1,500", 4}, {"6m", 1},
                        {"abc", 3}, {"1e", 1},    {"6 m", 2},   {"-", 1},     {"１，５００", 6}};
    for (const Row &row : rows)
        EXPECT_EQ(beam::textAfterNumber(row.text), row.after) << row.text;
}

struct FormatRow { const char *name; double value; const char *pattern; const char *expected; };

TEST(FormatPattern, FixedPatterns)
{
    const FormatRow rows[] = {
        {"pads decimals", 5, "##0.000", "5.000"},
        {"leading zero", 0.25, "##0.000", "0.250"},
        {"integer digits beyond the pattern", 1234.5, "##0.000", "1234.500"},
        {"half away from zero", 0.0005, "##0.000", "0.001"},
        {"negative half away from zero", -0.0005, "##0.000", "-0.001"},
        {"decimal value, not binary", 1.0005, "##0.000", "1.001"},
        {"2.675 rounds up on its decimal form", 2.675, "#0.00", "2.68"},
        {"never minus zero", -0.0001, "##0.000", "0.000"},
        {"optional decimals", 12.5, "###0.####", "12.5"},
        {"optional decimals rounding", -0.123456, "###0.####", "-0.1235"},
        {"zero with optional decimals", 0, "###0.####", "0"},
        {"minus zero with optional decimals", -0.00001, "###0.####", "0"},
        {"one decimal", 746.7133, "#####0.0", "746.7"},
        {"calculator drops bare point", 15, "#######0.########", "15"},
        {"calculator eight decimals", 1.0 / 3.0, "#######0.########", "0.33333333"},
        {"carry into a new digit", 9.9996, "##0.000", "10.000"},
        {"two decimals", 27344.3125, "#####0.00", "27344.31"},
        {"registered member pattern", 9.3, "######0.000", "9.300"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(beam::formatNumber(row.value, row.pattern), row.expected);
    }
}

TEST(FormatPattern, Scientific)
{
    const FormatRow rows[] = {
        {"rectangle I", 20000.0 / 3.0, "0.000 000e+", "6.666 667e+3"},
        {"area", 200, "0.000 000e+", "2.000 000e+2"},
        {"small", 0.00980665, "0.000 000e+", "9.806 650e-3"},
        {"negative", -15.69064, "0.000 000e+", "-1.569 064e+1"},
        {"zero", 0, "0.000 000e+", "0.000 000e+0"},
        {"rounding carries into the exponent", 9.9999999, "0.000 000e+", "1.000 000e+1"},
        {"one", 1, "0.000 000e+", "1.000 000e+0"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(beam::formatNumber(row.value, row.pattern), row.expected);
    }
}

TEST(FormatPattern, SinglePrecisionUsesItsOwnDigits)
{
    EXPECT_EQ(beam::formatSingle(2.675f, "##0.00"), "2.68");
    EXPECT_EQ(beam::formatSingle(0.1f, "##0.000"), "0.100");
    EXPECT_EQ(beam::formatSingle(-1.5f, "##0.000"), "-1.500");
    EXPECT_EQ(beam::formatSingle(123456.78f, "#####0.00"), "123456.78");
    EXPECT_EQ(beam::formatSingle(16777217.0f, "##0.000"), "16777216.000");
}

} // namespace
