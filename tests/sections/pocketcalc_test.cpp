#include "sections/pocketcalc.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

// Presses the keys of a space-separated sequence: digits and "." key by key, "＋",
// "－", "×", "÷" as operators, "＝" and "AC".
void press(sections::PocketCalc &pc, const std::string &keys)
{
    std::istringstream in(keys);
    std::string key;
    while (in >> key) {
        if (key == "＝")
            sections::pressEqual(pc);
        else if (key == "AC")
            sections::pressClear(pc);
        else if (key == "＋" || key == "－" || key == "×" || key == "÷")
            sections::pressOperator(pc, key);
        else
            for (char c : key)
                sections::pressDigit(pc, c);
    }
}

struct KeyCase { const char *name; const char *keys; const char *memory; const char *calcres; const char *calc; };

TEST(PocketCalc, KeySequences)
{
    const KeyCase rows[] = {
        {"12 + 3 = 15", "1 2 ＋ 3 ＝", "", "15", "＋"},
        {"division by zero is skipped", "7 ÷ 0 ＝", "", "7", "＋"},
        {"eight decimals", "1 ÷ 3 ＝", "", "0.33333333", "＋"},
        {"each operator applies the one before it", "2 × 3 ＋ 4 ＝", "", "10", "＋"},
        {"two operators apply the first to an empty entry", "5 × ＋ 2 ＝", "", "2", "＋"},
        {"a digit extends a shown result", "1 2 ＋ 3 ＝ 0", "", "150", "＋"},
        {"AC then equals", "7 ＋ 8 AC ＝", "", "0", "＋"},
        {"operator keeps the running value in memory", "2 × 3 ＋", "6", "", "＋"},
        {"pending operator shown", "9 －", "9", "", "－"},
        {"subtraction below zero", "3 － 5 ＝", "", "-2", "＋"},
        {"decimal entry", "0.5 × 0.5 ＝", "", "0.25", "＋"},
        {"the result starts the next chain", "2 × 3 ＝ ＋ 4 ＝", "", "10", "＋"},
        {"a second point is read by the numeric-text rule", "1.2.3 ＋ 1 ＝", "", "2.2", "＋"},
        {"memory holds the rounded value", "1 ÷ 3 × 3 ＝", "", "0.99999999", "＋"},
        {"large values keep all integer digits", "123456789 × 1000 ＝", "", "123456789000", "＋"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        sections::PocketCalc pc;
        press(pc, row.keys);
        EXPECT_EQ(pc.memory, row.memory);
        EXPECT_EQ(pc.calcres, row.calcres);
        EXPECT_EQ(pc.calc, row.calc);
    }
}

TEST(PocketCalc, AResultThatIsNoNumberIsSkippedLikeADivisionByZero)
{
    sections::PocketCalc pc;
    pc.calcres = "1" + std::string(308, '0'); // 1e308
    sections::pressOperator(pc, "×");
    sections::pressDigit(pc, '9');
    sections::pressEqual(pc);
    EXPECT_EQ(pc.calcres, "1" + std::string(308, '0'));
}

TEST(PocketCalc, OnlyDigitKeysAreAppended)
{
    sections::PocketCalc pc;
    for (char c : std::string("1a.-5"))
        sections::pressDigit(pc, c);
    EXPECT_EQ(pc.calcres, "1.5");
}

} // namespace
