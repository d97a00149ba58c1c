#include "sections/calculator.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <utility>
#include <vector>

namespace {

using sections::ShapeDimensions;
constexpr double pi = std::numbers::pi;

struct TextCase {
    const char *name;
    int panel;
    ShapeDimensions dims;
    const char *danres1, *danres2, *danres3, *danres4;
};

// The worked examples with their published results in the scientific pattern.
TEST(ShapeCalculator, WorkedExamples)
{
    const TextCase rows[] = {
        {"rectangle b=10 h=20: A 200, I 6666.667, Z 666.667", 1, {.danB = "10", .danH = "20"},
         "断面積 A = 2.000 000e+2", "断面二次モーメント I = 6.666 667e+3", "断面係数 Z = 6.666 667e+2", ""},
        {"triangle b=6 h=9: A 27, I 121.5, Z 20.25, y1 6", 3, {.danB = "6", .danH = "9"},
         "断面積 A = 2.700 000e+1", "断面二次モーメント I = 1.215 000e+2", "断面係数 Z = 2.025 000e+1",
         "y1 = 2h/3 = 6.000 000e+0"},
        {"T-section a=10 b=2 H=12 h=2: y1 4, A 40, I 533.333, Z 66.667", 10,
         {.danA = "10", .danB = "2", .danHH = "12", .danH = "2"},
         "断面積 A = 4.000 000e+1", "断面二次モーメント I = 5.333 333e+2", "断面係数 Z = 6.666 667e+1",
         "y1 = 4.000 000e+0"},
        {"ellipse a=2 b=1 with 3.14159: A 6.28318, I 6.28318, Z 3.14159", 11, {.danA = "2", .danB = "1"},
         "断面積 A = 6.283 180e+0", "断面二次モーメント I = 6.283 180e+0", "断面係数 Z = 3.141 590e+0", ""},
        {"quarter disc r=1 with its decimals", 9, {.danR = "1"},
         "断面積 A = 7.853 982e-1", "断面二次モーメント I = 5.500 000e-2", "断面係数 Z = 9.560 000e-2",
         "y1 = 0.4244r = 4.244 000e-1"},
        {"empty boxes read as zero", 1, {}, "断面積 A = 0.000 000e+0", "断面二次モーメント I = 0.000 000e+0",
         "断面係数 Z = 0.000 000e+0", ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto calc = sections::computeShape(row.panel, row.dims);
        ASSERT_TRUE(calc.texts) << calc.error;
        EXPECT_EQ(calc.error, "");
        EXPECT_EQ(calc.texts->danres1, row.danres1);
        EXPECT_EQ(calc.texts->danres2, row.danres2);
        EXPECT_EQ(calc.texts->danres3, row.danres3);
        EXPECT_EQ(calc.texts->danres4, row.danres4);
    }
}

// Area, centroid height above the lowest vertex and second moment about the horizontal
// centroidal axis of a simple polygon (vertices counter-clockwise), from Green's theorem.
struct PolygonSection { double A, yc, Ic, ymin, ymax; };

PolygonSection polygon(const std::vector<std::pair<double, double>> &v)
{
    double a = 0, sy = 0, syy = 0, ymin = v[0].second, ymax = v[0].second;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const auto [x0, y0] = v[i];
        const auto [x1, y1] = v[(i + 1) % v.size()];
        const double cross = x0 * y1 - x1 * y0;
        a += cross / 2;
        sy += (y0 + y1) * cross / 6;
        syy += (y0 * y0 + y0 * y1 + y1 * y1) * cross / 12;
        ymin = std::min(ymin, y0);
        ymax = std::max(ymax, y0);
    }
    const double yc = sy / a;
    return {a, yc - ymin, syy - a * yc * yc, ymin, ymax};
}

struct IndependentCase {
    const char *name;
    int panel;
    ShapeDimensions dims;
    double A, I, Z;
    double y1;        // NAN when the shape shows none
    double tolerance; // relative: the shape's constants are rounded decimals
};

TEST(ShapeCalculator, EachShapeAgreesWithAnIndependentDerivation)
{
    const double sq2 = std::sqrt(2.0);

    // two plates 8 wide, outer height 10, gap 6: plates 2 thick at 4 from the axis
    const double plateI = 2 * (8.0 * 2 * 2 * 2 / 12 + 8.0 * 2 * 4 * 4);
    // circle D = 3: I = pi r^4 / 4, Z = I / r
    const double r3 = 1.5, circleI = pi * r3 * r3 * r3 * r3 / 4;
    // regular octagon with apothem 2: polygon of circumradius 2 / cos(pi/8), flat side on top
    std::vector<std::pair<double, double>> oct;
    for (int k = 0; k < 8; ++k) {
        const double t = pi / 8 + k * pi / 4;
        oct.emplace_back(2 / std::cos(pi / 8) * std::cos(t), 2 / std::cos(pi / 8) * std::sin(t));
    }
    const PolygonSection octagon = polygon(oct);
    // trapezoid bottom 6, top 2, height 3, top centred
    const PolygonSection trap = polygon({{0, 0}, {6, 0}, {4, 3}, {2, 3}});
    // square of side 4 on a corner
    const PolygonSection diamond = polygon({{0, -4 / sq2}, {4 / sq2, 0}, {0, 4 / sq2}, {-4 / sq2, 0}});
    // rectangle 3 x 4 turned so that its diagonal (length 5) lies on the x axis
    const double c = 4.0 / 5, s = 3.0 / 5; // rotation taking the diagonal (4, 3) to (5, 0)
    auto turn = [&](double x, double y) { return std::pair{c * x + s * y, -s * x + c * y}; };
    const PolygonSection tilted = polygon({turn(0, 0), turn(4, 0), turn(4, 3), turn(0, 3)});
    // quarter disc r = 2, straight edge on top: I = (pi/16 - 4/(9 pi)) r^4, centroid 4r/(3 pi) below it
    const double qr = 2, quarterI = (pi / 16 - 4 / (9 * pi)) * qr * qr * qr * qr, quarterY = 4 * qr / (3 * pi);
    // T-section a=12 h=3 (flange), b=4 web, H=15, by the parallel-axis theorem from the top
    const double fA = 12.0 * 3, wA = 4.0 * 12, tA = fA + wA;
    const double tY = (fA * 1.5 + wA * (3 + 6)) / tA;
    const double tI = 12.0 * 27 / 12 + fA * (tY - 1.5) * (tY - 1.5) + 4.0 * 1728 / 12 + wA * (9 - tY) * (9 - tY);
    // ellipse a = 3 along bending, b = 2: I = pi a^3 b / 4 with 3.14159
    const double eI = 3.14159 * 27 * 2 / 4;

    const IndependentCase rows[] = {
        {"two plates", 2, {.danB = "8", .danHH = "10", .danH = "6"}, 8.0 * 4, plateI, plateI / 5, NAN, 1e-12},
        {"circle", 4, {.danD = "3"}, pi * r3 * r3, circleI, circleI / r3, NAN, 1e-12},
        {"octagon (0.924 stands for cos(pi/8))", 5, {.danR = "2"}, octagon.A, octagon.Ic, octagon.Ic / 2, NAN, 1e-3},
        {"trapezoid", 6, {.danA = "6", .danB = "2", .danH = "3"}, trap.A, trap.Ic, trap.Ic / (3 - trap.yc),
         3 - trap.yc, 1e-12},
        {"square on a corner", 7, {.danH = "4"}, diamond.A, diamond.Ic, diamond.Ic / (4 / sq2), NAN, 1e-12},
        {"rectangle on a corner", 8, {.danA = "3", .danB = "4"}, tilted.A, tilted.Ic, tilted.Ic / tilted.ymax, NAN, 1e-12},
        {"quarter disc", 9, {.danR = "2"}, pi * qr * qr / 4, quarterI, quarterI / (qr - quarterY), quarterY, 4e-3},
        {"T-section", 10, {.danA = "12", .danB = "4", .danHH = "15", .danH = "3"}, tA, tI, tI / (15 - tY), tY, 1e-12},
        {"ellipse", 11, {.danA = "3", .danB = "2"}, 3.14159 * 6, eI, eI / 3, NAN, 1e-12},
        {"rectangle", 1, {.danB = "3", .danH = "5"}, 15, 3.0 * 125 / 12, 3.0 * 125 / 12 / 2.5, NAN, 1e-12},
        {"triangle", 3, {.danB = "4", .danH = "6"}, polygon({{0, 0}, {4, 0}, {2, 6}}).A,
         polygon({{0, 0}, {4, 0}, {2, 6}}).Ic, polygon({{0, 0}, {4, 0}, {2, 6}}).Ic / 4, 4, 1e-12},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto calc = sections::computeShape(row.panel, row.dims);
        ASSERT_TRUE(calc.properties) << calc.error;
        const auto &p = *calc.properties;
        EXPECT_NEAR(p.A, row.A, row.tolerance * std::fabs(row.A));
        EXPECT_NEAR(p.I, row.I, row.tolerance * std::fabs(row.I));
        EXPECT_NEAR(p.Z, row.Z, row.tolerance * std::fabs(row.Z));
        if (std::isnan(row.y1)) {
            EXPECT_FALSE(p.y1);
            EXPECT_EQ(calc.texts->danres4, "");
        } else {
            ASSERT_TRUE(p.y1);
            EXPECT_NEAR(*p.y1, row.y1, row.tolerance * row.y1);
            EXPECT_NE(calc.texts->danres4, "");
        }
    }
}

TEST(ShapeCalculator, TheOctagonAndQuarterDiscUseTheirDecimalsExactly)
{
    // r = 0.924 makes r/0.924 exactly 1, so I and Z are the bare decimals
    const auto oct = sections::computeShape(5, {.danR = "0.924"});
    ASSERT_TRUE(oct.texts);
    EXPECT_EQ(oct.texts->danres1, "断面積 A = 2.829 072e+0"); // 3.3136 * 0.924 * 0.924 = 2.82907215
    EXPECT_EQ(oct.texts->danres2, "断面二次モーメント I = 6.381 000e-1");
    EXPECT_EQ(oct.texts->danres3, "断面係数 Z = 6.906 000e-1");
}

TEST(ShapeCalculator, DivisionsThatTheFormulasGuardGiveZero)
{
    const struct { const char *name; int panel; ShapeDimensions dims; } rows[] = {
        {"two plates with H = 0", 2, {.danB = "3", .danH = "2"}},
        {"ellipse with a = 0", 11, {.danB = "3"}},
        {"T-section whose centroid lies at the bottom (H - y1 = 0)", 10,
         {.danA = "3", .danB = "0", .danHH = "1", .danH = "2"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto calc = sections::computeShape(row.panel, row.dims);
        ASSERT_TRUE(calc.properties) << calc.error;
        EXPECT_EQ(calc.properties->Z, 0.0);
        EXPECT_EQ(calc.texts->danres3, "断面係数 Z = 0.000 000e+0");
    }
}

TEST(ShapeCalculator, ADivisionByZeroOrAnOverflowGivesAMessageAndNoResult)
{
    const struct { const char *name; int panel; ShapeDimensions dims; } rows[] = {
        {"trapezoid a + b = 0", 6, {.danA = "2", .danB = "-2", .danH = "1"}},
        {"trapezoid 2a + b = 0", 6, {.danA = "1", .danB = "-2", .danH = "1"}},
        {"trapezoid with empty boxes", 6, {}},
        {"rectangle on a corner a = b = 0", 8, {.danA = "0", .danB = ""}},
        {"T-section b*H + (a - b)*h = 0", 10, {.danA = "3", .danB = "1", .danHH = "-2", .danH = "1"}},
        {"T-section with empty boxes", 10, {}},
        {"rectangle too large", 1, {.danB = "1e200", .danH = "1e200"}},
        {"circle of an unreadable size", 4, {.danD = "1e400"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto calc = sections::computeShape(row.panel, row.dims);
        EXPECT_FALSE(calc.texts);
        EXPECT_FALSE(calc.properties);
        EXPECT_NE(calc.error, "");
    }
}

TEST(ShapeCalculator, TheEmptyPanelComputesNothing)
{
    for (int panel : {0, 12, 13}) {
        SCOPED_TRACE(panel);
        const auto calc = sections::computeShape(panel, {.danA = "1", .danB = "1", .danH = "1"});
        EXPECT_FALSE(calc.texts);
        EXPECT_EQ(calc.error, "");
    }
}

} // namespace
