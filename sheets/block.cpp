#include "sheets/block.h"

#include "beam/numtext.h"
#include "results/slotfields.h"
#include "results/store.h"
#include "sheets/figures.h"

#include <cmath>

namespace sheets {

namespace field = results::field;
using results::storedNumber;

namespace {

constexpr double kTfToKn = 9.80665;

std::string fmt3(const results::SlotRecord &slot, int fieldNo)
{
    return beam::formatNumber(storedNumber(slot, fieldNo), "###0.000");
}

// The unit texts of a slot's unit system.
struct Units {
    const char *uniform;
    const char *point;
    const char *w1;
    const char *w2;
    const char *moment;
    const char *reaction;
};

constexpr Units kTraditional{" (tf/m)", " (tf),", " (tf/m),", " (tf/m)", " (tf-m)", " (tf)"};
constexpr Units kSi{" (kN/m)", " (kN),", " (kN/m),", " (kN/m)", " (kN-m)", " (kN)"};

// Text lines of a block: line k at y0 + k * pitch, x offsets in preview pixels.
class Lines {
public:
    Lines(beam::Canvas &canvas, const Geometry &g, int x0, int y0) : m_canvas(canvas), m_g(g), m_x0(x0), m_y0(y0) {}
    void put(int lineNo, int xOffset, const std::string &text)
    {
        m_canvas.text(m_x0 + m_g.c(xOffset), m_y0 + lineNo * m_g.linePitch, text);
    }

private:
    beam::Canvas &m_canvas;
    const Geometry &m_g;
    int m_x0;
    int m_y0;
};

} // namespace

bool isSi(const results::SlotRecord &slot) { return slot[field::kUnits] == field::kSiUnits; }

std::string bendingVerdict(const results::SlotRecord &slot)
{
    return storedNumber(slot, field::kRatio) > 1.0 ? "> 1.0 NG." : "< 1.0 OK.";
}

std::string deflectionVerdict(const results::SlotRecord &slot)
{
    using namespace field;
    const double absLimit = storedNumber(slot, kLimitAbs);
    const bool ratioFails = storedNumber(slot, kLimitRatio) > storedNumber(slot, kLx);
    const bool absoluteFails = absLimit > 0.0 && std::fabs(storedNumber(slot, kDelta)) > absLimit; // upward is negative
    return ratioFails || absoluteFails ? "NG." : "OK.";
}

std::optional<std::string> deflectionLimitLine(const results::SlotRecord &slot)
{
    const std::string &absLimit = slot[field::kLimitAbs];
    const std::string &n = slot[field::kLimitRatio];
    if (!absLimit.empty() && !n.empty())
        return "撓み制限値：" + absLimit + " cm かつ L / " + n + " 以下";
    if (!n.empty())
        return "撓み制限値：L / " + n + " 以下";
    if (!absLimit.empty())
        return "撓み制限値：" + absLimit + " cm 以下";
    return std::nullopt;
}

std::string convertedStress(const std::string &storedTfPerCm2)
{
    return beam::formatNumber(beam::parseDouble(storedTfPerCm2) * kTfToKn, "##0.00");
}

void drawSheetBlock(beam::Canvas &canvas, const results::SlotRecord &slot, const Geometry &g, int x0, int y0)
{
    using namespace field;
    const bool si = isSi(slot);
    const Units &u = si ? kSi : kTraditional;
    Lines lines(canvas, g, x0, y0);

    lines.put(0, 0, slot[kName] + "の設計");
    lines.put(0, 150, "[ " + slot[kMember] + ",(" + slot[kAxis] + "), 自重: " + slot[kSelfWeight] + "(kg/m)]");
    lines.put(1, 150, "[ I = " + slot[kInertia] + "(cm4), Z = " + slot[kModulus] + "(cm3)]");
    lines.put(1, 0, "1. 荷重(" + slot[kSelfSwitch] + ")");

    lines.put(2, 5, "1) 等分布荷重");
    lines.put(3, 15, "w=" + slot[kUniform] + u.uniform);
    if (slot[kUniform].empty())
        lines.put(3, 15, g.emptyUniform);
    if (!slot[kFormula].empty())
        lines.put(4, 15, "[ = " + slot[kFormula] + " ]");

    lines.put(5, 5, "2) 集中荷重");
    for (int n = 1; n <= 8; ++n) {
        const std::string no = std::to_string(n);
        if (storedNumber(slot, kP1 + n - 1) != 0.0) {
            lines.put(n + 5, 15, "P" + no + "=" + fmt3(slot, kP1 + n - 1) + u.point);
            lines.put(n + 5, 105, "L" + no + "=" + fmt3(slot, kPl1 + n - 1) + " (m)");
        } else {
            lines.put(n + 5, 15, "P" + no + "= ----");
            lines.put(n + 5, 105, "L" + no + "= ----");
        }
    }

    lines.put(14, 5, "3) 分布荷重");
    for (int j = 1; j <= 3; ++j) {
        const std::string no = std::to_string(j);
        const int k = j - 1;
        if (storedNumber(slot, kLd2a + k) != 0.0) {
            lines.put(2 * j + 13, 15, "w1(" + no + ") =" + fmt3(slot, kW1a + k) + u.w1);
            lines.put(2 * j + 13, 130, "w2(" + no + ") =" + fmt3(slot, kW2a + k) + u.w2);
            lines.put(2 * j + 14, 15, "LD1(" + no + ")=" + fmt3(slot, kLd1a + k) + " (m),");
            lines.put(2 * j + 14, 130, "LD2(" + no + ")=" + fmt3(slot, kLd2a + k) + " (m)");
        } else {
            lines.put(2 * j + 13, 15, "w1(" + no + ") = ----");
            lines.put(2 * j + 13, 130, "w2(" + no + ") = ----");
            lines.put(2 * j + 14, 15, "LD1(" + no + ")= ----");
            lines.put(2 * j + 14, 130, "LD2(" + no + ")= ----");
        }
    }

    lines.put(21, 0, "2. 計算条件");
    lines.put(22, 15, "L=" + slot[kSpan] + " (m)");
    lines.put(22, 105, "LB=" + slot[kLb] + " (m)");

    lines.put(23, 0, "3. 設計曲げモーメント及び曲げ応力");
    lines.put(24, 15, "M=" + slot[kMmax] + u.moment);
    if (si)
        lines.put(24, 105, "σb=" + slot[kSigma] + " (kN/cm2)");
    else
        lines.put(24, 105, "σb=" + slot[kSigma] + " (tf/cm2) [ " + convertedStress(slot[kSigma]) + " kN/cm2]");

    lines.put(25, 0, "4. 許容曲げ応力");
    const std::optional<beam::NoticeTexts> notice = results::noticeTexts(slot);
    if (notice)
        lines.put(25, 105, "(" + beam::noticeLabel(*notice) + ")");
    if (si) {
        lines.put(26, 15, "fb=" + slot[kFb] + " (kN/cm2)");
        lines.put(26, 130, "(" + slot[kTerm] + "荷重として計算)");
    } else {
        lines.put(26, 15, "fb=" + slot[kFb] + " (tf/cm2) [ " + convertedStress(slot[kFb]) + " kN/cm2]");
        lines.put(26, 190, "(" + slot[kTerm] + "荷重として計算)");
    }

    lines.put(27, 0, "5. 支点反力");
    lines.put(28, 15, "RA=" + slot[kRa] + u.reaction);
    lines.put(28, 105, "RB=" + slot[kRb] + u.reaction);

    lines.put(29, 0, "6. 部材曲げ判定");
    lines.put(30, 15, "σb/fb=" + slot[kRatio] + bendingVerdict(slot));

    lines.put(31, 0, "7. 撓み判定");
    lines.put(32, 15, "δ=" + slot[kDelta] + " (cm)= L / " + slot[kLx] + deflectionVerdict(slot));
    if (const auto limit = deflectionLimitLine(slot))
        lines.put(33, 15, *limit);
    if (notice)
        lines.put(34, 0, "8. " + beam::shearSummary(*notice, si ? "(kN/cm2)" : "(tf/cm2)"));

    drawSheetFigures(canvas, slot, g, x0, y0);
}

void drawSheetFigures(beam::Canvas &canvas, const results::SlotRecord &slot, const Geometry &g, int x0, int y0)
{
    drawLoadFigure(canvas, slot, g, x0 + g.c(320), y0 + g.c(210));
    drawMomentFigure(canvas, slot, g, x0 + g.c(320), y0 + g.c(300));
}

} // namespace sheets
