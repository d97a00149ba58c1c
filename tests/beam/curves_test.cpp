#include "beam/curves.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using beam::Support;

// A mixed load (uniform with self weight, two point loads, a trapezoidal part-span load)
// in SI, so every kind of term is summed.
beam::BeamInput mixedBeam(Support support)
{
    beam::InputTexts t;
    t.Span = "6";
    t.uniform = "4";
    t.p[0] = "20";
    t.pl[0] = "1.7";
    t.p[1] = "-3";
    t.pl[1] = "4.5";
    t.w1[0] = "2";
    t.w2[0] = "6";
    t.ld1[0] = "0.5";
    t.ld2[0] = "3";
    t.inertia = "4720";
    t.modulus = "472";
    t.selfw = "29.6";
    t.support = support;
    return beam::readInput(t);
}

// The figures of the detailed sheet must show the numbers the sheet states: the shear at the
// ends is the reactions, and the largest deflection of the curve is the check's delta
// (for the fixed-fixed beam, whose described value adds single-load maxima, never more).
TEST(Curves, AgreeWithReactionsAndDeflection)
{
    for (Support support : {Support::PinPin, Support::PinFixed, Support::FixedFixed, Support::FreeFixed})
        for (beam::Modulus modulus : {beam::Modulus::Traditional, beam::Modulus::Notice}) {
            SCOPED_TRACE(static_cast<int>(support) * 10 + static_cast<int>(modulus));
            const beam::BeamInput in = mixedBeam(support);
            const beam::Reactions r = beam::Qcalc(in);
            const beam::Curve q = beam::shearCurve(in);
            ASSERT_GE(q.points.size(), 103u); // 101 stations and two points at each point load
            EXPECT_EQ(q.points.front().x, 0);
            EXPECT_NEAR(q.points.front().value, r.RA, 1e-9);
            EXPECT_EQ(q.points.back().x, in.span);
            EXPECT_NEAR(q.points.back().value, -r.RB, 1e-6);
            for (std::size_t i = 1; i < q.points.size(); ++i)
                EXPECT_LE(q.points[i - 1].x, q.points[i].x);

            const beam::Deflection d = beam::deltacalc(in, modulus);
            const beam::Curve v = beam::deflectionCurve(in, modulus);
            ASSERT_EQ(v.points.size(), 101u);
            if (support == Support::FixedFixed) {
                EXPECT_LE(v.highest, d.delta * (1 + 1e-12));
                EXPECT_GT(v.highest, d.delta * 0.9);
            } else {
                EXPECT_EQ(v.highest, d.delta);
            }
            if (support == Support::FreeFixed) {
                EXPECT_EQ(v.highestAt, 0);
                EXPECT_EQ(v.points.back().value, 0);
            }
        }
}

// The jump at a point load between stations: P1 = 20 at 1.7 m on a simple beam.
TEST(Curves, ShearJumpsByThePointLoad)
{
    beam::BeamInput in = mixedBeam(Support::PinPin);
    const beam::Curve q = beam::shearCurve(in);
    int jumps = 0;
    for (std::size_t i = 1; i < q.points.size(); ++i)
        if (q.points[i].x == 1.7 && q.points[i - 1].x == 1.7) {
            EXPECT_NEAR(q.points[i - 1].value - q.points[i].value, 20, 1e-9);
            ++jumps;
        }
    EXPECT_EQ(jumps, 1);
}

} // namespace
