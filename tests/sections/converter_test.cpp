#include "sections/converter.h"

#include "beam/numtext.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using sections::SiUnit;
using sections::TraditionalUnit;

// 1 tf = 9.80665 kN, 1 m2 = 10000 cm2, 1 MPa = 1 N/mm2 = 0.1 kN/cm2.
constexpr double kN_per_tf = 9.80665;
constexpr double cm2_per_m2 = 10000;
constexpr double MPa_per_kNcm2 = 10;

// kN/cm2 per one unit of each traditional unit, and per one unit of each SI unit.
double inKnPerCm2(TraditionalUnit u) { return u == TraditionalUnit::TfPerCm2 ? kN_per_tf : kN_per_tf / cm2_per_m2; }
double inKnPerCm2(SiUnit u) { return u == SiUnit::KnPerCm2 ? 1.0 : 1.0 / MPa_per_kNcm2; }

TEST(StressConverter, WorkedExamples)
{
    const struct { const char *name; sections::Conversion got; const char *text; } rows[] = {
        {"1.6 tf/cm2 is 15.69064 kN/cm2", sections::convertToSi("1.6", TraditionalUnit::TfPerCm2, SiUnit::KnPerCm2),
         "1.569 064e+1"},
        {"1.6 tf/cm2 is 156.9064 MPa", sections::convertToSi("1.6", TraditionalUnit::TfPerCm2, SiUnit::MPa),
         "1.569 064e+2"},
        {"156.906 MPa is 1.599996 tf/cm2", sections::convertToTraditional("156.906", SiUnit::MPa, TraditionalUnit::TfPerCm2),
         "1.599 996e+0"},
        {"10 tf/m2 is 0.00980665 kN/cm2", sections::convertToSi("10", TraditionalUnit::TfPerM2, SiUnit::KnPerCm2),
         "9.806 650e-3"},
        {"empty converts as 0", sections::convertToSi("", TraditionalUnit::TfPerCm2, SiUnit::MPa), "0.000 000e+0"},
        {"text converts as 0", sections::convertToTraditional("abc", SiUnit::KnPerCm2, TraditionalUnit::TfPerM2),
         "0.000 000e+0"},
        {"negative", sections::convertToSi("-1", TraditionalUnit::TfPerCm2, SiUnit::KnPerCm2), "-9.806 650e+0"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.got.error, "");
        EXPECT_EQ(row.got.text, row.text);
    }
}

TEST(StressConverter, EveryPairAgreesWithTheUnitDefinitions)
{
    for (auto t : {TraditionalUnit::TfPerCm2, TraditionalUnit::TfPerM2}) {
        for (auto s : {SiUnit::KnPerCm2, SiUnit::MPa}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(t)) + "/" + std::to_string(static_cast<int>(s)));
            const double v = 2.5;
            const double toSi = v * inKnPerCm2(t) / inKnPerCm2(s);
            EXPECT_NEAR(sections::toSiValue(v, t, s), toSi, 1e-13 * toSi);
            const double back = v * inKnPerCm2(s) / inKnPerCm2(t);
            EXPECT_NEAR(sections::toTraditionalValue(v, s, t), back, 1e-13 * back);
        }
    }
}

TEST(StressConverter, ThereAndBackReturnsTheFirstValue)
{
    for (const char *typed : {"1.6", "0.0123", "156.906", "2400", "-3.75"}) {
        for (auto t : {TraditionalUnit::TfPerCm2, TraditionalUnit::TfPerM2}) {
            for (auto s : {SiUnit::KnPerCm2, SiUnit::MPa}) {
                SCOPED_TRACE(std::string(typed) + " " + std::to_string(static_cast<int>(t)) + "/"
                             + std::to_string(static_cast<int>(s)));
                const auto si = sections::convertToSi(typed, t, s);
                const auto back = sections::convertToTraditional(si.text, s, t);
                EXPECT_EQ(back.text, beam::formatNumber(beam::parseDouble(typed), "0.000 000e+"));
                const auto trad = sections::convertToTraditional(typed, s, t);
                const auto again = sections::convertToSi(trad.text, t, s);
                EXPECT_EQ(again.text, beam::formatNumber(beam::parseDouble(typed), "0.000 000e+"));
            }
        }
    }
}

TEST(StressConverter, ReadsItsOwnResultsWhole)
{
    const struct { const char *name; const char *typed; double value; } rows[] = {
        {"a shown result converts as its whole value", "1.569 064e+1", 15.69064 / kN_per_tf},
        {"a shown negative result", "-9.806 650e-3", -0.00980665 / kN_per_tf},
        {"blanks between integer digits still end the number", "98 0665", 98 / kN_per_tf},
        {"a blank after the point ends the number", "98. 0665", 98 / kN_per_tf},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(sections::convertToTraditional(row.typed, SiUnit::KnPerCm2, TraditionalUnit::TfPerCm2).text,
                  beam::formatNumber(row.value, "0.000 000e+"));
    }
}

TEST(StressConverter, AValueTooLargeToShowIsRefused)
{
    const auto big = sections::convertToSi("1e307", TraditionalUnit::TfPerCm2, SiUnit::MPa);
    EXPECT_EQ(big.text, "");
    EXPECT_NE(big.error, "");
    const auto unreadable = sections::convertToTraditional("1e400", SiUnit::MPa, TraditionalUnit::TfPerM2);
    EXPECT_EQ(unreadable.text, "");
    EXPECT_NE(unreadable.error, "");
}

} // namespace
