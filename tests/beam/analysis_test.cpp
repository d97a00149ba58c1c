#include "beam/analysis.h"
#include "beam/bending.h"
#include "beam/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using beam::InputTexts;
using beam::Support;

// A beam in the traditional units, without self weight, section large enough to pass.
InputTexts plainBeam(const char *span)
{
    InputTexts in;
    in.Span = span;
    in.si = false;
    in.jijuucheck = false;
    in.inertia = "1000000";
    in.modulus = "100000";
    in.seigen2 = "0";
    return in;
}

beam::ResultTexts check(const InputTexts &in)
{
    beam::CheckOutcome out = beam::runCheck(in);
    EXPECT_TRUE(out.result) << out.error;
    return out.result ? *out.result : beam::ResultTexts{};
}

std::string fmt3(double v) { return beam::formatNumber(v, "###0.000"); }

// ---- Design moment, its position and the diagram labels ----

struct MomentRow {
    const char *name;
    InputTexts in;
    std::string RMmax, RMmaxl, Mcent, Menda, Mendb;
};

TEST(Mcalc, DesignMomentPositionAndLabels)
{
    InputTexts simpleUniform = plainBeam("6");
    simpleUniform.uniform = "1";

    InputTexts simplePoint = plainBeam("5");
    simplePoint.p[0] = "10";
    simplePoint.pl[0] = "2.5";

    // P = 10 at a = 2.01 lies between stations 33 (2.04 is station 34): the largest
    // station value is at x = 2.04, P a (L - x) / L, below the true P a b / L.
    InputTexts betweenStations = plainBeam("6");
    betweenStations.p[0] = "10";
    betweenStations.pl[0] = "2.01";

    // Both end moments are -w L^2 / 12 to the last bit; end B wins the tie.
    InputTexts fixedUniform = plainBeam("6");
    fixedUniform.uniform = "1";
    fixedUniform.support = Support::FixedFixed;

    InputTexts cantilever = plainBeam("4");
    cantilever.uniform = "2";
    cantilever.support = Support::FreeFixed;

    InputTexts propped = plainBeam("8");
    propped.uniform = "1";
    propped.support = Support::PinFixed;

    const MomentRow rows[] = {
        {"simple beam, uniform: w L^2 / 8 at mid-span", simpleUniform, fmt3(1.0 * 36 / 8), "3.000",
         fmt3(36.0 / 8), "", ""},
        {"simple beam, point load on a station: P L / 4", simplePoint, fmt3(10 * 5.0 / 4), "2.500",
         fmt3(10 * 5.0 / 4), "", ""},
        {"maximum over the stations only", betweenStations, fmt3(10 * 2.01 * (6 - 2.04) / 6), "2.040",
         fmt3(10 * 2.01 * (6 - 2.04) / 6), "", ""},
        {"fixed-fixed uniform: end B wins the tie of equal end moments", fixedUniform, fmt3(36.0 / 12),
         "6.000", fmt3(36.0 / 24), fmt3(-36.0 / 12), fmt3(-36.0 / 12)},
        {"cantilever uniform: w L^2 / 2 at the fixed end", cantilever, fmt3(2 * 16.0 / 2), "4.000", "", "",
         fmt3(-2 * 16.0 / 2)},
        // pinned-fixed uniform: end moment -w L^2 / 8 at B; the span maximum 9 w L^2 / 128
        // lies at 3L/8 = 3.0 m, which is station 37.5, so the label is a station value.
        {"pinned-fixed uniform", propped, fmt3(64.0 / 8), "8.000", fmt3(3.0 / 8 * 8 * 2.96 - 2.96 * 2.96 / 2),
         "", fmt3(-64.0 / 8)},
    };
    for (const MomentRow &row : rows) {
        SCOPED_TRACE(row.name);
        const beam::ResultTexts r = check(row.in);
        EXPECT_EQ(r.RMmax, row.RMmax);
        EXPECT_EQ(r.RMmaxl, row.RMmaxl);
        EXPECT_EQ(r.Mcent, row.Mcent);
        EXPECT_EQ(r.Menda, row.Menda);
        EXPECT_EQ(r.Mendb, row.Mendb);
    }
}

