#include "beam/allowable.h"

#include "beam/numtext.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace beam {

namespace {

constexpr SteelGrade kGrades[] = {
    {"SS400", 235},  {"SN400A", 235}, {"SN400B", 235}, {"SN400C", 235}, {"SM400", 235},
    {"STK400", 235}, {"STKR400", 235}, {"SN490B", 325}, {"SN490C", 325}, {"SM490", 325},
    {"STKR490", 325}, {"BCR295", 295}, {"SM520", 355},
};

// The fillet of radius r between two plates at right angles: its area is (1 - pi/4) r^2,
// its centroid 0.22337 r from the plate faces, its own second moment 0.0075451 r^4.
constexpr double kFilletArea = 1 - std::numbers::pi / 4;
constexpr double kFilletCentroid = 0.22337;
constexpr double kFilletInertia = 0.0075451;


} // namespace

std::span<const SteelGrade> steelGrades() { return kGrades; }

std::optional<double> gradeStrength(std::string_view grade)
{
    for (const SteelGrade &g : kGrades)
        if (grade == g.name)
            return g.F;
    return std::nullopt;
}

std::string basisRefusal(const Basis &basis)
{
    if (!basis.grade.empty()) {
        const std::optional<double> F = gradeStrength(basis.grade);
        if (!F)
            return "鋼材「" + basis.grade + "」は選べる鋼材の中にありません。";
        if (*F != basis.F)
            return "鋼材 " + basis.grade + " の F は " + strengthText(*F) + " です。";
    }
    if (!std::isfinite(basis.F) || !(basis.F > 0) || basis.F > 1000)
        return "基準強度 F は 0 より大きく 1000 以下の数字 (N/mm2) で指定して下さい。";
    if (basis.C && !(*basis.C >= kMinC && *basis.C <= kMaxC))
        return "補正係数 C は 1.0 から 2.3 の範囲で指定して下さい。";
    return {};
}

std::string strengthText(double F) { return formatNumber(F, "###0.###"); }

std::string basisLabel(const Basis &basis)
{
    if (basis.rule == FbRule::Old)
        return {};
    std::string label = "告示1024号 ";
    if (!basis.grade.empty())
        label += basis.grade + " ";
    return label + "F=" + strengthText(basis.F);
}

double teeRadius(double H, double B, double tw, double tf, double r)
{
    const double hw = std::max(0.0, H / 6 - tf);
    const double arm = tw / 2 + kFilletCentroid * r;
    const double I = tf * B * B * B / 12 + hw * tw * tw * tw / 12 +
                     2 * (kFilletInertia * r * r * r * r + kFilletArea * r * r * arm * arm);
    const double A = B * tf + hw * tw + 2 * kFilletArea * r * r;
    if (!(A > 0) || !(I > 0))
        return 0;
    return std::sqrt(I / A);
}

double noticeFb1(double F, double lb, double i, double C)
{
    if (!(i > 0))
        return 0;
    const double lambda2 = 1500.0 * 1500.0 / (F / 1.5);
    const double slenderness = lb / i;
    return std::max(0.0, F * (2.0 / 3 - 4.0 / 15 * slenderness * slenderness / (C * lambda2)));
}

double noticeFb2(double lb, double h, double Af) { return 89000 * Af / (lb * h); }

double noticeFs(double F) { return F / (1.5 * std::sqrt(3.0)); }

double automaticC(Support support, double span, double lb, const std::array<double, kStations> &M)
{
    if (support == Support::FreeFixed || !(lb >= span))
        return 1;
    const double a = M[0], b = M[kStations - 1];
    const double M1 = std::max(std::fabs(a), std::fabs(b));
    for (int i = 1; i < kStations - 1; ++i)
        if (std::fabs(M[i]) > M1)
            return 1;
    if (M1 == 0)
        return 1;
    const double M2 = std::min(std::fabs(a), std::fabs(b));
    const bool doubleCurvature = (a < 0 && b > 0) || (a > 0 && b < 0);
    const double ratio = (doubleCurvature ? M2 : -M2) / M1;
    return std::clamp(1.75 + 1.05 * ratio + 0.3 * ratio * ratio, kMinC, kMaxC);
}

NoticeBending noticeBending(const BeamInput &in, double F, double C)
{
    NoticeBending out;
    const double cap = F / 1.5;
    out.fb = cap;
    if (in.weak || in.lb == 0 || in.H1 == 0 || !usesBucklingFormula(in.family))
        return out;
    const bool channel = in.family == Family::C;
    const double lb = in.lb * 1000; // mm
    out.fb2 = noticeFb2(lb, in.H1, in.B1 * in.tf1);
    double fb = *out.fb2;
    if (!channel) {
        out.i = teeRadius(in.H1, in.B1, in.tw1, in.tf1, in.r1);
        out.fb1 = noticeFb1(F, lb, *out.i, C);
        fb = std::max(*out.fb1, fb);
    }
    out.fb = std::min(fb, cap);
    return out;
}

std::optional<double> shearArea(const BeamInput &in)
{
    const double mm2ToCm2 = 0.01;
    if (usesBucklingFormula(in.family)) { // a web between two flanges
        if (in.weak) // bent about the web axis, the two flanges carry the shear
            return 2 * in.B1 * in.tf1 * mm2ToCm2;
        return (in.H1 - 2 * in.tf1) * in.tw1 * mm2ToCm2;
    }
    switch (in.family) {
    case Family::L:
        return in.H1 * in.tw1 * mm2ToCm2;
    case Family::Kaku:
    case Family::Maru:
        return in.A1 / 2;
    default: // directly typed and registered sections: no plate thicknesses
        break;
    }
    return std::nullopt;
}

} // namespace beam
