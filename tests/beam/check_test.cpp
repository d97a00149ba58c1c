#include "beam/check.h"
#include "beam/numtext.h"
#include "plainbeam.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using beam::InputTexts;
using beam::Support;
using beamtest::check;
using beamtest::plainBeam;

// ---- The check on displayed values ----

struct VerdictRow {
    const char *name;
    const char *modulus, *RMmax, *Rfb, *Rdelta, *Rlx, *seigen1, *seigen2;
    bool ok;
};

TEST(StressCheck, BorderlinesOnDisplayedValues)
{
    const VerdictRow rows[] = {
        {"ratio exactly 1", "100", "1.600", "1.600", "0.100", "6000.0", "300", "2.0", true},
        {"ratio 1.000375 shows 1.000 but fails", "1000", "16.006", "1.600", "0.100", "6000.0", "300", "2.0", false},
        {"L/delta 300.0 with n 300 passes", "100", "1.000", "1.600", "0.100", "300.0", "300", "2.0", true},
        {"L/delta 299.9 with n 300 fails", "100", "1.000", "1.600", "0.100", "299.9", "300", "2.0", false},
        {"deflection at the absolute limit passes", "100", "1.000", "1.600", "2.000", "300.0", "300", "2.0", true},
        {"deflection over the absolute limit fails", "100", "1.000", "1.600", "2.001", "300.0", "300", "2.0", false},
        {"limit 0 disables the absolute test", "100", "1.000", "1.600", "9.000", "300.0", "300", "0", true},
        {"empty limit disables the absolute test", "100", "1.000", "1.600", "9.000", "300.0", "300", "", true},
        {"no load passes any n up to 99999", "100", "0.000", "1.600", "0.000", "99999.9", "99999", "2.0", true},
    };
    for (const VerdictRow &row : rows) {
        SCOPED_TRACE(row.name);
        const beam::StressCheck c =
            beam::stressCheck(row.modulus, row.RMmax, row.Rfb, row.Rdelta, row.Rlx, row.seigen1, row.seigen2);
        EXPECT_EQ(c.ok(), row.ok);
    }
    const beam::StressCheck over = beam::stressCheck("1000", "16.006", "1.600", "0", "99999.9", "300", "2");
    EXPECT_EQ(beam::formatNumber(over.ratio, "##0.000"), "1.000");
}

TEST(RunCheck, RatioBorderlineEndToEnd)
{
    // Simple beam, P at mid-span: M = P L / 4; Z = 1000 cm3; fb = 1.6 tf/cm2 (lb 0).
    // P = 16 on L = 4 gives sigma = 1.6 and a ratio of exactly 1; P = 16.006 gives
    // 1.000375, shown as 1.000 but failing.
    InputTexts in = plainBeam("4");
    in.modulus = "1000";
    in.inertia = "100000000";
    in.pl[0] = "2";
    in.p[0] = "16";
    beam::ResultTexts r = check(in);
    EXPECT_EQ(r.RMmax, "16.000");
    EXPECT_EQ(r.Rratio, "1.000");
    EXPECT_EQ(r.hantei, "OK.");
    in.p[0] = "16.006";
    r = check(in);
    EXPECT_EQ(r.Rratio, "1.000");
    EXPECT_EQ(r.hantei, "NG.");
}

TEST(RunCheck, DeflectionLimitsDecideTheVerdict)
{
    InputTexts in = plainBeam("6");
    in.uniform = "1";
    in.inertia = "10000"; // delta 0.804 cm, L/delta 746.7
    in.seigen1 = "746";
    EXPECT_EQ(check(in).hantei, "OK.");
    in.seigen1 = "747";
    EXPECT_EQ(check(in).hantei, "NG.");
    in.seigen1 = "300";
    in.seigen2 = "0.8";
    EXPECT_EQ(check(in).hantei, "NG.");
    in.seigen2 = "0.804";
    EXPECT_EQ(check(in).hantei, "OK.");
}