TEST(Mcalc, SymmetricFixedEndsAreExactlyEqual)
{
    for (const char *span : {"6", "7.3", "0.9", "12.35"}) {
        SCOPED_TRACE(span);
        InputTexts in = plainBeam(span);
        in.uniform = "1.7";
        in.support = Support::FixedFixed;
        const beam::Moments m = beam::Mcalc(beam::readInput(in));
        EXPECT_EQ(m.M[0], m.M[100]);
        EXPECT_EQ(m.position, beam::parseDouble(span)); // end B, not end A
        EXPECT_EQ(m.Mmax, -m.M[100]);
    }
}

TEST(Mcalc, FirstOfEqualMaximaWins)
{
    // Four-point bending on L = 100: stations are whole metres and every moment between
    // the loads is exactly P a = 25, so stations 25 to 75 tie; station 25 wins.
    InputTexts in = plainBeam("100");
    in.p[0] = "1";
    in.pl[0] = "25";
    in.p[1] = "1";
    in.pl[1] = "75";
    const beam::Moments m = beam::Mcalc(beam::readInput(in));
    for (int i = 25; i <= 75; ++i)
        ASSERT_EQ(m.M[i], 25.0) << i;
    EXPECT_EQ(m.Mmax, 25.0);
    EXPECT_EQ(m.position, 25.0);
}

TEST(Mcalc, EndMomentReplacesOnlyWhenStrictlyLarger)
{
    // Cantilever with an upward load at the free end: M(x) = x rises to L at end B. The
    // station search already took M(x_100) = L; |M(x_100)| is not larger, so the design
    // moment stays +L instead of becoming -L.
    InputTexts in = plainBeam("5");
    in.support = Support::FreeFixed;
    in.p[0] = "-1";
    in.pl[0] = "0";
    const beam::ResultTexts r = check(in);
    EXPECT_EQ(r.RMmax, "5.000");
    EXPECT_EQ(r.RMmaxl, "5.000");
}

TEST(Mcalc, CantileverStationsAreNeverPositiveUnderDownwardLoad)
{
    InputTexts in = plainBeam("3");
    in.uniform = "1";
    in.support = Support::FreeFixed;
    in.p[0] = "2";
    in.pl[0] = "1.3";
    const beam::Moments m = beam::Mcalc(beam::readInput(in));
    for (double v : m.M)
        EXPECT_LE(v, 0.0);
    EXPECT_EQ(m.position, 3.0);
    EXPECT_DOUBLE_EQ(m.Mmax, 1.0 * 9 / 2 + 2 * (3 - 1.3));
}

TEST(Mcalc, TrapezoidWithZeroLengthIsSkipped)
{
    InputTexts base = plainBeam("6");
    base.uniform = "1";
    InputTexts with = base;
    with.w1[1] = "5";
    with.w2[1] = "7";
    with.ld1[1] = "2";
    with.ld2[1] = "0";
    const beam::ResultTexts a = check(base), b = check(with);
    EXPECT_EQ(a.Mgrid, b.Mgrid);
    EXPECT_EQ(a.RQa, b.RQa);
    EXPECT_EQ(a.Rdelta, b.Rdelta);
    EXPECT_EQ(beam::decomposeLoads(beam::readInput(with)).count, beam::kPointLoads);
}

TEST(Mcalc, UniformTrapezoidOverTheSpanMatchesUniformLoad)
{
    InputTexts uniform = plainBeam("6");
    uniform.uniform = "2";
    InputTexts trapezoid = plainBeam("6");
    trapezoid.w1[0] = trapezoid.w2[0] = "2";
    trapezoid.ld1[0] = "0";
    trapezoid.ld2[0] = "6";
    for (Support s : {Support::PinPin, Support::PinFixed, Support::FixedFixed, Support::FreeFixed}) {
        SCOPED_TRACE(beam::supportName(s));
        uniform.support = trapezoid.support = s;
        const beam::Moments mu = beam::Mcalc(beam::readInput(uniform));
        const beam::Moments mt = beam::Mcalc(beam::readInput(trapezoid));
        // 100 slices of 0.06 m: a station inside a slice differs by at most q h^2 / 8
        for (int i = 0; i < beam::kStations; ++i)
            EXPECT_NEAR(mu.M[i], mt.M[i], 2 * 0.06 * 0.06 / 8 + 1e-12) << i;
        const beam::Reactions qu = beam::Qcalc(beam::readInput(uniform));
        const beam::Reactions qt = beam::Qcalc(beam::readInput(trapezoid));
        EXPECT_NEAR(qu.RA, qt.RA, 1e-3);
        EXPECT_NEAR(qu.RB, qt.RB, 1e-3);
    }
}

