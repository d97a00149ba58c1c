#include "beam/diagrams.h"

#include "beam/numtext.h"

#include <algorithm>
#include <cmath>

namespace beam {

namespace {

constexpr int kLeft = 10;   // x of end A
constexpr int kRight = 180; // x of end B
constexpr int kLength = 170;

// Truncation toward zero; values that are not finite or far outside any surface are
// pinned, so that a wild text never reaches an undefined integer conversion.
int truncPixel(long double v)
{
    constexpr long double kLimit = 100000.0L;
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(v, -kLimit, kLimit));
}

void line(Canvas &c, int x1, int y1, int x2, int y2)
{
    c.moveTo(x1, y1);
    c.lineTo(x2, y2);
}

} // namespace

void drawLoadDiagram(Canvas &canvas, const LoadDiagramTexts &in)
{
    canvas.clear();
    canvas.setFontSize(8);
    canvas.setTextColor(kBlack);
    line(canvas, kLeft, 50, kRight, 50);
    line(canvas, kLeft, 53, kLeft, 95);
    line(canvas, kRight, 53, kRight, 95);
    line(canvas, kLeft, 92, kRight, 92);
    line(canvas, kLeft, 92, 16, 90);
    line(canvas, kLeft, 92, 16, 94);
    line(canvas, kRight, 92, 174, 90);
    line(canvas, kRight, 92, 174, 94);

    const long double span = parseSingle(in.span);
    if (span == 0)
        return;
    if (parseSingle(in.uniform) != 0.0f)
        line(canvas, kLeft, 48, kRight, 48);

    for (std::size_t k = 0; k < in.p.size(); ++k) {
        if (parseSingle(in.p[k]) == 0.0f)
            continue;
        const long double a = parseSingle(in.pl[k]);
        const int x = truncPixel(a / span * kLength) + kLeft;
        line(canvas, x, 20, x, 47);
        line(canvas, x - 2, 41, x, 47);
        line(canvas, x + 2, 41, x, 47);
        canvas.text(x - 4, 16, "P" + std::to_string(k + 1));
    }

    long double wref = 0;
    for (std::size_t j = 0; j < in.w1.size(); ++j) {
        wref = std::max<long double>(wref, parseSingle(in.w1[j]));
        wref = std::max<long double>(wref, parseSingle(in.w2[j]));
    }
    if (!(wref > 0) || std::isinf(wref))
        return;
    for (std::size_t j = 0; j < in.w1.size(); ++j) {
        const long double w1 = parseSingle(in.w1[j]);
        const long double w2 = parseSingle(in.w2[j]);
        if (w1 == 0 && w2 == 0)
            continue;
        const long double ld1 = parseSingle(in.ld1[j]);
        const long double ld2 = parseSingle(in.ld2[j]);
        const int x1 = truncPixel(ld1 / span * kLength) + kLeft;
        const int y1 = truncPixel(w1 / wref * 20) + 50;
        const int x2 = truncPixel((ld1 + ld2) / span * kLength) + kLeft;
        const int y2 = truncPixel(w2 / wref * 20) + 50;
        canvas.moveTo(x1, 50);
        canvas.lineTo(x1, y1);
        canvas.lineTo(x2, y2);
        canvas.lineTo(x2, 50);
    }
}

void drawStressDiagram(Canvas &canvas, const StressDiagramTexts &in, ReactionText reactions)
{
    canvas.clear();
    line(canvas, kLeft, 35, kRight, 35);
    canvas.moveTo(kLeft, 35);
    const long double mmax = parseNumber(in.mmax);
    if (mmax != 0 && std::isfinite(mmax)) {
        for (int i = 0; i <= 100; ++i) {
            const long double m = parseNumber(in.moments[static_cast<std::size_t>(i)]);
            canvas.lineTo(17 * i / 10 + kLeft, truncPixel(m / mmax * 20) + 35);
        }
    }
    canvas.lineTo(kRight, 35);

    line(canvas, kLeft, 50, kLeft, 35);
    line(canvas, kLeft, 35, 8, 41);
    line(canvas, kLeft, 35, 12, 41);
    line(canvas, kRight, 50, kRight, 35);
    line(canvas, kRight, 35, 178, 41);
    line(canvas, kRight, 35, 182, 41);

    if (reactions == ReactionText::Hidden)
        return;
    canvas.setFontSize(8);
    canvas.setTextColor(kRed);
    const auto shown = [reactions](const std::string &stored) {
        const double value = parseDouble(stored);
        if (reactions == ReactionText::AsStored || !std::isfinite(value))
            return stored;
        return formatNumber(value, "###0.000");
    };
    canvas.text(5, 60, shown(in.qa));
    canvas.text(150, 60, shown(in.qb));
}

} // namespace beam
