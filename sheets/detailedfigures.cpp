#include "sheets/detailedfigures.h"

#include "beam/numtext.h"
#include "sheets/block.h"
#include "sheets/figures.h"
#include "results/slotfields.h"

#include <algorithm>
#include <cmath>

namespace sheets {

namespace field = results::field;
using results::stationMoment;
using results::storedNumber;

namespace {

constexpr int kColumn2 = 300; // x of the right-hand figures
constexpr int kSpanPixels = 150;
constexpr int kCurveDepth = 30; // the largest value, pixels from the base line
constexpr int kCurveRow = 104;  // height of the row of the shear and deflection figures

int pointLoads(const results::SlotRecord &slot)
{
    int n = 0;
    for (int k = 0; k < 8; ++k)
        n += storedNumber(slot, field::kP1 + k) != 0.0 ? 1 : 0;
    return n;
}

int partLoads(const results::SlotRecord &slot)
{
    int n = 0;
    for (int k = 0; k < 3; ++k)
        n += storedNumber(slot, field::kLd2a + k) != 0.0 ? 1 : 0;
    return n;
}

// Above and below the beam line of the load figure, preview pixels.
int loadAbove(const DerivedBeam &b) { return 62 + 15 * pointLoads(b.slot); }
int loadBelow(const DerivedBeam &b) { return std::max(30, 52 + 15 * partLoads(b.slot)); }

void line(beam::Canvas &c, int x1, int y1, int x2, int y2)
{
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}

// A curve over the span: base line from (x, y), positive values drawn upward when `up`.
void drawCurve(beam::Canvas &canvas, const beam::Curve &curve, double span, const Geometry &g, int x, int y, bool up)
{
    const int xb = x + g.c(kSpanPixels);
    line(canvas, x, y, xb, y);
    line(canvas, x, y + g.c(-3), x, y + g.c(3));
    line(canvas, xb, y + g.c(-3), xb, y + g.c(3));
    const double largest = std::max(std::fabs(curve.highest), std::fabs(curve.lowest));
    if (curve.points.empty() || !(span > 0) || !(largest > 0) || !std::isfinite(largest))
        return;
    auto px = [&](const beam::CurvePoint &p) {
        return x + truncPixel(p.x / span * g.dataScale * kSpanPixels * g.post);
    };
    auto py = [&](const beam::CurvePoint &p) {
        const int depth = truncPixel(p.value / largest * g.dataScale * kCurveDepth * g.post);
        return up ? y - depth : y + depth;
    };
    canvas.moveTo(x, y);
    for (const beam::CurvePoint &p : curve.points)
        canvas.lineTo(px(p), py(p));
    canvas.lineTo(xb, y);
}

} // namespace

std::string extremeText(const char *name, double value, double at, const char *unit)
{
    return std::string(name) + "=" + beam::formatNumber(value, "##0.000") + " " + unit + " (x=" +
           beam::formatNumber(at, "##0.000") + " m)";
}

int detailedFiguresHeight(const DerivedBeam &b) { return 14 + loadAbove(b) + loadBelow(b) + kCurveRow; }

void drawDetailedFigures(beam::Canvas &canvas, const DerivedBeam &b, const Geometry &g, int x, int y)
{
    const bool si = isSi(b.slot);
    const int ax = x + 30;               // support A of the left-hand figures
    const int bx = x + kColumn2 + 30;    // and of the right-hand ones
    canvas.text(g.c(x), g.c(y), "荷重図");
    canvas.text(g.c(x + kColumn2), g.c(y), "曲げモーメント図");
    const int base1 = y + 14 + loadAbove(b);
    drawLoadFigure(canvas, b.slot, g, g.c(ax), g.c(base1));
    drawMomentFigure(canvas, b.slot, g, g.c(bx), g.c(std::max(base1, y + 14 + 40)));

    const int top2 = y + 14 + loadAbove(b) + loadBelow(b);
    canvas.text(g.c(x), g.c(top2), "せん断力図");
    canvas.text(g.c(x + kColumn2), g.c(top2), si ? "たわみ図 (cm)" : "たわみ図 (cm)");
    const int base2 = top2 + 14 + 32;
    const double span = b.in.span;
    const char *force = si ? "kN" : "tf";
    if (b.shear.points.empty() || b.deflection.points.empty()) {
        canvas.text(g.c(ax), g.c(base2), "（スパンが0のため描けません）");
        return;
    }
    drawCurve(canvas, b.shear, span, g, g.c(ax), g.c(base2), true);
    drawCurve(canvas, b.deflection, span, g, g.c(bx), g.c(base2), false);
    canvas.text(g.c(ax - 14), g.c(base2 - 6), "A");
    canvas.text(g.c(ax + kSpanPixels + 5), g.c(base2 - 6), "B");
    canvas.text(g.c(bx - 14), g.c(base2 - 6), "A");
    canvas.text(g.c(bx + kSpanPixels + 5), g.c(base2 - 6), "B");
    canvas.text(g.c(x), g.c(base2 + 34), extremeText("Qmax", b.shear.highest, b.shear.highestAt, force));
    canvas.text(g.c(x), g.c(base2 + 45), extremeText("Qmin", b.shear.lowest, b.shear.lowestAt, force));
    const beam::Curve &d = b.deflection;
    const bool down = std::fabs(d.highest) >= std::fabs(d.lowest);
    canvas.text(g.c(x + kColumn2), g.c(base2 + 34),
                extremeText("δmax", down ? d.highest : d.lowest, down ? d.highestAt : d.lowestAt, "cm"));
    if (d.lowest < 0 && d.highest > 0)
        canvas.text(g.c(x + kColumn2), g.c(base2 + 45),
                    extremeText("δ(上向き)", down ? d.lowest : d.highest, down ? d.lowestAt : d.highestAt, "cm"));
}

} // namespace sheets