TEST(Mcalc, ZeroStationsAreWrittenAsZero)
{
    InputTexts in = plainBeam("6");
    in.uniform = "1";
    const beam::ResultTexts r = check(in);
    EXPECT_EQ(r.Mgrid[0], "0");
    EXPECT_EQ(r.Mgrid[100], "0");
    EXPECT_EQ(r.Mgrid[50], "4.5");
}

TEST(DecomposeLoads, SlicesCarryTheTrapezoid)
{
    InputTexts in = plainBeam("10");
    in.w1[2] = "2";
    in.w2[2] = "4";
    in.ld1[2] = "1.5";
    in.ld2[2] = "3";
    const beam::LoadList loads = beam::decomposeLoads(beam::readInput(in));
    ASSERT_EQ(loads.count, beam::kPointLoads + beam::kSlices);
    double total = 0, moment = 0;
    for (int n = beam::kPointLoads; n < loads.count; ++n) {
        total += loads.items[n].P;
        moment += loads.items[n].P * loads.items[n].a;
        EXPECT_TRUE(loads.items[n].slice);
    }
    // total LD2 (w1 + w2) / 2; centroid of the trapezoid LD1 + LD2 (w1 + 2 w2) / (3 (w1 + w2))
    EXPECT_NEAR(total, 3 * (2 + 4) / 2.0, 1e-12);
    EXPECT_NEAR(moment / total, 1.5 + 3 * (2 + 2 * 4) / (3.0 * (2 + 4)), 1e-4);
    EXPECT_DOUBLE_EQ(loads.items[beam::kPointLoads].a, 1.5 + 0.015);
    EXPECT_DOUBLE_EQ(loads.items[loads.count - 1].a, 4.5 - 0.015);
}

// ---- Reactions ----

struct ReactionRow {
    const char *name;
    InputTexts in;
    std::string RQa, RQb;
};

TEST(Qcalc, Reactions)
{
    InputTexts simple = plainBeam("6");
    simple.uniform = "1";
    InputTexts propped = plainBeam("8");
    propped.uniform = "1";
    propped.support = Support::PinFixed;
    InputTexts fixedPoint = plainBeam("4");
    fixedPoint.support = Support::FixedFixed;
    fixedPoint.p[0] = "10";
    fixedPoint.pl[0] = "1";
    InputTexts cantilever = plainBeam("5");
    cantilever.support = Support::FreeFixed;
    cantilever.p[3] = "7";
    cantilever.pl[3] = "1.2";
    InputTexts cantileverTrapezoid = plainBeam("5");
    cantileverTrapezoid.support = Support::FreeFixed;
    cantileverTrapezoid.w1[0] = "2";
    cantileverTrapezoid.w2[0] = "4";
    cantileverTrapezoid.ld1[0] = "1";
    cantileverTrapezoid.ld2[0] = "3";
    auto f = [](double v) { return beam::formatNumber(v, "##0.000"); };
    const ReactionRow rows[] = {
        {"simple beam w L / 2", simple, f(3), f(3)},
        {"pinned-fixed 3wL/8 and 5wL/8", propped, f(3), f(5)},
        {"fixed-fixed point load P b^2 (L + 2a) / L^3", fixedPoint, f(10.0 * 9 * 6 / 64), f(10.0 * 1 * 10 / 64)},
        {"cantilever: the point load goes to B", cantilever, "0.000", f(7)},
        {"cantilever: the whole trapezoid goes to B", cantileverTrapezoid, "0.000", f(3 * (2 + 4) / 2.0)},
    };
    for (const ReactionRow &row : rows) {
        SCOPED_TRACE(row.name);
        const beam::ResultTexts r = check(row.in);
        EXPECT_EQ(r.RQa, row.RQa);
        EXPECT_EQ(r.RQb, row.RQb);
    }
}

