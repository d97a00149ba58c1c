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
