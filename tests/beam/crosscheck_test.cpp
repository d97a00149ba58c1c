// The closed-form single-load formulas of the analyses, checked against an independent
// solution of the whole beam: the statically determinate cantilever (fixed at B) under
// the same loads, its redundants at A found from the compatibility conditions, and the
// deflection from integrating M / EI twice with the support's boundary conditions.
#include "beam/check.h"
#include "beam/numtext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

namespace {

using beam::Support;

struct Point {
    double P, a;
};

struct Trapezoid {
    double w1, w2, ld1, ld2;
};

// A load case in tf and m; EI in tf m2.
struct Model {
    Support support;
    double L;
    double w;
    std::vector<Point> points;
    std::vector<Trapezoid> trapezoids;
    double EI;
};

// Simpson's rule with n (even) panels: exact for cubics.
double simpson(const std::function<double(double)> &f, double lo, double hi, int n = 64)
{
    if (hi <= lo)
        return 0;
    const double h = (hi - lo) / n;
    double sum = f(lo) + f(hi);
    for (int k = 1; k < n; ++k)
        sum += f(lo + k * h) * (k % 2 ? 4 : 2);
    return sum * h / 3;
}

// The points where the load changes form: each piece between them is a polynomial.
std::vector<double> breakpoints(const Model &m, double upTo)
{
    std::vector<double> b = {0, upTo};
    for (const Point &p : m.points)
        b.push_back(p.a);
    for (const Trapezoid &t : m.trapezoids) {
        b.push_back(t.ld1);
        b.push_back(t.ld1 + t.ld2);
    }
    std::vector<double> in;
    for (double v : b)
        if (v >= 0 && v <= upTo)
            in.push_back(v);
    std::sort(in.begin(), in.end());
    in.erase(std::unique(in.begin(), in.end()), in.end());
    return in;
}

double integrate(const Model &m, const std::function<double(double)> &f, double upTo)
{
    const std::vector<double> b = breakpoints(m, upTo);
    double sum = 0;
    for (std::size_t k = 0; k + 1 < b.size(); ++k)
        sum += simpson(f, b[k], b[k + 1]);
    return sum;
}

// Moment (sagging positive) of the cantilever fixed at B, free at A, at x.
double cantileverMoment(const Model &m, double x)
{
    double M = -m.w * x * x / 2;
    for (const Point &p : m.points)
        if (p.a < x)
            M -= p.P * (x - p.a);
    for (const Trapezoid &t : m.trapezoids) {
        const double hi = std::min(x, t.ld1 + t.ld2);
        auto q = [&](double s) { return t.w1 + (t.w2 - t.w1) * (s - t.ld1) / t.ld2; };
        M -= simpson([&](double s) { return q(s) * (x - s); }, t.ld1, hi, 2); // quadratic: exact
    }
    return M;
}

double totalLoad(const Model &m)
{
    double total = m.w * m.L;
    for (const Point &p : m.points)
        total += p.P;
    for (const Trapezoid &t : m.trapezoids)
        total += t.ld2 * (t.w1 + t.w2) / 2;
    return total;
}

struct Solution {
    double RA, RB, MA;
    std::function<double(double)> M; // moment at x, tf m
    std::function<double(double)> y; // deflection at x, m, downward positive
};

Solution solve(const Model &m)
{
    const double L = m.L;
    auto M0 = [&m](double x) { return cantileverMoment(m, x); };
    const double I0 = integrate(m, M0, L);
    const double I1 = integrate(m, [&](double x) { return x * M0(x); }, L);
    double RA = 0, MA = 0;
    switch (m.support) {
    case Support::PinPin: // M(L) = 0
        RA = -M0(L) / L;
        break;
    case Support::PinFixed: // y(0) = -integral of x M / EI = 0
        RA = -I1 / (L * L * L / 3);
        break;
    case Support::FixedFixed: { // y(0) = 0 and y'(0) = 0
        const double a11 = L * L * L / 3, a12 = L * L / 2, a22 = L;
        const double det = a11 * a22 - a12 * a12;
        RA = (-I1 * a22 + I0 * a12) / det;
        MA = (-I0 * a11 + I1 * a12) / det;
        break;
    }
    case Support::FreeFixed:
        break;
    }
    Solution s;
    s.RA = RA;
    s.RB = totalLoad(m) - RA;
    s.MA = MA;
    s.M = [M0, RA, MA](double x) { return MA + RA * x + M0(x); };
    // y'' = -M / EI; Y(x) = -integral_0^x (x - s) M(s) ds / EI, then y = Y + c1 x + c0.
    auto Y = [&m, s](double x) { return -integrate(m, [&](double t) { return (x - t) * s.M(t); }, x) / m.EI; };
    const double YL = Y(L);
    const double dYL = -integrate(m, s.M, L) / m.EI;
    double c1, c0;
    if (m.support == Support::PinPin) {
        c0 = 0;
        c1 = -YL / L;
    } else {
        c1 = -dYL;
        c0 = -YL - c1 * L;
    }
    s.y = [Y, c1, c0](double x) { return Y(x) + c1 * x + c0; };
    return s;
}

// The same case as page texts, traditional units, no self weight.
beam::BeamInput toInput(const Model &m, double inertia)
{
    beam::InputTexts in;
    in.si = false;
    in.jijuucheck = false;
    in.support = m.support;
    auto text = [](double v) { return beam::formatNumber(v, "0.##########"); };
    in.Span = text(m.L);
    in.uniform = text(m.w);
    for (std::size_t k = 0; k < m.points.size(); ++k) {
        in.p[k] = text(m.points[k].P);
        in.pl[k] = text(m.points[k].a);
    }
    for (std::size_t j = 0; j < m.trapezoids.size(); ++j) {
        in.w1[j] = text(m.trapezoids[j].w1);
        in.w2[j] = text(m.trapezoids[j].w2);
        in.ld1[j] = text(m.trapezoids[j].ld1);
        in.ld2[j] = text(m.trapezoids[j].ld2);
    }
    in.inertia = text(inertia);
    return beam::readInput(in);
}

constexpr double kInertia = 20000;                   // cm4
constexpr double kEI = 2100.0 * 1e4 * kInertia * 1e-8; // tf/cm2 -> tf/m2, cm4 -> m4

const Support kSupports[] = {Support::PinPin, Support::PinFixed, Support::FixedFixed, Support::FreeFixed};

Model pointLoadCase(Support s)
{
    return {s, 6.5, 1.2, {{3, 1.7}, {-0.8, 4.4}, {2.5, 5.1}}, {}, kEI};
}

Model partSpanCase(Support s)
{
    Model m = pointLoadCase(s);
    m.trapezoids = {{2, 0.5, 0.7, 3.1}, {-1, 1.5, 3.0, 2.2}};
    return m;
}

double largestMagnitude(const std::array<double, 101> &v)
{
    double big = 0;
    for (double x : v)
        big = std::max(big, std::fabs(x));
    return big;
}

void compareReactionsAndMoments(const Model &m, double relTolerance)
{
    const Solution s = solve(m);
    const beam::BeamInput in = toInput(m, kInertia);
    const beam::Reactions q = beam::Qcalc(in);
    const double scale = std::fabs(s.RA) + std::fabs(s.RB);
    EXPECT_NEAR(q.RA, s.RA, relTolerance * scale);
    EXPECT_NEAR(q.RB, s.RB, relTolerance * scale);

    const beam::Moments mo = beam::Mcalc(in);
    const double mScale = largestMagnitude(mo.M);
    for (int i = 0; i < beam::kStations; ++i)
        EXPECT_NEAR(mo.M[i], s.M(m.L * i / 100), relTolerance * mScale) << "station " << i;
}

void compareDeflection(const Model &m, double relTolerance)
{
    const Solution s = solve(m);
    const beam::Deflection d = beam::deltacalc(toInput(m, kInertia));
    double expected = 0; // cm
    if (m.support == Support::FreeFixed) {
        expected = 100 * s.y(0);
    } else {
        for (int i = 0; i <= 100; ++i)
            expected = std::max(expected, 100 * s.y(m.L * i / 100));
    }
    EXPECT_NEAR(d.delta, expected, relTolerance * std::fabs(expected));
    EXPECT_DOUBLE_EQ(d.ratio, 100 * m.L / d.delta);
}

TEST(CrossCheck, ReactionsAndMomentsWithPointLoads)
{
    for (Support s : kSupports) {
        SCOPED_TRACE(beam::supportName(s));
        compareReactionsAndMoments(pointLoadCase(s), 1e-9);
    }
}

TEST(CrossCheck, ReactionsAndMomentsWithPartSpanLoads)
{
    // The analyses cut each part-span load into 100 point loads; a station inside a
    // slice is off by at most q h^2 / 8, h = LD2 / 100.
    for (Support s : kSupports) {
        SCOPED_TRACE(beam::supportName(s));
        compareReactionsAndMoments(partSpanCase(s), 1e-4);
    }
}

TEST(CrossCheck, DeflectionAtTheStations)
{
    // Pinned ends: the largest station deflection; cantilever: the free end.
    for (Support s : {Support::PinPin, Support::PinFixed, Support::FreeFixed}) {
        SCOPED_TRACE(beam::supportName(s));
        compareDeflection(pointLoadCase(s), 1e-8);
        compareDeflection(partSpanCase(s), 1e-4);
    }
}

TEST(CrossCheck, FixedFixedDeflectionOfOneLoad)
{
    // For a single load the sum of maxima is the true maximum.
    const Model cases[] = {
        {Support::FixedFixed, 6.5, 1.2, {}, {}, kEI},
        {Support::FixedFixed, 6.5, 0, {{3, 1.7}}, {}, kEI},
        {Support::FixedFixed, 6.5, 0, {{3, 4.9}}, {}, kEI},
        {Support::FixedFixed, 6.5, 0, {{3, 3.25}}, {}, kEI},
    };
    for (const Model &m : cases) {
        SCOPED_TRACE(m.points.empty() ? 0.0 : m.points[0].a);
        const Solution s = solve(m);
        // golden-section search for the maximum of y on (0, L)
        double lo = 0, hi = m.L;
        for (int k = 0; k < 200; ++k) {
            const double x1 = hi - (hi - lo) * 0.6180339887498949, x2 = lo + (hi - lo) * 0.6180339887498949;
            if (s.y(x1) < s.y(x2))
                lo = x1;
            else
                hi = x2;
        }
        const double expected = 100 * s.y((lo + hi) / 2);
        const beam::Deflection d = beam::deltacalc(toInput(m, kInertia));
        EXPECT_NEAR(d.delta, expected, 1e-8 * expected);
    }
}

// Loads acting in opposite directions: the governing deflection is the station value of
// largest magnitude, up or down, on every support. The sum of single-load maxima of the
// fixed-fixed beam (antisymmetric pair: 0) and the free-end deflection of the cantilever
// (5P/16 up at the tip against P down at mid-span: 0) both miss it.
TEST(CrossCheck, DeflectionOfLargestMagnitudeUpOrDown)
{
    const Model cases[] = {
        {Support::PinPin, 6, 0, {{10, 0.6}, {-3.5, 3}}, {}, kEI},
        {Support::PinPin, 6, -1, {{4, 1}}, {}, kEI},
        {Support::PinFixed, 1, 0, {{-2, 0.4}, {-1, 0.7}}, {}, kEI},
        {Support::FixedFixed, 6, 0, {{4, 2}, {-4, 4}}, {}, kEI},
        {Support::FixedFixed, 6, 0.3, {{-4, 3}}, {{2, 2, 0.5, 1}}, kEI},
        {Support::FreeFixed, 4, 0, {{1, 2}, {-5.0 / 16, 0}}, {}, kEI},
        {Support::FreeFixed, 4, 0, {{1, 2}, {-0.3, 0}}, {}, kEI},
    };
    for (const Model &m : cases) {
        SCOPED_TRACE(std::string(beam::supportName(m.support)) + " w " + std::to_string(m.w));
        const Solution s = solve(m);
        double expected = 0; // cm, the station value of largest magnitude
        for (int i = 0; i <= 100; ++i) {
            const double y = 100 * s.y(m.L * i / 100);
            if (std::fabs(y) > std::fabs(expected))
                expected = y;
        }
        const beam::Deflection d = beam::deltacalc(toInput(m, kInertia));
        EXPECT_GT(std::fabs(d.delta), std::fabs(d.described) * (1 + 1e-6)) << "the described value governs";
        EXPECT_NEAR(d.delta, expected, 1e-6 * std::fabs(expected));
        EXPECT_DOUBLE_EQ(d.ratio, 100 * m.L / std::fabs(d.delta));
    }
}

// With every load acting one way the described value is never smaller than the
// deflection at a station, so it stays the result to the last bit: random cases of
// uniform, point and part-span loads, all down or all up, on every support.
TEST(CrossCheck, SameDirectionLoadsKeepTheDescribedDeflection)
{
    std::mt19937 rng(20261208);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    auto round3 = [](double v) { return std::round(v * 1000) / 1000; };
    int stationCases = 0;
    for (int n = 0; n < 2000; ++n) {
        Model m{kSupports[n % 4], round3(uniform(0.5, 15)), 0, {}, {}, kEI};
        const double sign = n % 8 < 4 ? 1 : -1;
        if (rng() % 2)
            m.w = sign * round3(uniform(0, 5));
        for (unsigned k = rng() % 9; k > 0; --k)
            m.points.push_back({sign * round3(uniform(0, 30)), round3(uniform(0, m.L))});
        for (unsigned j = rng() % 4; j > 0; --j) {
            const double ld1 = round3(uniform(0, m.L * 0.9));
            m.trapezoids.push_back({sign * round3(uniform(0, 8)), sign * round3(uniform(0, 8)), ld1,
                                    round3(uniform(0.001, m.L - ld1))});
        }
        const beam::BeamInput in = toInput(m, kInertia);
        if (!beam::inputRefusal(in).empty())
            continue;
        const beam::Deflection d = beam::deltacalc(in);
        if (m.support == Support::PinPin || m.support == Support::PinFixed) {
            if (sign < 0)
                continue; // all-upward pinned beams are refused by the check for their moments
        } else {
            ++stationCases;
        }
        ASSERT_EQ(d.delta, d.described) << n;
    }
    EXPECT_GT(stationCases, 900);
}

} // namespace