// An upward deflection is checked by its magnitude on every support: a lifted beam that
// barely moves was refused (pinned ends) or failed L/n with a negative L/delta.
TEST(RunCheck, UpwardDeflectionIsCheckedByItsMagnitude)
{
    struct Row {
        const char *name;
        Support support;
        const char *span, *uniform, *inertia, *seigen2;
        const char *verdict;
    };
    const Row rows[] = {
        {"1 m pin-fixed beam lifted by two point loads", Support::PinFixed, "1", "", "1000", "0", "OK."},
        {"cantilever lifted at its free end", Support::FreeFixed, "2", "", "1000000", "0", "OK."},
        {"fixed-fixed beam under uplift", Support::FixedFixed, "6", "-1", "1000000", "0", "OK."},
        {"the absolute limit takes the magnitude", Support::FixedFixed, "6", "-1", "1000", "0.05", "NG."},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        InputTexts in = plainBeam(row.span);
        in.support = row.support;
        in.uniform = row.uniform;
        in.inertia = row.inertia;
        in.seigen1 = "300";
        in.seigen2 = row.seigen2;
        if (row.support != Support::FixedFixed) {
            in.p[0] = in.p[1] = "-1";
            in.pl[0] = row.support == Support::FreeFixed ? "0" : "0.5";
            in.pl[1] = row.support == Support::FreeFixed ? "1" : "0.7";
        }
        const beam::Deflection d = beam::deltacalc(beam::readInput(in));
        ASSERT_LT(d.delta, 0.0);
        const beam::ResultTexts r = check(in);
        EXPECT_EQ(r.Rdelta, beam::formatNumber(d.delta, "##0.000"));
        EXPECT_EQ(r.Rdelta[0], '-');
        EXPECT_EQ(r.Rlx, beam::formatNumber(100 * beam::parseDouble(row.span) / -d.delta, "#####0.0"));
        EXPECT_EQ(r.hantei, row.verdict);
    }
}

// ---- Refused input: never a result, never "OK." ----

struct RefusalRow {
    const char *name;
    InputTexts in;
    const char *mentions;
};

TEST(RunCheck, RefusesInputWithoutAMeaningfulResult)
{
    auto with = [](auto change) {
        InputTexts in = plainBeam("6");
        in.uniform = "1";
        change(in);
        return in;
    };
    const RefusalRow rows[] = {
        {"span 0", with([](InputTexts &in) { in.Span = "0"; }), "スパン長さ"},
        {"empty span", with([](InputTexts &in) { in.Span = ""; }), "スパン長さ"},
        {"negative span", with([](InputTexts &in) { in.Span = "-3"; }), "スパン長さ"},
        {"span out of range", with([](InputTexts &in) { in.Span = "1e400"; }), "スパン長さ"},
        {"point load out of range", with([](InputTexts &in) { in.p[2] = "1e309"; }), "P3"},
        {"part-span length out of range", with([](InputTexts &in) { in.ld2[1] = "-1e999"; }), "LD2(b)"},
        {"I = 0", with([](InputTexts &in) { in.inertia = "0"; }), "断面二次モーメント"},
        {"I empty", with([](InputTexts &in) { in.inertia = ""; }), "断面二次モーメント"},
        {"I negative", with([](InputTexts &in) { in.inertia = "-10"; }), "断面二次モーメント"},
        {"Z = 0", with([](InputTexts &in) { in.modulus = "0"; }), "断面係数"},
        {"Z negative", with([](InputTexts &in) { in.modulus = "-1"; }), "断面係数"},
        {"negative lb", with([](InputTexts &in) { in.lb = "-2"; }), "lb"},
        {"flange width 0 gives fb = 0",
         with([](InputTexts &in) {
             in.lb = "3";
             in.B1 = "0";
         }),
         "fb"},
        {"fb that shows as 0.000",
         with([](InputTexts &in) {
             in.lb = "3000";
             in.B1 = "0.1";
         }),
         "fb"},
        {"negative flange thickness",
         with([](InputTexts &in) {
             in.lb = "3";
             in.tf1 = "-8";
         }),
         "fb"},
        {"results beyond the range of a double", with([](InputTexts &in) { in.Span = "1e300"; }), "大きすぎ"},
    };
    for (const RefusalRow &row : rows) {
        SCOPED_TRACE(row.name);
        const beam::CheckOutcome out = beam::runCheck(row.in);
        EXPECT_FALSE(out.result);
        EXPECT_NE(out.error.find(row.mentions), std::string::npos) << out.error;
    }
}