// ---- Deflection ----

TEST(Deltacalc, NoLoadGivesTheNoDeflectionRatio)
{
    const beam::ResultTexts r = check(plainBeam("6"));
    EXPECT_EQ(r.Rdelta, "0.000");
    EXPECT_EQ(r.Rlx, "99999.9");
}

TEST(Deltacalc, UpwardLoadOnASimpleBeamGivesAnUpwardDeflection)
{
    // The described rule (largest station value from 0) gives 0; the governing deflection
    // is the largest magnitude, signed, and L/delta uses its magnitude. The whole check
    // still refuses this beam for its hogging moment.
    InputTexts in = plainBeam("6");
    in.uniform = "-1";
    in.p[0] = "-3";
    in.pl[0] = "2";
    const beam::Deflection d = beam::deltacalc(beam::readInput(in));
    EXPECT_EQ(d.described, 0.0);
    EXPECT_LT(d.delta, 0.0);
    EXPECT_EQ(d.ratio, 600 / -d.delta);
}

TEST(Deltacalc, SimpleBeamUniformLoadInBothUnitSystems)
{
    // 5 w L^4 / (384 E I) with w = 0.01 tf/cm, L = 600 cm, E = 2100 tf/cm2, I = 10000 cm4
    const double delta = 5 * 0.01 * std::pow(600.0, 4) / 384 / 2100 / 10000;
    InputTexts traditional = plainBeam("6");
    traditional.uniform = "1";
    traditional.inertia = "10000";
    InputTexts si = traditional;
    si.si = true;
    si.uniform = "9.80665";
    for (const InputTexts &in : {traditional, si}) {
        SCOPED_TRACE(in.si ? "SI" : "traditional");
        const beam::ResultTexts r = check(in);
        EXPECT_EQ(r.Rdelta, beam::formatNumber(delta, "##0.000"));
        EXPECT_EQ(r.Rdelta, "0.804");
        EXPECT_EQ(r.Rlx, beam::formatNumber(600 / delta, "#####0.0"));
        EXPECT_EQ(r.Rlx, "746.7");
    }
}

TEST(Deltacalc, FixedFixedAddsTheMaximaOfEachLoad)
{
    // Two equal loads at the third points: each alone has its maximum
    // 2 P a^2 b^3 / (3 (3b + a)^2 E I) with a = L/3, b = 2L/3 (cm).
    InputTexts in = plainBeam("6");
    in.support = Support::FixedFixed;
    in.inertia = "5000";
    in.p[0] = in.p[1] = "4";
    in.pl[0] = "2";
    in.pl[1] = "4";
    const double a = 200, b = 400;
    const double single = 2 * 4 * a * a * b * b * b / 3 / ((3 * b + a) * (3 * b + a)) / 5000 / 2100;
    const beam::Deflection d = beam::deltacalc(beam::readInput(in));
    EXPECT_NEAR(d.delta, 2 * single, 1e-12);
    // the true maximum of the symmetric pair is at mid-span, P a^2 (3L - 4a) / (48 E I)
    // from each load
    const double trueMax = 2 * (4 * a * a * (3 * 600 - 4 * a) / 48 / 5000 / 2100);
    EXPECT_GT(d.delta, trueMax);
}

// ---- Allowable stress ----

struct FbRow {
    const char *name;
    const char *lb;
    beam::Family family;
    bool weak, si, si157, term;
    std::string Rfb;
};

