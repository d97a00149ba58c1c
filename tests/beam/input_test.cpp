#include "beam/input.h"

#include <gtest/gtest.h>

namespace {

struct FormulaRow {
    const char *name;
    const char *uw, *lwa, *lwb, *nnl;
    const char *shiki, *uniform;
};

TEST(UniformCalculator, FormulaTextAndLoad)
{
    const FormulaRow rows[] = {
        {"all four", "3", "2", "1.5", "2", "3.000x(2.000+1.500)/2", "5.250"},
        {"divisor 0 reads as 1, no slash", "3", "2", "1.5", "0", "3.000x(2.000+1.500)", "10.500"},
        {"empty divisor reads as 1", "3", "2", "1.5", "", "3.000x(2.000+1.500)", "10.500"},
        {"divisor 1, no slash", "3", "2", "1.5", "1", "3.000x(2.000+1.500)", "10.500"},
        {"only b: no brackets", "3", "", "1.5", "", "3.000x1.500", "4.500"},
        {"only a: no brackets", "3", "2.25", "0", "", "3.000x2.250", "6.750"},
        {"divisor as typed", "4", "1", "1", "3.0", "4.000x(1.000+1.000)/3.0", "2.667"},
        {"no factor", "", "2", "1", "", "(2.000+1.000)", "0.000"},
        {"negative factor", "-2", "1", "", "", "-2.000x1.000", "-2.000"},
    };
    for (const FormulaRow &row : rows) {
        SCOPED_TRACE(row.name);
        const beam::UniformFormula f = beam::uniformCalculator(row.uw, row.lwa, row.lwb, row.nnl);
        EXPECT_EQ(f.shiki, row.shiki);
        EXPECT_EQ(f.uniform, row.uniform);
        EXPECT_TRUE(f.error.empty());
    }
}

TEST(UniformCalculator, RefusesNumbersOutOfRange)
{
    for (const char *big : {"1e400", "-1e309"}) {
        SCOPED_TRACE(big);
        const beam::UniformFormula f = beam::uniformCalculator(big, "1", "1", "1");
        EXPECT_FALSE(f.error.empty());
        EXPECT_TRUE(f.uniform.empty());
    }
    // each operand fits, the product does not
    const beam::UniformFormula f = beam::uniformCalculator("1e200", "1e200", "", "1");
    EXPECT_FALSE(f.error.empty());
    EXPECT_EQ(f.uniform.find("inf"), std::string::npos);
}

TEST(InputRecord, NonFiniteFieldIsNamed)
{
    beam::InputTexts in;
    EXPECT_FALSE(beam::nonFiniteField(beam::readInput(in)));
    in.w2[2] = "1e999";
    EXPECT_EQ(beam::nonFiniteField(beam::readInput(in)), "w2(c)");
    in.selfw = "-1e400";
    EXPECT_EQ(beam::nonFiniteField(beam::readInput(in)), "w2(c)"); // the first in page order
    in.w2[2] = "";
    EXPECT_EQ(beam::nonFiniteField(beam::readInput(in)), "部材自重");
}

} // namespace
