#include "sheets/figures.h"

#include "beam/numtext.h"
#include "results/slotfields.h"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace sheets {

namespace field = results::field;
using results::stationMoment;
using results::storedNumber;

namespace {

enum class End { Nothing, Pin, Fixed };
struct Supports { End a = End::Nothing; End b = End::Nothing; };

const std::string kPinPin = "両端ピン";
const std::string kPinFixed = "左端ピン右端固定";
const std::string kFixedFixed = "両端固定";
const std::string kFreeFixed = "左端自由右端固定";

Supports supportsOf(const std::string &word)
{
    if (word == kPinPin)
        return {End::Pin, End::Pin};
    if (word == kFixedFixed)
        return {End::Fixed, End::Fixed};
    if (word == kPinFixed)
        return {End::Pin, End::Fixed};
    if (word == kFreeFixed)
        return {End::Nothing, End::Fixed};
    return {};
}

// A chain of lines through the points: pen to the first, a line to each further one.
void chain(beam::Canvas &canvas, std::initializer_list<Point> points)
{
    bool first = true;
    for (const Point &p : points) {
        if (first)
            canvas.moveTo(p.x, p.y);
        else
            canvas.lineTo(p.x, p.y);
        first = false;
    }
}

void line(beam::Canvas &canvas, Point from, Point to) { chain(canvas, {from, to}); }

void pin(beam::Canvas &canvas, const Geometry &g, int e, int y)
{
    chain(canvas, {{e, y}, {e + g.c(-4), y + g.c(9)}, {e + g.c(4), y + g.c(9)}, {e, y}});
}

void fixedAtA(beam::Canvas &canvas, const Geometry &g, int x, int y)
{
    line(canvas, {x, y + g.c(9)}, {x, y + g.c(-9)});
    line(canvas, {x + g.c(-5), y + g.c(9)}, {x, y + g.c(4)});
    line(canvas, {x + g.c(-5), y + g.c(4)}, {x, y + g.c(-1)});
    line(canvas, {x + g.c(-5), y + g.c(-3)}, {x, y + g.c(-8)});
}

void fixedAtB(beam::Canvas &canvas, const Geometry &g, int x, int y)
{
    const int b = x + g.c(150);
    line(canvas, {b, y + g.c(9)}, {b, y + g.c(-9)});
    line(canvas, {b, y + g.c(9)}, {x + g.c(155), y + g.c(4)});
    line(canvas, {b, y + g.c(4)}, {x + g.c(155), y + g.c(-1)});
    line(canvas, {b, y + g.c(-3)}, {x + g.c(155), y + g.c(-8)});
}

// A rising tick through (px, py): used at both ends of the dimension lines above the beam.
void riseTick(beam::Canvas &canvas, const Geometry &g, int px, int py)
{
    line(canvas, {px + g.c(-2), py + g.c(2)}, {px + g.c(2), py + g.c(-2)});
}

// A falling tick through (px, py): used on the part-span dimension lines below the beam.
void fallTick(beam::Canvas &canvas, const Geometry &g, int px, int py)
{
    line(canvas, {px + g.c(-2), py + g.c(-2)}, {px + g.c(2), py + g.c(2)});
}

std::string fmtM(double value) { return beam::formatNumber(value, "##0.000"); }

} // namespace