TEST(Fbcalc, FormulaCapUnitsAndShortTerm)
{
    using F = beam::Family;
    auto f = [](double v) { return beam::formatNumber(v, "#0.000"); };
    // H = 200, B = 100, tf = 8: fb = 900 Af / (lb h) = 900 x 10 x 0.8 / (lb x 100) / 20
    const FbRow rows[] = {
        {"narrow H, lb 3 m", "3", F::HN, false, false, false, false, f(900 * 10 * 0.8 / 300 / 20)},
        {"same, short term x1.5", "3", F::HN, false, false, false, true, f(1.2 * 1.5)},
        {"lb 1 m: 3.6 capped to 1.6", "1", F::HN, false, false, false, false, "1.600"},
        {"cap in SI, 156.906 MPa basis", "1", F::HN, false, true, false, false, f(1.6 * 9.80665)},
        {"cap in SI, 157 MPa basis", "1", F::HN, false, true, true, false, f(15.7)},
        {"cap in SI, short term", "1", F::HN, false, true, false, true, f(1.6 * 9.80665 * 1.5)},
        {"formula in SI, lb 3 m", "3", F::HN, false, true, false, false, f(1.2 * 9.80665)},
        {"formula in SI 157, lb 3 m", "3", F::HN, false, true, true, false, f(1.2 * 15.7 / 1.6)},
        {"lb 0 gives the basic value", "0", F::HN, false, true, false, false, "15.691"},
        {"weak axis gives the basic value", "3", F::HN, true, false, false, false, "1.600"},
        {"built-up H uses the formula", "3", F::BH, false, false, false, false, "1.200"},
        {"I-beam uses the formula", "3", F::I, false, false, false, false, "1.200"},
        {"channel uses the formula", "3", F::C, false, false, false, false, "1.200"},
        {"angle gets the basic value", "3", F::L, false, false, false, false, "1.600"},
        {"square pipe gets the basic value", "3", F::Kaku, false, false, false, false, "1.600"},
        {"round pipe gets the basic value", "3", F::Maru, false, false, false, false, "1.600"},
        {"direct input gets the basic value", "3", F::Direct, false, false, false, false, "1.600"},
        {"registered member gets the basic value", "3", F::User, false, false, false, false, "1.600"},
    };
    for (const FbRow &row : rows) {
        SCOPED_TRACE(row.name);
        InputTexts in = plainBeam("6");
        in.uniform = "1";
        in.lb = row.lb;
        in.H1 = "200";
        in.B1 = "100";
        in.tf1 = "8";
        in.family = row.family;
        in.weak = row.weak;
        in.si = row.si;
        in.si157 = row.si157;
        in.term = row.term;
        EXPECT_EQ(check(in).Rfb, row.Rfb);
    }
}

TEST(Fbcalc, ZeroDepthGivesTheBasicValue)
{
    InputTexts in = plainBeam("6");
    in.lb = "3";
    in.H1 = "0";
    EXPECT_EQ(beam::fbcalc(beam::readInput(in)), 1.6);
}

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

// ---- Effective uniform load ----

TEST(EffectiveUniform, SelfWeightInBothUnitSystems)
{
    InputTexts in;
    in.selfw = "9.3";
    in.uniform = "";
    in.si = false;
    EXPECT_DOUBLE_EQ(static_cast<double>(beam::effectiveUniform(beam::readInput(in))), 9.3 / 1000);
    in.si = true;
    EXPECT_DOUBLE_EQ(static_cast<double>(beam::effectiveUniform(beam::readInput(in))), 9.3 * 9.80665 / 1000);
    EXPECT_NEAR(static_cast<double>(beam::effectiveUniform(beam::readInput(in))), 0.091201845, 1e-15);
    in.uniform = "2";
    EXPECT_DOUBLE_EQ(static_cast<double>(beam::effectiveUniform(beam::readInput(in))), 2 + 9.3 * 9.80665 / 1000);
    in.jijuucheck = false;
    EXPECT_EQ(beam::effectiveUniform(beam::readInput(in)), 2.0L);
}

TEST(EffectiveUniform, AllAnalysesUseTheSelfWeight)
{
    // self weight 1000 kg/m in the traditional units is 1 tf/m
    InputTexts withSelfWeight = plainBeam("6");
    withSelfWeight.jijuucheck = true;
    withSelfWeight.selfw = "1000";
    InputTexts typed = plainBeam("6");
    typed.uniform = "1";
    const beam::ResultTexts a = check(withSelfWeight), b = check(typed);
    EXPECT_EQ(a.RQa, b.RQa);
    EXPECT_EQ(a.Mgrid, b.Mgrid);
    EXPECT_EQ(a.Rdelta, b.Rdelta);
}

} // namespace