// A load placed beyond a support used to be computed as if the beam went on past it: a
// 10 tf load at 4 m on a 3 m cantilever added nothing to the moments and passed with a
// design moment of 0.000 and "OK."; on a simple beam the deflection of a load between
// the supports was applied to it.
TEST(RunCheck, RefusesALoadOutsideTheSpan)
{
    auto with = [](auto change) {
        InputTexts in = plainBeam("6");
        change(in);
        return in;
    };
    const RefusalRow refused[] = {
        {"point load beyond the fixed end of a cantilever",
         with([](InputTexts &in) {
             in.Span = "3";
             in.support = Support::FreeFixed;
             in.p[0] = "10";
             in.pl[0] = "4";
         }),
         "P1"},
        {"point load beyond B", with([](InputTexts &in) { in.p[2] = "10"; in.pl[2] = "8"; }), "P3"},
        {"point load before A", with([](InputTexts &in) { in.p[0] = "10"; in.pl[0] = "-0.5"; }), "P1"},
        {"part-span load past B",
         with([](InputTexts &in) { in.w1[1] = "2"; in.w2[1] = "2"; in.ld1[1] = "4"; in.ld2[1] = "3"; }),
         "分布荷重(b)"},
        {"part-span load starting before A",
         with([](InputTexts &in) { in.w1[0] = "2"; in.ld1[0] = "-1"; in.ld2[0] = "2"; }), "分布荷重(a)"},
        {"negative loaded length",
         with([](InputTexts &in) { in.w2[2] = "2"; in.ld1[2] = "3"; in.ld2[2] = "-1"; }), "LD2"},
    };
    for (const RefusalRow &row : refused) {
        SCOPED_TRACE(row.name);
        const beam::CheckOutcome out = beam::runCheck(row.in);
        EXPECT_FALSE(out.result);
        EXPECT_NE(out.error.find(row.mentions), std::string::npos) << out.error;
    }

    // Loads at the supports, a load ending exactly at B (0.1 + 5.9 is 6 plus a rounding
    // error in binary), and positions of loads of 0 stay accepted.
    const RefusalRow accepted[] = {
        {"point loads on both supports",
         with([](InputTexts &in) { in.p[0] = "5"; in.pl[0] = "0"; in.p[1] = "5"; in.pl[1] = "6"; }), ""},
        {"part-span load up to B",
         with([](InputTexts &in) { in.w1[0] = "2"; in.w2[0] = "3"; in.ld1[0] = "0.1"; in.ld2[0] = "5.9"; }), ""},
        {"zero load anywhere",
         with([](InputTexts &in) {
             in.uniform = "1";
             in.pl[4] = "9";
             in.ld1[1] = "5";
             in.ld2[1] = "4";
         }),
         ""},
    };
    for (const RefusalRow &row : accepted) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(beam::runCheck(row.in).result);
    }
}

// Under loads that act upward the design moment (largest sagging moment, then the end
// moments) misses a hogging moment inside the span: a simple beam under an uplift of
// 5 tf/m passed with a design moment of 0.000 and "OK.".
TEST(RunCheck, RefusesUpwardEffectsTheCheckDoesNotTakeIn)
{
    auto with = [](Support support, auto change) {
        InputTexts in = plainBeam("6");
        in.support = support;
        change(in);
        return in;
    };
    const RefusalRow refused[] = {
        {"uplift on a simple beam", with(Support::PinPin, [](InputTexts &in) { in.uniform = "-5"; }), "曲げモーメント"},
        {"upward point load larger than the sagging one",
         with(Support::PinPin,
              [](InputTexts &in) {
                  in.uniform = "1";
                  in.p[0] = "-20";
                  in.pl[0] = "3";
              }),
         "曲げモーメント"},
    };
    for (const RefusalRow &row : refused) {
        SCOPED_TRACE(row.name);
        const beam::CheckOutcome out = beam::runCheck(row.in);
        EXPECT_FALSE(out.result);
        EXPECT_NE(out.error.find(row.mentions), std::string::npos) << out.error;
    }

    // Upward loads whose effects the check does take in stay accepted: a cantilever
    // lifted at its free end (the design moment is the largest station value), a
    // fixed-fixed beam under uplift (end moments), and a small upward load on a beam
    // that sags overall.
    const RefusalRow accepted[] = {
        {"cantilever lifted at A",
         with(Support::FreeFixed, [](InputTexts &in) { in.p[0] = "-1"; in.pl[0] = "0"; }), ""},
        {"fixed-fixed under uplift", with(Support::FixedFixed, [](InputTexts &in) { in.uniform = "-1"; }), ""},
        // M = (w/2) x (x - 3L/4) with w = 2: the moment 9 at B is the largest magnitude
        // and is taken in; the beam deflects only upward.
        {"uplift on a pin-fixed beam",
         with(Support::PinFixed,
              [](InputTexts &in) {
                  in.uniform = "-2";
                  in.inertia = "100";
              }),
         ""},
        {"small upward load on a sagging beam",
         with(Support::PinPin,
              [](InputTexts &in) {
                  in.uniform = "2";
                  in.p[0] = "-1";
                  in.pl[0] = "1";
              }),
         ""},
    };
    for (const RefusalRow &row : accepted) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(beam::runCheck(row.in).result);
    }
}

TEST(RunCheck, VerdictIsOkOrNgOnly)
{
    InputTexts in = plainBeam("6");
    in.uniform = "1";
    EXPECT_EQ(check(in).hantei, "OK.");
    in.modulus = "1";
    EXPECT_EQ(check(in).hantei, "NG.");
}

} // namespace