void drawLoadFigure(beam::Canvas &canvas, const results::SlotRecord &slot, const Geometry &g, int x, int y)
{
    using namespace field;
    const double span = storedNumber(slot, kSpan);
    const bool placeable = span != 0.0;
    const int xb = x + g.c(150);

    line(canvas, {x, y}, {xb, y});
    canvas.text(x + g.c(-17), y + g.c(-3), "A");
    canvas.text(x + g.c(161), y + g.c(-3), "B");

    const Supports supports = supportsOf(slot[kSupport]);
    if (supports.a == End::Pin)
        pin(canvas, g, x, y);
    else if (supports.a == End::Fixed)
        fixedAtA(canvas, g, x, y);
    if (supports.b == End::Pin)
        pin(canvas, g, xb, y);
    else if (supports.b == End::Fixed)
        fixedAtB(canvas, g, x, y);

    // Point loads, each with its dimension line from A one level higher than the last.
    int d = y + g.c(-45);
    for (int n = 1; n <= 8 && placeable; ++n) {
        if (storedNumber(slot, kP1 + n - 1) == 0.0)
            continue;
        const int a = g.along(storedNumber(slot, kPl1 + n - 1), span);
        const int xa = x + a;
        line(canvas, {xa, y}, {xa, y + g.c(-20)});
        chain(canvas, {{xa + g.c(-3), y + g.c(-9)}, {xa, y}, {xa + g.c(3), y + g.c(-9)}});
        canvas.text(xa + g.c(-6), y + g.c(-30), "P" + std::to_string(n));
        chain(canvas, {{x, y + g.c(-3)}, {x, d}, {xa, d}, {xa, y + g.c(-32)}});
        riseTick(canvas, g, x, d);
        riseTick(canvas, g, xa, d);
        canvas.text(a / 2 + x + g.c(-9), d - g.dimensionText, slot[kPl1 + n - 1]);
        d += g.c(-15);
    }

    // Span dimension above the highest point-load level.
    chain(canvas, {{x, y + g.c(-3)}, {x, d}, {xb, d}, {xb, y + g.c(-3)}});
    riseTick(canvas, g, x, d);
    line(canvas, {x + g.c(148), d + g.c(2)}, {x + g.c(152), d + g.c(-2)});
    canvas.text(x + g.c(65), d - g.dimensionText, slot[kSpan]);

    if (storedNumber(slot, kUniform) != 0.0) {
        line(canvas, {x, y + g.c(2)}, {xb, y + g.c(2)});
        canvas.text(x + g.c(65), y + g.c(5), "w");
    }

    // Part-span loads below the beam, scaled to the largest of all six intensities.
    double largest = 0.0;
    for (int j = 0; j < 3; ++j)
        largest = std::max({largest, storedNumber(slot, kW1a + j), storedNumber(slot, kW2a + j)});
    if (!placeable || !(largest > 0.0))
        return;
    int e = y + g.partSpanStart;
    for (int j = 0; j < 3; ++j) {
        const double ld1 = storedNumber(slot, kLd1a + j);
        const double ld2 = storedNumber(slot, kLd2a + j);
        if (ld2 == 0.0)
            continue;
        const int t1 = y + g.ordinate(storedNumber(slot, kW1a + j), largest);
        const int t2 = y + g.ordinate(storedNumber(slot, kW2a + j), largest);
        const int xs = x + g.along(ld1, span);
        const int xe = x + g.along(ld1 + ld2, span);
        chain(canvas, {{xs, y}, {xs, t1}, {xe, t2}, {xe, y}});
        canvas.text(xs + g.c(4), y + g.c(5), "w1");
        canvas.text(xe - g.w2Offset, y + g.c(5), "w2");
        if (ld1 != 0.0) {
            chain(canvas, {{x, y + g.c(3)}, {x, e}, {xs, e}});
            fallTick(canvas, g, x, e);
            canvas.text((x + xs) / 2 + g.c(-9), e - g.dimensionText, slot[kLd1a + j]);
        }
        chain(canvas, {{xs, t1 + g.c(3)}, {xs, e}, {xe, e}, {xe, t2 + g.c(3)}});
        fallTick(canvas, g, xs, e);
        fallTick(canvas, g, xe, e);
        canvas.text((xs + xe) / 2 + g.c(-9), e - g.dimensionText, slot[kLd2a + j]);
        e += g.c(15);
    }
}

void drawMomentFigure(beam::Canvas &canvas, const results::SlotRecord &slot, const Geometry &g, int x, int y)
{
    using namespace field;
    const int xb = x + g.c(150);
    line(canvas, {x, y}, {xb, y});

    const double mmax = storedNumber(slot, kMmax);
    if (mmax != 0.0) {
        canvas.moveTo(x, y);
        for (int i = 0; i <= 100; ++i)
            canvas.lineTo(x + g.station(i), y + g.moment(stationMoment(slot, i), mmax));
        canvas.lineTo(xb, y);
    }

    const std::string &word = slot[kSupport];
    const std::string endB = fmtM(stationMoment(slot, 100));
    if (word == kPinPin) {
        const double span = storedNumber(slot, kSpan);
        if (span != 0.0) {
            const int xm = x + g.labelAlong(storedNumber(slot, kMmaxAt), span) + g.c(-15);
            canvas.text(xm, y + g.c(30), slot[kMmax]);
            canvas.text(xm, y + g.c(30) + g.c(12), "( " + slot[kMmaxAt] + g.positionClose);
        }
    } else if (word == kPinFixed) {
        canvas.text(x + g.c(140), y + g.c(-35), endB);
        canvas.text(x + g.c(65), y + g.c(25), fmtM(storedNumber(slot, kMcent)));
    } else if (word == kFixedFixed) {
        canvas.text(x + g.c(-10), y + g.c(-35), fmtM(stationMoment(slot, 0)));
        canvas.text(x + g.c(140), y + g.c(-35), endB);
        canvas.text(x + g.c(65), y + g.c(25), fmtM(storedNumber(slot, kMcent)));
    } else if (word == kFreeFixed) {
        canvas.text(x + g.c(140), y + g.c(-35), endB);
    }

    if (word != kFreeFixed) {
        line(canvas, {x, y + g.c(20)}, {x, y});
        chain(canvas, {{x + g.c(-3), y + g.c(9)}, {x, y}, {x + g.c(3), y + g.c(9)}});
        canvas.text(x + g.c(-15), y + g.c(23), slot[kRa]);
    }
    line(canvas, {xb, y + g.c(20)}, {xb, y});
    chain(canvas, {{x + g.c(147), y + g.c(9)}, {xb, y}, {x + g.c(153), y + g.c(9)}});
    canvas.text(x + g.c(135), y + g.c(23), slot[kRb]);
}

} // namespace sheets
